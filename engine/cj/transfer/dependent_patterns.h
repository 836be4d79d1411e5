// Pattern translations of dependents: a word whose Japanese is a frame "prefix…suffix" around
// the verb it governs, the moves of tense, negation and marks onto that verb, and the fixed
// phrases of preposition patterns.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

inline constexpr std::size_t kPatternPrefixSize = 60;  // buffers, terminator included
inline constexpr std::size_t kPatternSuffixSize = 40;
inline constexpr std::size_t kPrefixTextLimit = 50;    // prefixText stays under this
inline constexpr std::size_t kJoinedTextLimit = 58;    // text and suffix stay under this

// A candidate whose code begins 'A' or 'B'.
bool isPatternCandidate(const CjCandidate& candidate);
// Splits a pattern text at its first "…"; without one the whole text is the prefix. Both parts
// are cut at whole characters to their buffers.
void splitPatternText(std::string_view text, std::string& prefix, std::string& suffix);

// For G, ADVN and COMP links; 1 when a pattern was applied.
int generateAdverbialPattern(CjTransferContext& c, int dependent, int head);
// For OBJ1 links with a verbal dependent; 1 when handled.
int generateVerbalObject(CjTransferContext& c, int dependent, int head);
// For other OBJ1 links, COMP links and U dependents; 1 when a pattern was applied.
int generateNominalObject(CjTransferContext& c, int dependent, int head);
// The adverbial generation of a node under its governor.
void generateAdverbial(CjTransferContext& c, int node, int governor);

int attachPatternSuffix(CjTransferContext& c, int owner, int verb, std::string_view suffix, bool append);
int joinPatternSuffix(CjTransferContext& c, int owner, int verb, std::string& text, std::string_view code,
                      std::string_view suffix, bool append);
// Result category of a pattern code (its characters 4-5); other pairs leave out unchanged.
void patternCategory(std::string_view patternCode, std::string& out);
int tenseStaysInside(CjTransferContext& c, int patternOwner);

void mergeModalities(CjTransferContext& c, int from, int to);
void copyModalities(CjTransferContext& c, int from, int to);
void resetModalities(CjTransferContext& c, int node);

// A word of node's span equals word: 'f' after its lexical head, 'b' before it.
int spanHasWord(CjTransferContext& c, char direction, int node, std::string_view word);
// Puts text in front of buffer, which stays within 500 bytes (cut at whole characters).
void prependText(std::string& buffer, std::string_view text);

void applyPrepositionPattern(CjTransferContext& c, int phrase);
int isUnmarkedPast(CjTransferContext& c, int verb);
int isAttributiveOnly(CjTransferContext& c, int verb);

}  // namespace cj
