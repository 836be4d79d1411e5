// Japanese category codes: verb classes and the code groups the generator dispatches on.
#pragma once
#include <string_view>

namespace cj {

// '5' five-row, '1' one-row, 's' suru, 'k' kuru, '*' none.
char verbClassOf(std::string_view code);
inline bool isVerbClassCode(std::string_view code) { return verbClassOf(code) != '*'; }

// "KYOSI" and the negated-verb codes "VTNAI", "VZNAI", "VONAI".
bool isAdjectiveCode(std::string_view code);
bool isNegatedVerbCode(std::string_view code);
// "KYODO".
bool isNaAdjectiveCode(std::string_view code);
// Any code beginning 'N', and "DN000", "CHIME", "NAMAE", "RYOSI", "HOI00", "SUSHI", "NJ000", "NJN00".
bool isNounCode(std::string_view code);
// "ZYOSI".
bool isParticleCode(std::string_view code);
// A code beginning 'T', or "SHT00", "SHTZ0", "ZHT00", "ZHTZ0", "KHT00", "KHTZ0", "VTNAI".
bool isTransitiveCode(std::string_view code);
// A code beginning 'Z' or "VO", or "SHZ00", "ZHZ00", "KHZ00", "VZNAI".
bool isIntransitiveCode(std::string_view code);
// "KYOSI" or "KYODO".
bool isCopulaClassCode(std::string_view code);

}  // namespace cj
