#include "engine/cj/transfer/verb_conjugation.h"

#include <array>

#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/jp_text.h"

namespace cj {
namespace {

// Five-row endings by column: dictionary, irrealis 1, irrealis 2, continuative, e row.
struct GodanRow {
  const char* dictionary;
  const char* irrealis1;
  const char* irrealis2;
  const char* continuative;
  const char* eRow;
};
constexpr std::array<GodanRow, 9> kGodanRows{{
    {"く", "か", "こ", "き", "け"},
    {"ぐ", "が", "ご", "ぎ", "げ"},
    {"す", "さ", "そ", "し", "せ"},
    {"つ", "た", "と", "ち", "て"},
    {"ぬ", "な", "の", "に", "ね"},
    {"ぶ", "ば", "ぼ", "び", "べ"},
    {"む", "ま", "も", "み", "め"},
    {"る", "ら", "ろ", "り", "れ"},
    {"う", "わ", "お", "い", "え"},
}};

const GodanRow* godanRow(std::string_view ending) {
  for (const GodanRow& r : kGodanRows) {
    if (ending == r.dictionary) return &r;
  }
  return nullptr;
}

bool isHonorificGodan(std::string_view word) {
  return word == "いらっしゃる" || word == "おっしゃる" || word == "くださる";
}

std::string honorificEnding(char form, char variant) {
  switch (form) {
    case 'j': return "れ";
    case 'm': return "い";
    case 'w':
      if (variant == '1') return "ら";
      if (variant == '2') return "ろ";
      return "る";
    case 'y':
      if (variant == '1') return "り";
      if (variant == '2') return "い";
      if (variant == '3') return "っ";
      return "る";
    default: return "る";
  }
}

void conjugateGodan(char form, char variant, std::string& text) {
  if (isHonorificGodan(text)) {
    text.resize(text.size() - 2);
    text += honorificEnding(form, variant);
    return;
  }
  VerbSplit v = splitVerbEnding('5', text);
  const GodanRow* row = godanRow(v.ending);
  if (!row) return;
  std::string ending = v.ending;
  if (form == 'w' && variant == '1') ending = row->irrealis1;
  else if (form == 'w' && variant == '2') ending = row->irrealis2;
  else if (form == 'y') ending = row->continuative;
  else if (form == 'j' || form == 'm') ending = row->eRow;
  text = v.stem + ending;
}

void conjugateIchidan(char form, char variant, std::string& text) {
  VerbSplit v = splitVerbEnding('1', text);
  std::string ending = v.ending;
  if (form == 'w' || form == 'y') ending.clear();
  else if (form == 'j') ending = "れ";
  else if (form == 'm' && variant == '1') ending = "ろ";
  else if (form == 'm' && variant == '2') ending = "よ";
  else if (form == 'z' || form == 't') ending = "る";
  text = v.stem + ending;
}

void conjugateSahen(char form, char variant, std::string& text) {
  VerbSplit v = splitVerbEnding('s', text);
  std::string ending = v.ending;
  if (form == 'j') ending = "すれ";
  else if (form == 'm') ending = variant == '1' ? "しろ" : "せよ";
  else if (form == 'w') ending = variant == '1' ? "し" : "さ";
  else if (form == 'y') ending = "し";
  else if (form == 'z' || form == 't') ending = "する";
  text = v.stem + ending;
}

void conjugateKahen(char form, std::string& text) {
  if (text == "来る") {
    if (form == 'j') text = "来れ";
    else if (form == 'm') text = "来い";
    else if (form == 'w' || form == 'y') text = "来";
    return;
  }
  VerbSplit v = splitVerbEnding('k', text);
  std::string ending = v.ending;
  if (form == 'j') ending = "くれ";
  else if (form == 'm') ending = "こい";
  else if (form == 'w') ending = "こ";
  else if (form == 'y') ending = "き";
  else if (form == 'z' || form == 't') ending = "くる";
  text = v.stem + ending;
}

// Te or ta form: ending is "て" or "た", voicedEnding "で" or "だ".
void teOrTa(std::string& text, std::string_view code, const char* ending, const char* voicedEnding) {
  char cls = verbClassOf(code);
  if (cls == '5' && !textEndsWith(text, "す")) {
    std::string last(lastChar(text));
    bool voiced = last == "む" || last == "ぬ" || last == "ぐ" || last == "ぶ";
    euphonicStem(text);
    text += voiced ? voicedEnding : ending;
    return;
  }
  conjugateStem('y', '1', text, cls);
  text += ending;
}

}  // namespace

VerbSplit splitVerbEnding(char verbClass, std::string_view word) {
  VerbSplit v{std::string(word), {}};
  switch (verbClass) {
    case '1':
    case '5': {
      std::string_view last = lastChar(word);
      bool ok = verbClass == '1' ? last == "る" : (!last.empty() && godanRow(last) != nullptr);
      if (ok && isCharBoundary(word, word.size() - 2)) {
        v.ending = std::string(last);
        v.stem.resize(word.size() - 2);
      }
      break;
    }
    case 'k':
    case 's':
      v.ending = verbClass == 'k' ? "くる" : "する";
      v.stem.resize(word.size() >= 4 ? word.size() - 4 : 0);
      break;
    default: break;
  }
  return v;
}

void conjugateStem(char form, char variant, std::string& text, char verbClass) {
  if (text.size() < 2) return;
  switch (verbClass) {
    case '5': conjugateGodan(form, variant, text); break;
    case '1': conjugateIchidan(form, variant, text); break;
    case 's': conjugateSahen(form, variant, text); break;
    case 'k': conjugateKahen(form, text); break;
    default: break;
  }
}

void euphonicStem(std::string& text) {
  VerbSplit v = splitVerbEnding('5', text);
  if (v.ending.empty()) return;
  std::size_t at = findAtBoundary(text, "行く");
  bool iku = at != std::string::npos && at + 4 == text.size();
  if (!iku) {
    at = findAtBoundary(text, "いく");
    iku = at != std::string::npos && at + 4 == text.size();
  }
  std::string ending = v.ending;
  if (iku) ending = "っ";
  else if (ending == "く" || ending == "ぐ") ending = "い";
  else if (ending == "ぶ" || ending == "ぬ" || ending == "む") ending = "ん";
  else if (ending == "う" || ending == "つ" || ending == "る") ending = "っ";
  text = v.stem + ending;
}

void verbTeForm(std::string& text, std::string_view code) {
  if (text.size() < 2) return;
  teOrTa(text, code, "て", "で");
}

void appendPast(std::string& text, std::string& code) {
  if (text.size() < 2) return;
  teOrTa(text, code, "た", "だ");
  code = isTransitiveCode(code) ? "DOKU0" : "DOKU1";
}

void appendCausative(std::string& text, std::string& code) {
  if (textEndsWith(text, "させる")) return;
  char cls = verbClassOf(code);
  if (cls == '5') {
    conjugateStem('w', '1', text, cls);
    text += "せる";
  } else if (cls == 's') {
    conjugateStem('w', '2', text, cls);
    text += "せる";
  } else {
    conjugateStem('w', '1', text, cls);
    text += "させる";
  }
  code = "TI000";
}

void appendPassive(std::string& text, std::string& code) {
  if (textEndsWith(text, "られる")) return;
  char cls = verbClassOf(code);
  if (cls == '5') {
    conjugateStem('w', '1', text, cls);
    text += "れる";
  } else if (cls == 's') {
    conjugateStem('w', '2', text, cls);
    text += "れる";
  } else {
    conjugateStem('w', '1', text, cls);
    text += "られる";
  }
  code = "TI000";
}

void appendPotential(std::string& text, std::string& code) {
  char cls = verbClassOf(code);
  if (cls == '1') {
    conjugateStem('w', '1', text, cls);
    text += "られる";
  } else if (cls == '5') {
    VerbSplit v = splitVerbEnding('5', text);
    if (const GodanRow* row = godanRow(v.ending)) text = v.stem + row->eRow + "る";
  } else if (cls == 'k' || cls == 's') {
    text += "ことができ（ありえ）る";
  }
  code = "TI000";
}

void appendDesiderative(std::string& text, std::string& code) {
  conjugateStem('y', '1', text, verbClassOf(code));
  text += "たい";
  code = "KYOSI";
}

void negateVerb(std::string& text, std::string& code) {
  if (text == "ある") {
    text = "ない";
    code = "KYOSI";
    return;
  }
  if (!replaceSuffix(text, "ある", "ない")) {
    conjugateStem('w', '1', text, verbClassOf(code));
    text += "ない";
  }
  code = isTransitiveCode(code) ? "VTNAI" : "VZNAI";
}

void appendNotYet(std::string& text, std::string& code) {
  if (verbClassOf(code) == '1' && replaceSuffix(text, "いる", "いない")) {
    code = "VTNAI";
    return;
  }
  if (replaceSuffix(text, "ある", "ない")) {
    code = "VTNAI";
    return;
  }
  if (text == "来る") {
    text = "来ていない";
    code = "VTNAI";
    return;
  }
  verbTeForm(text, code);
  text += "いない";
  code = isTransitiveCode(code) ? "VTNAI" : "VZNAI";
}

void appendProgressive(std::string& text, std::string& code) {
  if (text == "いる" || textEndsWith(text, "ている") || textEndsWith(text, "でいる") || textEndsWith(text, "ある")) {
    return;
  }
  verbTeForm(text, code);
  text += "いる";
  code = isTransitiveCode(code) ? "TI000" : "ZI000";
}

void appendProgressivePast(std::string& text, std::string& code) {
  verbTeForm(text, code);
  text += "いた";
}

void appendProgressiveVolitional(std::string& text, std::string& code) {
  verbTeForm(text, code);
  text += "いよう";
}

void applyVerbTenseAspect(std::string& text, std::string& code, char ten, char asp) {
  enum { kNothing, kProgressive, kPast, kProgressivePast, kProgressiveVolitional } step = kNothing;
  bool knownAsp = asp >= 'A' && asp <= 'D';
  if (!knownAsp) return;
  int a = asp - 'A';
  if (ten == 'A') {
    constexpr int row[] = {kNothing, kProgressive, kPast, kProgressive};
    step = static_cast<decltype(step)>(row[a]);
  } else if (ten == 'B') {
    constexpr int row[] = {kPast, kProgressivePast, kPast, kProgressivePast};
    step = static_cast<decltype(step)>(row[a]);
  } else if (ten == 'C') {
    constexpr int row[] = {kNothing, kProgressiveVolitional, kPast, kProgressiveVolitional};
    step = static_cast<decltype(step)>(row[a]);
  }
  switch (step) {
    case kProgressive: appendProgressive(text, code); break;
    case kPast: appendPast(text, code); break;
    case kProgressivePast: appendProgressivePast(text, code); break;
    case kProgressiveVolitional: appendProgressiveVolitional(text, code); break;
    case kNothing: break;
  }
}

}  // namespace cj
