#include "tools/datagen/jp_paradigm.h"

#include <map>
#include <sstream>

#include "platform/core/codepage.h"

namespace datagen {

namespace {

// The five vowel rows of a consonant verb's ending (a i u e o) and its te- and ta-forms.
struct GodanRow {
  int type;
  const char* cls;
  const char* a;
  const char* i;
  const char* u;
  const char* e;
  const char* o;
  const char* te;
  const char* ta;
};
constexpr GodanRow kGodan[] = {
    {2, "五段か", "か", "き", "く", "け", "こ", "いて", "いた"},
    {3, "五段か促音便", "か", "き", "く", "け", "こ", "って", "った"},
    {4, "五段が", "が", "ぎ", "ぐ", "げ", "ご", "いで", "いだ"},
    {5, "五段さ", "さ", "し", "す", "せ", "そ", "して", "した"},
    {6, "五段た", "た", "ち", "つ", "て", "と", "って", "った"},
    {7, "五段な", "な", "に", "ぬ", "ね", "の", "んで", "んだ"},
    {8, "五段ば", "ば", "び", "ぶ", "べ", "ぼ", "んで", "んだ"},
    {9, "五段ま", "ま", "み", "む", "め", "も", "んで", "んだ"},
    {10, "五段ら", "ら", "り", "る", "れ", "ろ", "って", "った"},
    {12, "五段わ", "わ", "い", "う", "え", "お", "って", "った"},
};

// The pieces a verb's forms are made of.
struct VerbForms {
  std::string plain, mizen, renyo, te, ta, cond, vol, potential, passive, causative;
};

enum Frame { kSubject, kWish, kPassive, kCausative, kThen, kIf, kWe, kEasy };

struct FormSpec {
  const char* name;
  Frame frame;
  unsigned marks;
};

std::string frame(Frame f, const std::string& predicate) {
  switch (f) {
    case kSubject: return "彼は" + predicate + "。";
    case kWish: return "私は" + predicate + "。";
    case kPassive: return "彼は先生に" + predicate + "。";
    case kCausative: return "先生は彼に" + predicate + "。";
    case kThen: return "彼は" + predicate + "、寝た。";
    case kIf: return "彼が" + predicate + "、私も行く。";
    case kWe: return "私たちは" + predicate + "。";
    case kEasy: return "それは" + predicate + "。";
  }
  return predicate;
}

// Chinese marks the passive of a transitive verb only (先生に死なれた: 老师去世了).
// A potential spelled as a verb of its own (開ける of 開く, 聞かせる of 聞かす) is left out.
void verbRows(const std::string& cls, const std::string& word, const VerbForms& v, bool transitive,
              std::vector<ParadigmRow>& out, bool potential = true) {
  const unsigned passive = transitive ? static_cast<unsigned>(kMarkPassive) : 0u;
  const std::string potStem = v.potential.substr(0, v.potential.size() - 3);  // without る
  const std::string pasStem = v.passive.substr(0, v.passive.size() - 3);
  const std::string cauStem = v.causative.substr(0, v.causative.size() - 3);
  const struct {
    const char* name;
    Frame frame;
    unsigned marks;
    std::string text;
  } forms[] = {
      {"plain", kSubject, 0, v.plain},
      {"negative", kSubject, kMarkNegation, v.mizen + "ない"},
      {"past", kSubject, kMarkPast, v.ta},
      {"negative past", kSubject, kMarkNegation | kMarkPast, v.mizen + "なかった"},
      {"polite", kSubject, 0, v.renyo + "ます"},
      {"polite negative", kSubject, kMarkNegation, v.renyo + "ません"},
      {"polite past", kSubject, kMarkPast, v.renyo + "ました"},
      {"polite negative past", kSubject, kMarkNegation | kMarkPast, v.renyo + "ませんでした"},
      {"te", kThen, 0, v.te},
      {"wish", kWish, kMarkWish, v.renyo + "たい"},
      {"wish negative", kWish, kMarkWish | kMarkNegation, v.renyo + "たくない"},
      {"potential", kSubject, kMarkPotential, v.potential},
      {"potential negative", kSubject, kMarkPotential | kMarkNegation, potStem + "ない"},
      {"potential past", kSubject, kMarkPotential | kMarkPast, potStem + "た"},
      {"passive", kPassive, passive, pasStem + "た"},
      {"passive plain", kPassive, passive, v.passive},
      {"causative", kCausative, kMarkCausative, cauStem + "た"},
      {"causative plain", kCausative, kMarkCausative, v.causative},
      {"conditional ba", kIf, 0, v.cond},
      {"conditional tara", kIf, 0, v.ta + "ら"},
      {"volitional", kWe, 0, v.vol},
      {"progressive", kSubject, 0, v.te + "いる"},
      {"progressive negative", kSubject, kMarkNegation, v.te + "いない"},
      {"te kuru", kSubject, kMarkPast, v.te + "きた"},
      {"te iku", kSubject, 0, v.te + "いく"},
      {"easy", kEasy, 0, v.renyo + "やすい"},
      {"hard", kEasy, 0, v.renyo + "にくい"},
  };
  for (const auto& f : forms)
    if (potential || !(f.marks & kMarkPotential)) out.push_back(ParadigmRow{cls, word, f.name, frame(f.frame, f.text), f.marks});
}

void adjectiveRows(const std::string& stem, std::vector<ParadigmRow>& out) {
  const std::string word = stem + "い";
  const struct {
    const char* name;
    Frame frame;
    unsigned marks;
    std::string text;
  } forms[] = {
      {"plain", kSubject, 0, stem + "い"},
      {"negative", kSubject, kMarkNegation, stem + "くない"},
      {"past", kSubject, 0, stem + "かった"},
      {"negative past", kSubject, kMarkNegation, stem + "くなかった"},
      {"polite", kSubject, 0, stem + "いです"},
      {"polite negative", kSubject, kMarkNegation, stem + "くないです"},
      {"polite past", kSubject, 0, stem + "かったです"},
      {"te", kThen, 0, stem + "くて"},
      {"adverbial ku", kSubject, kMarkPast, stem + "くなった"},
      {"becoming te kuru", kSubject, kMarkPast, stem + "くなってきた"},
      {"becoming te iku", kSubject, kMarkPast, stem + "くなっていった"},
      {"conditional ba", kIf, 0, stem + "ければ"},
      {"conditional tara", kIf, 0, stem + "かったら"},
  };
  for (const auto& f : forms) out.push_back(ParadigmRow{"形容詞", word, f.name, frame(f.frame, f.text), f.marks});
}

void nominalRows(const std::string& cls, const std::string& stem, bool adjective, std::vector<ParadigmRow>& out) {
  const struct {
    const char* name;
    Frame frame;
    unsigned marks;
    std::string text;
    bool adjectiveOnly;
  } forms[] = {
      {"plain", kSubject, 0, stem + "だ", false},
      {"negative", kSubject, kMarkNegation, stem + "ではない", false},
      {"negative ja", kSubject, kMarkNegation, stem + "じゃない", false},
      {"past", kSubject, 0, stem + "だった", false},
      {"negative past", kSubject, kMarkNegation, stem + "ではなかった", false},
      {"polite", kSubject, 0, stem + "です", false},
      {"polite negative", kSubject, kMarkNegation, stem + "ではありません", false},
      {"polite past", kSubject, 0, stem + "でした", false},
      {"te", kThen, 0, stem + "で", false},
      {"conditional nara", kIf, 0, stem + "なら", false},
      {"conditional naraba", kIf, 0, stem + "ならば", false},
      {"conditional tara", kIf, 0, stem + "だったら", false},
      {"adverbial ni", kSubject, 0, stem + "になった", true},
      {"attributive", kSubject, 0, stem + "な人だ", true},
  };
  for (const auto& f : forms)
    if (adjective || !f.adjectiveOnly) out.push_back(ParadigmRow{cls, stem, f.name, frame(f.frame, f.text), f.marks});
}

bool kanaOnly(const std::string& s) {
  for (char16_t c : plat::utf8ToWide(s))
    if (!(c >= 0x3040 && c <= 0x30FF)) return false;
  return true;
}

struct LexiconLine {
  std::string key, chinese;
  int pos = 0, sub = 0, type = 0, form = 0;
};

std::vector<LexiconLine> lexiconLines(const std::string& lexicon) {
  std::vector<LexiconLine> out;
  std::istringstream in(lexicon);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#' || line[0] == '+') continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string s; std::getline(fields, s, '\t');) f.push_back(s);
    if (f.size() < 2 || f[1] == "c") continue;
    LexiconLine l;
    l.key = f[0];
    if (std::sscanf(f[1].c_str(), "%d.%d.%d.%d", &l.pos, &l.sub, &l.type, &l.form) != 4) continue;
    l.chinese = f.size() > 3 ? f[3] : "";
    out.push_back(l);
  }
  return out;
}

}  // namespace

std::set<std::string> lexiconKeys(const std::string& lexicon) {
  std::set<std::string> keys;
  for (const LexiconLine& l : lexiconLines(lexicon)) keys.insert(l.key);
  return keys;
}

std::vector<ParadigmRow> paradigmRows(const std::string& lexicon, int perClass, const std::set<std::string>& skip) {
  std::vector<ParadigmRow> out;
  std::map<std::string, int> taken;
  std::set<std::string> seen;
  auto take = [&](const std::string& cls, const std::string& word) {
    if (skip.count(word) || taken[cls] >= perClass || !seen.insert(cls + word).second) return false;
    ++taken[cls];
    return true;
  };
  const std::vector<LexiconLine> lines = lexiconLines(lexicon);
  // Spellings that are verbs of their own: vowel verbs whose Chinese says more than one character
  // or 能 of a potential, and the passives and causatives of every verb.
  std::set<std::string> ownVerbs;
  for (const LexiconLine& l : lines) {
    if (l.pos != 2 || l.form != 0) continue;
    const std::u16string c = plat::utf8ToWide(l.chinese);
    if (l.type == 1 && c.size() >= 2 && c[0] != u'能' && c[0] != u'会' && c[0] != u'可') ownVerbs.insert(l.key);
    for (const GodanRow& g : kGodan)
      if (g.type == l.type) {
        ownVerbs.insert(l.key + g.a + "れ");
        ownVerbs.insert(l.key + g.a + "せ");
      }
  }
  // The irregular verbs are always there: する, 来る (with the words of the first draw).
  if (skip.empty()) {
    verbRows("サ変", "する",
             VerbForms{"する", "し", "し", "して", "した", "すれば", "しよう", "できる", "される", "させる"}, true, out);
    verbRows("カ変", "来る",
             VerbForms{"来る", "来", "来", "来て", "来た", "来れば", "来よう", "来られる", "来られる", "来させる"}, false, out);
  }
  // The adjectives taken, each joined in its te-form to the next one (高くて新しい, 静かで高い).
  std::vector<std::string> adjectives, nominals;
  for (const LexiconLine& l : lines) {
    if (l.chinese.empty() || l.form != 0 || kanaOnly(l.key)) continue;
    const std::string& s = l.key;
    if (l.pos == 2 && l.type == 1) {
      if (take("一段", s))
        verbRows("一段", s + "る",
                 VerbForms{s + "る", s, s, s + "て", s + "た", s + "れば", s + "よう", s + "られる", s + "られる", s + "させる"},
                 l.sub != 2, out);
      continue;
    }
    if (l.pos == 2 && l.type == 16) {
      if (take("サ変名詞", s))
        verbRows("サ変名詞", s + "する",
                 VerbForms{s + "する", s + "し", s + "し", s + "して", s + "した", s + "すれば", s + "しよう", s + "できる",
                           s + "される", s + "させる"},
                 l.sub != 2, out);
      continue;
    }
    if (l.pos == 2) {
      for (const GodanRow& g : kGodan) {
        if (g.type != l.type || !take(g.cls, s)) continue;
        verbRows(g.cls, s + g.u,
                 VerbForms{s + g.u, s + g.a, s + g.i, s + g.te, s + g.ta, s + g.e + "ば", s + g.o + "う", s + g.e + "る",
                           s + g.a + "れる", s + g.a + "せる"},
                 l.sub != 2, out, !ownVerbs.count(s + g.e));
      }
      continue;
    }
    if (l.pos == 3 && l.type == 18) {
      if (take("形容詞", s)) {
        adjectiveRows(s, out);
        adjectives.push_back(s);
      }
      continue;
    }
    if (l.pos == 3 && l.type == 21) {
      if (take("形容動詞", s)) {
        nominalRows("形容動詞", s, true, out);
        nominals.push_back(s);
      }
      continue;
    }
    if (l.pos == 6 && l.sub == 1 && plat::utf8ToWide(s).size() >= 2) {
      if (take("判定詞", s)) nominalRows("判定詞", s, false, out);
    }
  }
  for (std::size_t k = 0; k < adjectives.size() && adjectives.size() > 1; ++k) {
    const std::string& next = adjectives[(k + 1) % adjectives.size()];
    out.push_back(ParadigmRow{"形容詞", adjectives[k] + "い", "te joined", frame(kEasy, adjectives[k] + "くて" + next + "い"),
                              kMarkJoin});
  }
  for (std::size_t k = 0; k < nominals.size() && !adjectives.empty(); ++k)
    out.push_back(ParadigmRow{"形容動詞", nominals[k], "te joined",
                              frame(kEasy, nominals[k] + "で" + adjectives[k % adjectives.size()] + "い"), kMarkJoin});
  return out;
}

std::string paradigmFault(const ParadigmRow& row, const std::string& chinese) {
  const std::u16string w = plat::utf8ToWide(chinese);
  for (char16_t c : w) {
    if (c >= 0x3040 && c <= 0x30FF) return "kana";
    if (c == u'〓') return "〓";
  }
  auto has = [&w](std::u16string_view any) {
    for (char16_t c : any)
      if (w.find(c) != std::u16string::npos) return true;
    return false;
  };
  if ((row.marks & kMarkNegation) && !has(u"不没别")) return "no negation";
  if ((row.marks & kMarkPast) && !has(u"了过") && !((row.marks & kMarkNegation) && has(u"没"))) return "no past";
  if ((row.marks & kMarkPotential) && !has(u"能会可")) return "no potential";
  if ((row.marks & kMarkPassive) && !has(u"被让叫给")) return "no passive";
  if ((row.marks & kMarkCausative) && !has(u"让叫使")) return "no causative";
  if ((row.marks & kMarkWish) && !has(u"想要")) return "no wish";
  if ((row.marks & kMarkJoin) && !has(u"又而也")) return "not joined";
  return "";
}

}  // namespace datagen
