#include "engine/cj/transfer/case_frames.h"

#include <string_view>

#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/verbcont_record.h"

namespace cj {
namespace {

// Some item of the frame fits the argument: its category is the item's letter and, for an item
// with "[x]", its semantic codes hold x.
bool frameFits(const CjNode& a, std::string_view items) {
  std::size_t p = 0;
  while (p < items.size()) {
    const char letter = items[p];
    std::size_t next = p + 1;
    bool withSem = false;
    char sem = 0;
    if (next < items.size() && items[next] == '[') {
      withSem = true;
      sem = next + 1 < items.size() ? items[next + 1] : 0;
      next += 3;
    }
    const bool catFits = a.CAT.size() == 1 && a.CAT[0] == letter;
    if (catFits && (!withSem || (sem != 0 && a.features.M_SEM.view().find(sem) != std::string_view::npos))) {
      return true;
    }
    p = next + 1;
  }
  return false;
}

}  // namespace

int matchCaseFrame(CjTransferContext& c, int verb, int argument, std::vector<CjCandidate>* candidates) {
  const CjNode* v = verb > 0 ? sourceNode(c, verb) : nullptr;
  if (!v) return 0;
  static const CjNode kNone;
  const CjNode* a = argument > 0 ? sourceNode(c, argument) : nullptr;
  if (!a) a = &kNone;
  const std::string_view key = v->CHI.view();
  // The file the engine holds from its start: no file is opened per call.
  VerbContCursor records;
  const int found = findVerbContRecords(*c.sentence->engine, key, records);
  if (found <= 0) return found;
  int s = 0;
  VerbContRecord rec;
  while (s != 2 && readVerbContRecord(records, rec)) {
    if (rec.verb != key) break;
    const std::string& cond = rec.condition;
    const bool any = cond == "*";
    const bool anyNegative = cond == "!";
    if (!any && !anyNegative) {
      if (!cond.empty() && cond[0] == '*') continue;
      if (!rec.conditionTerminated) return -1;
      const bool negative = !cond.empty() && cond[0] == '!';
      if (endsWithOneOf(a->CHI.view(), negative ? std::string_view(cond).substr(1) : std::string_view(cond))) {
        s = negative ? 2 : 1;
      }
      if (s == 0) continue;
    }
    if (!frameFits(*a, rec.frameItems)) {
      s = 0;
      continue;
    }
    if (any) s = 1;
    if (anyNegative) s = 2;
    if (s == 1) break;
  }
  if (s == 1 && candidates && !candidates->empty() && !rec.japanese.empty() && !rec.code.empty()) {
    candidates->erase(candidates->begin(), candidates->end() - 1);
    CjCandidate& kept = candidates->front();
    kept.text = rec.japanese;
    kept.code = rec.code;
    kept.frame = rec.frameChar;
    kept.frame2 = rec.secondField;
  }
  return s;
}

}  // namespace cj
