#include "tools/bench/corpus.h"

#include <cstdlib>
#include <random>

namespace bench {

namespace {

// Tab-separated fields of each data line; '#' lines and blank lines are skipped.
template <typename F>
void forEachLine(std::string_view text, F f) {
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
      std::size_t tab = line.find('\t', from);
      fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    f(fields);
  }
}

// Draws words with a fixed seed.
class Draw {
 public:
  template <typename T>
  const T& operator()(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(engine_)];
  }
  std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_); }

 private:
  std::mt19937 engine_{20261210};
};

// "a.b.c.d" as four numbers; false for anything else (compounds, continuation lines).
bool posCode(std::string_view code, int out[4]) {
  std::string s(code);
  const char* p = s.c_str();
  for (int k = 0; k < 4; ++k) {
    char* end = nullptr;
    long v = std::strtol(p, &end, 10);
    if (end == p || (k < 3 && *end != '.') || (k == 3 && *end != 0)) return false;
    out[k] = static_cast<int>(v);
    p = end + 1;
  }
  return true;
}

}  // namespace

bool readChineseWords(std::string_view wordsTxt, ChineseWords& out) {
  forEachLine(wordsTxt, [&](const std::vector<std::string_view>& f) {
    if (f.size() < 2) return;
    std::string word(f[0]);
    std::string_view entry = f[1];
    std::string_view cat = entry.substr(0, entry.find('\\'));
    auto has = [&](std::string_view attr) { return entry.find(attr) != std::string_view::npos; };
    if ((cat == "R" || cat == "N") && has("a[H]")) out.people.push_back(word);
    if (cat == "N" && has("a[T]")) out.times.push_back(word);
    if (cat == "N" && has("a[L]")) out.places.push_back(word);
    if (cat == "N" && has("a[J]")) out.things.push_back(word);
    // Verbs whose first Japanese rendering takes an object (codes T..., SHT...).
    if (cat == "V" && f.size() >= 4) {
      std::string_view head = f[3].substr(0, f[3].find(" | "));
      std::size_t comma = head.find(',', head.find(',') + 1);
      std::string_view code = comma == std::string_view::npos ? std::string_view() : head.substr(comma + 1);
      if (code.substr(0, 1) == "T" || code.substr(0, 3) == "SHT") out.verbs.push_back(word);
    }
    if (cat == "A") out.adjectives.push_back(word);
    if (cat == "U") out.numerals.push_back(word);
    if (cat == "S") out.classifiers.push_back(word);
  });
  for (const auto* v : {&out.people, &out.times, &out.places, &out.things, &out.verbs, &out.adjectives,
                        &out.numerals, &out.classifiers})
    if (v->empty()) return false;
  return true;
}

std::vector<std::string> chineseSentences(const ChineseWords& w, int count) {
  Draw d;
  const std::vector<std::string (*)(const ChineseWords&, Draw&)> patterns = {
      [](const ChineseWords& w, Draw& d) { return d(w.people) + d(w.verbs) + d(w.things) + "。"; },
      [](const ChineseWords& w, Draw& d) { return d(w.people) + "很" + d(w.adjectives) + "。"; },
      [](const ChineseWords& w, Draw& d) { return d(w.people) + "不" + d(w.verbs) + d(w.things) + "。"; },
      [](const ChineseWords& w, Draw& d) { return d(w.times) + d(w.people) + "去" + d(w.places) + "。"; },
      [](const ChineseWords& w, Draw& d) { return d(w.people) + "在" + d(w.places) + d(w.verbs) + d(w.things) + "。"; },
      [](const ChineseWords& w, Draw& d) {
        return d(w.people) + d(w.verbs) + "了" + d(w.numerals) + d(w.classifiers) + d(w.things) + "。";
      },
      [](const ChineseWords& w, Draw& d) { return d(w.people) + d(w.verbs) + d(w.things) + "吗？"; },
      [](const ChineseWords& w, Draw& d) { return "这是" + d(w.people) + d(w.verbs) + "的" + d(w.things) + "。"; },
      [](const ChineseWords& w, Draw& d) {
        return d(w.people) + "说：“" + d(w.people) + d(w.times) + "去" + d(w.places) + "。”";
      },
      [](const ChineseWords& w, Draw& d) { return d(w.places) + "很" + d(w.adjectives) + "。"; },
      [](const ChineseWords& w, Draw& d) { return d(w.people) + "没有" + d(w.things) + "。"; },
      [](const ChineseWords& w, Draw& d) {
        return d(w.people) + "和" + d(w.people) + "一起" + d(w.verbs) + d(w.things) + "。";
      },
  };
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(patterns[i % patterns.size()](w, d));
  return out;
}

bool readJapaneseWords(std::string_view lexiconTxt, JapaneseWords& out) {
  forEachLine(lexiconTxt, [&](const std::vector<std::string_view>& f) {
    int c[4];
    if (f.size() < 2 || !posCode(f[1], c)) return;
    std::string key(f[0]);
    if (c[0] == 6 && c[1] == 1) out.nouns.push_back(key);
    if (c[0] == 6 && c[1] == 2) out.sahenNouns.push_back(key);
    if (c[0] == 6 && c[1] == 4) out.places.push_back(key);
    if (c[0] == 6 && c[1] == 5) out.people.push_back(key);
    if (c[0] == 6 && c[1] == 10) out.times.push_back(key);
    // Stems (form 0) only: verbs listed by their forms are left out.
    if (c[0] == 2 && c[3] == 0 && c[1] == 1) out.transitiveVerbs.push_back({key, c[2]});
    if (c[0] == 2 && c[3] == 0 && c[1] == 2) out.intransitiveVerbs.push_back({key, c[2]});
    if (c[0] == 3 && c[3] == 0 && c[2] == 18) out.iAdjectives.push_back({key, c[2]});
    if (c[0] == 3 && c[3] == 0 && c[2] == 21) out.naAdjectives.push_back({key, c[2]});
  });
  return !out.nouns.empty() && !out.sahenNouns.empty() && !out.places.empty() && !out.people.empty() && !out.times.empty() &&
         !out.transitiveVerbs.empty() && !out.intransitiveVerbs.empty() && !out.iAdjectives.empty() &&
         !out.naAdjectives.empty();
}

std::vector<std::string> japaneseSentences(const JapaneseWords& w, const FormEnding& ending, int count) {
  Draw d;
  auto form = [&](const JapaneseStem& s, Form f) { return s.stem + ending(s.type, f); };
  using Pattern = std::function<std::string()>;
  const std::vector<Pattern> patterns = {
      [&] { return d(w.nouns) + "は" + d(w.nouns) + "を" + form(d(w.transitiveVerbs), kTaForm) + "。"; },
      [&] { return d(w.times) + d(w.people) + "は" + d(w.places) + "へ" + form(d(w.intransitiveVerbs), kBaseForm) + "。"; },
      [&] { return d(w.nouns) + "はとても" + form(d(w.iAdjectives), kBaseForm) + "。"; },
      [&] { return d(w.people) + "さんは" + form(d(w.naAdjectives), kBaseForm) + "。"; },
      [&] { return d(w.people) + "は" + d(w.times) + d(w.places) + "で" + d(w.sahenNouns) + "した。"; },
      [&] { return d(w.nouns) + "の" + d(w.nouns) + "は" + form(d(w.iAdjectives), kTaForm) + "。"; },
      [&] { return d(w.times) + "、" + d(w.people) + "は" + d(w.nouns) + "を" + form(d(w.transitiveVerbs), kBaseForm) + "か？"; },
      [&] {
        return d(w.people) + "は" + form(d(w.naAdjectives), kAdnominalForm) + d(w.nouns) + "を" +
               form(d(w.transitiveVerbs), kTaForm) + "。";
      },
  };
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(patterns[i % patterns.size()]());
  return out;
}

}  // namespace bench
