#include "input/recogniser/candidate_list.h"

#include <algorithm>

namespace recog {

namespace {

struct ClassRange {
  std::uint8_t type;
  std::uint8_t bit;
  std::uint16_t first;
  std::uint16_t last;
};

constexpr ClassRange kClassRanges[] = {
    // Simplified: row × 256 + cell.
    {0, 0, 0x1001, 0x3759},
    {0, 1, 0x3801, 0x575E},
    {0, 2, 0xA4C3, 0xFFFF},
    {0, 3, 0x0321, 0x033A},
    {0, 4, 0x0341, 0x035A},
    {0, 5, 0x0310, 0x0319},
    {0, 6, 0x0101, 0x015E},
    {0, 6, 0x0301, 0x030F},
    {0, 6, 0x031A, 0x0320},
    {0, 6, 0x033B, 0x0340},
    {0, 6, 0x035B, 0x035E},
    // Traditional: Big5.
    {1, 0, 0xA440, 0xF9D5},
    {1, 1, 0xA2CF, 0xA2E8},
    {1, 2, 0xA2E9, 0xA343},
    {1, 3, 0xA2AF, 0xA2B8},
    {1, 4, 0xA141, 0xA2AE},
    {1, 4, 0xA2B9, 0xA2CE},
    {1, 4, 0xA344, 0xA3BF},
    // Japanese: Shift-JIS.
    {2, 0, 0x829F, 0x82F1},
    {2, 1, 0x8340, 0x8396},
    {2, 1, 0x815B, 0x815B},
    {2, 2, 0x889F, 0x9872},
    {2, 3, 0x8260, 0x8279},
    {2, 4, 0x8281, 0x829A},
    {2, 5, 0x824F, 0x8258},
    {2, 6, 0x989F, 0xEAA4},
    {2, 7, 0x8141, 0x824E},
    {2, 7, 0x839F, 0x83D6},
    {2, 7, 0x8440, 0x8491},
    {2, 7, 0x849F, 0x879F},
};

bool inList(const std::vector<Candidate>& list, std::uint16_t code) {
  return std::any_of(list.begin(), list.end(), [code](const Candidate& c) { return c.code == code; });
}

}  // namespace

bool passesClassFilter(int type, std::uint8_t classMask, std::uint16_t code) {
  for (const ClassRange& r : kClassRanges) {
    if (r.type == type && (classMask & (1u << r.bit)) && code >= r.first && code <= r.last) return true;
  }
  return false;
}

std::vector<Candidate> buildCandidateList(const RecogDictionary& dict, const std::vector<Match>& members,
                                          std::uint8_t classMask, int strokes) {
  std::vector<Candidate> list;
  for (const Match& m : members) {
    if (list.size() >= static_cast<std::size_t>(kMaxListCodes)) break;
    std::uint16_t code = m.code;
    auto distance = static_cast<std::uint16_t>(std::min<std::uint32_t>(m.distance, 65535));
    if (dict.type == kSimplified && passesClassFilter(dict.type, classMask, code)) {
      for (const Substitution& s : dict.substitutions) {
        if (s.code == code) {
          code = s.replacement;
          break;
        }
      }
    }
    if (inList(list, code)) continue;
    if (passesClassFilter(dict.type, classMask, code)) list.push_back({code, distance});
    for (const Companion& c : dict.companions) {
      if (list.size() >= static_cast<std::size_t>(kMaxListCodes)) break;
      if (c.code != code || inList(list, c.companion)) continue;
      if (c.strokes != 0 && c.strokes != strokes) continue;
      if (passesClassFilter(dict.type, classMask, c.companion)) list.push_back({c.companion, distance});
    }
  }
  return list;
}

void applySizePairs(const RecogDictionary& dict, bool smallWriting, std::vector<Candidate>& list) {
  if (list.size() < 2) return;
  for (const SizePair& p : dict.sizePairs) {
    std::uint16_t first = smallWriting ? p.large : p.small;
    std::uint16_t second = smallWriting ? p.small : p.large;
    if (list[0].code == first && list[1].code == second) std::swap(list[0].code, list[1].code);
  }
}

}  // namespace recog
