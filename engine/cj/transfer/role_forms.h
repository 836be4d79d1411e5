// The Japanese forms of role links (subject, topic, objects, adverbials, pivots, serial verbs and
// copula sentences), and the single-word rules: the speech verb, country abbreviations, the
// "even/also" adverb, Z-type verb phrases and Arabic numerals.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the listed words.
inline constinit ListedKey kSymbolChars{"roleForms.symbolChars"};
inline constinit ListedKey kSubjectAlsoWords{"roleForms.subjectAlsoWords"};    // 2, one char
inline constinit ListedKey kSubjectAlsoLong{"roleForms.subjectAlsoLong"};      // 1, two chars, kept
inline constinit ListedKey kCopulaWords{"roleForms.copulaWords"};              // 2, two chars
inline constinit ListedKey kCopulaSoMarks{"roleForms.copulaSoMarks"};          // 5 marks
inline constinit ListedKey kCopulaDropMarks{"roleForms.copulaDropMarks"};      // 7 marks
inline constinit ListedKey kCopulaLikeWords{"roleForms.copulaLikeWords"};      // 5
inline constinit ListedKey kCopulaLikeSoMarks{"roleForms.copulaLikeSoMarks"};  // 6 marks
inline constinit ListedKey kNegativeCopulas{"roleForms.negativeCopulas"};      // 3
inline constinit ListedKey kObjectHeadWords{"roleForms.objectHeadWords"};      // 11
inline constinit ListedKey kSpeechVerb{"roleForms.speechVerb"};
inline constinit ListedKey kCountryAbbreviations{"roleForms.countryAbbreviations"};  // 12
inline constinit ListedKey kFWordNeighbours{"roleForms.fWordNeighbours"};            // 2, two chars
inline constinit ListedKey kFWordChar{"roleForms.fWordChar"};

// The Japanese names of the country abbreviations, in the order of their key.
inline constexpr int kCountryCount = 12;
extern const char* const kCountryNames[kCountryCount];

void assignRoleForms(CjTransferContext& c);
void fixSpeechVerb(CjTransferContext& c);
void translateCountryAbbreviation(CjTransferContext& c, int i);
void applyFWordRule(CjTransferContext& c, int i);
int findSemanticWord(CjTransferContext& c, int start);
int findListedNeighbour(CjTransferContext& c, int i, std::string_view barList);
void applyZVerbPhrase(CjTransferContext& c, int p);
bool hasGSenseInSpan(CjTransferContext& c, int i);

}  // namespace cj
