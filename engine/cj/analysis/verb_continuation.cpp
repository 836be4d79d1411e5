#include "engine/cj/analysis/verb_continuation.h"

#include <string>
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/verbcont_record.h"
#include "platform/core/files.h"

namespace cj {

namespace {

bool senseAccepts(const CjSense& sense, char c, char m) {
  return sense.catLetter == c && sense.M_SEM.view().find(m) != std::string_view::npos;
}

bool itemAccepts(const CjSentence& s, int word, char c, bool withSem, char m) {
  const std::string_view letter(&c, 1);
  if (!hasCat(s, word, letter)) return false;
  if (!withSem) return true;
  const CjNode& n = s.nodes[word];
  if (n.CAT.size() <= 1) return hasMSem(s, word, std::string_view(&m, 1)) != 0;
  // Still ambiguous: the first sense of that letter, else the last sense.
  const CjSense* chosen = nullptr;
  for (const CjSense& sense : n.senses) {
    if (sense.catLetter == c) {
      chosen = &sense;
      break;
    }
  }
  if (!chosen && !n.senses.empty()) chosen = &n.senses.back();
  return chosen && senseAccepts(*chosen, c, m);
}

// True when some item of the frame accepts the word node.
bool frameAccepts(const CjSentence& s, int word, std::string_view frame) {
  std::size_t p = 0;
  while (p < frame.size()) {
    const char c = frame[p];
    bool withSem = false;
    char m = 0;
    std::size_t next = p + 1;
    if (next < frame.size() && frame[next] == '[') {
      withSem = true;
      m = next + 1 < frame.size() ? frame[next + 1] : 0;
      next += 3;  // '[', the code, ']'
    }
    if (itemAccepts(s, word, c, withSem, m)) return true;
    p = next + 1;  // one separator between items
  }
  return false;
}

}  // namespace

int matchVerbContinuation(const CjSentence& s, int verb, int word) {
  if (!isNodeIndex(s, verb)) return 0;
  const std::string_view verbText = s.nodes[verb].CHI.view();
  std::FILE* file = nullptr;
  const int opened = openVerbContRecords(*s.engine, verbText, &file);
  if (opened <= 0) return opened;
  const std::string_view wordText = isNodeIndex(s, word) ? s.nodes[word].CHI.view() : std::string_view();
  int r = 0;
  VerbContRecord rec;
  while (r != 2 && readVerbContRecord(file, rec)) {
    if (rec.verb != verbText) break;
    const std::string& cond = rec.condition;
    const bool anyWord = cond == "*";
    const bool anyWordSecond = cond == "!";
    if (!anyWord && !anyWordSecond && !cond.empty() && cond[0] == '!') {
      if (!rec.conditionTerminated) {
        plat::fileClose(file);
        return -1;
      }
      if (endsWithOneOf(wordText, std::string_view(cond).substr(1))) r = 2;
    } else if (!anyWord && !anyWordSecond && (cond.empty() || cond[0] != '*')) {
      if (!rec.conditionTerminated) {
        plat::fileClose(file);
        return -1;
      }
      if (endsWithOneOf(wordText, cond)) r = 1;
    }
    if (!anyWord && !anyWordSecond && r == 0) continue;
    if (rec.frame.empty() || !frameAccepts(s, word, rec.frame)) {
      r = 0;
      continue;
    }
    if (anyWord) r = 1;
    if (anyWordSecond) r = 2;
    if (r == 1) break;
  }
  plat::fileClose(file);
  return r;
}

int findMarkedWord(const CjSentence& s, int i) {
  if (i < 1) return 0;
  for (int j = i; j <= s.nodeCount && j < kMaxNodes; ++j) {
    if (!isWordNode(s, j)) return 0;
    if (hasSSem(s, j, "q")) return j;
    const CjNode& n = s.nodes[j];
    if (hasCat(s, j, "F") && hasMSem(s, j, "L")) {
      for (const CjSense& sense : n.senses) {
        if (senseAccepts(sense, 'F', 'L')) return j;
      }
      continue;
    }
    if (hasCat(s, j, "R") && hasMSem(s, j, "B")) {
      for (const CjSense& sense : n.senses) {
        if (senseAccepts(sense, 'R', 'B')) return j;
      }
    }
  }
  return 0;
}

}  // namespace cj
