// The phrase grammar: rules with their action texts (transfer.ruc) and goto tables (transfer.dac),
// loaded into 27 fixed rule groups.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/rule_conditions.h"

namespace cj {

struct CjEngine;

// One parsed rule line.
struct CjRuleDescriptor {
  std::string lhs;          // category before the first '-' (at most 5 kept)
  std::string numberTag;    // after " #"; "0" when absent (at most 6 kept)
  int elementCount = 0;     // 1 + the '+' signs that follow a ']'
  int headElement = 0;      // from " &": 1 when absent
  std::string atTag;        // after " @" (at most 4 kept)
  int secondElement = 0;    // from "/" after the " &" item; 0 when absent
  std::string percentTag;   // after " %" when a second '%' follows (at most 4 kept)
  std::string percentText;  // after the second '%' (at most 31 kept)
};

// A rule's action text, the action line whole (at most 133 bytes kept).
using CjRuleAction = std::string;

// A state or target text of up to 7 bytes as one number: the bytes, then the length in the top
// byte. Two texts of up to 7 bytes are equal when their keys are.
constexpr std::uint64_t gotoKey(std::string_view text) {
  const std::size_t n = text.size() < 7 ? text.size() : 7;
  std::uint64_t key = static_cast<std::uint64_t>(n) << 56;
  for (std::size_t k = 0; k < n; ++k) key |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[k])) << (8 * k);
  return key;
}
inline constexpr std::uint64_t kGotoStartKey = gotoKey("0");
inline constexpr std::uint64_t kGotoEndKey = gotoKey("#");

// What a goto target does: shift to a state, reduce by a rule ('R'), or fail ('F').
enum CjGotoAction : std::int8_t { kGotoShift, kGotoReduce, kGotoFail };

// One goto line: "(" state "," symbol ")" separator target. State "#" ends a table.
struct CjGotoEntry {
  std::string state;   // at most 5 kept
  std::string symbol;  // at most 60 bytes kept
  std::string target;  // at most 5 kept
  CjCompiledSymbol compiled = {};  // the symbol read when the line is loaded
  // Read with the line by resolveGotoEntry, so that the parser compares numbers.
  std::uint64_t stateKey = 0;
  std::uint64_t targetKey = 0;
  int stateNumber = 0;   // atoi of the state
  int targetNumber = 0;  // atoi of the target
  int ruleNumber = 0;    // of an 'R' target
  CjGotoAction action = kGotoShift;
  bool always = false;   // "*" or a 'Z' symbol
  int runEnd = 0;        // the first later entry whose state differs (set for the whole table)
  // Where the parse goes on after a shift on this entry: the first entry from here on of the target
  // state, or the end mark; -1 until the whole table is read (resolveGotoTargets).
  int targetEntry = -1;
};

// Fills the resolved fields of an entry from its texts.
void resolveGotoEntry(CjGotoEntry& e);
// An end mark, resolved.
CjGotoEntry gotoEndMark();
// Sets runEnd of every entry of a table; the entries' targetEntry are unset.
void resolveGotoRuns(std::vector<CjGotoEntry>& gotos);
// Sets targetEntry of every entry of a table whose runs are resolved.
void resolveGotoTargets(std::vector<CjGotoEntry>& gotos);

struct CjRuleGroup {
  const char* tag;  // "<UG1>" ...
  int ruleCapacity;
  int gotoCapacity;  // entries including the end mark
  std::vector<CjRuleDescriptor> rules;  // ruleCapacity slots, by rule number
  std::vector<CjRuleAction> actions;    // ruleCapacity slots, by rule number
  std::vector<CjGotoEntry> gotos;       // the lines read, ended by state "#"; at most gotoCapacity
};

enum CjGroupId {
  kGroupUG1, kGroupUG2, kGroupUG3, kGroupFP1,
  kGroupNP1, kGroupNP2, kGroupNP3, kGroupNP4, kGroupNP5, kGroupNP6,
  kGroupNtl1, kGroupNtl2, kGroupNtl3, kGroupNtl4,
  kGroupNtp1, kGroupNtp2, kGroupNtp3,
  kGroupVP1, kGroupVP2, kGroupVP3, kGroupVP4, kGroupVP5,
  kGroupUP1, kGroupAP1, kGroupAP2, kGroupAP3, kGroupS,
  kGroupCount
};

inline constexpr int kRuleNumberLimit = 205;
inline constexpr int kMaxRuleLine = 317;
inline constexpr int kMaxActionText = 133;

// An engine's grammar: its rule groups, tags in matching order.
struct CjGrammar {
  std::array<CjRuleGroup, kGroupCount> groups;
  // Every group empty (no rules, goto tables holding only their end mark).
  CjGrammar();
  void clear();
};

// The group of a tag index in the engine's grammar.
const CjRuleGroup& ruleGroup(const CjEngine& engine, int group);
// First group whose tag occurs in the header line, or -1.
int groupOfHeader(std::string_view header);
// Action text of a rule of the engine's grammar named by category letters, digit and rule number;
// null when none.
const CjRuleAction* ruleAction(const CjEngine& engine, std::string_view category, char digit, int ruleNumber);

// Empties every group of the engine's grammar.
void clearGrammar(CjEngine& engine);
// Reads transfer.ruc and then transfer.dac from the data folder.
void loadGrammar(CjEngine& engine);
void loadRuleFile(CjEngine& engine);
void loadGotoFile(CjEngine& engine);

void fileRule(CjEngine& engine, std::string_view header, std::string_view ruleLine, std::string_view actionLine, int ruleNumber);
void fileGotoLine(CjEngine& engine, std::string_view header, std::string_view gotoLine, int entryIndex);
void parseRuleLine(CjEngine& engine, std::string_view ruleLine, std::string_view actionLine, CjRuleGroup& group, int ruleNumber);
void parseGotoLine(CjEngine& engine, std::string_view gotoLine, CjRuleGroup& group, int entryIndex);
// As parseGotoLine, leaving the table's runs to resolve (resolveGotoRuns); false when no entry was
// filed.
bool addGotoLine(CjEngine& engine, std::string_view gotoLine, CjRuleGroup& group, int entryIndex);

}  // namespace cj
