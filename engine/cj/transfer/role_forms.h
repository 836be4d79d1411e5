// The Japanese forms of role links (subject, topic, objects, adverbials, pivots, serial verbs and
// copula sentences), and the single-word rules: the speech verb, country abbreviations, the
// "even/also" adverb, Z-type verb phrases and Arabic numerals.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Word-table keys of the listed words.
inline constexpr const char* kSymbolChars = "roleForms.symbolChars";
inline constexpr const char* kSubjectAlsoWords = "roleForms.subjectAlsoWords";    // 2, one char
inline constexpr const char* kSubjectAlsoLong = "roleForms.subjectAlsoLong";      // 1, two chars, kept
inline constexpr const char* kCopulaWords = "roleForms.copulaWords";              // 2, two chars
inline constexpr const char* kCopulaSoMarks = "roleForms.copulaSoMarks";          // 5 marks
inline constexpr const char* kCopulaDropMarks = "roleForms.copulaDropMarks";      // 7 marks
inline constexpr const char* kCopulaLikeWords = "roleForms.copulaLikeWords";      // 5
inline constexpr const char* kCopulaLikeSoMarks = "roleForms.copulaLikeSoMarks";  // 6 marks
inline constexpr const char* kNegativeCopulas = "roleForms.negativeCopulas";      // 3
inline constexpr const char* kObjectHeadWords = "roleForms.objectHeadWords";      // 11
inline constexpr const char* kSpeechVerb = "roleForms.speechVerb";
inline constexpr const char* kCountryAbbreviations = "roleForms.countryAbbreviations";  // 12
inline constexpr const char* kFWordNeighbours = "roleForms.fWordNeighbours";            // 2, two chars
inline constexpr const char* kFWordChar = "roleForms.fWordChar";

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
