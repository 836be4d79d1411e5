#include "tools/pinyin_tablegen/unihan_source.h"

#include <bzlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tools/datagen/pinyin_tone_marks.h"

namespace pinyin::tablegen {

namespace {

// Decodes one UTF-8 character; 0xFFFD on a broken sequence.
char32_t nextChar(std::string_view s, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || i + extra > s.size()) return 0xFFFD;
  char32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return cp;
}

std::vector<ToneReading> readingList(std::string_view list, char sep) {
  std::vector<ToneReading> out;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(sep, start);
    if (end == std::string_view::npos) end = list.size();
    if (auto r = parseToneReading(list.substr(start, end - start))) out.push_back(*r);
    start = end + 1;
  }
  return out;
}

// "1351.020:yī 1360.040,1360.041*:yí,yì" → yī yí yì
std::vector<ToneReading> locatedReadings(std::string_view value) {
  std::vector<ToneReading> out;
  std::size_t start = 0;
  while (start < value.size()) {
    std::size_t end = value.find(' ', start);
    if (end == std::string_view::npos) end = value.size();
    std::string_view token = value.substr(start, end - start);
    std::size_t colon = token.find(':');
    if (colon != std::string_view::npos) {
      for (const ToneReading& r : readingList(token.substr(colon + 1), ',')) out.push_back(r);
    }
    start = end + 1;
  }
  return out;
}

void addUnique(std::vector<ToneReading>& to, const std::vector<ToneReading>& from) {
  for (const ToneReading& r : from) {
    bool seen = false;
    for (const ToneReading& t : to) seen = seen || t == r;
    if (!seen) to.push_back(r);
  }
}

}  // namespace

std::optional<ToneReading> parseToneReading(std::string_view s) {
  ToneReading r;
  std::size_t i = 0;
  while (i < s.size()) {
    char32_t cp = nextChar(s, i);
    if (cp >= U'a' && cp <= U'z') {
      r.spelling += static_cast<char>(cp);
      continue;
    }
    // Combining tone marks after a letter.
    if (const int tone = datagen::combiningTone(cp)) {
      if (r.spelling.empty() || r.tone) return std::nullopt;
      r.tone = tone;
      continue;
    }
    // The panel's tables keep ê apart as 'E'.
    const std::optional<datagen::ToneMarkedLetter> m = datagen::toneMarkedLetter(cp, 'E');
    if (!m || (m->tone && r.tone)) return std::nullopt;
    r.spelling += m->letter;
    if (m->tone) r.tone = m->tone;
  }
  if (r.spelling.empty()) return std::nullopt;
  return r;
}

void readUnihanLines(std::string_view text, HanziTable& table) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.starts_with("U+")) continue;
    std::size_t t1 = line.find('\t');
    std::size_t t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string_view::npos) continue;
    char32_t cp = static_cast<char32_t>(std::strtoul(std::string(line.substr(2, t1 - 2)).c_str(), nullptr, 16));
    std::string_view field = line.substr(t1 + 1, t2 - t1 - 1);
    std::string_view value = line.substr(t2 + 1);
    auto facts = [&]() -> HanziFacts& { return table[cp]; };
    if (field == "kMandarin") {
      addUnique(facts().mandarin, readingList(value, ' '));
    } else if (field == "kXHC1983" || field == "kTGHZ2013") {
      addUnique(facts().dictionary, locatedReadings(value));
    } else if (field == "kHanyuPinyin") {
      addUnique(facts().historic, locatedReadings(value));
    } else if (field == "kHanyuPinlu") {
      // "le(30101) liǎo(654)"
      std::size_t start = 0;
      while (start < value.size()) {
        std::size_t end = value.find(' ', start);
        if (end == std::string_view::npos) end = value.size();
        std::string_view token = value.substr(start, end - start);
        std::size_t open = token.find('(');
        if (open != std::string_view::npos) {
          if (auto r = parseToneReading(token.substr(0, open))) {
            facts().corpus.emplace_back(*r, std::atoi(std::string(token.substr(open + 1)).c_str()));
          }
        }
        start = end + 1;
      }
    } else if (field == "kFrequency") {
      facts().frequency = std::atoi(std::string(value).c_str());
    } else if (field == "kGB0") {
      facts().gb2312 = std::atoi(std::string(value).c_str());
    } else if (field == "kBigFive") {
      facts().big5 = static_cast<int>(std::strtoul(std::string(value).c_str(), nullptr, 16));
    }
  }
}

std::optional<std::string> readBzip2File(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) return std::nullopt;
  int err = BZ_OK;
  BZFILE* bz = BZ2_bzReadOpen(&err, f.get(), 0, 0, nullptr, 0);
  if (err != BZ_OK) return std::nullopt;
  std::string out;
  char buf[1 << 16];
  while (err == BZ_OK) {
    int n = BZ2_bzRead(&err, bz, buf, sizeof buf);
    if (n > 0) out.append(buf, static_cast<std::size_t>(n));
  }
  const bool ended = err == BZ_STREAM_END;
  BZ2_bzReadClose(&err, bz);
  if (!ended) return std::nullopt;
  return out;
}

}  // namespace pinyin::tablegen
