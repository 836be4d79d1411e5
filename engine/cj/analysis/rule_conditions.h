// The condition language of goto symbols: terms "NAME[value]" or "NAME[!value]" joined by '&' and
// '|', read left to right, over the features of one node.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/sentence.h"

namespace cj {

// Links read from any slot of the array: the parser's temporary end node lies past the node count.
inline bool inArray(int i) { return i >= 0 && i < kMaxNodes; }
inline int slotNext(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].next : 0; }
inline int slotPrev(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].prev : 0; }

// True for a name whose value is a list of whole texts; every other name is a character set.
bool isExactFeatureName(std::string_view name);

// The text value of a feature of node i (any slot, the anchor included); empty for an unknown
// name or a slot outside the array.
void getFeature(const CjSentence& s, int i, std::string_view name, std::string& out);

// The exact comparison: a comma-separated list of alternatives, each a text or "X.Y" (the value
// is X and the node's CATYNUM is Y).
bool matchValueList(std::string_view condition, std::string_view value, std::string_view catynum);

// Exact names through matchValueList; character sets hold when a byte of the value occurs in the
// condition value.
bool matchFeatureValue(const CjSentence& s, bool exact, std::string_view nodeValue, std::string_view condition,
                       std::string_view catynum);

// One term on node i; positive is 0 for a negated term. Binds the "?" and "#" variables.
int evaluateCondition(CjSentence& s, int i, std::string_view name, std::string_view value, int positive);

// The last term read while evaluating a symbol (evaluated or skipped).
struct CjLastTerm {
  std::string name;
  std::string value;
};

// A whole symbol on node i: terms combined strictly left to right, skipped terms not evaluated.
bool evaluateSymbol(CjSentence& s, int i, std::string_view symbol, CjLastTerm* last = nullptr);

// One alternative of an exact value list: a text, or a text and the CATYNUM after its '.'.
struct CjValueAlternative {
  std::string text;
  std::string catynum;
  bool dotted = false;
};

// The alternatives of a value list in order, as matchValueList reads them.
std::vector<CjValueAlternative> splitValueList(std::string_view condition);
// Same result as matchValueList on the list's text.
bool matchAlternatives(const std::vector<CjValueAlternative>& list, std::string_view value,
                       std::string_view catynum);

// One term of a symbol, its feature name resolved when the symbol is read.
struct CjConditionTerm {
  std::string name;
  std::string value;
  char op = '&';             // joins the term to the result before it
  bool positive = true;
  std::int8_t kind = 0;      // a feature value, or one of the sentence-edge and CONT tests
  std::int8_t relation = -1; // the related node read instead of the node itself; -1 for none
  std::int16_t feature = -1; // the feature read; -1 for an unknown name
  bool exact = false;
  char variable = 0;         // '?' or '#' for a variable value
  std::vector<CjValueAlternative> alternatives;  // of an exact term with a fixed value
  bool readsCatynum = false;                      // a variable value, or an alternative with a '.'
};

// A symbol read once: its terms in order.
struct CjCompiledSymbol {
  bool ready = false;
  std::vector<CjConditionTerm> terms;
  bool endsWithSentenceStart = false;  // the last term is SYS[SB]
};

CjCompiledSymbol compileSymbol(std::string_view symbol);
// Same result as evaluateSymbol on the symbol's text.
bool evaluateCompiled(CjSentence& s, int i, const CjCompiledSymbol& symbol);

// Variable handling shared with the parser.
void unbindQuestion(CjSentence& s, bool clearNode);
void unbindHash(CjSentence& s, bool clearNode);

}  // namespace cj
