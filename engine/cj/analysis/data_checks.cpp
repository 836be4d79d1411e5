#include "engine/cj/analysis/data_checks.h"

#include <array>

#include "engine/cj/analysis/trie_reader.h"
#include "engine/cj/analysis/verbcont_record.h"
#include "engine/common/dbcs_text.h"
#include "engine/common/descramble.h"
#include "platform/core/little_endian.h"

namespace cj {

namespace {

const char* keyOf(LineFileKey key) {
  switch (key) {
    case LineFileKey::DicEntry: return "7,13,1,19,9,3,15,5,11,17";
    case LineFileKey::CjDicLine: return "6,14,20,2,18,10,4,16,8,12";
    case LineFileKey::ListLine: return "3,7,10,5,2,9,4,6,10,8";
    case LineFileKey::Grammar: return "5,9,2,8,1,10,4,7,3,6";
  }
  return "";
}

uint32_t le(std::string_view bytes, std::size_t at, int n) {
  return plat::readLe(reinterpret_cast<const unsigned char*>(bytes.data()) + at, n);
}

// Each index record: a one-character word within the dictionary, or a run of first-character nodes
// within the trie, handed to `run`.
template <typename Run>
std::string forEachIndexRun(std::string_view index, std::size_t nodes, long dictionarySize, TrieBlame& blame, Run run) {
  for (std::size_t at = 0; at < index.size(); at += kIndexRecordSize) {
    const uint32_t count = le(index, at + 2, 2), value = le(index, at + 4, 4);
    if (count == 0) {
      if (static_cast<long>(value) >= dictionarySize) {
        blame = TrieBlame::Dictionary;
        return "cut (a word of the index lies past its end)";
      }
      continue;
    }
    if (value >= nodes || count > nodes - value) {
      blame = TrieBlame::Trie;
      return "cut (a first character's nodes lie past its end)";
    }
    run(value, count);
  }
  return {};
}

// The whole tree walked from the index: every reached node in bounds, every node reached.
std::string walkTrie(std::string_view trie, std::string_view index, long dictionarySize, TrieBlame& blame) {
  const std::size_t nodes = trie.size() / kTrieNodeSize;
  const auto flagsAt = [&](std::size_t n) { return le(trie, n * kTrieNodeSize + 2, 2); };
  const auto valueAt = [&](std::size_t n) { return le(trie, n * kTrieNodeSize + 4, 4); };
  const auto wordValueOk = [&](uint32_t v) { return static_cast<long>(v) < dictionarySize; };
  std::vector<char> reached(nodes, 0);
  std::vector<uint32_t> runs;
  const std::string bad = forEachIndexRun(index, nodes, dictionarySize, blame, [&](uint32_t value, uint32_t count) {
    for (uint32_t k = 0; k < count; ++k) {
      if (!reached[value + k]) runs.push_back(value + k);
      reached[value + k] = 1;
    }
  });
  if (!bad.empty()) return bad;
  blame = TrieBlame::Trie;
  // Each reached node: a word end carries a dictionary offset, any other node its first child.
  std::size_t reachedCount = 0;
  for (char r : reached) reachedCount += r != 0;
  while (!runs.empty()) {
    const uint32_t n = runs.back();
    runs.pop_back();
    const uint32_t value = valueAt(n);
    if (flagsAt(n) & kTrieWordEnd) {
      if (!wordValueOk(value)) {
        blame = TrieBlame::Dictionary;
        return "cut (a word of the trie lies past its end)";
      }
      continue;
    }
    // The child run: from value up to its last sibling.
    for (uint32_t c = value;; ++c) {
      if (c >= nodes) return "cut (a link past its end at node " + std::to_string(n) + ")";
      if (reached[c]) break;
      reached[c] = 1;
      ++reachedCount;
      runs.push_back(c);
      if (flagsAt(c) & kTrieLastSibling) break;
    }
  }
  if (reachedCount != nodes) {
    blame = TrieBlame::Index;
    return "cut, or not the index of its trie (" + std::to_string(nodes - reachedCount) + " nodes not reached)";
  }
  return {};
}

}  // namespace

std::string checkLineFile(std::string_view bytes, LineFileKey which) {
  if (bytes.empty()) return "empty";
  const char* key = keyOf(which);
  // Each byte descrambled where it is read: the file is walked, not copied.
  const auto plainAt = [&](std::size_t i) {
    return static_cast<unsigned char>(static_cast<unsigned char>(bytes[i]) - static_cast<unsigned char>(key[i % 10]));
  };
  // A byte that reads as NUL counts where it starts a character: past a run of lead bytes of even
  // length (the byte before such a run is no lead byte, so the run starts a character).
  const auto startsCharacter = [&](std::size_t i) {
    std::size_t leads = 0;
    while (leads < i && dbcs::isLeadByte(plainAt(i - leads - 1))) ++leads;
    return leads % 2 == 0;
  };
  const auto nulAt = [&](std::size_t i) { return "a NUL at byte " + std::to_string(i) + " (not a text of this kind)"; };
  // Text holds no NUL: blocks of 80 bytes (a whole number of key rounds) are compared with the key
  // at once, and only a block where a byte reads as NUL is looked at byte by byte.
  constexpr std::size_t kBlock = 80;
  std::array<unsigned char, kBlock> zeroAt{};
  for (std::size_t j = 0; j < kBlock; ++j) zeroAt[j] = static_cast<unsigned char>(key[j % 10]);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t at = 0;
  for (; at + kBlock <= bytes.size(); at += kBlock) {
    unsigned char hit = 0;
    for (std::size_t j = 0; j < kBlock; ++j) hit |= static_cast<unsigned char>(p[at + j] == zeroAt[j]);
    if (!hit) continue;
    for (std::size_t j = 0; j < kBlock; ++j)
      if (p[at + j] == zeroAt[j] && startsCharacter(at + j)) return nulAt(at + j);
  }
  for (; at < bytes.size(); ++at)
    if (plainAt(at) == 0 && startsCharacter(at)) return nulAt(at);
  if (bytes.size() < 2 || plainAt(bytes.size() - 2) != '\r' || plainAt(bytes.size() - 1) != '\n')
    return "cut (its last line has no end)";
  return {};
}

std::string checkTrieAndIndex(std::string_view trie, std::string_view index, long dictionarySize, TrieBlame& blame) {
  // An empty trie with an empty index is a dictionary of no words; either alone fails below.
  blame = TrieBlame::Trie;
  if (trie.size() % kTrieNodeSize != 0) return "cut (not whole 8-byte nodes)";
  const std::size_t nodes = trie.size() / kTrieNodeSize;
  const auto flagsAt = [&](std::size_t n) { return le(trie, n * kTrieNodeSize + 2, 2); };
  const auto wordValueOk = [&](uint32_t v) { return static_cast<long>(v) < dictionarySize; };

  blame = TrieBlame::Index;
  if (index.size() % kIndexRecordSize != 0) return "cut (not whole 8-byte records)";
  if (index.size() / kIndexRecordSize > static_cast<std::size_t>(kMaxIndexRecords)) return "more records than 6,800";
  for (std::size_t at = kIndexRecordSize; at < index.size(); at += kIndexRecordSize) {
    if (le(index, at, 2) <= le(index, at - kIndexRecordSize, 2)) {
      return "records out of order at record " + std::to_string(at / kIndexRecordSize + 1);
    }
  }
  // Per node: reached from the index (1), a child run starts here (2).
  std::vector<unsigned char> mark(nodes, 0);
  const std::string bad = forEachIndexRun(index, nodes, dictionarySize, blame, [&](uint32_t value, uint32_t count) {
    for (uint32_t k = 0; k < count; ++k) mark[value + k] |= 1;
  });
  if (!bad.empty()) return bad;
  blame = TrieBlame::Trie;
  std::size_t lastRunEnd = nodes;  // the last node that ends a run of siblings
  for (std::size_t n = nodes; n-- > 0;) {
    if (flagsAt(n) & kTrieLastSibling) {
      lastRunEnd = n;
      break;
    }
  }
  // Every node in one pass: a word end carries a dictionary offset, any other node its first child,
  // whose run of siblings ends inside the file. While every child lies behind its parent, the same
  // pass finds the reached nodes: the ones the index names and the runs that start at a reached
  // node's child link. Otherwise the tree is walked from the index once the pass is through.
  const auto* p = reinterpret_cast<const unsigned char*>(trie.data());
  bool childrenFollowParents = true;
  std::size_t unreached = 0;
  bool inRun = false;
  for (std::size_t n = 0; n < nodes; ++n, p += kTrieNodeSize) {
    const uint32_t flags = plat::readLe16(p + 2);
    const uint32_t value = plat::readLe32(p + 4);
    if (flags & kTrieWordEnd) {
      if (!wordValueOk(value)) {
        blame = TrieBlame::Dictionary;
        return "cut (a word of the trie lies past its end)";
      }
    } else {
      if (value >= nodes || lastRunEnd == nodes || value > lastRunEnd)
        return "cut (a link past its end at node " + std::to_string(n) + ")";
      childrenFollowParents = childrenFollowParents && value > n;
    }
    if (!childrenFollowParents) continue;
    inRun = inRun || (mark[n] & 2);
    const bool reached = inRun || (mark[n] & 1);
    if (!reached) {
      ++unreached;
    } else if (!(flags & kTrieWordEnd)) {
      mark[value] |= 2;
    }
    if (flags & kTrieLastSibling) inRun = false;
  }
  if (!childrenFollowParents) return walkTrie(trie, index, dictionarySize, blame);
  if (unreached != 0) {
    blame = TrieBlame::Index;
    return "cut, or not the index of its trie (" + std::to_string(unreached) + " nodes not reached)";
  }
  return {};
}

std::string checkHanziReadings(std::string_view bytes) {
  const std::size_t table = static_cast<std::size_t>(kHanziSlotCount) * 4;
  if (bytes.empty()) return "empty";
  if (bytes.size() < table) return "cut (shorter than its slot table)";
  for (std::size_t slot = 0; slot < static_cast<std::size_t>(kHanziSlotCount); ++slot) {
    const uint32_t at = le(bytes, slot * 4, 4);
    if (at == 0) continue;
    if (at < table || at >= bytes.size()) return "cut (a reading past its end, slot " + std::to_string(slot) + ")";
    const auto length = static_cast<unsigned char>(bytes[at]);
    if (length < 3 || at + length > bytes.size()) return "cut (a reading past its end, slot " + std::to_string(slot) + ")";
  }
  return {};
}

std::string checkReadingTable(std::string_view bytes) {
  if (bytes.empty()) return "empty";
  if (bytes.size() > static_cast<std::size_t>(kReadingTableSize)) return "longer than its 11,052-byte table";
  if (bytes.size() % kReadingRowSize != 0) return "cut (not whole 26-byte rows)";
  for (std::size_t at = 0; at < bytes.size(); at += kReadingRowSize) {
    if (bytes.substr(at + kReadingRowSize - 2, 2) != "\r\n") return "row " + std::to_string(at / kReadingRowSize + 1) + " has no line end";
  }
  return {};
}

std::string checkVerbIndex(std::string_view index, long verbContSize) {
  if (index.empty()) return "empty";
  if (index.size() % kVerbIndexRecordSize != 0) return "cut (not whole 44-byte records)";
  if (index.size() > static_cast<std::size_t>(kMaxVerbIndexRecords) * kVerbIndexRecordSize) return "more records than 5,000";
  if (verbContSize >= 0 && verbContSize % kVerbContRecordSize != 0) return "VerbCont.dat is cut (not whole records)";
  std::string previous;
  for (std::size_t at = 0; at < index.size(); at += kVerbIndexRecordSize) {
    std::string rec(index.substr(at, kVerbIndexRecordSize));
    dbcs::descrambleRecord(rec.data(), rec.size());
    std::size_t len = 0;
    while (len < 40 && rec[len] != 0) ++len;
    std::string verb = rec.substr(0, len);
    const auto offset = static_cast<int32_t>(le(rec, 40, 4));
    const std::string where = " at record " + std::to_string(at / kVerbIndexRecordSize + 1);
    if (at > 0 && verb <= previous) return "verbs out of order" + where;
    if (offset >= 0 && verbContSize < 0) return "VerbCont.dat is missing";
    if (offset >= 0 && (offset % kVerbContRecordSize != 0 || offset >= verbContSize)) {
      return "an offset outside VerbCont.dat" + where;
    }
    previous = std::move(verb);
  }
  return {};
}

}  // namespace cj
