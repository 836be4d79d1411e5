#include "input/handwriting/code_conversion.h"

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

namespace hw {

namespace {

constexpr std::size_t kGbUniEntries = 81 * 94;
constexpr std::size_t kB5UniEntries = 89 * 157;
constexpr std::size_t kMaxText = 4;

char16_t entryAt(const plat::ResourceData& table, std::size_t entries, std::size_t index) {
  if (!table || index >= entries || 2 * index + 1 >= table.size) return 0;
  return static_cast<char16_t>(plat::readLe16(table.data + 2 * index));
}

// Two BCD digits; -1 when either nibble is above 9.
int fromBcd(unsigned byte) {
  unsigned hi = byte >> 4, lo = byte & 15;
  if (hi > 9 || lo > 9) return -1;
  return static_cast<int>(hi * 10 + lo);
}

// Full-width forms and their ASCII counterparts, place by place.
constexpr std::u16string_view kFullPunctuation = u"　！”“＃＄％＆’（）＊＋，－．／：；＜＝＞？＠［￥］＾＿‘｛｜｝～";
constexpr std::u16string_view kAsciiPunctuation = u" !\"\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
static_assert(kFullPunctuation.size() == kAsciiPunctuation.size());

bool isFullLetter(char16_t c) { return (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A); }
bool isFullDigit(char16_t c) { return c >= 0xFF10 && c <= 0xFF19; }

}  // namespace

CodeTables locateCodeTables() {
  CodeTables t;
  t.gbUni = plat::findResource("CVDATA", "GB-UNI");
  t.b5Uni = plat::findResource("CVDATA", "B5-UNI");
  return t;
}

std::u16string big5ToUnicode(std::string_view bytes, const CodeTables& tables) {
  std::u16string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char16_t>(lead));
      continue;
    }
    if (i + 1 >= bytes.size()) break;
    unsigned trail = static_cast<unsigned char>(bytes[++i]);
    bool leadOk = lead >= 0xA1 && lead <= 0xF9;
    bool trailOk = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE);
    if (!leadOk || !trailOk) continue;
    std::size_t index = (lead - 0xA1) * 157 + (trail <= 0xA0 ? trail - 0x40 : trail - 0x62);
    if (char16_t c = entryAt(tables.b5Uni, kB5UniEntries, index)) out.push_back(c);
  }
  return out;
}

std::u16string toHalfWidth(std::u16string text, const HalfWidthKeys& keys) {
  if (!keys.halfWidth) return text;
  bool punctuation = keys.symbols || !keys.letters;
  bool letters = keys.letters || !keys.symbols;
  bool digits = !keys.symbols && !keys.letters;
  for (char16_t& c : text) {
    if (punctuation) {
      if (auto at = kFullPunctuation.find(c); at != std::u16string_view::npos) {
        c = kAsciiPunctuation[at];
        continue;
      }
    }
    if ((letters && isFullLetter(c)) || (digits && isFullDigit(c))) c = static_cast<char16_t>(c - 0xFEE0);
  }
  return text;
}

std::u16string candidateToUnicode(std::uint16_t code, bool traditional, const CodeTables& tables) {
  std::u16string out;
  if (traditional) {
    if ((code >> 8) < 0x80) return out;  // not a two-byte Big5 code
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    out = big5ToUnicode(std::string_view(bytes, 2), tables);
  } else {
    int row = fromBcd(code >> 8), cell = fromBcd(code & 0xFF);
    // Rows 1-9 and 16-87 of GB2312 are in the table, cells 1-94.
    bool inTable = row >= 1 && cell >= 1 && cell <= 94 && (row <= 9 || (row >= 16 && row <= 87));
    if (inTable) {
      unsigned first = static_cast<unsigned>(row) + 0xA0, second = static_cast<unsigned>(cell) + 0xA0;
      std::size_t index = (first - 0xA1 - (first >= 0xB0 ? 6 : 0)) * 94 + (second - 0xA1);
      if (char16_t c = entryAt(tables.gbUni, kGbUniEntries, index)) out.push_back(c);
    }
  }
  if (out.size() > kMaxText) out.resize(kMaxText);
  return out;
}

std::u16string shiftJisCandidateToUnicode(std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) {
    if (!plat::isLeadByteInCodePage(932, static_cast<unsigned char>(code >> 8))) return {};
    bytes.push_back(static_cast<char>(code >> 8));
  }
  if ((code & 0xFF) == 0) return {};
  bytes.push_back(static_cast<char>(code & 0xFF));
  std::u16string text = plat::multiByteToWide(932, bytes);
  // The code page's replacement for a byte pair it does not know is no character.
  if (text.size() != 1 || (text[0] == 0x30FB && code != 0x8145) || text[0] == 0xFFFD) return {};
  return text;
}

}  // namespace hw
