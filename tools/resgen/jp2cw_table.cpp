#include "tools/resgen/jp2cw_table.h"

#include <cstdio>
#include <map>

#include "platform/core/codepage.h"

namespace resgen {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kRowSize = 414;
constexpr unsigned kReplacement = 0x81AC;

// The GB2312 code of a character, or 0 when code page 936 places it outside GB2312.
std::uint16_t gb2312Of(char16_t c) {
  std::string gb = plat::wideToMultiByte(936, std::u16string(1, c));
  if (gb.size() != 2) return 0;
  auto lead = static_cast<unsigned char>(gb[0]), trail = static_cast<unsigned char>(gb[1]);
  if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return 0;
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

// The variants of the kinds that name a counterpart, by character, from Unihan_Variants.txt.
struct UnihanVariants {
  std::map<char16_t, std::vector<char16_t>> simplified, others;
};

char16_t codePointOf(std::string_view field) {
  if (field.substr(0, 2) != "U+") return 0;
  unsigned long v = 0;
  for (char c : field.substr(2)) {
    const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) break;
    v = v * 16 + static_cast<unsigned long>(d);
  }
  return v > 0 && v < 0x10000 ? static_cast<char16_t>(v) : 0;
}

UnihanVariants readUnihanVariants(std::string_view text) {
  UnihanVariants out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t t1 = line.find('\t'), t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
    if (line.empty() || line[0] == '#' || t2 == std::string_view::npos) continue;
    const char16_t c = codePointOf(line.substr(0, t1));
    const std::string_view kind = line.substr(t1 + 1, t2 - t1 - 1);
    const bool simplified = kind == "kSimplifiedVariant", traditional = kind == "kTraditionalVariant";
    const bool other = kind == "kZVariant" || kind == "kSemanticVariant" || kind == "kSpecializedSemanticVariant";
    if (!c || !(simplified || traditional || other)) continue;
    std::string_view values = line.substr(t2 + 1);
    while (!values.empty()) {
      const std::size_t space = values.find(' ');
      const std::string_view v = values.substr(0, space);
      // The file names a link on one side only: each is kept both ways.
      if (const char16_t x = codePointOf(v.substr(0, v.find('<'))); x && x != c) {
        if (simplified) {
          out.simplified[c].push_back(x);
          out.others[x].push_back(c);
        } else if (traditional) {
          out.simplified[x].push_back(c);
          out.others[c].push_back(x);
        } else {
          out.others[c].push_back(x);
          out.others[x].push_back(c);
        }
      }
      if (space == std::string_view::npos) break;
      values.remove_prefix(space + 1);
    }
  }
  return out;
}

// The older or standard forms of Japanese kanji, from Unihan_OtherMappings.txt: the forms the
// name-kanji and Joyo fields link to a kanji, and the EACC twin that stands in the first layer.
std::map<char16_t, std::vector<char16_t>> readOlderForms(std::string_view text) {
  std::map<char16_t, std::vector<char16_t>> out;
  std::map<std::string, char16_t, std::less<>> byEacc;
  std::map<char16_t, std::string> eacc;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t t1 = line.find('\t'), t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
    if (line.empty() || line[0] == '#' || t2 == std::string_view::npos) continue;
    const char16_t c = codePointOf(line.substr(0, t1));
    const std::string_view kind = line.substr(t1 + 1, t2 - t1 - 1), value = line.substr(t2 + 1);
    if (!c) continue;
    if (kind == "kEACC" && value.size() == 6) {
      eacc[c] = std::string(value);
      byEacc.emplace(std::string(value), c);
    } else if (kind == "kJinmeiyoKanji" || kind == "kJoyoKanji") {
      // "2010:U+58CA" on an old form names its new form; "U+525D" on a kanji its standard form.
      const std::size_t u = value.find("U+");
      if (u == std::string_view::npos) continue;
      if (const char16_t other = codePointOf(value.substr(u)); other && other != c) {
        out[other].push_back(c);
        out[c].push_back(other);
      }
    }
  }
  // EACC places the variants of a character in later layers of six planes at the same row and
  // cell; the planes from 0x69 on hold kana and Japanese-made characters, no variants.
  for (const auto& [c, code] : eacc) {
    const unsigned first = static_cast<unsigned>(std::stoul(code.substr(0, 2), nullptr, 16));
    if (first < 0x27 || first >= 0x69) continue;
    char primary[3];
    std::snprintf(primary, sizeof primary, "%02X", 0x21 + (first - 0x21) % 6);
    if (auto it = byEacc.find(std::string(primary) + code.substr(2)); it != byEacc.end() && it->second != c)
      out[c].push_back(it->second);
  }
  return out;
}

// Kanji whose EACC twin is another character, not a form of theirs: 槻 (zelkova) and 柾 (straight grain).
constexpr char16_t kFalseTwins[] = {u'\u69FB', u'\u67FE'};

struct Counterparts {
  std::map<char16_t, char16_t> simplifiedOf;  // the project's pairs
  std::map<char16_t, char16_t> simplifiedOfJapanese;
  UnihanVariants unihan;
  std::map<char16_t, std::vector<char16_t>> olderForms;

  Counterparts(const std::vector<VariantPair>& pairs, const std::map<char16_t, char16_t>& japaneseForms,
               std::string_view unihanVariants, std::string_view unihanOtherMappings)
      : unihan(readUnihanVariants(unihanVariants)), olderForms(readOlderForms(unihanOtherMappings)) {
    for (const VariantPair& p : pairs) simplifiedOf.emplace(p.traditional, p.simplified);
    for (const auto& [simplified, japanese] : japaneseForms) simplifiedOfJapanese.emplace(japanese, simplified);
    for (char16_t c : kFalseTwins) olderForms.erase(c);
  }

  // c itself, or its simplified form, when GB2312 holds it.
  char16_t direct(char16_t c) const {
    if (gb2312Of(c)) return c;
    if (auto it = simplifiedOf.find(c); it != simplifiedOf.end() && gb2312Of(it->second)) return it->second;
    if (auto it = unihan.simplified.find(c); it != unihan.simplified.end()) {
      for (char16_t s : it->second)
        if (gb2312Of(s)) return s;
    }
    return 0;
  }

  // Through the character's own links: the listed Japanese forms and Unihan's variants.
  char16_t linked(char16_t kanji) const {
    if (char16_t c = direct(kanji)) return c;
    if (auto it = simplifiedOfJapanese.find(kanji); it != simplifiedOfJapanese.end() && gb2312Of(it->second))
      return it->second;
    if (auto it = unihan.others.find(kanji); it != unihan.others.end()) {
      for (char16_t v : it->second)
        if (char16_t c = direct(v)) return c;
    }
    return 0;
  }

  // A Japanese form without links of its own goes through its older form (壊 壞 坏, 駅 驛 驿).
  char16_t of(char16_t kanji) const {
    if (char16_t c = linked(kanji)) return c;
    if (auto it = olderForms.find(kanji); it != olderForms.end()) {
      for (char16_t older : it->second)
        if (char16_t c = linked(older)) return c;
    }
    return 0;
  }
};

}  // namespace

void addListedForms(std::string_view listed, std::map<char16_t, char16_t>& forms) {
  std::size_t at = 0;
  while (at < listed.size()) {
    std::size_t end = listed.find('\n', at);
    if (end == std::string_view::npos) end = listed.size();
    const std::string_view line = listed.substr(at, end - at);
    at = end + 1;
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string_view::npos) continue;
    const std::u16string s = plat::utf8ToWide(line.substr(0, tab)), j = plat::utf8ToWide(line.substr(tab + 1));
    if (s.size() == 1 && !j.empty()) forms.emplace(s[0], j[0]);
  }
}

char16_t chineseCounterpart(char16_t kanji, const std::vector<VariantPair>& pairs,
                            const std::map<char16_t, char16_t>& japaneseForms, std::string_view unihanVariants,
                            std::string_view unihanOtherMappings) {
  return Counterparts(pairs, japaneseForms, unihanVariants, unihanOtherMappings).of(kanji);
}

std::string makeJp2CwTable(const std::vector<VariantPair>& pairs, const std::map<char16_t, char16_t>& japaneseForms,
                           std::string_view unihanVariants, std::string_view unihanOtherMappings) {
  const Counterparts counterparts(pairs, japaneseForms, unihanVariants, unihanOtherMappings);

  std::string out(kHeaderSize, '\0');
  std::vector<unsigned> leads;
  for (unsigned l = 0x87; l <= 0x9F; ++l) leads.push_back(l);
  for (unsigned l = 0xE0; l <= 0xEF; ++l) leads.push_back(l);
  for (unsigned lead : leads) {
    std::string row(kRowSize, '\0');
    for (std::size_t cell = 0; cell * 2 < kRowSize; ++cell) {
      row[cell * 2] = static_cast<char>(kReplacement >> 8);
      row[cell * 2 + 1] = static_cast<char>(kReplacement & 0xFF);
    }
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const char sjis[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string u = plat::multiByteToWide(932, std::string_view(sjis, 2));
      unsigned code = kReplacement;
      if (u.size() == 1 && u[0] != u'\u30FB') {
        const char16_t chinese = counterparts.of(u[0]);
        const std::uint16_t gb = chinese ? gb2312Of(chinese) : 0;
        if (gb)
          if (EngineCode e = gbToEngineCode(gb); e > 0xFF) code = e;
      }
      std::size_t t = trail - 0x40, cell = (t / 16) * 17 + t % 16;
      row[cell * 2] = static_cast<char>(code >> 8);
      row[cell * 2 + 1] = static_cast<char>(code & 0xFF);
    }
    out += row;
  }
  return out;
}

}  // namespace resgen
