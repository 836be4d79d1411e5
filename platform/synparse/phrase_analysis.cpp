#include "platform/synparse/phrase_analysis.h"

#include <string_view>

namespace synparse {

namespace {

enum { kSymbol = 1, kVerb = 2, kAdjective = 3, kCopula = 4, kAuxiliary = 5, kNoun = 6, kDemonstrative = 7,
       kAdverb = 8, kParticle = 9, kConjunction = 10, kAdnominal = 11, kInterjection = 12, kPrefix = 13,
       kSuffix = 14, kUnknown = 15 };

bool isSymbol(const Morpheme& m) { return m.pos == kSymbol; }
bool isOpening(const Morpheme& m) { return m.pos == kSymbol && m.subPos == 3; }
bool isFunction(const Morpheme& m) {
  return m.pos == kParticle || m.pos == kAuxiliary || m.pos == kCopula || m.pos == kSuffix;
}
bool isNounLike(const Morpheme& m) {
  return m.pos == kNoun || m.pos == kUnknown || (m.pos == kDemonstrative && m.subPos == 1);
}
bool isFullStop(const Morpheme& m) {
  return (m.pos == kSymbol && m.subPos == 1) || m.surface == "。" || m.surface == "．";
}
bool isPredicateWord(const Morpheme& m) {
  return m.pos == kVerb || m.pos == kAdjective || m.pos == kCopula || m.pos == kAuxiliary;
}

// A conjugated form that stands before a noun.
bool isAttributiveForm(const Morpheme& m) {
  if (m.conjType >= 1 && m.conjType <= 17) return m.conjForm == 2 || m.conjForm == 8;
  if (m.conjType >= 18 && m.conjType <= 20) return m.conjForm == 2 || m.conjForm == 7;
  if (m.conjType >= 21 && m.conjType <= 25) return m.conjForm == 4 || m.conjForm == 5;
  return m.conjForm == 2;
}

struct PhraseView {
  const std::vector<Morpheme>& m;
  const Phrase& p;

  const Morpheme& at(int i) const { return m[static_cast<std::size_t>(i)]; }
  bool hasContent() const {
    for (int i = p.first; i <= p.last; ++i)
      if (!isSymbol(at(i)) && at(i).pos != kPrefix) return true;
    return false;
  }
  // The last word that is not a symbol; -1 when none.
  int lastWord() const {
    for (int i = p.last; i >= p.first; --i)
      if (!isSymbol(at(i))) return i;
    return -1;
  }
  const Morpheme* particle() const {
    int w = lastWord();
    return w >= 0 && at(w).pos == kParticle ? &at(w) : nullptr;
  }
  // The last predicate word of the phrase's own (a content verb, adjective or copula); -1 when none.
  int predicate() const {
    for (int i = p.last; i >= p.first; --i)
      if (at(i).pos == kVerb || at(i).pos == kAdjective || at(i).pos == kCopula) return i;
    return -1;
  }
  bool hasPredicate() const {
    for (int i = p.first; i <= p.last; ++i)
      if (isPredicateWord(at(i))) return true;
    return false;
  }
  bool isNominal() const {
    if (hasPredicate()) return false;
    for (int i = p.last; i >= p.first; --i)
      if (!isSymbol(at(i)) && !isFunction(at(i)) && at(i).pos != kPrefix) return isNounLike(at(i));
    return false;
  }
  bool contains(int pos, int subPos) const {
    for (int i = p.first; i <= p.last; ++i)
      if (at(i).pos == pos && (subPos < 0 || at(i).subPos == subPos)) return true;
    return false;
  }
  bool containsBase(const std::vector<std::string>& list) const {
    for (int i = p.first; i <= p.last; ++i)
      if ((at(i).pos == kAuxiliary || at(i).pos == kSuffix) && inList(list, at(i).baseForm)) return true;
    return false;
  }
};

struct CaseTag {
  const char* particle;
  const char* label;
  const char* jCode;
  const char* usage;
};
constexpr CaseTag kCaseTags[] = {
    {"は", "<係:未格>", "<ハ>", "<WA1>"},     {"も", "<係:未格>", "<モ>", "<WA2>"},
    {"が", "<係:ガ格>", "<ガ>", "<GA1>"},     {"を", "<係:ヲ格>", "<ヲ>", "<WO1>"},
    {"に", "<係:ニ格>", "<ニ>", "<NI1>"},     {"で", "<係:デ格>", "<デ>", "<DE1>"},
    {"から", "<係:カラ格>", "<カラ>", "<KR1>"}, {"より", "<係:ヨリ格>", "<ヨリ>", "<YR1>"},
    {"へ", "<係:ヘ格>", "<ヘ>", "<HE1>"},     {"まで", "<係:マデ格>", "<マデ>", "<MADE1>"},
    {"と", "<係:ト格>", "<ト>", "<TO1>"},     {"の", "<係:ノ格>", "", "<NO1>"},
};

const CaseTag* caseTagOf(const Morpheme& particle) {
  if (particle.subPos != 1 && particle.subPos != 2) return nullptr;
  for (const CaseTag& c : kCaseTags)
    if (particle.surface == c.particle) return &c;
  return nullptr;
}

enum class Seeks { Predicate, Nominal, Next };

struct Reading {
  Seeks seeks;
  std::string label, jCode, usage, extra;
};

Reading readPhrase(const PhraseView& v, const PhraseView* next) {
  Reading r{Seeks::Predicate, "<係:連用>", "", "", ""};
  const Morpheme* particle = v.particle();
  int w = v.lastWord();
  if (particle) {
    if (particle->surface == "と" && particle->subPos == 1 && next && next->isNominal()) {
      r = {Seeks::Next, "<係:連用>", "<ト>", "<TO5>", ""};  // A と B: a noun coordination
    } else if (const CaseTag* c = caseTagOf(*particle)) {
      r = {particle->surface == "の" ? Seeks::Nominal : Seeks::Predicate, c->label, c->jCode, c->usage, ""};
      if (particle->surface == "は") r.extra = "<提題>";
    } else if (particle->subPos == 3) {
      if (particle->surface == "て") r.extra = "<ID:～て>";
      else if (particle->surface == "ので") r.extra = "<ID:～ので>";
      else if (particle->surface == "ながら") r.extra = "<ID:～ながら>";
    }
    return r;
  }
  if (w < 0) return r;
  const Morpheme& last = v.at(w);
  bool beforeNoun = next && next->isNominal();
  if (last.pos == kAdnominal || (last.pos == kDemonstrative && last.subPos == 2)) {
    r = {Seeks::Nominal, "<係:連体>", "", "", ""};
  } else if (v.hasPredicate() && beforeNoun && isAttributiveForm(last)) {
    r = {Seeks::Nominal, "<係:連体>", "", "", ""};
  } else if (v.isNominal()) {
    r = {beforeNoun ? Seeks::Nominal : Seeks::Predicate, beforeNoun ? "<係:隣接>" : "<係:無格>", "", "", ""};
  } else if (last.pos == kInterjection) {
    r = {Seeks::Predicate, "<係:NONE>", "", "", ""};
  }
  return r;
}

std::string featureTags(const PhraseView& v, int index, int count, const WordLists& lists) {
  std::string t;
  if (v.contains(kSymbol, 1)) t += "<句点>";
  if (v.contains(kSymbol, 2)) t += "<読点>";
  if (v.isNominal()) t += "<体言>";
  if (v.contains(kNoun, 10)) t += "<時間>";
  if (v.contains(kNoun, 7)) t += "<数量>";
  if (v.contains(kNoun, 5)) t += "<人名>";
  if (v.contains(kNoun, 4)) t += "<地名>";
  if (v.contains(kNoun, 6)) t += "<組織名>";
  if (v.contains(kNoun, 8)) t += "<形式名詞>";
  if (v.contains(kAdverb, -1)) t += "<副詞>";
  if (v.contains(kConjunction, -1)) t += "<接続詞>";
  if (index == 0) t += "<文頭>";
  if (index == count - 1) t += "<文末>";
  if (v.particle()) t += "<助詞>";
  if (v.hasContent()) t += "<自立>";
  if (int p = v.predicate(); p >= 0) {
    int pos = v.at(p).pos;
    t += pos == kVerb ? "<用言:強:動>" : pos == kAdjective ? "<用言:強:形>" : "<用言:強:判>";
  }
  if (v.contains(kSymbol, 3)) t += "<括弧始>";
  if (v.contains(kSymbol, 4)) t += "<括弧終>";
  if (v.containsBase(lists.negative)) {
    bool nu = false;
    for (int i = v.p.first; i <= v.p.last; ++i) nu = nu || v.at(i).baseForm == "ぬ";
    t += nu ? "<～ぬ>" : "<～ない>";
  }
  if (v.containsBase(lists.causative)) t += "<～せる>";
  if (v.containsBase(lists.passive)) t += "<～れる>";
  return t;
}

}  // namespace

std::vector<Sentence> cutSentences(const std::vector<Morpheme>& m) {
  std::vector<Sentence> out;
  int first = 0;
  for (int i = 0; i < static_cast<int>(m.size()); ++i)
    if (isFullStop(m[static_cast<std::size_t>(i)])) {
      out.push_back(Sentence{first, i, {}});
      first = i + 1;
    }
  if (first < static_cast<int>(m.size())) out.push_back(Sentence{first, static_cast<int>(m.size()) - 1, {}});
  return out;
}

void cutPhrases(const std::vector<Morpheme>& m, Sentence& s) {
  s.phrases.clear();
  for (int i = s.first; i <= s.last; ++i) {
    const Morpheme& w = m[static_cast<std::size_t>(i)];
    bool join = false;
    if (!s.phrases.empty()) {
      Phrase& cur = s.phrases.back();
      const Morpheme& prev = m[static_cast<std::size_t>(cur.last)];
      PhraseView v{m, cur};
      if (isFunction(w) || (isSymbol(w) && !isOpening(w))) join = true;
      else if (!v.hasContent()) join = true;  // a prefix or an opening bracket stays with this word
      else if (isOpening(w) || w.pos == kPrefix) join = false;
      else if (isNounLike(w) && isNounLike(prev)) join = true;
      else if (w.pos == kVerb && w.conjType == 16 && prev.pos == kNoun && prev.subPos == 2) join = true;
    }
    if (join)
      s.phrases.back().last = i;
    else
      s.phrases.push_back(Phrase{i, i, -1, "", 0});
  }
}

void attachPhrases(const std::vector<Morpheme>& m, Sentence& s, const WordLists& lists) {
  int n = static_cast<int>(s.phrases.size());
  if (n == 0) return;
  auto view = [&](int k) { return PhraseView{m, s.phrases[static_cast<std::size_t>(k)]}; };
  std::vector<Reading> readings(static_cast<std::size_t>(n));
  s.phrases.back().head = -1;
  readings.back() = Reading{Seeks::Predicate, "<係:文末>", "", "", ""};
  for (int i = n - 2; i >= 0; --i) {
    PhraseView next = view(i + 1);
    Reading r = readPhrase(view(i), &next);
    // Heads that keep the dependencies from crossing: the next phrase and its chain of heads.
    std::vector<int> chain;
    for (int k = i + 1; k >= 0; k = s.phrases[static_cast<std::size_t>(k)].head) chain.push_back(k);
    int head = chain.front();
    if (r.seeks == Seeks::Predicate) {
      head = chain.back();
      for (int k : chain)
        if (view(k).hasPredicate()) {
          head = k;
          break;
        }
    } else if (r.seeks == Seeks::Nominal) {
      for (int k : chain)
        if (view(k).isNominal()) {
          head = k;
          break;
        }
    }
    s.phrases[static_cast<std::size_t>(i)].head = head;
    readings[static_cast<std::size_t>(i)] = r;
  }
  for (int i = 0; i < n; ++i) {
    Phrase& p = s.phrases[static_cast<std::size_t>(i)];
    const Reading& r = readings[static_cast<std::size_t>(i)];
    PhraseView v{m, p};
    p.tags = r.label + r.jCode + r.extra + featureTags(v, i, n, lists) + r.usage;
    p.voiceClass = 0;
    if (v.containsBase(lists.causative)) {
      p.voiceClass = '1';
    } else if (v.containsBase(lists.passive)) {
      int verb = v.predicate();
      p.voiceClass = verb >= 0 && v.at(verb).pos == kVerb && v.at(verb).subPos == 2 ? '4' : '2';
    }
  }
}

}  // namespace synparse
