#include "engine/jc/analyser/jp_input_prep.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/common/code_convert.h"
#include "engine/common/dbcs_text.h"

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

int narrowAscii(char* output, const char* input, int length) {
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  int o = 0;
  for (int i = 0; i < length;) {
    if (dbcs::isLeadByte(in[i]) && i + 1 < length) {
      const int found = fullWidthIndex(in[i], in[i + 1]);
      if (found >= 0) {
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

std::string narrowAscii(std::string_view input) {
  std::string out(input.size() + 1, '\0');
  out.resize(static_cast<std::size_t>(narrowAscii(out.data(), input.data(), static_cast<int>(input.size()))));
  return out;
}

unsigned mapIbmExtension(unsigned code) {
  for (const IbmRange& r : kIbmRanges) {
    if (code < r.first) return 0x8140;
    if (code <= r.last) return static_cast<unsigned>(r.lead) << 8 | (code - r.first + r.base);
  }
  return 0x8140;
}

unsigned convertJpCharToEngine(const Jp2CwTable& table, unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || (lead >= 0xA0 && lead <= 0xDF) || lead > 0xFC || trail < 0x40) return kJpReplacementChar;
  if (lead < 0x87) return static_cast<unsigned>(lead) << 8 | trail;
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
