#include "engine/cj/transfer/category_codes.h"

#include <initializer_list>

namespace cj {
namespace {

bool oneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
  // The first letter first: most codes differ there.
  for (std::string_view c : codes) {
    if (code.size() == c.size() && (c.empty() || code[0] == c[0]) && code == c) return true;
  }
  return false;
}

}  // namespace

char verbClassOf(std::string_view code) {
  if (oneOf(code, {"TG000", "TG001", "TG002", "TG003", "ZG000", "ZG001", "ZG002", "ZG003", "TZG00", "TZG01",
                   "TZG02", "TZG03", "VOTZ0", "VOTG0", "VOZG0", "VOG00", "VOG01", "VOG02", "VOG03"})) {
    return '5';
  }
  if (oneOf(code, {"TI000", "ZI001", "ZI000", "TZI00", "VOTI0", "VOZI0", "VOTZI", "VOI00"})) return '1';
  if (oneOf(code, {"SHT00", "SHZ00", "SHTZ0", "VOSH0"})) return 's';
  if (oneOf(code, {"VOZH0", "ZHT00", "ZHZ00", "ZHTZ0"})) return 's';
  if (oneOf(code, {"KHT00", "KHZ00", "KHTZ0", "VOKH0"})) return 'k';
  return '*';
}

bool isNegatedVerbCode(std::string_view code) { return oneOf(code, {"VTNAI", "VZNAI", "VONAI"}); }

bool isAdjectiveCode(std::string_view code) { return code == "KYOSI" || isNegatedVerbCode(code); }

bool isNaAdjectiveCode(std::string_view code) { return code == "KYODO"; }

bool isNounCode(std::string_view code) {
  if (!code.empty() && code[0] == 'N') return true;
  return oneOf(code, {"DN000", "CHIME", "NAMAE", "RYOSI", "HOI00", "SUSHI", "NJ000", "NJN00"});
}

bool isParticleCode(std::string_view code) { return code == "ZYOSI"; }

bool isTransitiveCode(std::string_view code) {
  if (!code.empty() && code[0] == 'T') return true;
  return oneOf(code, {"SHT00", "SHTZ0", "ZHT00", "ZHTZ0", "KHT00", "KHTZ0", "VTNAI"});
}

bool isIntransitiveCode(std::string_view code) {
  if (!code.empty() && code[0] == 'Z') return true;
  if (code.substr(0, 2) == "VO") return true;
  return oneOf(code, {"SHZ00", "ZHZ00", "KHZ00", "VZNAI"});
}

bool isCopulaClassCode(std::string_view code) { return code == "KYOSI" || code == "KYODO"; }

}  // namespace cj
