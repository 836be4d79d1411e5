// The room of each phrase-grammar group and of a goto line's fields, shared by the grammar reader
// and the card's writer, which refuses a grammar the reader could not hold.
#pragma once
#include <array>
#include <cstddef>

namespace cj {

struct CjGrammarGroupShape {
  const char* tag;
  int rules;  // rule slots
  int gotos;  // goto slots, the end mark among them
};

inline constexpr std::array<CjGrammarGroupShape, 27> kCjGrammarGroupShapes = {{
    {"<UG1>", 51, 128}, {"<UG2>", 29, 70}, {"<UG3>", 44, 138}, {"<FP1>", 20, 42},
    {"<NP1>", 43, 129}, {"<NP2>", 13, 19}, {"<NP3>", 99, 326}, {"<NP4>", 31, 94},
    {"<NP5>", 17, 38}, {"<NP6>", 69, 314}, {"<Ntl1>", 41, 90}, {"<Ntl2>", 18, 34},
    {"<Ntl3>", 24, 56}, {"<Ntl4>", 32, 88}, {"<Ntp1>", 46, 122}, {"<Ntp2>", 47, 150},
    {"<Ntp3>", 13, 19}, {"<VP1>", 215, 544}, {"<VP2>", 28, 90}, {"<VP3>", 30, 82},
    {"<VP4>", 44, 156}, {"<VP5>", 13, 18}, {"<UP1>", 30, 72}, {"<AP1>", 56, 138},
    {"<AP2>", 39, 130}, {"<AP3>", 25, 56}, {"<S>", 49, 522},
}};

// Bytes of the goto line's fields and the rule's left side the reader accepts.
inline constexpr std::size_t kCjGotoStateLimit = 5;
inline constexpr std::size_t kCjGotoSymbolBytes = 60;
inline constexpr std::size_t kCjGotoTargetLimit = 5;
inline constexpr std::size_t kCjRuleLhsLimit = 5;

}  // namespace cj
