#include "engine/cj/analysis/numerals.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/common/word_table.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {

const WordKeySpec kWordKeys[] = {
    {kNumeralUnits, 6, 1, 1},       {kNumeralDigitChars, 12, 1, 1}, {kNumeralZeroChars, 3, 1, 1},
    {kNumeralDigitSet1, 10, 1, 1},  {kNumeralDigitSet2, 10, 1, 1},  {kNumeralDigitSet3, 9, 1, 1},
    {kNumeralZeroList, 4, 1, 1},    {kNumeralMarkers, 4, 1, 1},     {kNumeralApproximateWords, 13, 2, 2},
    {kNumeralSeparator, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr std::array<int, 6> kUnitPowers = {1, 2, 3, 4, 8, 12};
constexpr const char* kDigitSet1Values = "1223456789";
constexpr const char* kDigitSet2Values = "0123456789";
constexpr const char* kDigitSet3Values = "023456789";
// Japanese sets two loose numbers apart with 、 (7、8人); a comma would read as one number.
constexpr std::array<const char*, 13> kApproximatePairs = {"7、8", "3、4", "3、5", "4、5", "5、6", "6、7", "7、8",
                                                          "8、9", "1、2", "2、3", "1、2", "2、3", "2、3"};
constexpr std::size_t kOutLimit = kNumeralOutSize - 1;

// The characters of a text, a lead byte with its trail as one.
std::vector<std::string_view> charactersOf(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < text.size() && text[i] != 0;) {
    std::size_t n = charLengthAt(text, i);
    chars.push_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

std::string withoutCharacter(const std::vector<std::string_view>& chars, std::size_t skip) {
  std::string text;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (i != skip) text.append(chars[i]);
  }
  return text;
}

bool isAsciiDigit(std::string_view ch) { return ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9'; }

bool inUnitList(std::string_view ch) { return isListedWord(kNumeralUnits, ch); }
bool inDigitList(std::string_view ch) { return isAsciiDigit(ch) || isListedWord(kNumeralDigitChars, ch); }
bool inZeroList(std::string_view ch) { return ch == "0" || isListedWord(kNumeralZeroList, ch); }
bool inMarkerList(std::string_view ch) { return isListedWord(kNumeralMarkers, ch); }
bool isLoose(std::string_view ch) { return !inUnitList(ch) && !inMarkerList(ch); }

bool allDigitChars(const std::vector<std::string_view>& chars) {
  return std::all_of(chars.begin(), chars.end(), inDigitList);
}

bool hasAdjacentDigits(const std::vector<std::string_view>& chars) {
  for (std::size_t i = 1; i < chars.size(); ++i) {
    if (inDigitList(chars[i - 1]) && inDigitList(chars[i])) return true;
  }
  return false;
}

bool allUnitChars(const std::vector<std::string_view>& chars) {
  return std::all_of(chars.begin(), chars.end(), inUnitList);
}

bool hasUnitChar(const std::vector<std::string_view>& chars) {
  return std::any_of(chars.begin(), chars.end(), inUnitList);
}

// Index of the first loose character that directly follows another, 0 when none.
std::size_t secondLooseCharacter(const std::vector<std::string_view>& chars) {
  for (std::size_t i = 1; i < chars.size(); ++i) {
    if (isLoose(chars[i - 1]) && isLoose(chars[i])) return i;
  }
  return 0;
}

bool hasTwoLooseCharacters(const std::vector<std::string_view>& chars) { return secondLooseCharacter(chars) != 0; }

// Digits of a number, lowest place first, within kOutLimit places.
using Places = std::string;

// n times ten to the power p; a number that would outgrow the room grows only as far as it can.
void shiftUp(Places& n, int p) {
  if (n.empty()) return;
  const std::size_t room = kOutLimit > n.size() ? kOutLimit - n.size() : 0;
  n.insert(0, std::min<std::size_t>(static_cast<std::size_t>(p), room), '0');
}

// n plus m times ten to the power p; places past the room are dropped.
void addAt(Places& n, const Places& m, std::size_t p) {
  int carry = 0;
  for (std::size_t i = 0; (i < m.size() || carry) && p + i < kOutLimit; ++i) {
    if (n.size() <= p + i) n.resize(p + i + 1, '0');
    const int sum = (n[p + i] - '0') + (i < m.size() ? m[i] - '0' : 0) + carry;
    n[p + i] = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
  }
}

void recode(std::string_view text, std::string& out) {
  copyCwToJp(text, out);
  out.resize(fitAtCharBoundary(out, kOutLimit));
}

}  // namespace

int unitPower(std::string_view ch) {
  const std::vector<std::string>& units = listedWords(kNumeralUnits);
  for (std::size_t i = 0; i < units.size() && i < kUnitPowers.size(); ++i) {
    if (units[i] == ch) return kUnitPowers[i];
  }
  return 0;
}

char digitValue(std::string_view ch) {
  if (ch.empty()) return '0';
  if (ch.size() == 1 && !dbcs::isLeadByte(static_cast<unsigned char>(ch[0]))) return ch[0];
  if (isListedWord(kNumeralZeroChars, ch)) return '0';
  const std::pair<const char*, const char*> sets[] = {
      {kNumeralDigitSet1, kDigitSet1Values}, {kNumeralDigitSet2, kDigitSet2Values}, {kNumeralDigitSet3, kDigitSet3Values}};
  for (const auto& [key, values] : sets) {
    const std::vector<std::string>& words = listedWords(key);
    const std::string_view v(values);
    for (std::size_t i = 0; i < words.size() && i < v.size(); ++i) {
      if (words[i] == ch) return v[i];
    }
  }
  return '0';
}

void digitByDigit(std::string_view text, std::string& out) {
  out.clear();
  for (std::string_view ch : charactersOf(text)) {
    if (out.size() >= kOutLimit) break;
    out.push_back(digitValue(ch));
  }
}

void positionalNumeral(std::string_view text, std::string& out) {
  // Units below ten thousand take the digit before them into the current group; the units of
  // ten thousand and above close the group: a unit at least as high as every earlier one scales
  // all that came before (一万亿), a lower one only the group (三亿五千万).
  out.clear();
  Places total, group;
  char pending = '1';
  int lastUnit = 0;
  int highest = 0;
  for (std::string_view ch : charactersOf(text)) {
    const int p = unitPower(ch);
    if (p > 0) {
      if (p < 4) {
        // A unit without a digit before it counts once.
        addAt(group, Places(1, pending == '0' ? '1' : pending), static_cast<std::size_t>(p));
      } else {
        if (pending != '0') addAt(group, Places(1, pending), 0);
        else if (group.empty() && total.empty()) addAt(group, Places(1, '1'), 0);
        if (p >= highest) {
          addAt(total, group, 0);
          shiftUp(total, p);
          highest = p;
        } else {
          shiftUp(group, p);
          addAt(total, group, 0);
        }
        group.clear();
      }
      lastUnit = p;
      pending = '0';
    } else {
      if (inZeroList(ch)) lastUnit = 0;
      pending = digitValue(ch);
    }
  }
  // A digit after the last unit stands one place below it (三百五 is 350).
  if (pending != '0') addAt(group, Places(1, pending), lastUnit > 0 ? static_cast<std::size_t>(lastUnit - 1) : 0);
  addAt(total, group, 0);
  while (total.size() > 1 && total.back() == '0') total.pop_back();
  out.assign(total.rbegin(), total.rend());
}

void approximatePair(std::string_view text, std::string& out) {
  const std::vector<std::string_view> chars = charactersOf(text);
  const std::size_t x = secondLooseCharacter(chars);
  if (x == 0) {
    positionalNumeral(text, out);
    return;
  }
  std::string first, second;
  positionalNumeral(withoutCharacter(chars, x), first);
  positionalNumeral(withoutCharacter(chars, x - 1), second);
  out = first + listedWord(kNumeralSeparator) + second;
  out.resize(fitAtCharBoundary(out, kOutLimit));
}

int approximateWord(std::string_view text, std::string& out) {
  const std::vector<std::string>& words = listedWords(kNumeralApproximateWords);
  for (std::size_t i = 0; i < words.size() && i < kApproximatePairs.size(); ++i) {
    if (words[i] == text) {
      out = kApproximatePairs[i];
      return 1;
    }
  }
  return 0;
}

void convertNumeral(std::string_view text, std::string& out, int pairsFlag) {
  out.clear();
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  if (pairsFlag != 0 && approximateWord(text, out)) return;
  const std::vector<std::string>& units = listedWords(kNumeralUnits);
  if (!units.empty() && text == units.front()) {
    out = "10";
    return;
  }
  const std::vector<std::string_view> chars = charactersOf(text);
  if (allDigitChars(chars)) return digitByDigit(text, out);
  if (hasAdjacentDigits(chars) || allUnitChars(chars)) return recode(text, out);
  if (!hasUnitChar(chars)) return digitByDigit(text, out);
  if (hasTwoLooseCharacters(chars)) return approximatePair(text, out);
  positionalNumeral(text, out);
}

int isNumeralListWord(std::string_view word) {
  if (inUnitList(word) || inDigitList(word)) return 1;
  // The ten unit of the numeral lists is already a unit.
  if (isListedWord(kNumeralZeroChars, word) || isListedWord(kNumeralDigitSet1, word)) return 1;
  return isListedWord(kNumeralDigitSet3, word) ? 1 : 0;
}

}  // namespace cj
