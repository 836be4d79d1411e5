#include "apps/dictionary/entry_text.h"

#include "apps/dictionary/dictionary_files.h"
#include "engine/common/dbcs_text.h"

#include <array>

namespace dict {

namespace {

constexpr unsigned char kControl = 0x0E;
constexpr std::uint16_t kOpenLenticular = 0x8179;   // 【
constexpr std::uint16_t kCloseLenticular = 0x817A;  // 】
constexpr std::uint16_t kOpenParen = 0x8169;        // （
constexpr std::uint16_t kCloseParen = 0x816A;       // ）
constexpr std::uint16_t kHyphen = 0x815D;           // ‐
constexpr std::uint16_t kAsterisk = 0x8196;         // ＊
constexpr std::uint16_t kStar = 0x819A;             // ★
constexpr std::uint16_t kEllipsis = 0x8163;         // …
constexpr std::uint16_t kMinus = 0x817C;            // －
constexpr std::uint16_t kLongVowel = 0x815B;        // ー
constexpr std::uint16_t kMiddleDot = 0x8145;        // ・

std::string_view bodyOf(const DictionaryEntry& e) {
  return e.body ? std::string_view(*e.body) : std::string_view();
}

void append(std::string& out, std::string_view bytes, int n) { out.append(bytes.substr(0, static_cast<size_t>(n))); }

bool isSymbol(std::uint16_t code) { return code >= 0x8100 && code < 0x8700; }

bool isKana(std::uint16_t code) {
  unsigned lead = code >> 8, trail = code & 0xFF;
  return (lead == 0x82 && trail >= 0x9F) || (lead == 0x83 && trail <= 0x96) || code == kLongVowel ||
         code == kMiddleDot;
}

// Full-width forms of the ASCII symbols, by ASCII code.
struct WideSymbol {
  unsigned char ascii;
  std::uint16_t code;
};
constexpr std::array<WideSymbol, 33> kWideSymbols = {{
    {' ', 0x8140}, {'!', 0x8149}, {'"', 0x8168}, {'#', 0x8194}, {'$', 0x8190}, {'%', 0x8193}, {'&', 0x8195},
    {'\'', 0x8166}, {'(', 0x8169}, {')', 0x816A}, {'*', 0x8196}, {'+', 0x817B}, {',', 0x8143}, {'-', 0x817C},
    {'.', 0x8144}, {'/', 0x815E}, {':', 0x8146}, {';', 0x8147}, {'<', 0x8183}, {'=', 0x8181}, {'>', 0x8184},
    {'?', 0x8148}, {'@', 0x8197}, {'[', 0x816D}, {'\\', 0x818F}, {']', 0x816E}, {'^', 0x814F}, {'_', 0x8151},
    {'`', 0x814D}, {'{', 0x816F}, {'|', 0x8162}, {'}', 0x8170}, {'~', 0x8160},
}};

// Half-width katakana for the hiragana 0x829F.. and the katakana ヴ ヵ ヶ after them; a second
// byte is the voiced (0xDE) or semi-voiced (0xDF) mark.
constexpr std::array<const char*, 86> kHalfWidthKana = {
    "\xA7", "\xB1", "\xA8", "\xB2", "\xA9", "\xB3", "\xAA", "\xB4", "\xAB", "\xB5", "\xB6", "\xB6\xDE",
    "\xB7", "\xB7\xDE", "\xB8", "\xB8\xDE", "\xB9", "\xB9\xDE", "\xBA", "\xBA\xDE", "\xBB", "\xBB\xDE",
    "\xBC", "\xBC\xDE", "\xBD", "\xBD\xDE", "\xBE", "\xBE\xDE", "\xBF", "\xBF\xDE", "\xC0", "\xC0\xDE",
    "\xC1", "\xC1\xDE", "\xAF", "\xC2", "\xC2\xDE", "\xC3", "\xC3\xDE", "\xC4", "\xC4\xDE", "\xC5", "\xC6",
    "\xC7", "\xC8", "\xC9", "\xCA", "\xCA\xDE", "\xCA\xDF", "\xCB", "\xCB\xDE", "\xCB\xDF", "\xCC",
    "\xCC\xDE", "\xCC\xDF", "\xCD", "\xCD\xDE", "\xCD\xDF", "\xCE", "\xCE\xDE", "\xCE\xDF", "\xCF", "\xD0",
    "\xD1", "\xD2", "\xD3", "\xAC", "\xD4", "\xAD", "\xD5", "\xAE", "\xD6", "\xD7", "\xD8", "\xD9", "\xDA",
    "\xDB", "\xDC", "\xDC", "\xB2", "\xB4", "\xA6", "\xDD", "\xB3\xDE", "\xB6", "\xB9",
};

// Index into kHalfWidthKana, or -1.
int kanaIndex(std::uint16_t code) {
  unsigned lead = code >> 8, trail = code & 0xFF;
  if (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) return static_cast<int>(trail - 0x9F);
  if (lead == 0x83 && trail >= 0x40 && trail <= 0x96 && trail != 0x7F) {
    // Katakana sit 0xA1 above their hiragana, one more past the unused trail 0x7F.
    unsigned hiragana = code - (trail >= 0x80 ? 0xA2 : 0xA1);
    return static_cast<int>((hiragana & 0xFF) - 0x9F);
  }
  return -1;
}

}  // namespace


int readChar(std::string_view bytes, std::uint16_t& code) {
  if (bytes.empty()) {
    code = 0;
    return 0;
  }
  unsigned char b = static_cast<unsigned char>(bytes[0]);
  if (dbcs::isLeadByte(b) && bytes.size() >= 2) {
    code = static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(bytes[1]));
    return 2;
  }
  code = b;
  return 1;
}

std::string extractHeadwordLine(const DictionaryEntry& entry) {
  std::string_view s = bodyOf(entry);
  std::string out;
  bool first = true;
  for (size_t i = 0; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (c == '\r' || c == '\n') break;
    if (c == kControl) {
      i += 1;
      if (i < s.size()) i += static_cast<size_t>(readChar(s.substr(i), c));
      continue;
    }
    if (c != '/' && c != kAsterisk && c != kStar) {
      if (first && n == 1) out += "  ";
      first = false;
      append(out, s.substr(i), n);
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::string extractListText(const DictionaryEntry& entry) {
  std::string_view s = bodyOf(entry);
  size_t start = std::string_view::npos;
  for (size_t i = 0; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (c == kControl && i + 1 < s.size() && s[i + 1] == 'B') {
      start = i + 2;
      break;
    }
    i += static_cast<size_t>(n);
  }
  std::string out;
  if (start == std::string_view::npos) return out;
  bool inParen = false;
  size_t i = start;
  for (; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (c == kControl || c == kOpenLenticular) break;
    if (c == kOpenParen) inParen = true;
    else if (c == kCloseParen) inParen = false;
    else if (!inParen && c != kHyphen && c != kAsterisk && c != '\r' && c != '\n') append(out, s.substr(i), n);
    i += static_cast<size_t>(n);
  }
  // The bracketed part of the same line goes at the end, unless a control pair stands inside.
  for (; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (c == '\r' || c == '\n') break;
    if (c == kOpenLenticular) {
      std::string part;
      for (size_t k = i; k < s.size();) {
        std::uint16_t d;
        int m = readChar(s.substr(k), d);
        if (d == kControl || d == '\r' || d == '\n') break;
        append(part, s.substr(k), m);
        k += static_cast<size_t>(m);
        if (d == kCloseLenticular) {
          out += part;
          break;
        }
      }
      break;
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::string extractHanzi(const DictionaryEntry& entry, bool withEllipsis) {
  std::string_view s = bodyOf(entry);
  std::string out;
  bool collecting = false;
  for (size_t i = 0; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (n == 2 && c >= 0x8700) {
      collecting = true;
      append(out, s.substr(i), n);
    } else if (collecting) {
      if (n == 1) {
        if (c != ',') break;
      } else if (isSymbol(c)) {
        if (c == kEllipsis && withEllipsis) append(out, s.substr(i), n);
        else if (c != kEllipsis && c != kMinus && c != kHyphen) break;
      }
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::string extractKana(const DictionaryEntry& entry) {
  std::string_view s = bodyOf(entry);
  std::string out;
  bool collecting = false;
  for (size_t i = 0; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (n == 2 && isKana(c)) {
      collecting = true;
      append(out, s.substr(i), n);
    } else if (collecting) {
      if (n == 1) break;
      if (isSymbol(c) && c != kEllipsis && c != kMinus && c != kHyphen) break;
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::string extractPinyin(const DictionaryEntry& entry) {
  std::string_view s = bodyOf(entry);
  std::string out;
  bool collecting = false;
  for (size_t i = 0; i < s.size();) {
    std::uint16_t c;
    int n = readChar(s.substr(i), c);
    if (n == 1 && c == kControl) {
      if (collecting) break;            // the text it switches to is no pinyin
      i += i + 1 < s.size() ? 2 : 1;  // a control pair before the pinyin is skipped
      continue;
    }
    bool letter = n == 1 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= 0xA6 && c <= 0xDD) ||
                             c == ',' || c == '\'' || c == '-');
    if (letter || (collecting && n == 1 && c == ' ')) {
      collecting = true;
      out.push_back(static_cast<char>(c));
    } else if (collecting && n == 1) {
      break;
    }
    i += static_cast<size_t>(n);
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

bool normaliseToHalfWidth(std::string_view src, std::string& dst) {
  dst.clear();
  bool kept = false;
  for (size_t i = 0; i < src.size();) {
    std::uint16_t c;
    int n = readChar(src.substr(i), c);
    if (n == 1) {
      dst.push_back(static_cast<char>(c));
      i += 1;
      continue;
    }
    i += static_cast<size_t>(n);
    if (c >= 0x8260 && c <= 0x8279) {
      dst.push_back(static_cast<char>('A' + (c - 0x8260)));
      continue;
    }
    if (c >= 0x8281 && c <= 0x829A) {
      dst.push_back(static_cast<char>('a' + (c - 0x8281)));
      continue;
    }
    if (c >= 0x824F && c <= 0x8258) {
      dst.push_back(static_cast<char>('0' + (c - 0x824F)));
      continue;
    }
    bool done = false;
    for (const WideSymbol& w : kWideSymbols) {
      if (w.code == c) {
        dst.push_back(static_cast<char>(w.ascii));
        done = true;
        break;
      }
    }
    if (done) continue;
    const struct {
      std::uint16_t code;
      char byte;
    } marks[] = {{0x8142, '\xA1'}, {0x8175, '\xA2'}, {0x8176, '\xA3'}, {0x8141, '\xA4'}, {kMiddleDot, '\xA5'},
                 {kLongVowel, '\xB0'}};
    for (const auto& m : marks) {
      if (m.code == c) {
        dst.push_back(m.byte);
        done = true;
        break;
      }
    }
    if (done) continue;
    int k = kanaIndex(c);
    if (k >= 0 && k < static_cast<int>(kHalfWidthKana.size())) {
      dst += kHalfWidthKana[static_cast<size_t>(k)];
      continue;
    }
    dst.push_back(static_cast<char>(c >> 8));
    dst.push_back(static_cast<char>(c & 0xFF));
    kept = true;
  }
  return kept;
}

std::string tonePinyinToDigits(std::string_view src) {
  std::string out;
  for (size_t i = 0; i < src.size();) {
    std::uint16_t c;
    int n = readChar(src.substr(i), c);
    if (n == 1 && c >= 0xA6 && c <= 0xD7) {
      // Two runs of 25: a, e, i, o, u, ü with tones 1-4, then plain ü.
      int k = (c - 0xA6) % 25;
      out.push_back("AEIOUV"[k < 24 ? k / 4 : 5]);
      if (k < 24) out.push_back(static_cast<char>('1' + k % 4));
    } else {
      append(out, src.substr(i), n);
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::string removeSpaces(std::string_view src) {
  std::string out;
  for (size_t i = 0; i < src.size();) {
    std::uint16_t c;
    int n = readChar(src.substr(i), c);
    if (!(n == 1 && (c == ' ' || c == 0xA5))) append(out, src.substr(i), n);
    i += static_cast<size_t>(n);
  }
  return out;
}

}  // namespace dict
