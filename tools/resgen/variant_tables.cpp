#include "tools/resgen/variant_tables.h"

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

#include <array>
#include <map>
#include <sstream>

namespace resgen {

namespace {

constexpr char16_t kFirst = 0x4E00;
constexpr char16_t kLast = 0x9FA5;
constexpr int kWords = 656;

struct Pattern {
  int candidate;
  int position;
  std::u16string chars;  // whole pattern, current character included
};

struct Ambiguous {
  std::vector<char16_t> candidates;
  std::vector<Pattern> patterns;
};

struct Direction {
  std::map<char16_t, char16_t> plain;
  std::map<char16_t, Ambiguous> ambiguous;
};

std::vector<std::u16string> fields(std::string_view line) {
  std::vector<std::u16string> out;
  size_t start = 0;
  while (start <= line.size()) {
    size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) tab = line.size();
    out.push_back(plat::utf8ToWide(line.substr(start, tab - start)));
    start = tab + 1;
  }
  return out;
}

bool inRange(char16_t c) { return c >= kFirst && c <= kLast; }

ContextTableSet encode(const Direction& d) {
  std::map<char16_t, unsigned> target;  // character -> target value
  std::vector<const Ambiguous*> records;
  for (const auto& [c, t] : d.plain) target[c] = t;
  for (const auto& [c, a] : d.ambiguous) {
    target[c] = 0xE000 + static_cast<unsigned>(records.size());
    records.push_back(&a);
  }
  ContextTableSet s;
  std::array<std::uint32_t, kWords> bits{};
  for (const auto& [c, t] : target) bits[(c - kFirst) / 32] |= 1u << ((c - kFirst) % 32);
  unsigned before = 0;
  for (int w = 0; w < kWords; ++w) {
    plat::appendLe32(s.bitmap, bits[w]);
    plat::appendLe16(s.counts, before);
    before += static_cast<unsigned>(__builtin_popcount(bits[w]));
  }
  for (const auto& [c, t] : target) plat::appendLe16(s.targets, t);  // map order is bit order
  std::vector<char16_t> units;
  for (const Ambiguous* a : records) {
    for (int k = 0; k < 4; ++k) {
      plat::appendLe16(s.records, k < static_cast<int>(a->candidates.size()) ? a->candidates[k] : 0);
    }
    plat::appendLe16(s.records, static_cast<unsigned>(units.size()));
    for (const Pattern& p : a->patterns) {
      units.push_back(static_cast<char16_t>(p.candidate | p.position << 2 | static_cast<int>(p.chars.size()) << 5));
      for (size_t j = 0; j < p.chars.size(); ++j)
        if (static_cast<int>(j) != p.position) units.push_back(p.chars[j]);
    }
    units.push_back(0);
  }
  for (char16_t u : units) plat::appendLe16(s.patterns, u);
  return s;
}

}  // namespace

bool buildVariantTables(std::string_view text, VariantSource& out, std::string& error) {
  Direction st, ts;
  std::vector<VariantPair> pairs;
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  auto fail = [&](const char* why) {
    error = "line " + std::to_string(number) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::u16string> f = fields(line);
    const std::string kind = plat::wideToUtf8(f[0]);
    for (size_t i = 1; i < f.size(); ++i)
      if (f[i].empty()) return fail("empty field");
    if (kind == "pair") {
      if (f.size() != 3 || f[1].size() != 1 || f[2].size() != 1) return fail("pair needs two characters");
      if (!inRange(f[1][0]) || !inRange(f[2][0])) return fail("character outside U+4E00..U+9FA5");
      st.plain.emplace(f[1][0], f[2][0]);
      ts.plain.emplace(f[2][0], f[1][0]);
      pairs.push_back({f[1][0], f[2][0]});
    } else if (kind == "st" || kind == "ts") {
      if (f.size() < 3 || f.size() > 6) return fail("one to four candidates");
      Direction& d = kind == "st" ? st : ts;
      if (f[1].size() != 1 || !inRange(f[1][0])) return fail("bad character");
      Ambiguous& a = d.ambiguous[f[1][0]];
      for (size_t i = 2; i < f.size(); ++i) {
        if (f[i].size() != 1) return fail("a candidate is one character");
        a.candidates.push_back(f[i][0]);
        if (kind == "st") ts.plain.emplace(f[i][0], f[1][0]);
      }
    } else if (kind == "st-when" || kind == "ts-when") {
      Direction& d = kind == "st-when" ? st : ts;
      if (f.size() != 4 || f[1].size() != 1) return fail("character, candidate, pattern");
      auto it = d.ambiguous.find(f[1][0]);
      if (it == d.ambiguous.end()) return fail("pattern before its character's candidates");
      int candidate = f[2].size() == 1 ? f[2][0] - u'0' : -1;
      if (candidate < 0 || candidate >= static_cast<int>(it->second.candidates.size())) return fail("bad candidate");
      std::u16string chars;
      int position = -1;
      const std::u16string& p = f[3];
      for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == u'[' && i + 2 < p.size() && p[i + 2] == u']' && p[i + 1] == f[1][0] && position < 0) {
          position = static_cast<int>(chars.size());
          chars.push_back(p[i + 1]);
          i += 2;
        } else {
          chars.push_back(p[i]);
        }
      }
      if (position < 0 || position > 7 || chars.size() > 255) return fail("pattern needs [X] within 8 characters");
      it->second.patterns.push_back({candidate, position, chars});
    } else {
      return fail("unknown kind");
    }
  }
  for (const auto& [c, a] : st.ambiguous) st.plain.erase(c);
  for (const auto& [c, a] : ts.ambiguous) ts.plain.erase(c);
  out.toTraditional = encode(st);
  out.toSimplified = encode(ts);
  out.pairs = std::move(pairs);
  return true;
}

}  // namespace resgen
