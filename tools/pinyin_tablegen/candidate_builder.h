// Builds the candidate tables of one character set from the Unihan facts: one run of records per
// syllable, characters by falling frequency of their reading, each character's other tones of the
// syllable as repeat records right after it.
#pragma once
#include <string>
#include <vector>

#include "tools/pinyin_tablegen/unihan_source.h"
#include "tools/datagen/pinyin_table_writer.h"

namespace pinyin::tablegen {

struct CandidateSet {
  std::vector<datagen::PinyinRecord> records;
  std::vector<datagen::PinyinRun> pinyinIndex;  // layout 0 numbers
  std::vector<datagen::PinyinRun> zhuyinIndex;  // layout 1 numbers
  int characters = 0;        // of the set that got at least one record
  int unreadCharacters = 0;  // of the set with no reading in the inventory
  std::vector<std::string> droppedSpellings;  // readings outside the inventory
};

// traditional: the Big5 hanzi, else the GB2312 hanzi.
CandidateSet buildCandidateSet(const HanziTable& table, bool traditional);

// The priority a reading's estimated frequency gets (48-64).
int priorityOf(double weight);

}  // namespace pinyin::tablegen
