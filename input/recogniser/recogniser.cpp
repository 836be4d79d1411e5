#include "input/recogniser/recogniser.h"

#include "input/recogniser/cluster_match.h"
#include "input/recogniser/recogniser_errors.h"

#include <new>

namespace recog {

int writingFeatures(const Writing& w, const SqrtTable& table, PointBuffers& buffers, Features& features,
                    PreparedWriting& prepared, bool& empty) {
  int rc = preparePoints(w.pointCounts, w.strokeCount, w.x, w.y, w.boxWidth, w.boxHeight, buffers, prepared);
  if (rc != kRecogOk) return rc;
  empty = prepared.points == 0;
  if (empty) return kRecogOk;
  Chain chain = centreChain(buildChain(buffers, prepared));
  return extractFeatures(chain, table, features);
}

int recogniseWriting(const RecogDictionary& dict, const Writing& w, PointBuffers& buffers,
                     std::vector<Candidate>& out) {
  out.clear();
  try {
    Features features{};
    PreparedWriting prepared;
    bool empty = false;
    int rc = writingFeatures(w, dict.sqrtTable, buffers, features, prepared, empty);
    if (rc != kRecogOk) return rc;
    if (empty) {
      out.push_back({0, 0});
      return kRecogOk;
    }
    Projected v = project(dict, features);
    std::vector<Match> members;
    rc = matchMembers(dict, nearestClusters(dict, v), v, members);
    if (rc != kRecogOk) return rc;
    out = buildCandidateList(dict, members, w.classMask, prepared.strokes);
    applySizePairs(dict, prepared.height * 2 < prepared.boxHeight, out);
    return kRecogOk;
  } catch (const std::bad_alloc&) {
    out.clear();
    return kErrRecogMemory;
  }
}

}  // namespace recog
