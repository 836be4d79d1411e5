#include "engine/cj/transfer/adjective_conjugation.h"

#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/verb_conjugation.h"

namespace cj {
namespace {

// Which member a form letter runs.
enum class Member { None, Plain, J, Conjecture, Continuing, M, Attributive, Y, I };

bool hasTense(Member m) {
  return m == Member::Plain || m == Member::Conjecture || m == Member::M || m == Member::Attributive ||
         m == Member::I;
}

void applyTense(std::string& text, std::string& code, const CjModalities& m) {
  if (isVerbClassCode(code)) applyVerbTenseAspect(text, code, m.ten, m.asp);
  else if (isAdjectiveCode(code)) applyAdjectiveTense(text, code, m.ten, m.asp);
  else if (isNaAdjectiveCode(code)) applyNaAdjectiveTense(text, code, m.ten, m.asp);
}

void finalStep(Member member, std::string& text, std::string& code) {
  bool verb = isVerbClassCode(code);
  bool adj = isAdjectiveCode(code);
  bool na = isNaAdjectiveCode(code);
  char cls = verbClassOf(code);
  switch (member) {
    case Member::J:
      if (adj) conjugateIAdjective('j', text, '1');
      else if (na) conjugateCopula('j', text, '1');
      else if (verb) conjugateStem('j', '1', text, cls);
      else break;
      text += "ば";
      break;
    case Member::Conjecture:
      if (adj) {
        conjugateIAdjective('w', text, '1');
        text += "う";
      } else if (na) {
        conjugateCopula('w', text, '1');
        text += "う";
      } else if (verb || code == "DOKU0" || code == "DOKU1") {
        text += "だろう";
      }
      break;
    case Member::Continuing:
      if (adj) {
        if (isNegatedVerbCode(code)) {
          text += "で";
        } else {
          conjugateIAdjective('y', text, '1');
          text += "て";
        }
      } else if (na) {
        conjugateCopula('y', text, '2');
      } else if (verb) {
        verbTeForm(text, code);
      }
      break;
    case Member::M:
      if (verb) conjugateStem('m', '1', text, cls);
      break;
    case Member::Attributive:
      if (na) conjugateCopula('t', text, '1');
      break;
    case Member::Y:
      if (adj) {
        if (isNegatedVerbCode(code)) text += "で";
        else conjugateIAdjective('y', text, '1');
      } else if (na) {
        conjugateCopula('y', text, '3');
      } else if (verb) {
        conjugateStem('y', '1', text, cls);
      }
      break;
    case Member::I:
      if (verb) conjugateStem('w', '2', text, cls);
      break;
    case Member::Plain:
    case Member::None: break;
  }
}

void runMember(Member member, std::string& text, std::string& code, CjModalities& m) {
  // Modality chain; an adjective becomes a verb once, before the first auxiliary.
  const char* flags[] = {&m.shiyi, &m.voi, &m.neng, &m.yuanyi};
  void (*steps[])(std::string&, std::string&) = {appendCausative, appendPassive, appendPotential,
                                                  appendDesiderative};
  for (int k = 0; k < 4; ++k) {
    if (!*flags[k]) continue;
    if (isAdjectiveCode(code)) {
      replaceLastChar(text, "くなる");
      code = "TG000";
    } else if (isNaAdjectiveCode(code)) {
      replaceLastChar(text, "になる");
      code = "TG000";
    }
    steps[k](text, code);
  }
  if (m.neg) {
    if (isVerbClassCode(code)) {
      negateVerb(text, code);
    } else if (isAdjectiveCode(code)) {
      conjugateIAdjective('y', text, '1');
      text += "ない";
    } else if (isNaAdjectiveCode(code)) {
      conjugateCopula('y', text, '2');
      text += "はない";
      code = "KYOSI";
    }
  }
  if (m.neg1) {
    if (isVerbClassCode(code)) {
      appendNotYet(text, code);
    } else if (isAdjectiveCode(code) || isNaAdjectiveCode(code)) {
      appendNaru(text, code);
      appendNotYet(text, code);
    }
  }
  if (hasTense(member)) applyTense(text, code, m);
  finalStep(member, text, code);
}

Member adjectiveMember(char form) {
  switch (form) {
    case 'z': case '?': return Member::Plain;
    case 'j': return Member::J;
    case 'l': return Member::Conjecture;
    case 'd': return Member::Continuing;
    case 'm': return Member::M;
    case 't': case 'N': case 'n': case 'E': return Member::Attributive;
    case 'y': case 'Y': return Member::Y;
    case 'i': return Member::I;
    default: return Member::None;
  }
}

Member naAdjectiveMember(char form) {
  if (form == 'E') return Member::Plain;
  return adjectiveMember(form);
}

Member verbMember(char form) {
  if (form == 'Y') return Member::Continuing;
  if (form == 'N' || form == 'n' || form == 'E') return Member::None;
  return adjectiveMember(form);
}

bool run(Member member, std::string& text, std::string& code, CjModalities& m) {
  if (member == Member::None) return false;
  runMember(member, text, code, m);
  return true;
}

}  // namespace

void conjugateIAdjective(char form, std::string& text, char variant) {
  dropLastChar(text);
  if (form == 'j') text += "けれ";
  else if (form == 'w') text += variant == '1' ? "かろ" : "から";
  else if (form == 'y') text += variant == '1' ? "く" : "かっ";
  else text += "い";
}

void conjugateCopula(char form, std::string& text, char variant) {
  bool bareAttributive = textEndsWith(text, "同じ") || textEndsWith(text, "同じだ") ||
                         textEndsWith(text, "こんなだ") || textEndsWith(text, "そんなだ") ||
                         textEndsWith(text, "あんなだ") || textEndsWith(text, "どんなだ");
  replaceSuffix(text, "だ", "");
  if (form == 'j') {
    text += "なら";
  } else if (form == 't') {
    if (!bareAttributive) text += "な";
  } else if (form == 'w') {
    text += "だろ";
  } else if (form == 'y' && variant == '1') {
    text += "だっ";
  } else if (form == 'y' && variant == '2') {
    text += "で";
  } else if (form == 'y' && variant == '3') {
    text += "に";
  } else {
    text += "だ";
  }
}

void applyAdjectiveTense(std::string& text, std::string& code, char ten, char asp) {
  if (ten == 'B' || (ten == 'A' && asp == 'C')) {
    conjugateIAdjective('y', text, '2');
    text += "た";
    code = "DOKU0";
  }
}

void applyNaAdjectiveTense(std::string& text, std::string& code, char ten, char asp) {
  if (ten == 'B' || (ten == 'A' && asp == 'C')) {
    conjugateCopula('y', text, '1');
    text += "た";
    code = "DOKU0";
  }
}

void predicateTeForm(std::string& text, std::string& code) {
  if (isVerbClassCode(code)) {
    verbTeForm(text, code);
  } else if (isAdjectiveCode(code)) {
    conjugateIAdjective('y', text, '1');
    text += "て";
  } else if (isNaAdjectiveCode(code)) {
    conjugateCopula('y', text, '2');
  }
}

void predicatePast(std::string& text, std::string& code) {
  if (isVerbClassCode(code)) {
    appendPast(text, code);
  } else if (isAdjectiveCode(code)) {
    conjugateIAdjective('y', text, '2');
    text += "た";
    code = "DOKU0";
  } else if (isNaAdjectiveCode(code)) {
    conjugateCopula('y', text, '1');
    text += "た";
    code = "DOKU0";
  }
}

void appendNaru(std::string& text, std::string& code) {
  if (isVerbClassCode(code)) return;
  if (isAdjectiveCode(code)) {
    conjugateIAdjective('y', text, '1');
    text += "なる";
    code = "ZG001";
  } else if (isNaAdjectiveCode(code)) {
    conjugateCopula('y', text, '3');
    text += "なる";
    code = "ZG001";
  }
  if (isNounCode(code)) {
    text += "になる";
    code = "ZG001";
  }
}

bool adjectiveFormConjugator(char form, std::string& text, std::string& code, CjModalities& m) {
  return run(adjectiveMember(form), text, code, m);
}

bool naAdjectiveFormConjugator(char form, std::string& text, std::string& code, CjModalities& m) {
  return run(naAdjectiveMember(form), text, code, m);
}

bool verbFormConjugator(char form, std::string& text, std::string& code, CjModalities& m) {
  return run(verbMember(form), text, code, m);
}

bool applyFormSteps(char form, std::string& text, std::string& code, const CjModalities& m) {
  Member member = Member::None;
  if (isVerbClassCode(code)) member = verbMember(form);
  else if (isAdjectiveCode(code)) member = adjectiveMember(form);
  else if (isNaAdjectiveCode(code)) member = naAdjectiveMember(form);
  if (member == Member::None) return false;
  if (hasTense(member)) applyTense(text, code, m);
  finalStep(member, text, code);
  return true;
}

}  // namespace cj
