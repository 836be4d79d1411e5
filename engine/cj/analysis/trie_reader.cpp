#include "engine/cj/analysis/trie_reader.h"

#include <algorithm>
#include <string_view>

#include "platform/core/files.h"

namespace cj {

namespace {

// Code of the two bytes at pos; -1 at the end of the text.
int codeAt(const char* text, int pos) {
  if (text[pos] == 0 || text[pos + 1] == 0) return -1;
  return static_cast<unsigned char>(text[pos]) * 256 + static_cast<unsigned char>(text[pos + 1]);
}

}  // namespace

bool readTrieNode(std::FILE* trie, uint32_t index, TrieNode& node) {
  if (!trie || index > 0x0FFFFFFFu) return false;
  if (plat::fileSeek(trie, static_cast<long>(index) * kTrieNodeSize, SEEK_SET) != 0) return false;
  unsigned char b[kTrieNodeSize];
  if (plat::fileRead(b, sizeof b, trie) != sizeof b) return false;
  node.code = static_cast<uint16_t>(b[0] | b[1] << 8);
  node.flags = static_cast<uint16_t>(b[2] | b[3] << 8);
  node.value = static_cast<uint32_t>(b[4]) | static_cast<uint32_t>(b[5]) << 8 | static_cast<uint32_t>(b[6]) << 16 |
               static_cast<uint32_t>(b[7]) << 24;
  return true;
}

void matchLongestWord(std::FILE* trie, const CjIndexRecord* index, const char* text, WordMatch& result,
                      int indexCount) {
  result = WordMatch{};
  if (static_cast<unsigned char>(text[0]) < 0x80 || text[1] == 0) {
    result.length = 1;
    return;
  }
  const int first = codeAt(text, 0);
  if (!index || indexCount <= 0) return;
  const CjIndexRecord* end = index + indexCount;
  const CjIndexRecord* rec = std::lower_bound(
      index, end, first, [](const CjIndexRecord& r, int code) { return static_cast<int>(r.code) < code; });
  if (rec == end || rec->code != first) return;
  if (rec->childCount == 0) {
    result.value = static_cast<int32_t>(rec->value);
    result.found = true;
    return;
  }
  // A trie held in memory is read in place; another through the file.
  const std::string_view held = plat::fileHeldBytes(trie);
  const auto nodeAt = [&](uint32_t at, TrieNode& out) {
    if (held.empty() || at > 0x0FFFFFFFu) return readTrieNode(trie, at, out);
    const std::size_t offset = static_cast<std::size_t>(at) * kTrieNodeSize;
    if (offset + kTrieNodeSize > held.size()) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(held.data()) + offset;
    out.code = static_cast<uint16_t>(b[0] | b[1] << 8);
    out.flags = static_cast<uint16_t>(b[2] | b[3] << 8);
    out.value = static_cast<uint32_t>(b[4]) | static_cast<uint32_t>(b[5]) << 8 | static_cast<uint32_t>(b[6]) << 16 |
                static_cast<uint32_t>(b[7]) << 24;
    return true;
  };
  TrieNode node;
  if (!nodeAt(rec->value, node)) return;
  if (node.code == 0) {
    result.value = static_cast<int32_t>(node.value);
    result.found = true;
  }
  int consumed = 2;
  int code = codeAt(text, consumed);
  if (code < 0 || consumed + 2 > kMaxWordBytes) return;
  // Binary search among the first character's children.
  int64_t lo = rec->value, hi = static_cast<int64_t>(rec->value) + rec->childCount - 1;
  TrieNode m;
  bool hit = false;
  while (lo <= hi) {
    const int64_t mid = (lo + hi) / 2;
    if (!nodeAt(static_cast<uint32_t>(mid), m)) return;
    if (m.code == code) {
      hit = true;
      break;
    }
    if (m.code < code) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  if (!hit) return;
  consumed += 2;
  while (true) {
    if (m.flags & kTrieWordEnd) {
      result.length = consumed;
      result.value = static_cast<int32_t>(m.value);
      result.found = true;
      return;
    }
    uint32_t k = m.value;
    if (!nodeAt(k, node)) return;
    // Linear scan of M's children.
    while (true) {
      if (node.code == 0) {
        result.length = consumed;
        result.value = static_cast<int32_t>(node.value);
        result.found = true;
        if (node.flags & kTrieLastSibling) return;
        if (!nodeAt(++k, node) || node.code == 0) return;
        continue;
      }
      code = codeAt(text, consumed);
      if (code < 0 || consumed + 2 > kMaxWordBytes) return;
      if (node.code == code) {
        m = node;
        consumed += 2;
        break;
      }
      if (node.flags & kTrieLastSibling) return;
      const uint16_t previous = node.code;
      if (!nodeAt(++k, node) || node.code <= previous) return;
    }
  }
}

}  // namespace cj
