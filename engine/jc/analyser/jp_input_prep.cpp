#include "engine/jc/analyser/jp_input_prep.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/common/code_convert.h"
#include "engine/common/dbcs_text.h"
#include "engine/common/engine_code_placement.h"
#include "platform/core/codepage.h"

namespace jc {

namespace {

// Full-width forms of 0x20-0x7E.
constexpr char kFullWidthAscii[] =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～";
static_assert(sizeof kFullWidthAscii == 95 * 2 + 1);

// The index of each full-width form by its two bytes (the first index where one repeats), -1 for
// any other character; the few lead bytes of the forms each have a row.
struct FullWidthIndex {
  std::array<std::int8_t, 256> rowOfLead;
  std::array<std::array<std::int8_t, 256>, 4> index;
};
constexpr FullWidthIndex kFullWidthIndex = [] {
  FullWidthIndex t{};
  t.rowOfLead.fill(-1);
  for (auto& row : t.index) row.fill(-1);
  int rows = 0;
  for (int k = 0; k < 95; ++k) {
    const auto lead = static_cast<unsigned char>(kFullWidthAscii[k * 2]);
    const auto trail = static_cast<unsigned char>(kFullWidthAscii[k * 2 + 1]);
    if (t.rowOfLead[lead] < 0) t.rowOfLead[lead] = static_cast<std::int8_t>(rows++);
    std::int8_t& cell = t.index[static_cast<std::size_t>(t.rowOfLead[lead])][trail];
    if (cell < 0) cell = static_cast<std::int8_t>(k);
  }
  return t;
}();

int fullWidthIndex(unsigned char lead, unsigned char trail) {
  const int row = kFullWidthIndex.rowOfLead[lead];
  return row < 0 ? -1 : kFullWidthIndex.index[static_cast<std::size_t>(row)][trail];
}

// Half-width 0xA0-0xDF to full-width.
constexpr char kHalfWidthKana[] =
    "〓。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof kHalfWidthKana == 64 * 2 + 1);

// Half-width bases that take the voiced mark, and their voiced forms.
constexpr char kVoicedBases[] = "ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎｳ";
constexpr char kVoicedForms[] = "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ";
constexpr char kSemiVoicedBases[] = "ﾊﾋﾌﾍﾎ";
constexpr char kSemiVoicedForms[] = "パピプペポ";
static_assert(sizeof kVoicedBases == 21 + 1 && sizeof kVoicedForms == 21 * 2 + 1);
static_assert(sizeof kSemiVoicedBases == 5 + 1 && sizeof kSemiVoicedForms == 5 * 2 + 1);

struct LookAlike {
  char self[3];
  char katakana[3];
  char hiragana[3];
};
constexpr LookAlike kLookAlikes[] = {
    {"ヘ", "ヘ", "へ"}, {"ベ", "ベ", "べ"}, {"ペ", "ペ", "ぺ"}, {"へ", "ヘ", "へ"}, {"べ", "ベ", "べ"},
    {"ぺ", "ペ", "ぺ"}, {"一", "ー", "一"}, {"力", "カ", "力"},
};

const LookAlike* lookAlikeForms(unsigned char lead, unsigned char trail) {
  for (const LookAlike& l : kLookAlikes)
    if (static_cast<unsigned char>(l.self[0]) == lead && static_cast<unsigned char>(l.self[1]) == trail) return &l;
  return nullptr;
}

bool isLatinLetter(unsigned code) {
  return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || (code >= 0x8260 && code <= 0x8279) ||
         (code >= 0x8281 && code <= 0x829A);
}

struct IbmRange {
  unsigned first, last;
  unsigned char lead, base;
};
constexpr IbmRange kIbmRanges[] = {
    {0xFA40, 0xFA49, 0xEE, 0xEF}, {0xFA4A, 0xFA53, 0x87, 0x54}, {0xFA54, 0xFA57, 0xEE, 0xF9},
    {0xFA58, 0xFA58, 0x87, 0x8A}, {0xFA59, 0xFA59, 0x87, 0x82}, {0xFA5A, 0xFA5A, 0x87, 0x84},
    {0xFA5B, 0xFA5B, 0x87, 0x9A}, {0xFA5C, 0xFA7E, 0xED, 0x40}, {0xFA80, 0xFA9B, 0xED, 0x63},
    {0xFA9C, 0xFAFC, 0xED, 0x80}, {0xFB40, 0xFB5B, 0xED, 0xE1}, {0xFB5C, 0xFB7E, 0xEE, 0x40},
    {0xFB80, 0xFB9B, 0xEE, 0x63}, {0xFB9C, 0xFBFC, 0xEE, 0x80}, {0xFC40, 0xFC4B, 0xEE, 0xE1},
};

// Symbols GB2312 lacks and the character of the same meaning it has, written in their place.
constexpr SymbolCounterpart kCloseSymbols[] = {
    {u'\u30FC', u'\u2014'},  // ー: the dash
    {u'\u2015', u'\u2014'},  // ―
    {u'\u30FB', u'\u00B7'},  // ・: the middle dot
    {u'\u2010', u'\uFF0D'},  // ‐
    {u'\u2025', u'\u2026'},  // ‥
    {u'\u3007', u'\u96F6'},  // 〇: 零
    {u'\u2266', u'\u2264'},  // ≦
    {u'\u2267', u'\u2265'},  // ≧
    {u'\u2252', u'\u2248'},  // ≒
    {u'\u21D2', u'\u2192'},  // ⇒
    {u'\u25EF', u'\u25CB'},  // ◯
    {u'\u301D', u'\u201C'},  // 〝
    {u'\u301F', u'\u201D'},  // 〟
    {u'\u32A4', u'\u4E0A'},  // ㊤: 上
    {u'\u32A5', u'\u4E2D'},  // ㊥: 中
    {u'\u32A6', u'\u4E0B'},  // ㊦: 下
    {u'\u32A7', u'\u5DE6'},  // ㊧: 左
    {u'\u32A8', u'\u53F3'},  // ㊨: 右
    {u'\u246A', u'\u247E'}, {u'\u246B', u'\u247F'}, {u'\u246C', u'\u2480'}, {u'\u246D', u'\u2481'},
    {u'\u246E', u'\u2482'}, {u'\u246F', u'\u2483'}, {u'\u2470', u'\u2484'}, {u'\u2471', u'\u2485'},
    {u'\u2472', u'\u2486'}, {u'\u2473', u'\u2487'},  // ⑪-⑳: ⑾-⒇
};

bool isSymbolCode(unsigned code) {
  const unsigned lead = code >> 8, trail = code & 0xFF;
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return false;
  return (lead >= 0x81 && lead <= 0x86) || (lead == 0x87 && trail <= 0x9C);
}

// Engine code of each symbol (lead 0x81-0x86 and row 13 up to 0x879C): the code of the same
// character in GB2312, else of its close counterpart; 0 for a symbol with neither, 0x81AC for a
// code that is no character.
struct SymbolCodes {
  std::array<std::array<std::uint16_t, 0xFD - 0x40>, 7> byLead{};
};

const SymbolCodes& symbolCodes() {
  static const SymbolCodes codes = [] {
    SymbolCodes t;
    for (unsigned lead = 0x81; lead <= 0x87; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        std::uint16_t& cell = t.byLead[lead - 0x81][trail - 0x40];
        cell = kJpReplacementChar;
        const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
        if (!isSymbolCode(code)) continue;
        const char16_t c = dbcs::code_placement::charOfCode(932, code);
        if (!c) continue;
        cell = 0;
        char16_t target = c;
        std::uint16_t gb = dbcs::code_placement::codeOfChar(936, target);
        if (!dbcs::code_placement::isGbTableCode(gb)) {
          target = closeSymbolCounterpart(c);
          gb = target ? dbcs::code_placement::codeOfChar(936, target) : 0;
          if (!dbcs::code_placement::isGbTableCode(gb)) continue;
        }
        std::string engine{static_cast<char>(gb >> 8), static_cast<char>(gb & 0xFF)};
        dbcs::gbToInternal(dbcs::ConversionTables{}, engine);
        std::string back;
        dbcs::internalToGb(dbcs::ConversionTables{}, back, engine);
        if (engine.size() != 2 || back != std::string{static_cast<char>(gb >> 8), static_cast<char>(gb & 0xFF)})
          continue;
        cell = static_cast<std::uint16_t>(static_cast<unsigned char>(engine[0]) << 8 | static_cast<unsigned char>(engine[1]));
      }
    }
    return t;
  }();
  return codes;
}

// Appends bytes to a bounded output; false when they do not fit (room for the NUL kept).
struct Out {
  char* buf;
  int size;
  int len = 0;
  bool put(const char* p, int n) {
    if (len + n > size - 1) return false;
    std::memcpy(buf + len, p, static_cast<std::size_t>(n));
    len += n;
    return true;
  }
  int finish(bool ok) {
    if (size > 0) buf[ok ? len : 0] = 0;
    return ok ? len : -1;
  }
};

}  // namespace


bool isFullWidthKatakana(unsigned char lead, unsigned char trail) {
  return lead == 0x83 && trail >= 0x40 && trail <= 0x96 && !(trail >= 0x77 && trail <= 0x79);
}

void normalizeSpaces(const char* input, char* output) {
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  std::size_t i = 0, o = 0;
  std::size_t pendingAt = 0;
  bool pending = false, lastLatin = false;
  while (in[i]) {
    std::size_t n = dbcs::isLeadByte(in[i]) && in[i + 1] ? 2 : 1;
    unsigned code = n == 2 ? (in[i] << 8 | in[i + 1]) : in[i];
    if (code == ' ' || code == 0x8140) {
      if (!pending) {
        pendingAt = o;
        pending = true;
        std::memcpy(output + o, input + i, n);
        o += n;
      }
    } else {
      bool latin = isLatinLetter(code);
      if (pending && !latin && !lastLatin) o = pendingAt;
      pending = false;
      lastLatin = latin;
      std::memcpy(output + o, input + i, n);
      o += n;
    }
    i += n;
  }
  if (pending) o = pendingAt;
  output[o] = 0;
}

int widenSingleByte(unsigned char b, unsigned char pair[2]) {
  if (b >= 0x20 && b <= 0x7E) {
    pair[0] = static_cast<unsigned char>(kFullWidthAscii[(b - 0x20) * 2]);
    pair[1] = static_cast<unsigned char>(kFullWidthAscii[(b - 0x20) * 2 + 1]);
    return 2;
  }
  if (b >= 0xA1 && b <= 0xA5) {
    pair[0] = static_cast<unsigned char>(kHalfWidthKana[(b - 0xA0) * 2]);
    pair[1] = static_cast<unsigned char>(kHalfWidthKana[(b - 0xA0) * 2 + 1]);
    return 2;
  }
  return 1;
}

int harmonizeKanaScript(char* output, const char* input, int length, int outputSize) {
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  Out out{output, outputSize};
  int state = 0;
  const LookAlike* held = nullptr;
  auto writeHeld = [&](const char* form) { return !held || out.put(form, 2); };
  bool ok = true;
  for (int i = 0; i < length && ok;) {
    int n = dbcs::isLeadByte(in[i]) && i + 1 < length ? 2 : 1;
    const LookAlike* look = n == 2 ? lookAlikeForms(in[i], in[i + 1]) : nullptr;
    if (n == 2 && isFullWidthKatakana(in[i], in[i + 1])) {
      if (held) ok = writeHeld(state == 2 ? held->katakana : held->self);
      held = nullptr;
      ok = ok && out.put(input + i, 2);
      state = 1;
    } else if (!look) {
      if (held) ok = writeHeld(state == 4 ? held->hiragana : held->self);
      held = nullptr;
      if (n == 2) {
        ok = ok && out.put(input + i, 2);
      } else {
        unsigned char pair[2];
        if (widenSingleByte(in[i], pair) == 2)
          ok = ok && out.put(reinterpret_cast<char*>(pair), 2);
        else
          ok = ok && out.put(input + i, 1);
      }
      state = 3;
    } else if ((state == 1 || state == 3) && i + 2 < length) {
      held = look;
      state = state == 1 ? 2 : 4;
    } else {
      if (held) ok = writeHeld(held->self);
      held = nullptr;
      ok = ok && out.put(input + i, 2);
      state = 0;
    }
    i += n;
  }
  if (ok && held) ok = writeHeld(held->self);
  return out.finish(ok);
}

int widenKanaWithMark(unsigned char pair[2]) {
  unsigned char base = pair[0], mark = pair[1];
  auto formOf = [&](const char* bases, const char* forms) -> bool {
    for (int k = 0; bases[k]; ++k)
      if (static_cast<unsigned char>(bases[k]) == base) {
        pair[0] = static_cast<unsigned char>(forms[k * 2]);
        pair[1] = static_cast<unsigned char>(forms[k * 2 + 1]);
        return true;
      }
    return false;
  };
  if (mark == 0xDE && formOf(kVoicedBases, kVoicedForms)) return 1;
  if (mark == 0xDF && formOf(kSemiVoicedBases, kSemiVoicedForms)) return 1;
  if (base >= 0xA0 && base <= 0xDF) {
    pair[0] = static_cast<unsigned char>(kHalfWidthKana[(base - 0xA0) * 2]);
    pair[1] = static_cast<unsigned char>(kHalfWidthKana[(base - 0xA0) * 2 + 1]);
  }
  return 0;
}

int widenHalfWidthKana(char* output, const char* input, int length, int outputSize) {
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  Out out{output, outputSize};
  bool ok = true;
  for (int i = 0; i < length && ok;) {
    if (dbcs::isLeadByte(in[i]) && i + 1 < length) {
      ok = out.put(input + i, 2);
      i += 2;
    } else if (in[i] >= 0xA6 && in[i] <= 0xDF) {
      unsigned char pair[2] = {in[i], static_cast<unsigned char>(i + 1 < length ? in[i + 1] : 0)};
      int merged = widenKanaWithMark(pair);
      ok = out.put(reinterpret_cast<char*>(pair), 2);
      i += 1 + merged;
    } else {
      unsigned char pair[2];
      if (widenSingleByte(in[i], pair) == 2)
        ok = out.put(reinterpret_cast<char*>(pair), 2);
      else
        ok = out.put(input + i, 1);
      i += 1;
    }
  }
  return out.finish(ok);
}

int prepareJapaneseLine(std::string_view line, char* output, int outputSize) {
  std::string text(line.substr(0, line.find('\0')));
  std::string spaced(text.size() + 1, '\0');
  normalizeSpaces(text.c_str(), spaced.data());
  int n = static_cast<int>(std::strlen(spaced.c_str()));
  std::string harmonized(static_cast<std::size_t>(n) * 2 + 1, '\0');
  int h = harmonizeKanaScript(harmonized.data(), spaced.data(), n, static_cast<int>(harmonized.size()));
  if (h < 0) return -1;
  return widenHalfWidthKana(output, harmonized.data(), h, outputSize);
}

namespace {

// The quotation marks ‘ and “ still open, counted the way narrowAscii keeps and closes them.
struct OpenQuotes {
  int single = 0, double_ = 0;
  // True when the mark at code closes an open one (and so stays full width).
  bool closes(unsigned code) {
    if (code == 0x8165) ++single;
    if (code == 0x8167) ++double_;
    if (code == 0x8166 && single > 0) return --single, true;
    if (code == 0x8168 && double_ > 0) return --double_, true;
    return false;
  }
};

}  // namespace

int narrowAscii(char* output, const char* input, int length, std::string_view before) {
  OpenQuotes open;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const auto lead = static_cast<unsigned char>(before[i]);
    if (!dbcs::isLeadByte(lead) || i + 1 >= before.size()) continue;
    open.closes(static_cast<unsigned>(lead) << 8 | static_cast<unsigned char>(before[i + 1]));
    ++i;
  }
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  int o = 0;
  for (int i = 0; i < length;) {
    if (dbcs::isLeadByte(in[i]) && i + 1 < length) {
      const int found = fullWidthIndex(in[i], in[i + 1]);
      const bool closes = open.closes(static_cast<unsigned>(in[i]) << 8 | in[i + 1]);
      // ￥ and ‘ stand for 0x5C and 0x60 only in Shift-JIS: narrowed they would read as \ and `;
      // a rendering's leading & is a mark of the rules; ’ and ” that close a kept mark stay with it.
      const int ascii = found + 0x20;
      if (found >= 0 && !closes && ascii != '\\' && ascii != '`' && ascii != '&') {
        output[o++] = static_cast<char>(0x20 + found);
      } else {
        output[o++] = input[i];
        output[o++] = input[i + 1];
      }
      i += 2;
    } else {
      output[o++] = input[i++];
    }
  }
  output[o] = 0;
  return o;
}

std::string narrowAscii(std::string_view input, std::string_view before) {
  std::string out(input.size() + 1, '\0');
  out.resize(static_cast<std::size_t>(
      narrowAscii(out.data(), input.data(), static_cast<int>(input.size()), before)));
  return out;
}

unsigned mapIbmExtension(unsigned code) {
  for (const IbmRange& r : kIbmRanges) {
    if (code < r.first) return 0x8140;
    if (code <= r.last) return static_cast<unsigned>(r.lead) << 8 | (code - r.first + r.base);
  }
  return 0x8140;
}

char16_t closeSymbolCounterpart(char16_t symbol) {
  for (const SymbolCounterpart& s : kCloseSymbols)
    if (s.symbol == symbol) return s.counterpart;
  return 0;
}

bool jpSymbolHasNoEngineCode(unsigned code) {
  return isSymbolCode(code) && symbolCodes().byLead[(code >> 8) - 0x81][(code & 0xFF) - 0x40] == 0;
}

bool engineHoldsJapaneseChar(char16_t c) {
  if (c == u'?') return true;
  const std::string sjis = plat::wideToMultiByte(932, std::u16string_view(&c, 1));
  if (sjis == "?") return false;
  if (sjis.size() != 2) return true;
  // The user-defined area (lead bytes 0xF0-0xF9) holds no character the engine knows.
  const auto lead = static_cast<unsigned char>(sjis[0]);
  if (lead >= 0xF0 && lead <= 0xF9) return false;
  return !jpSymbolHasNoEngineCode(static_cast<unsigned char>(sjis[0]) << 8 | static_cast<unsigned char>(sjis[1]));
}

bool kanjiLacksChineseCode(char16_t c) {
  const std::string sjis = plat::wideToMultiByte(932, std::u16string_view(&c, 1));
  if (sjis.size() != 2) return false;
  const auto lead = static_cast<unsigned char>(sjis[0]);
  if (lead < 0x88 || lead >= 0xF0) return false;
  static const Jp2CwTable table = [] {
    Jp2CwTable t;
    loadJp2CwTable(&t);
    return t;
  }();
  static const dbcs::ConversionTables tables = dbcs::loadConversionTables();
  if (!table.data || !tables.gbUni) return false;
  const unsigned code = convertJpCharToEngine(table, lead, static_cast<unsigned char>(sjis[1]));
  if (code == kJpReplacementChar) return true;
  if (code < 0x8100) return false;
  std::string gb;
  std::u16string shown;
  dbcs::internalToGb(tables, gb, std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
  dbcs::gbToUnicode(tables, shown, gb);
  return shown.size() != 1 || shown[0] == u'\u3013';
}

unsigned convertJpCharToEngine(const Jp2CwTable& table, unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || (lead >= 0xA0 && lead <= 0xDF) || lead > 0xFC || trail < 0x40) return kJpReplacementChar;
  if (isSymbolCode(static_cast<unsigned>(lead) << 8 | trail)) {
    const std::uint16_t code = symbolCodes().byLead[lead - 0x81][trail - 0x40];
    return code ? code : kJpReplacementChar;
  }
  if (lead < 0x87) return kJpReplacementChar;
  if (lead >= 0xF0) {
    unsigned mapped = mapIbmExtension(static_cast<unsigned>(lead) << 8 | trail);
    if (mapped == 0x8140) return kJpReplacementChar;
    lead = static_cast<unsigned char>(mapped >> 8);
    trail = static_cast<unsigned char>(mapped & 0xFF);
  }
  int row = lead - 0x87 - (lead >= 0xE0 ? 64 : 0);
  unsigned t = trail - 0x40u;
  std::size_t cell = (t / 16) * 17 + t % 16;
  if (row < 0 || row >= static_cast<int>(kJp2CwRows) || cell * 2 + 1 >= kJp2CwRowSize || !table.data)
    return kJpReplacementChar;
  const std::uint8_t* p = table.data.data + kJp2CwHeaderSize + static_cast<std::size_t>(row) * kJp2CwRowSize + cell * 2;
  return static_cast<unsigned>(p[0]) << 8 | p[1];
}

void convertJpToEngineCode(const Jp2CwTable& table, std::string_view input, std::string& output) {
  output.clear();
  for (std::size_t i = 0; i < input.size();) {
    auto lead = static_cast<unsigned char>(input[i]);
    if (dbcs::isLeadByte(lead) && i + 1 < input.size()) {
      unsigned c = convertJpCharToEngine(table, lead, static_cast<unsigned char>(input[i + 1]));
      output.push_back(static_cast<char>(c >> 8));
      output.push_back(static_cast<char>(c & 0xFF));
      i += 2;
    } else {
      output.push_back(input[i++]);
    }
  }
}

void loadJp2CwTable(Jp2CwTable* holder) {
  plat::ResourceData r = plat::findResource("CVDATA", "JP2CW_TBL");
  holder->data = r.size == kJp2CwTableSize ? r : plat::ResourceData{};
  dbcs::unlockTable(r.data);
}

}  // namespace jc
