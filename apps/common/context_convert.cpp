#include "apps/common/context_convert.h"

#include "platform/core/little_endian.h"

#include <array>
#include <cstdint>

namespace apptext {

namespace {

constexpr char16_t kFirst = 0x4E00;
constexpr char16_t kLast = 0x9FA5;
constexpr int kRingSize = 8;

unsigned u16at(std::string_view table, size_t index) {
  if (2 * index + 1 >= table.size()) return 0;
  return plat::readLe16(table.data() + 2 * index);
}

std::uint32_t u32at(std::string_view table, size_t index) {
  if (4 * index + 3 >= table.size()) return 0;
  return plat::readLe32(table.data() + 4 * index);
}

// The last unconverted characters, the current one included.
class Ring {
 public:
  void push(char16_t c) {
    chars_[next_] = c;
    next_ = (next_ + 1) % kRingSize;
    if (size_ < kRingSize) ++size_;
  }
  // The character back positions before the newest; 0 when the ring does not reach it.
  char16_t back(int back) const {
    if (back < 0 || back >= size_) return 0;
    return chars_[(next_ - 1 - back + 2 * kRingSize) % kRingSize];
  }

 private:
  std::array<char16_t, kRingSize> chars_{};
  int next_ = 0;
  int size_ = 0;
};

// The simplified-to-traditional cases where 干 and 愈 keep their form.
bool keepsSimplifiedForm(const std::u16string& text, size_t length, size_t i, const Ring& ring) {
  auto at = [&](size_t k) -> char16_t { return k < length ? text[k] : 0; };
  char16_t ch = text[i];
  if (ch == 0x5E72) {
    char16_t next = at(i + 1);
    if (next != 0x4F60 && next != 0x59A3 && next != 0x6211 && next != 0x4ED6 && next != 0x5979) return false;
    size_t k = at(i + 2) == 0x4EEC ? 3 : 2;
    if (at(i + k) == 0x7684) ++k;
    bool holds = ring.back(1) == 0x4E0D;
    if (!holds) {
      char16_t c = at(i + k);
      if (c == 0x5565 || c == 0x4F55 || c == 0x5C41) {
        holds = true;
        ++k;
      }
    }
    return holds && at(i + k) == 0x4E8B;
  }
  if (ch == 0x6108) return at(i + 2) == 0x6108 || (i >= 2 && text[i - 2] == 0x6108);
  return false;
}

// The candidate number the record's patterns select for position i.
int chooseCandidate(const ContextTables& t, size_t offset, const std::u16string& text, size_t length, size_t i,
                    const Ring& ring) {
  const size_t units = t.patterns.size() / 2;
  size_t pos = offset;
  while (pos < units) {
    unsigned head = u16at(t.patterns, pos);
    if (head == 0) break;
    int n = static_cast<int>((head >> 5) & 0xFF);
    int p = static_cast<int>((head >> 2) & 7);
    int context = n > 0 ? n - 1 : 0;
    if (pos + 1 + static_cast<size_t>(context) > units) break;  // a list cut short by the table's end
    bool match = n == 0 || p < n;
    size_t c = pos + 1;
    for (int j = 0; j < n && match; ++j) {
      if (j == p) continue;
      char16_t want = static_cast<char16_t>(u16at(t.patterns, c++));
      int off = j - p;
      char16_t have;
      if (off < 0) {
        have = static_cast<size_t>(-off) <= i ? ring.back(-off) : 0;
      } else {
        have = i + static_cast<size_t>(off) < length ? text[i + static_cast<size_t>(off)] : 0;
      }
      match = have != 0 && have == want;
    }
    if (match) return static_cast<int>(head & 3);
    pos += 1 + static_cast<size_t>(context);
  }
  return 0;
}

}  // namespace

void convertByContext(const ContextTables& t, ContextDirection direction, std::u16string& text) {
  size_t length = text.find(u'\0');
  if (length == std::u16string::npos) length = text.size();
  const size_t targetCount = t.targets.size() / 2;
  const size_t recordCount = t.records.size() / 10;
  Ring ring;
  for (size_t i = 0; i < length; ++i) {
    if (direction == ContextDirection::kToSimplified && text[i] == 0x4E81) text[i] = 0x4E7E;
    char16_t ch = text[i];
    ring.push(ch);
    if (ch < kFirst || ch > kLast) continue;
    size_t word = (ch - kFirst) / 32;
    unsigned bit = (ch - kFirst) % 32;
    std::uint32_t bits = u32at(t.bitmap, word);
    if (!(bits >> bit & 1)) continue;
    size_t index = u16at(t.counts, word) + static_cast<size_t>(__builtin_popcount(bits & ((1u << bit) - 1)));
    if (index >= targetCount) continue;
    unsigned target = u16at(t.targets, index);
    if (target < 0xE000 || target >= 0xF800) {
      if (target) text[i] = static_cast<char16_t>(target);
      continue;
    }
    size_t record = target - 0xE000;
    if (record >= recordCount) continue;
    if (direction == ContextDirection::kToTraditional && keepsSimplifiedForm(text, length, i, ring)) continue;
    size_t base = record * 5;
    int candidate = chooseCandidate(t, u16at(t.records, base + 4), text, length, i, ring);
    if (unsigned c = u16at(t.records, base + static_cast<size_t>(candidate))) text[i] = static_cast<char16_t>(c);
  }
}

void toTraditional(const VariantTables& tables, std::u16string& text) {
  convertByContext(tables.toTraditional, ContextDirection::kToTraditional, text);
}

void toSimplified(const VariantTables& tables, std::u16string& text) {
  convertByContext(tables.toSimplified, ContextDirection::kToSimplified, text);
}

void contextToSimplified(const ContextTables& tables, std::u16string& text) {
  convertByContext(tables, ContextDirection::kToSimplified, text);
}

}  // namespace apptext
