#include "engine/cj/transfer/arabic_numerals.h"

#include <string>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/numerals.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

const WordKeySpec kWordKeys[] = {
    {kSpecialNumerals, 12, 2, 2}, {kReadingPairFollowers, 2, 1, 1}, {kNoPairNumerals, 3, 2, 2},
    {kOneOrTwoWord, 1, 2, 2},     {kOneOrTwoStop, 1, 1, 1},         {kTwoOrThreeWord, 1, 2, 2},
    {kTwoOrThreeStop, 1, 1, 1},   {kPlainBeforeNumeral, 1, 1, 1},   {kSplitTailExtra, 1, 1, 1},
    {kSplitUnitWord, 1, 1, 1},    {kApproximateWord, 1, 1, 1},      {kRunEndExtra, 2, 1, 1},
    {kPointWords, 2, 1, 1},       {kFractionWord, 1, 2, 2},         {kOfWord, 1, 1, 1},
    {kTenthWord, 1, 1, 1},        {kPercentWords, 2, 3, 3},
};
const WordKeyRegistrar kRegistrar(kWordKeys);
// Read, not registered here: the analysis groups clock times by these words.
constinit ListedKey kClockWordsOfRuns{"numeralRuns.clockWords"};

std::string_view chiOf(CjTransferContext& c, int i) {
  const CjNode* n = i > 0 && i <= c.nodeCount ? sourceNode(c, i) : nullptr;
  return n ? n->CHI.view() : std::string_view();
}

std::string_view catOf(CjTransferContext& c, int i) {
  const CjNode* n = i > 0 && i <= c.nodeCount ? sourceNode(c, i) : nullptr;
  return n ? n->CAT.view() : std::string_view();
}

std::string numeral(std::string_view text, int flag) {
  std::string out;
  if (!text.empty()) convertNumeral(text, out, flag);
  return out;
}

// The unit words rendered "万", "億" and "兆"; empty when the table is not loaded.
std::string_view unitWord(int k) {
  const auto& units = listedWords(kNumeralUnits);
  return units.size() == 6 ? std::string_view(units[3 + k]) : std::string_view();
}

int unitIndex(std::string_view ch) {
  for (int k = 0; k < 3; ++k) {
    if (!ch.empty() && unitWord(k) == ch) return k;
  }
  return -1;
}

bool isWord(const char* key, std::string_view word) { return !word.empty() && isListedWord(key, word); }

// The special words: both readings, or a fixed approximate pair.
int listedIndexOf(const ListedKey& key, std::string_view word) {
  if (word.empty()) return -1;
  const auto& words = listedWords(key);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (words[k] == word) return static_cast<int>(k);
  }
  return -1;
}

std::string specialReading(CjTransferContext& c, const std::string& joined, int f, int l) {
  const std::string_view after = chiOf(c, l + 1);
  if (isWord(kReadingPairFollowers, after) && !isInListedBarList(kNoPairNumerals, joined))
    return numeral(joined, 0) + "(" + numeral(joined, 1) + ")";
  if (joined == listedWord(kOneOrTwoWord))
    return catOf(c, l + 1) != "S" && after != listedWord(kOneOrTwoStop) ? "一両" : "1、2";
  if (joined == listedWord(kTwoOrThreeWord))
    return catOf(c, l + 1) != "S" && after != listedWord(kTwoOrThreeStop) ? "両三" : "2、3";
  return numeral(joined, chiOf(c, f - 1) != listedWord(kPlainBeforeNumeral) ? 1 : 0);
}

// "X万Y" with one digit after the unit: the second part read with its own unit word.
bool splitReading(CjTransferContext& c, const std::string& joined, int l, std::string& out) {
  const std::string_view man = unitWord(0);
  if (man.empty() || catOf(c, l + 1) == "S") return false;
  std::size_t at = 0;
  while (at < joined.size() && joined.compare(at, man.size(), man) != 0) at += charSizeAt(joined, at);
  if (at >= joined.size()) return false;
  const std::string_view tail = std::string_view(joined).substr(at + man.size());
  if (tail.empty() || charSizeAt(tail, 0) != tail.size()) return false;
  if (unitIndex(tail) >= 0 || tail == listedWord(kSplitTailExtra)) return false;
  out = numeral(std::string_view(joined).substr(0, at), 0) + "万" +
        numeral(std::string(tail) + listedWord(kSplitUnitWord), 0);
  return true;
}

// A clock time grouped by the analysis: hour, point word, then minutes and 分, quarters and 刻, 半 or
// 整 (the clock words in that order: 分, 钟, 半, 刻, 整). False when the text is no clock time.
bool clockReading(const std::string& joined, std::string& out) {
  const auto& clock = listedWords(kClockWordsOfRuns);
  if (clock.size() != 5) return false;
  std::size_t point = std::string::npos;
  for (std::size_t i = 0; i < joined.size(); i += charSizeAt(joined, i)) {
    if (isWord(kPointWords, std::string_view(joined).substr(i, charSizeAt(joined, i)))) {
      point = i;
      break;
    }
  }
  if (point == std::string::npos || point == 0) return false;
  const std::size_t pointSize = charSizeAt(joined, point);
  const std::string_view rest = std::string_view(joined).substr(point + pointSize);
  if (rest.empty()) return false;
  std::size_t lastAt = 0;
  for (std::size_t i = 0; i < rest.size(); i += charSizeAt(rest, i)) lastAt = i;
  const std::string_view last = rest.substr(lastAt), minutes = rest.substr(0, lastAt);
  std::string tail;
  if (last == clock[2] && minutes.empty()) {
    tail = "半";
  } else if (last == clock[4] && minutes.empty()) {
    tail = "ちょうど";
  } else if (last == clock[0] && !minutes.empty()) {
    tail = numeral(minutes, 0) + "分";
  } else if (last == clock[3] && !minutes.empty()) {
    const std::string quarters = numeral(minutes, 0);
    if (quarters != "1" && quarters != "2" && quarters != "3") return false;
    tail = std::to_string(15 * (quarters[0] - '0')) + "分";
  } else {
    return false;
  }
  out = numeral(std::string_view(joined).substr(0, point), 0) + "時" + tail;
  return true;
}

std::string runReading(const std::string& joined) {
  std::string out, run, previous;
  const std::string_view approximate = listedWord(kApproximateWord);
  const std::string_view fraction = listedWord(kFractionWord);
  for (std::size_t i = 0; i < joined.size();) {
    const std::size_t size = charSizeAt(joined, i);
    const std::string_view ch = std::string_view(joined).substr(i, size);
    const bool ends = unitIndex(ch) >= 0 || ch == approximate || isWord(kRunEndExtra, ch);
    if (isNumeralListWord(ch) && !ends && previous != approximate) {
      run += ch;
      previous = ch;
      i += size;
      continue;
    }
    out += numeral(run, unitIndex(ch) >= 0 ? 1 : 0);
    run.clear();
    std::size_t used = size;
    if (isWord(kPointWords, ch)) {
      out += ".";
    } else if (unitIndex(ch) >= 0) {
      static const char* const kUnits[] = {"万", "億", "兆"};
      out += kUnits[unitIndex(ch)];
    } else if (!approximate.empty() && ch == approximate) {
      out += "数(何)";
    } else if (!fraction.empty() && joined.compare(i, fraction.size(), fraction) == 0) {
      out += "分";
      used = fraction.size();
    } else if (isWord(kOfWord, ch)) {
      out += "の";
    } else if (isWord(kTenthWord, ch)) {
      out += "割";
    } else if (isWord(kRunEndExtra, ch) && !out.empty()) {
      // "more than" after a number: 30余人, 2000余元.
      out += "余";
    } else {
      std::string jp;
      copyCwToJp(ch, jp);
      out += jp;
    }
    previous = ch;
    i += used;
  }
  out += numeral(run, 0);
  return out;
}

}  // namespace

int convertToArabic(CjTransferContext& c, int i) {
  RuleWatch watch(c, "arabicNumerals.convertToArabic");
  if (i < 1 || i > c.nodeCount) return 0;
  const int f = firstWordOf(c, i), l = lastWordOf(c, i);
  if (f < 1 || l < f || l > c.nodeCount) return 0;
  std::string joined;
  for (int k = f; k <= l; ++k) {
    joined += chiOf(c, k);
    c.targets[k].japanese.clear();
    c.targets[k].alive = 0;
  }
  std::string result;
  if (isInListedBarList(kSpecialNumerals, joined)) {
    c.targets[f].alive = 1;
    c.targets[f].japanese = specialReading(c, joined, f, l);
    ruletally::noteIf(true, "arabicNumerals.specialReading");
    return c.targets[f].japanese.empty() ? 0 : 1;
  }
  if (tallied(clockReading(joined, result), "arabicNumerals.clockReading")) {
  } else if (!tallied(splitReading(c, joined, l, result), "arabicNumerals.splitReading")) {
    result = runReading(joined);
  }
  // 百分之三点五: the share word before the number is read after it, as one percentage.
  if (const int share = listedIndexOf(kPercentWords, chiOf(c, f - 1)); share >= 0 && !result.empty()) {
    static const char* const kShares[] = {"パーセント", "パーミル"};
    result += kShares[share];
    c.targets[f - 1].japanese.clear();
    c.targets[f - 1].alive = 0;
    ruletally::noteIf(true, "arabicNumerals.percentReading");
  }
  c.targets[f].alive = 1;
  // The text is spread over the span's nodes, a whole number of characters in each.
  std::string_view rest = result;
  for (int k = f; k <= l && !rest.empty(); ++k) {
    const std::size_t take = fitAtCharBoundary(rest, kArabicChunk);
    if (take == 0) break;
    c.targets[k].japanese = rest.substr(0, take);
    c.targets[k].alive = 1;
    rest.remove_prefix(take);
  }
  return result.empty() ? 0 : 1;
}

}  // namespace cj
