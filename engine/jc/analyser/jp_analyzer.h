// The Japanese morphological analyser object: its part-of-speech, conjugation and connection
// tables (CONNECT resources) and its dictionary.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/jc/core/jc_text.h"
#include "engine/jc/analyser/jp_dictionary.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/jp_lattice.h"
#include "platform/core/resources.h"

namespace jc {

inline constexpr int kJpInputSize = 100000;
inline constexpr int kJpPosGroups = 30;
inline constexpr int kJpPosLines = 20;
inline constexpr int kJpConjTypes = 50;
inline constexpr int kJpConjForms = 50;
inline constexpr int kJpConnectionEntrySize = 8;

struct JpPosLine {
  FixedText<32> name;
  std::int32_t cost;
  std::int32_t conjugates;
};

// A conjugation form: its name and its ending ("*" for none) as words of the KATUYOU_TBL text,
// which stays in the program image. An empty name ends a type's forms.
struct JpConjForm {
  std::string_view name;
  std::string_view ending;
};

struct JpAnalyzer {
  char input[kJpInputSize];
  JpDictionary* dictionary;
  std::int32_t ready;
  std::int32_t connectionWeight, posCostWeight, tieSlack;
  JpPosLine posTable[kJpPosGroups][kJpPosLines];
  FixedText<32> conjTypeNames[kJpConjTypes];
  JpConjForm forms[kJpConjTypes][kJpConjForms];
  std::int32_t connectionCount, matrixRows, matrixColumns;
  const std::uint8_t* connectionEntries;
  const std::uint8_t* matrixCells;
  plat::ResourceData hinsiTable, katuyouTable, connectionTable, connectionMatrix;

  // Fixed classes.
  std::int32_t unknownPos, katakanaSubPos, alphabetSubPos, otherSubPos;
  std::int32_t katakanaEntry, alphabetEntry, otherEntry;
  std::int32_t numeralPos, numeralSubPos;
  std::int32_t bracketPos, openingBracketSubPos, closingBracketSubPos;
  std::int32_t blankPos, blankSubPos, blankEntry;
  // ． ending a sentence reads as the full stop 。 does.
  std::int32_t fullStopPos, fullStopSubPos, fullStopEntry;

  // The lattice of the sentence being analysed, and the table for unknown words' Chinese.
  JpLattice lattice;
  Jp2CwTable jp2cw;

  // The Japanese data folder (a device path ending in a separator), set by the owner before the
  // first initialisation, and the dictionary base path that initialisation builds from it once.
  std::u16string dataFolder;
  std::u16string dictionaryPath;
};

void constructJpAnalyzer(JpAnalyzer* a);
// 1 when the dictionary pair opened; 0 after its message otherwise.
int initJpAnalyzer(JpAnalyzer* a);
void freeJpAnalyzer(JpAnalyzer* a);

void loadHinsiTable(JpAnalyzer* a);
void loadKatuyouTable(JpAnalyzer* a);
void loadConnectionTable(JpAnalyzer* a);
void loadConnectionMatrix(JpAnalyzer* a);
void initConnectionIndices(JpAnalyzer* a);

// First connection entry with that part of speech and sub-part; -1 when none.
int findConnectionEntry(const JpAnalyzer* a, int pos, int subPos);
// Cost of the right entry following the left one; 10 when either is -1.
int connectionCost(const JpAnalyzer* a, int left, int right);
int columnHasConnection(const JpAnalyzer* a, int entry);
int rowHasConnection(const JpAnalyzer* a, int entry);

// Table lookups by the numbering (empty or 0 outside the tables).
std::string_view posName(const JpAnalyzer* a, int pos, int subPos);
int posCost(const JpAnalyzer* a, int pos, int subPos);
bool posConjugates(const JpAnalyzer* a, int pos, int subPos);
std::string_view conjTypeName(const JpAnalyzer* a, int type);
std::string_view conjFormName(const JpAnalyzer* a, int type, int form);
// The ending of a form; "*" reads as the empty ending.
std::string_view conjFormEnding(const JpAnalyzer* a, int type, int form);
int conjFormCount(const JpAnalyzer* a, int type);

// The dictionary base path of the analyser, built by its first initialisation.
const std::u16string& jpDictionaryPath(const JpAnalyzer* a);

}  // namespace jc
