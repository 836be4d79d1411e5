#include "platform/synparse/phrase_analysis.h"

#include <initializer_list>
#include <string_view>

namespace synparse {

namespace {

enum { kSymbol = 1, kVerb = 2, kAdjective = 3, kCopula = 4, kAuxiliary = 5, kNoun = 6, kDemonstrative = 7,
       kAdverb = 8, kParticle = 9, kConjunction = 10, kAdnominal = 11, kInterjection = 12, kPrefix = 13,
       kSuffix = 14, kUnknown = 15 };

bool inWords(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (w == word) return true;
  return false;
}

bool isSymbol(const Morpheme& m) { return m.pos == kSymbol; }
bool isOpening(const Morpheme& m) { return m.pos == kSymbol && m.subPos == 3; }
bool isFunction(const Morpheme& m) {
  return m.pos == kParticle || m.pos == kAuxiliary || m.pos == kCopula || m.pos == kSuffix;
}
bool isNounLike(const Morpheme& m) {
  return m.pos == kNoun || m.pos == kUnknown || (m.pos == kDemonstrative && m.subPos == 1);
}
// A mark that ends a sentence: the full stop, the exclamation and question marks.
bool isFullStop(const Morpheme& m) {
  return (m.pos == kSymbol && m.subPos == 1) ||
         inWords(m.surface, {"。", "．", "！", "？", "!", "?"});
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
  // The particle that marks the phrase's case: the last one, or the case particle before a
  // closing は or も (東京では, 学校には).
  int caseParticleIndex() const {
    int w = lastWord();
    if (w < 0 || at(w).pos != kParticle) return -1;
    if (at(w).subPos == 2 && (at(w).surface == "は" || at(w).surface == "も")) {
      int k = w - 1;
      while (k >= p.first && isSymbol(at(k))) --k;
      if (k > p.first && at(k).pos == kParticle && at(k).subPos == 1 &&
          inWords(at(k).surface, {"に", "で", "と", "へ", "から", "まで"}))
        return k;
    }
    return w;
  }
  const Morpheme* caseParticle() const {
    int k = caseParticleIndex();
    return k >= 0 ? &at(k) : nullptr;
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

bool isTimeNoun(const Morpheme& m) { return m.pos == kNoun && m.subPos == 10; }
// A time noun, or a counter of time (三時, 五月) by its semantic codes.
bool isTimeWord(const Morpheme& m) {
  return isTimeNoun(m) || (m.pos == kSuffix && m.subPos == 3 && m.semCodes.compare(0, 3, "116") == 0);
}
// A person by name or by semantic codes ("12" and a third digit 0-4; places and bodies are 125-129).
bool isPerson(const Morpheme& m) {
  if (m.pos == kNoun && m.subPos == 5) return true;
  const std::string& c = m.semCodes;
  return c.size() >= 3 && c[0] == '1' && c[1] == '2' && c[2] >= '0' && c[2] <= '4';
}
// A place name, or a noun whose semantic codes name a place (部屋, 公園, 駅 ...).
bool isPlaceNoun(const Morpheme& m) {
  if (m.pos == kNoun && m.subPos == 4) return true;
  if (m.pos != kNoun) return false;
  const std::string& c = m.semCodes;
  auto within = [&](std::string_view low, std::string_view high) {
    std::string_view head = std::string_view(c).substr(0, low.size());
    return head.size() == low.size() && head >= low && head <= high;
  };
  return within("117", "117") || within("152", "152") || within("1251", "1255") || within("1259", "1266") ||
         within("144", "147");
}
bool isClosing(const Morpheme& m) { return m.pos == kSymbol && m.subPos == 4; }


// Forms that continue a clause: te-forms and continuative forms.
bool isContinuingForm(const Morpheme& m) {
  if (m.conjType >= 1 && m.conjType <= 17) return m.conjForm == 7 || m.conjForm == 11;
  if (m.conjType >= 18 && m.conjType <= 20) return m.conjForm == 6 || m.conjForm == 10;
  if (m.conjType == 21) return m.conjForm == 7 || m.conjForm == 11;
  if (m.conjType == 22 || m.conjType == 23) return m.conjForm == 8 || m.conjForm == 12;
  if (m.conjType == 25) return m.conjForm == 11;
  return false;
}

// Verbs whose に marks an object (会う, 乗る ...), verbs of motion through a place (を), and verbs
// of saying and thinking (a quotation with と).
bool isNiObjectVerb(std::string_view base) {
  return inWords(base, {"会う", "乗る", "似る", "勝つ", "負ける", "従う", "触る", "反対する", "参加する"});
}
bool isMotionVerb(std::string_view base) {
  return inWords(base, {"歩く", "走る", "渡る", "通る", "出る", "飛ぶ", "泳ぐ", "登る", "散歩する"});
}
// A place or a time by name or by semantic codes (buildings and rooms too), or a noun the
// thesaurus does not class: with で most often the place of the action.
bool isSceneOfAction(const Morpheme& m) {
  if (!isNounLike(m)) return false;
  if ((m.pos == kNoun && (m.subPos == 4 || m.subPos == 10)) || m.semCodes.empty()) return true;
  const std::string& c = m.semCodes;
  for (std::string_view code : {"116", "117", "126", "12590", "144"})
    if (c.compare(0, code.size(), code) == 0 || c.find("/" + std::string(code)) != std::string::npos) return true;
  return false;
}
bool isArrivalVerb(std::string_view base) {
  return inWords(base, {"行く", "来る", "帰る", "着く", "入る", "戻る", "向かう", "出かける", "届く"});
}
// Verbs of going whose goal with に is their object in Chinese (学校に行く: 去学校).
bool isGoalObjectVerb(std::string_view base) {
  return inWords(base, {"行く", "来る", "帰る", "戻る", "入る", "着く", "通う", "出かける"});
}
bool isExistenceVerb(std::string_view base) {
  return inWords(base, {"ある", "在る", "有る", "いる", "居る", "おる", "ない", "無い"});
}
bool isQuoteVerb(std::string_view base) { return inWords(base, {"思う", "言う", "考える", "答える"}); }

struct CaseTag {
  const char* particle;
  const char* label;
  const char* jCode;
};
constexpr CaseTag kCaseTags[] = {
    {"は", "<係:未格>", "<ハ>"},     {"も", "<係:未格>", "<モ>"},     {"が", "<係:ガ格>", "<ガ>"},
    {"を", "<係:ヲ格>", "<ヲ>"},     {"に", "<係:ニ格>", "<ニ>"},     {"で", "<係:デ格>", "<デ>"},
    {"から", "<係:カラ格>", "<カラ>"}, {"より", "<係:ヨリ格>", "<ヨリ>"}, {"へ", "<係:ヘ格>", "<ヘ>"},
    {"まで", "<係:マデ格>", "<マデ>"}, {"と", "<係:ト格>", "<ト>"},     {"の", "<係:ノ格>", ""},
};

const CaseTag* caseTagOf(const Morpheme& particle) {
  if (particle.subPos != 1 && particle.subPos != 2) return nullptr;
  for (const CaseTag& c : kCaseTags)
    if (particle.surface == c.particle) return &c;
  return nullptr;
}

enum class Seeks { FirstPredicate, LastPredicate, Noun, Next };
enum class Kind { Plain, Topic, Case, Coordination, Clause, Adnominal, BareNoun, Conjunction, Final };

struct Reading {
  Seeks seeks;
  Kind kind;
  std::string label, jCode, extra;
};

// A phrase whose head is a noun: its first content word is noun-like and it holds no verb or
// adjective (a copula may follow the noun).
bool hasNounHead(const PhraseView& v) {
  for (int i = v.p.first; i <= v.p.last; ++i) {
    const Morpheme& w = v.at(i);
    if (w.pos == kVerb || w.pos == kAdjective) return false;
  }
  for (int i = v.p.first; i <= v.p.last; ++i) {
    const Morpheme& w = v.at(i);
    if (isSymbol(w) || w.pos == kPrefix) continue;
    return isNounLike(w);
  }
  return false;
}

// The noun a phrase ends on, before its particle; null when none.
const Morpheme* lastNoun(const PhraseView& v) {
  for (int i = v.p.last; i >= v.p.first; --i)
    if (isNounLike(v.at(i))) return &v.at(i);
  return nullptr;
}

// A phrase whose noun is the speaker (私は, 僕は).
bool isFirstPerson(const PhraseView& v) {
  const Morpheme* n = lastNoun(v);
  return n && inWords(n->baseForm, {"私", "わたし", "わたくし", "僕", "ぼく", "俺", "おれ", "我々", "私たち", "僕たち"});
}

// A topic that is a time (明日は, 来週は).
bool isTimeTopic(const PhraseView& v) {
  const Morpheme* n = lastNoun(v);
  return n && isTimeNoun(*n);
}

// A predicate in the past: a ta-form, or た, ました, でした after it.
bool isPastPredicate(const PhraseView& v) {
  if (v.p.first > v.p.last) return false;
  for (int i = v.p.first; i <= v.p.last; ++i) {
    const Morpheme& w = v.at(i);
    if (w.baseForm == "た" || w.surface == "ました" || w.surface == "でした") return true;
    if (w.conjType >= 1 && w.conjType <= 17 && w.conjForm == 8) return true;
  }
  return false;
}

// A person と a thing: the person goes with the predicate (友達と映画を見た), not with the noun;
// nor is a time word after と coordinated with the noun before it (同僚と昼ご飯を).
bool isCompanion(const PhraseView& v, const PhraseView& next) {
  const Morpheme* a = lastNoun(v);
  const Morpheme* b = lastNoun(next);
  if (!a || !b) return false;
  if ((isPerson(*a) && !isPerson(*b)) || (isTimeNoun(*b) && !isTimeNoun(*a))) return true;
  // 家族と海へ行った: before the goal of going, one goes with someone, not to two places (東京と大阪へ).
  const Morpheme* p = next.caseParticle();
  return p && p->surface == "へ" && !isPlaceNoun(*a) && !isTimeNoun(*a);
}

// A phrase whose particle only a verb takes: を, と, へ, から, まで (an adjective before a noun is
// not its head: 友達と新しい映画を見た).
bool needsVerb(const PhraseView& v) {
  const Morpheme* p = v.particle();
  if (!p || p->subPos != 1) return false;
  return inWords(p->surface, {"を", "と", "へ", "から", "まで"});
}
bool isAdjectiveModifier(const PhraseView& v, const Reading& r) {
  int p = v.predicate();
  return r.kind == Kind::Adnominal && p >= 0 && v.at(p).pos == kAdjective;
}

// A verb's clause that ends at a pause comma (読んだ、, 読む、): a link of a chain of clauses.
bool endsVerbClauseAtComma(const PhraseView& v) {
  int w = v.lastWord();
  if (w < 0 || w + 1 > v.p.last || !(v.at(w + 1).pos == kSymbol && v.at(w + 1).subPos == 2)) return false;
  int p = v.predicate();
  return p >= 0 && v.at(p).pos == kVerb && (w == p || v.at(w).pos == kAuxiliary);
}

// noun: the next phrase, or the noun phrase after a modifier that stands next (犬と小さい猫).
Reading readPhrase(const PhraseView& v, const PhraseView* next, const PhraseView* noun) {
  Reading r{Seeks::FirstPredicate, Kind::Plain, "<係:連用>", "", ""};
  const Morpheme* particle = v.caseParticle();
  int w = v.lastWord();
  if (particle) {
    if (particle->surface == "と" && particle->subPos == 1 && noun && noun->isNominal() && !v.hasPredicate() &&
        !isCompanion(v, *noun)) {
      // A と B: a noun coordination
      r = {noun == next ? Seeks::Next : Seeks::Noun, Kind::Coordination, "<係:連用>", "<ト>", ""};
    } else if (particle->surface == "に" && v.caseParticleIndex() > v.p.first &&
               v.at(v.caseParticleIndex() - 1).surface == "ず") {
      // 食べずに: a clause of the verb that follows, not a case.
      r.kind = Kind::Clause;
    } else if (const CaseTag* c = caseTagOf(*particle)) {
      bool topic = c->label == std::string_view("<係:未格>");
      Kind kind = topic ? Kind::Topic : particle->surface == "の" ? Kind::Adnominal : Kind::Case;
      r = {kind == Kind::Topic ? Seeks::LastPredicate : kind == Kind::Adnominal ? Seeks::Noun : Seeks::FirstPredicate,
           kind, c->label, c->jCode, ""};
      if (particle->surface == "は") r.extra = "<提題>";
    } else if (particle->subPos == 3) {
      r.kind = Kind::Clause;
      if (particle->surface == "て" || particle->surface == "で") r.extra = "<ID:～て>";
      else if (particle->surface == "ので") r.extra = "<ID:～ので>";
      else if (particle->surface == "ながら") r.extra = "<ID:～ながら>";
      else if (particle->surface == "ば") r.extra = "<ID:～ば>";
    }
    return r;
  }
  if (w < 0) return r;
  const Morpheme& last = v.at(w);
  bool beforeNoun = next && hasNounHead(*next);
  if (last.pos == kAdnominal || (last.pos == kDemonstrative && last.subPos == 2)) {
    r = {Seeks::Noun, Kind::Adnominal, "<係:連体>", "", ""};
  } else if (endsVerbClauseAtComma(v)) {
    // 本を読んだ、テレビを見た: a clause of its own in a chain, not a modifier of the noun after it.
    r = {Seeks::FirstPredicate, Kind::Clause, "<係:連用>", "", ""};
  } else if (v.hasPredicate() && beforeNoun && isAttributiveForm(last)) {
    r = {Seeks::Noun, Kind::Adnominal, "<係:連体>", "", ""};
  } else if (v.hasPredicate() && isContinuingForm(last)) {
    r = {Seeks::FirstPredicate, Kind::Clause, "<係:連用>", "", ""};
  } else if (v.contains(kConjunction, -1)) {
    r = {Seeks::LastPredicate, Kind::Conjunction, "<係:連用>", "", ""};
  } else if (v.isNominal()) {
    r = {Seeks::FirstPredicate, Kind::BareNoun, "<係:無格>", "", ""};
  } else if (last.pos == kInterjection) {
    r = {Seeks::FirstPredicate, Kind::Plain, "<係:NONE>", "", ""};
  }
  return r;
}

// The word before the phrase's case particle (stepping back over symbols).
const Morpheme* wordBeforeParticle(const PhraseView& v) {
  int w = v.caseParticleIndex();
  for (int i = w - 1; i >= v.p.first; --i)
    if (!isSymbol(v.at(i))) return &v.at(i);
  return nullptr;
}

// The base form of the head phrase's predicate word; empty when it has none.
std::string predicateBase(const PhraseView& head) {
  int p = head.predicate();
  return p >= 0 ? head.at(p).baseForm : std::string();
}

std::string usageCode(const PhraseView& v, const Reading& r, const PhraseView* head, const WordLists& lists) {
  const Morpheme* particle = v.caseParticle();
  if (!particle || (r.kind != Kind::Case && r.kind != Kind::Topic && r.kind != Kind::Coordination &&
                    r.kind != Kind::Adnominal))
    return "";
  const std::string& s = particle->surface;
  const Morpheme* before = wordBeforeParticle(v);
  std::string verb = head ? predicateBase(*head) : std::string();
  if (s == "に") {
    if (before && isTimeWord(*before)) return "<NI1>";
    // めったに, 一緒に: an adverb made of a noun and に; the adverbial rule places it.
    if (before && inList(lists.adverbialNi, before->baseForm)) return "<NI16>";
    // 三年前に, 二日後に: a time before or after.
    const int k = v.caseParticleIndex() - 2;
    if (before && (before->surface == "前" || before->surface == "後") && k >= v.p.first && isTimeWord(v.at(k)))
      return "<NI1>";
    if (before && before->pos == kNoun && isGoalObjectVerb(verb)) return "<NI99>";
    // The purpose of going, a サ変 noun (散歩に出かける: 出去散步), is its object too.
    if (before && before->pos == kNoun && before->subPos == 2 && isArrivalVerb(verb)) return "<NI99>";
    // Where something is (冷蔵庫に牛乳がない, 庭に猫がいる); a person with に has it (私には兄がいる).
    if (before && isNounLike(*before) && !isPerson(*before) && isExistenceVerb(verb)) return "<NI2>";
    if (before && isPlaceNoun(*before) && !isArrivalVerb(verb)) return "<NI2>";
    if (isNiObjectVerb(verb)) return "<NI10>";
    // Towards someone or something an adjective speaks of (私に優しい, 日本に詳しい).
    if (head && head->predicate() >= 0 && head->at(head->predicate()).pos == kAdjective) return "<NI5>";
    return "<NI3>";
  }
  if (s == "で") return before && isSceneOfAction(*before) ? "<DE1>" : "<DE2>";
  if (s == "を") return isMotionVerb(verb) ? "<WO2>" : "<WO1>";
  if (s == "と") {
    if (r.kind == Kind::Coordination) return "<TO5>";
    int w = v.lastWord();
    bool afterQuote = false;
    for (int i = w - 1; i >= v.p.first; --i) {
      const Morpheme& m = v.at(i);
      if (isClosing(m)) afterQuote = true;
      if (!isSymbol(m)) {
        afterQuote = afterQuote || isPredicateWord(m);
        break;
      }
    }
    if (afterQuote && isQuoteVerb(verb)) return "<TO3>";
    // What something becomes (問題となる): the object of なる.
    return verb == "なる" && !afterQuote ? "<TO2>" : "<TO1>";
  }
  if (s == "は") return "<WA1>";
  if (s == "が") return "<GA1>";
  // The goal of a verb of going is its object in Chinese (学校へ行く: 去学校).
  if (s == "へ") return before && isNounLike(*before) && isGoalObjectVerb(verb) ? "<HE99>" : "<HE1>";
  if (s == "から") return "<KR1>";
  if (s == "より") return "<YR1>";
  if (s == "の") return "<NO1>";
  if (s == "まで") return "<MADE1>";
  return "";
}

std::string featureTags(const PhraseView& v, int index, int count, const Reading& r) {
  std::string t;
  if (v.contains(kSymbol, 1)) t += "<句点>";
  if (v.contains(kSymbol, 2)) t += "<読点>";
  if (hasNounHead(v)) t += "<体言>";
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
  if (r.kind == Kind::Clause) t += "<用言:弱>";
  if (int w = v.lastWord(); w >= 0 && v.at(w).pos == kCopula && v.at(w).surface == "で") t += "<ID:～で（判）>";
  if (v.contains(kSymbol, 3)) t += "<括弧始>";
  if (v.contains(kSymbol, 4)) t += "<括弧終>";
  return t;
}

std::string voiceTags(const PhraseView& v, const WordLists& lists) {
  std::string t;
  if (v.containsBase(lists.negative)) {
    bool nu = false;
    for (int i = v.p.first; i <= v.p.last; ++i) nu = nu || v.at(i).baseForm == "ぬ";
    t += nu ? "<～ぬ>" : "<～ない>";
  }
  if (v.containsBase(lists.causative)) t += "<～せる>";
  if (v.containsBase(lists.passive)) t += "<～れる>";
  return t;
}

// られる after a vowel verb or 来る with no agent (先生に) before it is the potential (起きられる,
// 来られない): class 5.
char voiceClass(const PhraseView& v, const WordLists& lists, bool agent) {
  bool causative = v.containsBase(lists.causative), passive = v.containsBase(lists.passive);
  if (causative && passive) return '3';
  if (causative) return '1';
  if (!passive) return 0;
  int verb = v.predicate();
  if (verb < 0 || v.at(verb).pos != kVerb) return '2';
  const int type = v.at(verb).conjType;
  if (!agent && (type == 1 || type == 14 || type == 15) && verb < v.p.last && v.at(verb + 1).baseForm == "られる")
    return '5';
  return v.at(verb).subPos == 2 ? '4' : '2';
}

}  // namespace

bool isCircumstanceNi(const std::vector<Morpheme>& m, const Phrase& p, const WordLists& lists) {
  PhraseView v{m, p};
  const Morpheme* particle = v.caseParticle();
  if (!particle || particle->surface != "に") return false;
  const Morpheme* before = wordBeforeParticle(v);
  if (!before) return false;
  if (isTimeWord(*before) || inList(lists.adverbialNi, before->baseForm)) return true;
  // A count (三回に, 二つに) or a time before or after (三年前に).
  if ((before->pos == kSuffix && before->subPos == 3) || (before->pos == kNoun && before->subPos == 7)) return true;
  const int k = v.caseParticleIndex() - 2;
  return (before->surface == "前" || before->surface == "後") && k >= p.first && isTimeWord(v.at(k));
}

namespace {

// A digit, ASCII or full width (Shift-JIS 0x824F-0x8258), at the start or the end of a surface.
bool isDigitCode(std::string_view s, std::size_t at) {
  if (at >= s.size()) return false;
  const auto b = static_cast<unsigned char>(s[at]);
  if (b >= '0' && b <= '9') return true;
  return b == 0x82 && at + 1 < s.size() && static_cast<unsigned char>(s[at + 1]) >= 0x4F &&
         static_cast<unsigned char>(s[at + 1]) <= 0x58;
}
bool startsWithDigit(std::string_view s) { return isDigitCode(s, 0); }
bool endsWithDigit(std::string_view s) {
  return (!s.empty() && s.back() >= '0' && s.back() <= '9') || (s.size() >= 2 && isDigitCode(s, s.size() - 2));
}

// A point between two digits (12.5, １．５) is a decimal point, no sentence end.
bool isDecimalPoint(const std::vector<Morpheme>& m, int i) {
  const std::string_view w = m[static_cast<std::size_t>(i)].surface;
  if (w != "." && w != "．") return false;
  return i > 0 && i + 1 < static_cast<int>(m.size()) && endsWithDigit(m[static_cast<std::size_t>(i - 1)].surface) &&
         startsWithDigit(m[static_cast<std::size_t>(i + 1)].surface);
}

}  // namespace

std::vector<Sentence> cutSentences(const std::vector<Morpheme>& m) {
  std::vector<Sentence> out;
  int n = static_cast<int>(m.size());
  int first = 0, depth = 0;
  for (int i = 0; i < n; ++i) {
    const Morpheme& w = m[static_cast<std::size_t>(i)];
    if (isOpening(w)) ++depth;
    if (isClosing(w) && depth > 0) --depth;
    if (!isFullStop(w) || depth > 0 || isDecimalPoint(m, i)) continue;
    // A run of marks (？！, ！！) and the closing brackets after it stay with the sentence.
    while (i + 1 < n && (isClosing(m[static_cast<std::size_t>(i + 1)]) || isFullStop(m[static_cast<std::size_t>(i + 1)])))
      ++i;
    out.push_back(Sentence{first, i, {}});
    first = i + 1;
  }
  if (first < n) out.push_back(Sentence{first, n - 1, {}});
  return out;
}

void cutPhrases(const std::vector<Morpheme>& m, Sentence& s) {
  constexpr int kLongestPhrase = 64;
  s.phrases.clear();
  for (int i = s.first; i <= s.last; ++i) {
    const Morpheme& w = m[static_cast<std::size_t>(i)];
    bool join = false;
    if (!s.phrases.empty() && s.phrases.back().last - s.phrases.back().first + 1 < kLongestPhrase) {
      Phrase& cur = s.phrases.back();
      const Morpheme& prev = m[static_cast<std::size_t>(cur.last)];
      PhraseView v{m, cur};
      if (isFunction(w) || (isSymbol(w) && !isOpening(w))) join = true;
      else if (!v.hasContent()) join = true;  // a prefix or an opening bracket stays with this word
      else if (isOpening(w) || w.pos == kPrefix) join = false;
      else if (isNounLike(w) && isNounLike(prev) && isTimeNoun(w) == isTimeNoun(prev) && !v.particle()) join = true;
      else if (w.pos == kVerb && w.conjType == 16 && prev.pos == kNoun && prev.subPos == 2) join = true;
      else if ((w.surface == "前" || w.surface == "後") && isTimeWord(prev) && !v.particle()) join = true;
    }
    if (join)
      s.phrases.back().last = i;
    else
      s.phrases.push_back(Phrase{i, i, -1, "", 0});
  }
}

std::vector<Sentence> splitAtNodeLimit(const Sentence& s) {
  std::vector<Sentence> out;
  Sentence part{s.first, s.first - 1, {}};
  int nodes = 0;
  for (const Phrase& p : s.phrases) {
    int need = (p.last - p.first + 1) + 2;
    if (!part.phrases.empty() && nodes + need > kSentenceNodeLimit) {
      out.push_back(std::move(part));
      part = Sentence{p.first, p.first - 1, {}};
      nodes = 0;
    }
    part.phrases.push_back(p);
    part.last = p.last;
    nodes += need;
  }
  if (!part.phrases.empty() || out.empty()) out.push_back(std::move(part));
  return out;
}

// A verb's continuative with に before a verb of going (買いに行く): the purpose of going.
bool isPurposeOfGoing(const PhraseView& v, const PhraseView& head) {
  const Morpheme* q = v.particle();
  const int w = v.lastWord();
  if (!q || q->surface != "に" || w - 1 < v.p.first) return false;
  const Morpheme& verb = v.at(w - 1);
  return verb.pos == kVerb && isContinuingForm(verb) && isArrivalVerb(predicateBase(head));
}

// A place to go to: a noun with へ, or a place with に (店へ, 東京に).
bool isGoalPhrase(const PhraseView& v) {
  const Morpheme* q = v.caseParticle();
  const Morpheme* before = q ? wordBeforeParticle(v) : nullptr;
  if (!before || !isNounLike(*before) || v.p.last != v.caseParticleIndex()) return false;
  return q->surface == "へ" || (q->surface == "に" && isPlaceNoun(*before) && !isPerson(*before));
}

void attachPhrases(const std::vector<Morpheme>& m, Sentence& s, const WordLists& lists) {
  int n = static_cast<int>(s.phrases.size());
  if (n == 0) return;
  auto view = [&](int k) { return PhraseView{m, s.phrases[static_cast<std::size_t>(k)]}; };
  std::vector<Reading> readings(static_cast<std::size_t>(n));
  s.phrases.back().head = -1;
  readings.back() = Reading{Seeks::FirstPredicate, Kind::Final, "<係:文末>", "", ""};
  for (int i = n - 2; i >= 0; --i) {
    PhraseView next = view(i + 1);
    auto isQuotedClauseWithoutSubject = [&](int k) {
      const Morpheme* q = view(k).particle();
      if (!q || q->surface != "と" || q->subPos != 3) return false;
      for (int j = i + 1; j < k; ++j) {
        const Morpheme* c = view(j).caseParticle();
        // A subject of its own, or a topic of its own (私は明日は晴れると思う: the first topic thinks).
        if (s.phrases[static_cast<std::size_t>(j)].head == k && c && (c->surface == "が" || c->surface == "は"))
          return false;
      }
      return true;
    };
    auto isQuotedClause = [&](int k) {
      const Morpheme* q = view(k).particle();
      return q && q->surface == "と" && q->subPos == 3;
    };
    PhraseView afterModifier = i + 2 < n ? view(i + 2) : next;
    const bool modifierNext =
        i + 2 < n && !next.particle() && readPhrase(next, &afterModifier, nullptr).kind == Kind::Adnominal;
    Reading r = readPhrase(view(i), &next, modifierNext ? &afterModifier : &next);
    // Heads that keep the dependencies from crossing: the next phrase and its chain of heads.
    std::vector<int> chain;
    for (int k = i + 1; k >= 0; k = s.phrases[static_cast<std::size_t>(k)].head) chain.push_back(k);
    int head = chain.front();
    if (r.seeks == Seeks::FirstPredicate || r.seeks == Seeks::LastPredicate) {
      head = chain.back();
      const bool verbOnly = needsVerb(view(i));
      const bool goal = isGoalPhrase(view(i));
      for (int k : chain)
        if (view(k).hasPredicate() && !(verbOnly && isAdjectiveModifier(view(k), readings[static_cast<std::size_t>(k)]))) {
          // A goal before the purpose of going is the goal of the going (店へ本を買いに行く: 去商店买书).
          const int kh = s.phrases[static_cast<std::size_t>(k)].head;
          if (goal && kh >= 0 && isPurposeOfGoing(view(k), view(kh))) continue;
          head = k;
          if (r.seeks == Seeks::FirstPredicate) break;
          // A topic before a quoted clause without a subject of its own is that clause's (彼は来ると思う),
          // unless a third person's thought is told in the past (兄は大丈夫だと思った: 哥哥认为).
          if (r.kind == Kind::Topic && isQuotedClauseWithoutSubject(k) &&
              !(s.phrases[static_cast<std::size_t>(k)].head >= 0 &&
                isPastPredicate(view(s.phrases[static_cast<std::size_t>(k)].head)) && !isFirstPerson(view(i))))
            break;
          // A time topic before a quotation is the quoted clause's (明日は雨が降ると思う: 认为明天…).
          if (r.kind == Kind::Topic && isQuotedClause(k) && isTimeTopic(view(i))) break;
        }
    } else if (r.seeks == Seeks::Noun) {
      for (int k : chain)
        if (hasNounHead(view(k))) {
          head = k;
          break;
        }
    }
    s.phrases[static_cast<std::size_t>(i)].head = head;
    readings[static_cast<std::size_t>(i)] = r;
  }
  std::vector<bool> receivesTopic(static_cast<std::size_t>(n), false);
  for (int i = 0; i < n; ++i)
    if (readings[static_cast<std::size_t>(i)].kind == Kind::Topic)
      receivesTopic[static_cast<std::size_t>(s.phrases[static_cast<std::size_t>(i)].head)] = true;
  for (int i = 0; i < n; ++i) {
    Phrase& p = s.phrases[static_cast<std::size_t>(i)];
    const Reading& r = readings[static_cast<std::size_t>(i)];
    PhraseView v{m, p};
    std::string usage;
    if (p.head >= 0) {
      PhraseView head = view(p.head);
      usage = usageCode(v, r, &head, lists);
    }
    std::string quote = usage == "<TO3>" ? "<ID:～と（引用）>" : "";
    p.tags = r.label + r.jCode + r.extra + quote + featureTags(v, i, n, r) +
             (receivesTopic[static_cast<std::size_t>(i)] ? "<提題受:10>" : "") + voiceTags(v, lists) + usage;
    bool agent = false;
    for (int k = 0; k < i && !agent; ++k) {
      const Morpheme* particle = view(k).caseParticle();
      agent = s.phrases[static_cast<std::size_t>(k)].head == i && particle && particle->surface == "に" &&
              !isCircumstanceNi(m, s.phrases[static_cast<std::size_t>(k)], lists);
    }
    p.voiceClass = voiceClass(v, lists, agent);
  }
}

}  // namespace synparse
