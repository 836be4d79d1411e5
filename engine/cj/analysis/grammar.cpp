#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/grammar_shapes.h"

#include "engine/common/descramble.h"
#include "engine/cj/analysis/engine_data.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace cj {
namespace {

static_assert(kCjGrammarGroupShapes.size() == kGroupCount);
constexpr const auto& kShapes = kCjGrammarGroupShapes;

constexpr std::size_t kLhsKept = kCjRuleLhsLimit;
constexpr std::size_t kNumberTagKept = 6;
constexpr std::size_t kTagKept = 4;
constexpr std::size_t kPercentTextKept = 31;
constexpr std::size_t kGotoStateKept = kCjGotoStateLimit;
constexpr std::size_t kGotoSymbolKept = kCjGotoSymbolBytes;
constexpr std::size_t kGotoTargetKept = kCjGotoTargetLimit;

constexpr std::size_t kRuleReadSize = 450;
constexpr std::size_t kGotoReadSize = 300;

std::array<CjRuleGroup, kGroupCount>& groups(CjEngine& engine) { return engine.grammar->groups; }

void setStatus(CjEngine& engine, int code) { engine.engineStatus = code; }

// Length of the character starting at i (2 for a lead byte with a byte after it).
std::size_t charLength(std::string_view s, std::size_t i) {
  return (dbcs::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Position of the first occurrence of `token` at a character start, from `from`; npos if none.
std::size_t findAtCharStart(std::string_view s, std::string_view token, std::size_t from = 0) {
  for (std::size_t i = from; i < s.size(); i += charLength(s, i)) {
    if (s.substr(i, token.size()) == token) return i;
  }
  return std::string_view::npos;
}

// Characters from `from` up to a stop byte (tested at character starts) or the end.
std::size_t spanUntil(std::string_view s, std::size_t from, std::string_view stops) {
  std::size_t i = from;
  while (i < s.size() && stops.find(s[i]) == std::string_view::npos) i += charLength(s, i);
  return i < s.size() ? i : s.size();
}

// At most `max` bytes, never ending inside a double-byte character.
std::string cutAtCharBoundary(std::string_view s, std::size_t max) {
  if (s.size() <= max) return std::string(s);
  std::size_t end = 0;
  while (end < s.size()) {
    std::size_t n = charLength(s, end);
    if (end + n > max) break;
    end += n;
  }
  return std::string(s.substr(0, end));
}

int elementValue(char c, int elementCount) {
  if (c == 'F') return 1;
  if (c == 'L') return elementCount;
  if (c >= '0' && c <= '9') return c - '0';
  return 0;
}

// Reads up to `size` bytes at `offset`; false when the read returns nothing.
bool readAt(std::FILE* f, long offset, std::size_t size, std::string& buf) {
  buf.assign(size, '\0');
  if (plat::fileSeek(f, offset, SEEK_SET) != 0) return false;
  std::size_t n = plat::fileRead(buf.data(), size, f);
  buf.resize(n);
  return n > 0;
}

}  // namespace

CjGrammar::CjGrammar() {
  for (int i = 0; i < kGroupCount; ++i) {
    groups[i].tag = kShapes[i].tag;
    groups[i].ruleCapacity = kShapes[i].rules;
    groups[i].gotoCapacity = kShapes[i].gotos;
  }
  clear();
}

void CjGrammar::clear() {
  for (CjRuleGroup& g : groups) {
    g.rules.assign(g.ruleCapacity, CjRuleDescriptor{});
    g.actions.assign(g.ruleCapacity, CjRuleAction{});
    // The table holds the lines read and the end mark behind them; it grows up to gotoCapacity.
    g.gotos.assign(1, gotoEndMark());
    resolveGotoRuns(g.gotos);
  }
}

const CjRuleGroup& ruleGroup(const CjEngine& engine, int group) {
  return engine.grammar->groups.at(static_cast<std::size_t>(group));
}

int groupOfHeader(std::string_view header) {
  for (int i = 0; i < kGroupCount; ++i) {
    if (header.find(kShapes[i].tag) != std::string_view::npos) return i;
  }
  return -1;
}

const CjRuleAction* ruleAction(const CjEngine& engine, std::string_view category, char digit, int ruleNumber) {
  int group = -1;
  if (category == "S") {
    group = kGroupS;
  } else {
    std::string tag = "<" + std::string(category) + digit + ">";
    for (int i = 0; i < kGroupCount; ++i) {
      if (tag == kShapes[i].tag) group = i;
    }
  }
  if (group < 0) return nullptr;
  const CjRuleGroup& g = engine.grammar->groups[group];
  if (ruleNumber < 0 || ruleNumber >= g.ruleCapacity) return nullptr;
  return &g.actions[ruleNumber];
}

void clearGrammar(CjEngine& engine) { engine.grammar->clear(); }

void loadGrammar(CjEngine& engine) {
  clearGrammar(engine);
  loadRuleFile(engine);
  loadGotoFile(engine);
}

void loadRuleFile(CjEngine& engine) {
  std::FILE* f = openDataFile(engine, "transfer.ruc");
  if (!f) {
    if (engine.dataFileProblem.empty()) engine.dataFileProblem = "transfer.ruc: missing, unreadable or not a file";
    setStatus(engine, kStatusRuleFileMissing);
    return;
  }
  // Read line by line from memory, not by a seek and a read on the disk each.
  plat::fileHoldInMemory(f);
  std::string line;
  long offset = 0;
  bool haveLine = false;
  // Preamble: lines up to the first header line.
  while (readAt(f, offset, kRuleReadSize, line)) {
    descrambleGrammarLine(line, offset);
    offset += static_cast<long>(line.size()) + 2;
    if (line.size() > static_cast<std::size_t>(kMaxRuleLine)) setStatus(engine, kStatusLongRuleLine);
    if (line.find("%<") != std::string::npos) {
      haveLine = true;
      break;
    }
  }
  std::string header = haveLine ? line : std::string();
  std::string pendingRule;
  int ruleNumber = -1;
  while (readAt(f, offset, kRuleReadSize, line)) {
    descrambleGrammarLine(line, offset);
    offset += static_cast<long>(line.size()) + 1;
    std::string_view l = line;
    if (l.find("%<") != std::string_view::npos) {
      header = line;
      ruleNumber = -1;
    }
    bool ruleLine = l.substr(0, 2) == "S-";
    for (std::size_t p = 2; p <= 4 && p < l.size() && !ruleLine; ++p) ruleLine = l.substr(p, 2) == "->";
    if (ruleLine) {
      ++ruleNumber;
      pendingRule = line;
    } else if (l.substr(0, 2) == "->") {
      fileRule(engine, header, pendingRule, l, ruleNumber);
    }
  }
  plat::fileClose(f);
}

void loadGotoFile(CjEngine& engine) {
  std::FILE* f = openDataFile(engine, "transfer.dac");
  if (!f) {
    if (engine.dataFileProblem.empty()) engine.dataFileProblem = "transfer.dac: missing, unreadable or not a file";
    setStatus(engine, kStatusGotoFileMissing);
    return;
  }
  plat::fileHoldInMemory(f);
  std::string header;
  std::string line;
  int entryIndex = -1;
  // As fileGotoLine, with the section's group found once per header and the runs of each table
  // resolved once it is whole.
  int group = groupOfHeader(header);
  long offset = 0;
  while (readAt(f, offset, kGotoReadSize, line)) {
    descrambleGrammarLine(line, offset);
    offset += static_cast<long>(line.size()) + 1;
    if (line.find("%<") != std::string::npos) {
      header = line;
      group = groupOfHeader(header);
      entryIndex = -1;
    } else if (!line.empty() && line[0] == '(') {
      ++entryIndex;
      if (group < 0) {
        fileGotoLine(engine, header, line, entryIndex);
      } else {
        addGotoLine(engine, line, groups(engine)[group], entryIndex);
      }
    }
  }
  plat::fileClose(f);
  for (CjRuleGroup& g : groups(engine)) {
    resolveGotoRuns(g.gotos);
    resolveGotoTargets(g.gotos);
  }
}

void fileRule(CjEngine& engine, std::string_view header, std::string_view ruleLine, std::string_view actionLine, int ruleNumber) {
  if (ruleNumber >= kRuleNumberLimit) setStatus(engine, kStatusTooManyRules);
  int group = groupOfHeader(header);
  if (group < 0) {
    // A section the engine has no group for: the file is not the grammar it was written as.
    if (engine.dataFileProblem.empty()) {
      engine.dataFileProblem = "transfer.ruc: a rule under the unknown section " + std::string(header);
    }
    setStatus(engine, kStatusRuleFileMissing);
    return;
  }
  parseRuleLine(engine, ruleLine, actionLine, groups(engine)[group], ruleNumber);
}

void fileGotoLine(CjEngine& engine, std::string_view header, std::string_view gotoLine, int entryIndex) {
  int group = groupOfHeader(header);
  if (group < 0) {
    if (engine.dataFileProblem.empty()) {
      engine.dataFileProblem = "transfer.dac: a goto line under the unknown section " + std::string(header);
    }
    setStatus(engine, kStatusGotoFileMissing);
    return;
  }
  parseGotoLine(engine, gotoLine, groups(engine)[group], entryIndex);
}

void parseRuleLine(CjEngine& engine, std::string_view ruleLine, std::string_view actionLine, CjRuleGroup& group, int ruleNumber) {
  // An action before any rule line of its section, or a rule past the group's slots, is dropped.
  if (ruleNumber < 0) return;
  if (ruleNumber >= group.ruleCapacity) {
    setStatus(engine, kStatusTooManyRules);
    return;
  }
  group.actions[ruleNumber] = cutAtCharBoundary(actionLine, kMaxActionText);
  CjRuleDescriptor d;

  std::size_t dash = findAtCharStart(ruleLine, "-");
  std::string_view lhs = ruleLine.substr(0, dash == std::string_view::npos ? ruleLine.size() : dash);
  if (lhs.size() > kLhsKept) setStatus(engine, kStatusLhsTooLong);
  d.lhs = cutAtCharBoundary(lhs, kLhsKept);

  d.elementCount = 1;
  if (dash != std::string_view::npos) {
    char previous = 0;
    for (std::size_t i = dash + 1; i < ruleLine.size();) {
      std::size_t n = charLength(ruleLine, i);
      char c = n == 1 ? ruleLine[i] : 0;
      if (c == '+' && previous == ']') ++d.elementCount;
      previous = c;
      i += n;
    }
  }

  std::size_t at = findAtCharStart(ruleLine, " #");
  if (at != std::string_view::npos) {
    std::size_t from = at + 2;
    std::size_t end = spanUntil(ruleLine, from, " \t/&.");
    if (end - from > 4) setStatus(engine, kStatusNumberTagTooLong);
    d.numberTag = cutAtCharBoundary(ruleLine.substr(from, end - from), kNumberTagKept);
  } else {
    d.numberTag = "0";
  }

  at = findAtCharStart(ruleLine, " @");
  if (at != std::string_view::npos) {
    std::size_t from = at + 2;
    std::size_t end = spanUntil(ruleLine, from, " \t/");
    if (end - from > 4) setStatus(engine, kStatusTagTooLong);
    d.atTag = cutAtCharBoundary(ruleLine.substr(from, end - from), kTagKept);
  }

  d.headElement = 1;
  d.secondElement = 0;
  at = findAtCharStart(ruleLine, " &");
  if (at != std::string_view::npos) {
    std::size_t p = at + 2;
    d.headElement = p < ruleLine.size() ? elementValue(ruleLine[p], d.elementCount) : 0;
    if (p + 2 < ruleLine.size() && ruleLine[p + 1] == '/') d.secondElement = elementValue(ruleLine[p + 2], d.elementCount);
  }

  at = findAtCharStart(ruleLine, " %");
  if (at != std::string_view::npos) {
    std::size_t from = at + 2;
    std::size_t end = spanUntil(ruleLine, from, " \t%");
    if (end - from > 4) setStatus(engine, kStatusTagTooLong);
    if (end < ruleLine.size() && ruleLine[end] == '%') {
      d.percentTag = cutAtCharBoundary(ruleLine.substr(from, end - from), kTagKept);
      std::size_t textFrom = end + 1;
      std::size_t textEnd = spanUntil(ruleLine, textFrom, " \t");
      if (textEnd - textFrom > 30) setStatus(engine, kStatusTagTooLong);
      d.percentText = cutAtCharBoundary(ruleLine.substr(textFrom, textEnd - textFrom), kPercentTextKept);
    }
  }
  group.rules[ruleNumber] = std::move(d);
}

void parseGotoLine(CjEngine& engine, std::string_view gotoLine, CjRuleGroup& group, int entryIndex) {
  if (addGotoLine(engine, gotoLine, group, entryIndex)) resolveGotoRuns(group.gotos);
}

bool addGotoLine(CjEngine& engine, std::string_view gotoLine, CjRuleGroup& group, int entryIndex) {
  // Room is needed for the entry and the end mark after it.
  if (entryIndex < 0) return false;
  if (entryIndex + 1 >= group.gotoCapacity) {
    setStatus(engine, kStatusGotoTableFull);
    return false;
  }
  CjGotoEntry e;
  std::size_t comma = findAtCharStart(gotoLine, ",", 1);
  std::size_t stateEnd = comma == std::string_view::npos ? gotoLine.size() : comma;
  std::string_view state = gotoLine.size() > 1 ? gotoLine.substr(1, stateEnd - 1) : std::string_view();
  if (state.size() > kGotoStateKept) setStatus(engine, kStatusGotoStateTooLong);
  e.state = cutAtCharBoundary(state, kGotoStateKept);

  if (comma != std::string_view::npos) {
    std::size_t from = comma + 1;
    std::size_t close = spanUntil(gotoLine, from, ")");
    std::string_view symbol = gotoLine.substr(from, close - from);
    if (symbol.size() > kGotoSymbolKept) setStatus(engine, kStatusGotoSymbolTooLong);
    e.symbol = cutAtCharBoundary(symbol, kGotoSymbolKept);
    e.compiled = compileSymbol(e.symbol);
    // One character after ')' is skipped, whatever it is.
    std::size_t targetFrom = close + 2;
    if (close < gotoLine.size() && targetFrom < gotoLine.size()) {
      std::string_view target = gotoLine.substr(targetFrom);
      if (target.size() > kGotoTargetKept) setStatus(engine, kStatusGotoTargetTooLong);
      e.target = cutAtCharBoundary(target, kGotoTargetKept);
    }
  }
  resolveGotoEntry(e);
  if (group.gotos.size() < static_cast<std::size_t>(entryIndex) + 2) group.gotos.resize(static_cast<std::size_t>(entryIndex) + 2);
  group.gotos[entryIndex] = std::move(e);
  group.gotos[entryIndex + 1] = gotoEndMark();
  return true;
}

void resolveGotoEntry(CjGotoEntry& e) {
  e.stateKey = gotoKey(e.state);
  e.targetKey = gotoKey(e.target);
  e.stateNumber = std::atoi(e.state.c_str());
  e.targetNumber = std::atoi(e.target.c_str());
  e.action = kGotoShift;
  e.ruleNumber = 0;
  if (!e.target.empty() && e.target[0] == 'R') {
    e.action = kGotoReduce;
    e.ruleNumber = std::atoi(e.target.substr(1, 4).c_str());
  } else if (!e.target.empty() && e.target[0] == 'F') {
    e.action = kGotoFail;
  }
  e.always = e.symbol == "*" || (!e.symbol.empty() && e.symbol[0] == 'Z');
}

CjGotoEntry gotoEndMark() {
  CjGotoEntry e;
  e.state = "#";
  resolveGotoEntry(e);
  return e;
}

void resolveGotoRuns(std::vector<CjGotoEntry>& gotos) {
  const int n = static_cast<int>(gotos.size());
  for (int i = n - 1; i >= 0; --i) {
    gotos[i].runEnd = i + 1 < n && gotos[i + 1].stateKey == gotos[i].stateKey ? gotos[i + 1].runEnd : i + 1;
    gotos[i].targetEntry = -1;
  }
}

void resolveGotoTargets(std::vector<CjGotoEntry>& gotos) {
  // The search from an entry walks run by run and stops at the first run of the state or at an end
  // mark: the first such run start after the entry, found here by the starts of each state.
  const int n = static_cast<int>(gotos.size());
  std::unordered_map<std::uint64_t, std::vector<int>> runStarts;
  std::vector<int> endMarks;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && gotos[i - 1].stateKey == gotos[i].stateKey) continue;
    (gotos[i].stateKey == kGotoEndKey ? endMarks : runStarts[gotos[i].stateKey]).push_back(i);
  }
  const auto firstAfter = [n](const std::vector<int>& starts, int i) {
    const auto at = std::upper_bound(starts.begin(), starts.end(), i);
    return at == starts.end() ? n : *at;
  };
  for (int i = 0; i < n; ++i) {
    CjGotoEntry& e = gotos[i];
    if (e.stateKey == kGotoEndKey) continue;
    if (e.targetKey == e.stateKey) {
      e.targetEntry = i;
      continue;
    }
    const auto runs = runStarts.find(e.targetKey);
    const int run = runs == runStarts.end() ? n : firstAfter(runs->second, i);
    e.targetEntry = std::min(run, firstAfter(endMarks, i));
  }
}

}  // namespace cj
