#include "tools/datagen/full_card_hand_pairs.h"

#include "platform/core/codepage.h"
#include "tools/datagen/jp_dictionary_pair.h"

namespace datagen {

namespace {

constexpr std::string_view kHandHeading = "# Pairs given by hand\n";
const std::string kSuru = "する";
// A Japanese word the IPA dictionary lacks, written as it stands: a noun or an adverb only, as the
// Chinese word's tag names.
constexpr unsigned kAsItStands = 1u << 10;

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Each line of `text` with its newline removed, comments and blanks too.
template <typename F>
void eachLine(std::string_view text, F&& f) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    f(std::string(text.substr(start, end - start)));
    start = end + 1;
  }
}

// The Japanese word of a hand pair as the line writers take it: an EDICT-like entry (its spelling,
// with する off for a verb with する) and the classes (kPv*) it may be written in.
struct JapaneseWord {
  EdictEntry entry;
  unsigned classes = 0;
  std::string refused;  // why the word cannot be written
};

JapaneseWord japaneseWord(const std::string& word, const JapaneseIndex& japanese,
                          const std::map<std::string, FullConjugation>& conjugations,
                          const std::map<std::string, std::vector<const EdictEntry*>>& edictBySpelling,
                          bool chineseToJapanese) {
  JapaneseWord out;
  EdictEntry& e = out.entry;
  e.written = word;
  const auto transitivity = [&](const std::string& spelling) {
    if (auto it = edictBySpelling.find(spelling); it != edictBySpelling.end())
      for (const EdictEntry* x : it->second) {
        e.transitive |= x->transitive;
        e.intransitive |= x->intransitive;
      }
  };
  const auto bitsOf = [&](const std::string& w) {
    auto it = japanese.classes.find(w);
    return it == japanese.classes.end() ? 0u : it->second;
  };
  auto conjugation = japanese.conjugation.find(word);
  // Chinese to Japanese a word the IPA dictionary lacks conjugates as the verb or adjective it ends
  // in (打ち負かす: 負かす, 押し開ける: 開ける, 足りない: ない).
  const std::u16string wide = plat::utf8ToWide(word);
  for (std::size_t from = 1; chineseToJapanese && conjugation == japanese.conjugation.end() && !japanese.classes.count(word) &&
                             from + 2 <= wide.size();
       ++from)
    conjugation = japanese.conjugation.find(plat::wideToUtf8(wide.substr(from)));
  if (endsWith(word, kSuru)) {
    const std::string stem = word.substr(0, word.size() - kSuru.size());
    const unsigned bits = bitsOf(stem);
    // A noun with する (紹介する); a verb of the IPA dictionary in する (値する) is one Chinese to Japanese.
    // Chinese to Japanese any phrase with する conjugates as する does (明らかにする).
    if ((bits & kJpSuruNoun) || (chineseToJapanese && !stem.empty())) {
      e.written = stem;
      e.suru = true;
      out.classes = kPvVerb;
      transitivity(stem);
      transitivity(word);
      return out;
    }
    if (conjugation == japanese.conjugation.end()) {
      out.refused = "no noun with する of the IPA dictionary";
      return out;
    }
  }
  if (conjugation != japanese.conjugation.end()) {
    auto conj = conjugations.find(conjugation->second);
    if (conj == conjugations.end() || (chineseToJapanese && conj->second.pos == 2 && conj->second.type >= 16)) {
      out.refused = "conjugation type " + conjugation->second + " is not written";
      return out;
    }
    if (conj->second.pos == 2) {
      out.classes = kPvVerb;
      e.ichidan = conjugation->second.rfind("一段", 0) == 0;
      e.godan = !e.ichidan;
      transitivity(word);
    } else {
      out.classes = kPvAdjective;
      e.adjectiveI = true;
    }
    return out;
  }
  if (endsWith(word, "だ") && (bitsOf(word.substr(0, word.size() - 3)) & kJpAdjectiveStem)) {
    e.written = word.substr(0, word.size() - 3);
    e.adjectiveNa = true;
    out.classes = kPvAdjective;
    return out;
  }
  const unsigned bits = bitsOf(word);
  if (bits & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem | kJpPerson | kJpPlace | kJpOrganisation | kJpTime))
    out.classes |= kPvNoun;
  if (bits & kJpSuruNoun) {
    out.classes |= kPvVerb;
    e.suru = true;
    transitivity(word);
  }
  if (bits & kJpAdjectiveStem) {
    out.classes |= kPvAdjective;
    e.adjectiveNa = true;
  }
  if (bits & kJpAdverb) out.classes |= kPvAdverb;
  if (out.classes) return out;
  // A noun EDICT gives that the IPA dictionary lacks (誕生日): the hand vouches for it.
  if (auto it = edictBySpelling.find(word); it != edictBySpelling.end())
    for (const EdictEntry* x : it->second)
      if (!x->senses.empty() && (x->senses[0].classes & kPvNoun)) {
        e.common = true;
        out.classes = kPvNoun;
        return out;
      }
  out.refused = "not in the IPA dictionary";
  if (!chineseToJapanese) return out;
  // Chinese to Japanese a word in ～的 is a 形容動詞 (効率的); any other word that does not conjugate
  // is written as it stands, in the class its Chinese tag names (一斉に, 総生産額).
  if (endsWith(word, "的") && wide.size() >= 3) {
    e.adjectiveNa = true;
    out.classes = kPvAdjective;
  } else {
    out.classes = kPvNoun | kPvAdverb | kAsItStands;
  }
  out.refused.clear();
  return out;
}

// The class a pair is written in: the one the Chinese category names where the Japanese word has
// it, else the Japanese word's own (a verb first, then an adjective, an adverb, a noun).
unsigned pairClass(char category, unsigned classes) {
  const unsigned named = category == 'N' ? kPvNoun : category == 'V' ? kPvVerb : category == 'A' ? kPvAdjective
                                                       : category == 'F' ? kPvAdverb : 0u;
  if (classes & named) return named;
  for (unsigned c : {unsigned(kPvVerb), unsigned(kPvAdjective), unsigned(kPvAdverb), unsigned(kPvNoun)})
    if (classes & c) return c;
  return 0;
}

// The first tag of the card's classes the list gives each word.
std::map<std::string, const FullTag*> listTags(const std::vector<ChineseListWord>& list,
                                               const std::map<std::string, FullTag>& tags) {
  std::map<std::string, const FullTag*> out;
  for (const ChineseListWord& w : list)
    if (auto tag = tags.find(w.tag); tag != tags.end()) out.emplace(w.word, &tag->second);
  return out;
}

std::string reportLine(const HandPair& p, const std::string& reason) {
  return p.word + '\t' + p.translation + '\t' + reason;
}

}  // namespace

bool parseHandPairs(std::string_view text, std::vector<HandPair>& out, std::vector<std::string>* repeated,
                    std::string* error) {
  std::set<std::string> seen;
  bool ok = true;
  eachContentLine(text, [&](int number, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 2 || f[0].empty() || f[1].empty()) {
      if (ok && error) *error = "line " + std::to_string(number) + ": needs a word and a translation";
      ok = false;
      return;
    }
    if (!seen.insert(f[0]).second) {
      if (repeated) repeated->push_back("line " + std::to_string(number) + ": " + f[0] + ' ' + f[1]);
      return;
    }
    out.push_back({f[0], f[1], f.size() > 2 ? f[2] : std::string(), number});
  });
  return ok;
}

std::string withHandPairsCj(std::string_view words, const std::vector<HandPair>& pairs,
                            const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                            const std::map<std::string, std::string>& falseFriends,
                            const std::vector<FalseFriendPair>& falseFriendTable, const JapaneseIndex& japanese,
                            const std::map<std::string, FullConjugation>& conjugations,
                            const std::vector<EdictEntry>& edict, HandPairReport& report) {
  const std::size_t generated = words.find(kOpenListHeading);
  if (generated == std::string_view::npos) return std::string(words);
  std::set<std::string> handMade = sourceKeys(words.substr(0, generated));
  for (const auto& [word, translation] : falseFriends) handMade.insert(word);
  for (const FalseFriendPair& p : falseFriendTable)
    if (!p.japanese) handMade.insert(p.word);
  const auto tagOf = listTags(list, tags);
  const auto bySpelling = edictBySpelling(edict);
  static const std::map<unsigned, std::string> kEntries = {
      {kPvNoun, "N\\U[N]a[J]"}, {kPvVerb, "V\\U[V]t[1]"}, {kPvAdjective, "A\\U[A]"}, {kPvAdverb, "F\\U[F]"}};
  std::set<std::string> replaced;
  std::string lines;
  for (const HandPair& p : pairs) {
    if (handMade.count(p.word)) {
      report.kept.push_back(reportLine(p, "the sample card, a core or the false friends give it"));
      continue;
    }
    if (p.translation == "-") {
      replaced.insert(p.word);
      ++report.removed;
      continue;
    }
    std::string engine;
    if (!chineseToEngineColumn(p.word, engine) || engine.empty()) {
      report.refused.push_back(reportLine(p, "the Chinese word is not written in the card's code"));
      continue;
    }
    auto tag = tagOf.find(p.word);
    if (tag == tagOf.end()) {
      report.refused.push_back(reportLine(p, "the word list gives the Chinese word no tag of the card's classes"));
      continue;
    }
    if (!pivotRenderingInScript(p.translation, true)) {
      report.refused.push_back(reportLine(p, "the Japanese word is not in Japanese script"));
      continue;
    }
    const JapaneseWord j = japaneseWord(p.translation, japanese, conjugations, bySpelling, true);
    if (!j.refused.empty()) {
      report.refused.push_back(reportLine(p, j.refused));
      continue;
    }
    const FullTag& t = *tag->second;
    if ((j.classes & kAsItStands) && t.category != 'N' && t.category != 'F') {
      report.refused.push_back(reportLine(p, "not in the IPA dictionary, for a Chinese verb or adjective"));
      continue;
    }
    std::string entry = t.entry, translation;
    const unsigned cls = pairClass(t.category, j.classes);
    const bool nounAndVerb = entry.find("U[N]") != std::string::npos && entry.find("U[V]") != std::string::npos;
    if (nounAndVerb && (j.classes & kPvNoun) && (j.classes & kPvVerb) && j.entry.suru) {
      // A word the list tags noun and verb (vn) keeps the noun first, as the characters' pairs do.
      translation = pairTranslation(j.entry, kPvNoun) + " | " + pairTranslation(j.entry, kPvVerb);
    } else {
      translation = pairTranslation(j.entry, cls);
      const bool fits = (cls == kPvNoun && entry.find("U[N]") != std::string::npos) ||
                        (cls == kPvVerb && entry.find("U[V]") != std::string::npos) ||
                        (cls == kPvAdjective && t.category == 'A') || (cls == kPvAdverb && t.category == 'F');
      if (!fits) entry = kEntries.at(cls);
      // A person noun counts people.
      if (cls == kPvNoun && entry.find("a[H]") != std::string::npos) translation.replace(translation.size() - 5, 5, "N<人>");
    }
    replaced.insert(p.word);
    lines += p.word + '\t' + entry + "\t-\t" + translation + '\n';
    ++report.written;
  }
  std::string out(words.substr(0, generated));
  eachLine(words.substr(generated), [&](const std::string& line) {
    if (line.empty() || line[0] == '#' || !replaced.count(line.substr(0, line.find('\t')))) out += line + '\n';
  });
  return out + std::string(kHandHeading) + lines;
}

std::string withHandPairsJc(std::string_view lexicon, const std::vector<HandPair>& pairs,
                            const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                            const std::vector<FalseFriendPair>& falseFriendTable, const JapaneseIndex& japanese,
                            const std::map<std::string, FullConjugation>& conjugations,
                            const std::vector<EdictEntry>& edict, HandPairReport& report) {
  const std::size_t generated = lexicon.find(kGeneratedLexiconHeading);
  if (generated == std::string_view::npos) return std::string(lexicon);
  // The hand-made lexicon's words by their dictionary forms (a stem with its ending, a verb with する
  // by its noun too), and the false friends' table's.
  std::map<std::string, std::string> endings;  // "pos.type" -> ending of the dictionary form
  for (const auto& [name, c] : conjugations) endings.emplace(std::to_string(c.pos) + '.' + std::to_string(c.type), c.ending);
  const std::string_view handMadeText = lexicon.substr(0, generated);
  const std::set<std::string> handMadeKeys = sourceKeys(handMadeText);
  std::set<std::string> handMade;
  eachContentLine(handMadeText, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    const auto codes = f.size() >= 2 ? splitOn(f[1], '.') : std::vector<std::string>{};
    if (f.empty() || f[0].empty()) return;
    handMade.insert(f[0]);
    if (codes.size() == 4 && (codes[0] == "2" || codes[0] == "3"))
      if (auto e = endings.find(codes[0] + '.' + codes[2]); e != endings.end()) handMade.insert(f[0] + e->second);
    // An adjective's form in く (遠く, 多く) is read as the adjective, not as a noun of its own.
    if (codes.size() == 4 && codes[0] == "3" && codes[2] == "18") handMade.insert(f[0] + "く");
  });
  for (const FalseFriendPair& p : falseFriendTable)
    if (p.japanese) handMade.insert(p.word);
  const auto tagOf = listTags(list, tags);
  const auto bySpelling = edictBySpelling(edict);
  // The words whose generated lines go: every pair's word, in its key and its dictionary form.
  std::vector<FalseFriendPair> leaving;
  std::vector<std::pair<const HandPair*, JapaneseWord>> writing;
  for (const HandPair& p : pairs) {
    const std::string noun = endsWith(p.word, kSuru) ? p.word.substr(0, p.word.size() - kSuru.size()) : p.word;
    if (handMade.count(p.word) || handMade.count(noun)) {
      report.kept.push_back(reportLine(p, "the hand-made lexicon or the false friends' table gives it"));
      continue;
    }
    if (p.translation == "-") {
      leaving.push_back({p.word, true, "-", {}});
      ++report.removed;
      continue;
    }
    std::string engine;
    if (!pivotRenderingInScript(p.translation, false) || !chineseToEngineColumn(p.translation, engine) || engine.empty()) {
      report.refused.push_back(reportLine(p, "the Chinese word is not written in the card's code"));
      continue;
    }
    JapaneseWord j = japaneseWord(p.word, japanese, conjugations, bySpelling, false);
    if (!j.refused.empty()) {
      report.refused.push_back(reportLine(p, j.refused));
      continue;
    }
    leaving.push_back({p.word, true, "-", {}});
    if (j.entry.written != p.word) leaving.push_back({j.entry.written, true, "-", {}});
    writing.emplace_back(&p, std::move(j));
  }
  int left = 0;
  std::string out = withFalseFriendTableJc(lexicon, leaving, conjugations, left);
  std::set<std::string> stems = lexiconStemKeys(out);
  out += kHandHeading;
  for (const auto& [p, j] : writing) {
    auto tag = tagOf.find(p->translation);
    const unsigned cls = pairClass(tag == tagOf.end() ? '\0' : tag->second->category, j.classes);
    std::string why;
    const std::string lines = pairLexiconLines(j.entry, cls, p->translation, japanese, conjugations, handMadeKeys, stems, &why);
    if (lines.empty()) {
      report.refused.push_back(reportLine(*p, why));
      continue;
    }
    out += lines;
    ++report.written;
  }
  return out;
}

}  // namespace datagen
