#include "apps/common/gb18030.h"

#include "platform/core/codepage.h"

#include <array>
#include <cstdint>

namespace apptext {

namespace {

struct Pair {
  std::uint16_t codePoint;
  std::uint16_t code;
};

constexpr std::array<Pair, 15> kRadicals = {{
    {0x2E81, 0xFE50}, {0x2E84, 0xFE54}, {0x2E88, 0xFE57}, {0x2E8B, 0xFE58}, {0x2E8C, 0xFE5D},
    {0x2E97, 0xFE5E}, {0x2EA7, 0xFE6B}, {0x2EAA, 0xFE6E}, {0x2EAE, 0xFE71}, {0x2EB3, 0xFE73},
    {0x2EB6, 0xFE74}, {0x2EB7, 0xFE75}, {0x2EBB, 0xFE79}, {0x2ECA, 0xFE84}, {0xFFFF, 0},
}};

constexpr std::array<Pair, 53> kExtensionA = {{
    {0x3447, 0xFE56}, {0x3473, 0xFE55}, {0x359E, 0xFE5A}, {0x360E, 0xFE5C}, {0x361A, 0xFE5B},
    {0x3918, 0xFE60}, {0x396E, 0xFE5F}, {0x39CF, 0xFE62}, {0x39D0, 0xFE65}, {0x39DF, 0xFE63},
    {0x3A73, 0xFE64}, {0x3B4E, 0xFE68}, {0x3C6E, 0xFE69}, {0x3CE0, 0xFE6A}, {0x4056, 0xFE6F},
    {0x415F, 0xFE70}, {0x4337, 0xFE72}, {0x43AC, 0xFE78}, {0x43B1, 0xFE77}, {0x43DD, 0xFE7A},
    {0x44D6, 0xFE7B}, {0x464C, 0xFE7D}, {0x4661, 0xFE7C}, {0x4723, 0xFE80}, {0x4729, 0xFE81},
    {0x477C, 0xFE82}, {0x478D, 0xFE83}, {0x4947, 0xFE85}, {0x497A, 0xFE86}, {0x497D, 0xFE87},
    {0x4982, 0xFE88}, {0x4983, 0xFE89}, {0x4985, 0xFE8A}, {0x4986, 0xFE8B}, {0x499B, 0xFE8D},
    {0x499F, 0xFE8C}, {0x49B6, 0xFE8F}, {0x49B7, 0xFE8E}, {0x4C77, 0xFE96}, {0x4C9F, 0xFE93},
    {0x4CA0, 0xFE94}, {0x4CA1, 0xFE95}, {0x4CA2, 0xFE97}, {0x4CA3, 0xFE92}, {0x4D13, 0xFE98},
    {0x4D14, 0xFE99}, {0x4D15, 0xFE9A}, {0x4D16, 0xFE9B}, {0x4D17, 0xFE9C}, {0x4D18, 0xFE9D},
    {0x4D19, 0xFE9E}, {0x4DAE, 0xFE9F}, {0xFFFF, 0},
}};

constexpr char16_t kExtAFirst = 0x3400;
constexpr char16_t kExtALast = 0x4DB5;
constexpr unsigned kLinearBase = 12213;  // code point minus linear value for U+3400 onwards

template <size_t N>
int findPoint(const std::array<Pair, N>& table, unsigned cp) {
  for (size_t i = 0; table[i].codePoint != 0xFFFF; ++i)
    if (table[i].codePoint == cp) return static_cast<int>(i);
  return -1;
}

template <size_t N>
int findCode(const std::array<Pair, N>& table, unsigned code) {
  for (size_t i = 0; table[i].codePoint != 0xFFFF; ++i)
    if (table[i].code == code) return static_cast<int>(i);
  return -1;
}

void putCode(std::string& out, unsigned code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

bool isTrail(unsigned b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

}  // namespace

std::string wideToGb18030(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c >= 0x2E81 && c <= 0x2ECA) {
      int i = findPoint(kRadicals, c);
      if (i >= 0) {
        putCode(out, kRadicals[i].code);
        continue;
      }
    } else if (c >= kExtAFirst && c <= kExtALast) {
      int i = findPoint(kExtensionA, c);
      if (i >= 0) {
        putCode(out, kExtensionA[i].code);
        continue;
      }
      unsigned below = 0;
      for (size_t k = 0; kExtensionA[k].codePoint != 0xFFFF; ++k)
        if (kExtensionA[k].codePoint < c) ++below;
      unsigned e = c - below - kLinearBase;
      unsigned group = e / 10 / 126;
      if (group == 0) {
        out.push_back(static_cast<char>(0x81));
        out.push_back(static_cast<char>(0x39));
      } else {
        out.push_back(static_cast<char>(0x82));
        out.push_back(static_cast<char>(0x2F + group));
      }
      out.push_back(static_cast<char>(0x81 + (e / 10) % 126));
      out.push_back(static_cast<char>('0' + e % 10));
      continue;
    } else if (c == 0x20AC) {
      putCode(out, 0xA2E3);
      continue;
    }
    out += plat::wideToMultiByte(936, std::u16string_view(&c, 1));
  }
  return out;
}

std::u16string gb18030ToWide(std::string_view bytes) {
  std::u16string out;
  size_t i = 0;
  auto at = [&](size_t k) -> unsigned { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0; };
  while (i < bytes.size()) {
    unsigned b0 = at(i), b1 = at(i + 1), b2 = at(i + 2), b3 = at(i + 3);
    bool fourByte = b0 >= 0x81 && b0 <= 0xFE && b1 >= 0x30 && b1 <= 0x39 && b2 >= 0x81 && b2 <= 0xFE &&
                    b3 >= 0x30 && b3 <= 0x39;
    if (fourByte) {
      // Only the Extension A run is linear; any other four-byte code is one unknown character.
      char16_t result = u'?';
      long e = -1;
      if (b0 == 0x81 && b1 == 0x39) e = static_cast<long>(b2 - 0x81) * 10 + (b3 - 0x30);
      else if (b0 == 0x82 && b1 >= 0x30 && b1 <= 0x35)
        e = static_cast<long>(b1 - 0x2F) * 1260 + static_cast<long>(b2 - 0x81) * 10 + (b3 - 0x30);
      if (e >= 0) {
        long cp = e + kLinearBase;
        for (size_t k = 0; kExtensionA[k].codePoint != 0xFFFF; ++k)
          if (kExtensionA[k].codePoint <= cp) ++cp;
        if (cp >= kExtAFirst && cp <= kExtALast) result = static_cast<char16_t>(cp);
      }
      out.push_back(result);
      i += 4;
      continue;
    }
    if (b0 == 0xFE && isTrail(b1)) {
      unsigned code = b0 << 8 | b1;
      int r = findCode(kRadicals, code);
      int x = r < 0 ? findCode(kExtensionA, code) : -1;
      if (r >= 0 || x >= 0) {
        out.push_back(r >= 0 ? kRadicals[r].codePoint : kExtensionA[x].codePoint);
        i += 2;
        continue;
      }
    }
    if (b0 == 0xA2 && b1 == 0xE3) {
      out.push_back(u'\u20AC');
      i += 2;
      continue;
    }
    size_t n = (plat::isLeadByteInCodePage(936, static_cast<unsigned char>(b0)) && i + 1 < bytes.size()) ? 2 : 1;
    out += plat::multiByteToWide(936, bytes.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace apptext
