// Verb conjugation: stems by class and the auxiliaries that attach to a verb, rewriting a
// Shift-JIS text and its category code.
#pragma once
#include <string>
#include <string_view>

namespace cj {

struct VerbSplit {
  std::string stem;
  std::string ending;
};
// Splits a word by verb class letter ('5', '1', 's', 'k'); other classes keep the word whole.
VerbSplit splitVerbEnding(char verbClass, std::string_view word);

// Rewrites text into a stem form: 'w' irrealis ('1' before ない, '2' volitional), 'y'
// continuative, 'j' hypothetical, 'm' imperative, 'z'/'t' dictionary form.
void conjugateStem(char form, char variant, std::string& text, char verbClass);
// The te/ta stem of a five-row verb.
void euphonicStem(std::string& text);

void verbTeForm(std::string& text, std::string_view code);
void appendPast(std::string& text, std::string& code);
void appendCausative(std::string& text, std::string& code);
void appendPassive(std::string& text, std::string& code);
void appendPotential(std::string& text, std::string& code);
void appendDesiderative(std::string& text, std::string& code);
void negateVerb(std::string& text, std::string& code);
void appendNotYet(std::string& text, std::string& code);
void appendProgressive(std::string& text, std::string& code);
void appendProgressivePast(std::string& text, std::string& code);
void appendProgressiveVolitional(std::string& text, std::string& code);
// Tense 'A' plain, 'B' past, 'C'; aspect 'A'-'D'.
void applyVerbTenseAspect(std::string& text, std::string& code, char ten, char asp);

}  // namespace cj
