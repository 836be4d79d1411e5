// Writes the grammar files transfer.ruc (rules and actions) and transfer.dac (goto tables) from a
// readable grammar: CR LF line ends, scrambled line by line.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/grammar_shapes.h"

namespace datagen {

struct CjGrammarRule {
  std::string rule;    // "NP-[N]+[N] #3 &L"
  std::string action;  // "->..." (the leading "->" is added when missing)
};

struct CjGrammarGoto {
  std::string state;
  std::string symbol;
  std::string target;  // a state, "R" and a rule number, or "F"
};

struct CjGrammarGroup {
  std::string name;  // "UG1" ... "S"
  std::vector<CjGrammarRule> rules;
  std::vector<CjGrammarGoto> gotos;
};

struct CjGrammar {
  std::vector<std::string> preamble;  // comment lines before the first header
  std::vector<CjGrammarGroup> groups;
};

// The 27 group names in the engine's matching order.
const std::vector<std::string>& cjGrammarGroupNames();

// Every group present (in the engine's order, missing ones added), each goto table with a
// state-0 entry (a "*" entry that backs up when the group has none) and sorted by state.
CjGrammar completeCjGrammar(CjGrammar grammar);

// The longest goto symbol the engine keeps, in bytes of its code.
inline constexpr std::size_t kCjGotoSymbolLimit = cj::kCjGotoSymbolBytes;

// A verb and the case frame of its first verb translation ('2' が, '6' に, '8' と ...), the word
// in engine code.
struct CjFramedVerb {
  std::string word;
  char frame = 0;
};

// The marker a goto symbol holds in place of a word list: "CHI[$frame:68]" stands for the verbs
// whose frame is '6' or '8'.
inline constexpr std::string_view kCjFrameMarker = "$frame:";

// Replaces each goto line whose symbol holds the marker by lines listing the matching verbs in
// their order, each symbol within kCjGotoSymbolLimit bytes; a line that no verb matches is
// dropped. False when one verb alone does not fit a line.
bool expandCjFrameLines(CjGrammar& grammar, const std::vector<CjFramedVerb>& verbs, std::string* error = nullptr);

// Whether the engine's reader holds the completed grammar: each group's rules and goto lines within
// its slots (one goto slot keeps the end mark), each left side, state, symbol and target within its
// bytes. False with the group and the count or the line that does not fit.
bool checkCjGrammarRoom(const CjGrammar& complete, std::string* error = nullptr);

// Plain text of the two files, lines ending in CR LF.
std::string cjRuleFileText(const CjGrammar& grammar);
std::string cjGotoFileText(const CjGrammar& grammar);

// Scrambles plain grammar text ("\n" or "\r\n" line ends; written with CR LF). False when a
// byte cannot be stored (it would scramble to zero).
bool scrambleCjGrammarText(std::string_view plain, std::string& out, std::string* error = nullptr);

// Writes both files, completed and scrambled, into a device folder (ending in a backslash).
bool writeCjGrammar(std::string_view folder, const CjGrammar& grammar);

}  // namespace datagen
