// The paradigm table: every form of every conjugation class, each in a sentence with a subject,
// built from the verbs and adjectives of a card's Japanese lexicon, and the check of a
// translation of such a sentence (no kana, no 〓, the marks its form asks for).
#pragma once
#include <set>
#include <string>
#include <vector>

namespace datagen {

// Marks a form's Chinese must carry.
enum ParadigmMark : unsigned {
  kMarkNegation = 1,   // 不 / 没 / 别
  kMarkPast = 2,       // 了 / 过, or 没 of a negative past
  kMarkPotential = 4,  // 能 / 会 / 可以
  kMarkPassive = 8,    // 被 / 让 / 叫
  kMarkCausative = 16, // 让 / 叫 / 使
  kMarkWish = 32,      // 想 / 要
  kMarkJoin = 64,      // 又 / 而且 / 也: two adjectives of one subject joined
};

struct ParadigmRow {
  std::string cls;       // the conjugation class (五段か, 一段, カ変, サ変, サ変名詞, 形容詞, 形容動詞, 判定詞)
  std::string word;      // the dictionary form
  std::string form;      // the form's name (neg, past, potential ...)
  std::string sentence;  // UTF-8, ending in 。
  unsigned marks = 0;
};

// Rows for up to perClass words of each class from the lexicon text (data/sample/jc/lexicon.txt
// lines), in the order the lexicon lists them; words whose key is in skip are passed over.
// Stems written in kana only (い of いる, あ of ある: auxiliaries and irregular verbs) are left out.
std::vector<ParadigmRow> paradigmRows(const std::string& lexicon, int perClass, const std::set<std::string>& skip = {});

// The keys of a lexicon's entries (stems and whole words).
std::set<std::string> lexiconKeys(const std::string& lexicon);

// What is wrong with a translation of the row's sentence: "" when nothing, else the first fault
// ("kana", "〓", "no negation", "no past", ...).
std::string paradigmFault(const ParadigmRow& row, const std::string& chinese);

}  // namespace datagen
