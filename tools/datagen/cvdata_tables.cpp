#include "tools/datagen/cvdata_tables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/resources.h"
#include "platform/core/little_endian.h"

namespace datagen {

namespace {

// The character of one two-byte code, 0 when the code page has none (private use counts as none).
char16_t charOf(unsigned codePage, unsigned lead, unsigned trail) {
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  std::u16string u = plat::multiByteToWide(codePage, std::string_view(bytes, 2));
  if (u.size() != 1 || u[0] == u'?' || (u[0] >= 0xE000 && u[0] <= 0xF8FF)) return 0;
  return u[0];
}


template <typename F>
void forEachGbCode(F f) {
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    if (lead >= 0xAA && lead <= 0xAF) continue;
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) f(lead, trail);
  }
}

}  // namespace

std::string makeGbUniTable() {
  std::string out;
  forEachGbCode([&](unsigned lead, unsigned trail) { plat::appendLe16(out, charOf(936, lead, trail)); });
  return out;
}

std::string makeUniGbTable() {
  std::vector<std::array<unsigned, 3>> records;
  forEachGbCode([&](unsigned lead, unsigned trail) {
    if (char16_t c = charOf(936, lead, trail)) records.push_back({c, lead, trail});
  });
  std::sort(records.begin(), records.end());
  std::string out;
  for (const auto& r : records) {
    plat::appendLe16(out, r[0]);
    out.push_back(static_cast<char>(r[1]));
    out.push_back(static_cast<char>(r[2]));
  }
  return out;
}

namespace {

bool inCodePage932(char16_t c) {
  if (c == 0) return false;
  std::string jp = plat::wideToMultiByte(932, std::u16string(1, c));
  return jp.size() == 2 && plat::multiByteToWide(932, jp) == std::u16string(1, c);
}

// "U+5BF9" (possibly followed by "<source") as a BMP character, 0 otherwise.
char16_t codePointOf(std::string_view field) {
  if (field.size() < 3 || field.substr(0, 2) != "U+") return 0;
  unsigned long v = 0;
  std::size_t i = 2;
  for (; i < field.size() && std::isxdigit(static_cast<unsigned char>(field[i])); ++i) {
    v = v * 16 + static_cast<unsigned long>(std::stoi(std::string(1, field[i]), nullptr, 16));
  }
  return (i > 2 && v <= 0xFFFF) ? static_cast<char16_t>(v) : 0;
}

char16_t firstCharOf(std::string_view utf8) {
  std::u16string w = plat::utf8ToWide(utf8);
  return w.size() == 1 ? w[0] : 0;
}

template <typename F>
void forEachLine(std::string_view text, F f) {
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> fields;
    std::size_t a = 0;
    while (a <= line.size()) {
      std::size_t b = line.find('\t', a);
      if (b == std::string_view::npos) b = line.size();
      fields.push_back(line.substr(a, b - a));
      a = b + 1;
    }
    f(fields);
  }
}

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t a = 0;
  while (a < s.size()) {
    std::size_t b = s.find(' ', a);
    if (b == std::string_view::npos) b = s.size();
    if (b > a) out.push_back(s.substr(a, b - a));
    a = b + 1;
  }
  return out;
}

}  // namespace

std::map<char16_t, char16_t> japaneseForms(const JapaneseFormSources& src) {
  std::map<char16_t, std::vector<char16_t>> traditional, zVariants, semantic;
  forEachLine(src.unihanVariants, [&](const std::vector<std::string_view>& f) {
    if (f.size() < 3) return;
    const char16_t c = codePointOf(f[0]);
    if (c == 0) return;
    std::vector<char16_t>* to = f[1] == "kTraditionalVariant" ? &traditional[c]
                                : f[1] == "kZVariant"          ? &zVariants[c]
                                : f[1] == "kSemanticVariant"   ? &semantic[c]
                                                               : nullptr;
    if (!to) return;
    for (std::string_view v : words(f[2])) {
      if (char16_t x = codePointOf(v); x != 0 && x != c) to->push_back(x);
    }
  });
  std::map<char16_t, std::string> eacc;
  std::map<std::string, char16_t, std::less<>> byEacc;
  std::map<char16_t, char16_t> nameKanjiNewForm;
  std::set<char16_t> joyo;
  forEachLine(src.unihanOtherMappings, [&](const std::vector<std::string_view>& f) {
    if (f.size() < 3) return;
    const char16_t c = codePointOf(f[0]);
    if (c == 0) return;
    if (f[1] == "kEACC") {
      eacc[c] = std::string(f[2]);
      byEacc.emplace(std::string(f[2]), c);
    } else if (f[1] == "kJoyoKanji") {
      joyo.insert(c);
    } else if (f[1] == "kJinmeiyoKanji") {
      const std::size_t colon = f[2].find(':');
      if (colon != std::string_view::npos) nameKanjiNewForm[c] = codePointOf(f[2].substr(colon + 1));
    }
  });
  std::map<char16_t, char16_t> listed;
  forEachLine(src.japaneseForms, [&](const std::vector<std::string_view>& f) {
    if (f.size() >= 2) listed[firstCharOf(f[0])] = firstCharOf(f[1]);
  });
  forEachLine(src.chineseVariants, [&](const std::vector<std::string_view>& f) {
    if (f.size() < 3 || (f[0] != "pair" && f[0] != "st")) return;
    const char16_t s = firstCharOf(f[1]), t = firstCharOf(f[2]);
    if (s == 0 || t == 0 || s == t) return;
    std::vector<char16_t>& v = traditional[s];
    v.insert(v.begin(), t);  // the project's first candidate leads
  });

  std::map<char16_t, char16_t> forms;
  forEachGbCode([&](unsigned lead, unsigned trail) {
    if (lead < 0xB0) return;
    const char16_t c = charOf(936, lead, trail);
    if (c == 0 || inCodePage932(c)) return;
    if (auto it = listed.find(c); it != listed.end() && inCodePage932(it->second)) {
      forms[c] = it->second;
      return;
    }
    std::vector<char16_t> candidates;
    const std::vector<char16_t>& trad = traditional[c];
    for (char16_t t : trad) {
      // EACC keeps a Japanese simplified twin in plane 0x4B beside the traditional 0x21 code.
      if (auto e = eacc.find(t); e != eacc.end() && e->second.size() == 6 && e->second.compare(0, 2, "21") == 0) {
        if (auto j = byEacc.find("4B" + e->second.substr(2)); j != byEacc.end()) candidates.push_back(j->second);
      }
      if (auto n = nameKanjiNewForm.find(t); n != nameKanjiNewForm.end()) candidates.push_back(n->second);
      candidates.push_back(t);
    }
    std::vector<char16_t> sources = {c};
    sources.insert(sources.end(), trad.begin(), trad.end());
    for (char16_t x : sources) {
      for (char16_t z : zVariants[x]) candidates.push_back(z);
      for (char16_t z : semantic[x]) candidates.push_back(z);
    }
    char16_t best = 0;
    for (char16_t x : candidates) {
      if (!inCodePage932(x)) continue;
      if (joyo.count(x)) {
        best = x;
        break;
      }
      if (best == 0) best = x;
    }
    if (best != 0) forms[c] = best;
  });
  return forms;
}

std::string makeB5UniTable() {
  std::string out;
  for (unsigned lead = 0xA1; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      plat::appendLe16(out, charOf(950, lead, trail));
    }
  }
  return out;
}

std::string makeCwToJpTable(const std::map<char16_t, char16_t>* forms) {
  std::string out;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      std::string jp;
      if (char16_t c = charOf(936, lead, trail)) {
        jp = plat::wideToMultiByte(932, std::u16string(1, c));
        if (jp.size() != 2 && forms) {
          if (auto it = forms->find(c); it != forms->end()) jp = plat::wideToMultiByte(932, std::u16string(1, it->second));
        }
      }
      if (jp.size() != 2) jp = "\x81\x40";
      out += jp;
    }
  }
  out.append(3, '\0');
  return out;
}

void registerConversionTables() {
  static const std::string gbUni = makeGbUniTable();
  static const std::string uniGb = makeUniGbTable();
  static const std::string cwToJp = makeCwToJpTable();
  static const std::string b5Uni = makeB5UniTable();
  plat::registerOwnedResource("CVDATA", "GB-UNI", gbUni);
  plat::registerOwnedResource("CVDATA", "UNI-GB", uniGb);
  plat::registerOwnedResource("CVDATA", "CW2JP_TBL", cwToJp);
  plat::registerOwnedResource("CVDATA", "B5-UNI", b5Uni);
}

}  // namespace datagen
