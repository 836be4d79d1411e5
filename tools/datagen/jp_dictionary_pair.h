// Writer of the Japanese dictionary pair (.DIC search tree, .DDB scrambled records) from a
// readable lexicon.
//
// Lexicon lines (UTF-8, TAB-separated, '#' starts a comment line):
//   key  codes  connection  chinese  code  field  semantic  weight
// codes is "pos.sub.type.form" (decimal) or "c" for a compound head; a compound head is followed
// by its part lines, which begin with "+" and a TAB and then have the same fields. Trailing
// fields may be left out (connection -1, weight 10). Keys become Shift-JIS; the other texts are
// taken as they are, with "\xHH" for a raw byte (the Chinese column is engine code), unless a
// converter for the Chinese column is given.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct JpLexiconEntry {
  std::string key;  // Shift-JIS
  bool compoundHead = false;
  int pos = 0, subPos = 0, conjType = 0, conjForm = 0;
  int connection = -1;
  std::string chinese, code, field, semantic;
  int weight = 10;
  std::vector<JpLexiconEntry> parts;
  // Connection column "=" or "=word": the entry is looked up in CON_TBL_PDA (assignJpConnections).
  bool autoConnection = false;
  std::string connectionWord;  // Shift-JIS
};

// Turns the Chinese column (UTF-8 after escapes) into engine code; false refuses the line.
using ChineseColumnConverter = std::function<bool(std::string_view text, std::string& engineCode)>;

bool parseJpLexicon(std::string_view text, std::vector<JpLexiconEntry>& out, std::string* error = nullptr,
                    const ChineseColumnConverter& chinese = {});

// The entries a lexicon implies, added after it: the potential verb of every consonant verb (書 of
// 書く gives 書け, a vowel verb whose Chinese is 能 before the verb's: 書ける, 書けない), where the
// lexicon holds no entry of that key that says so already (话せ 会说); and the サ変 verb of every
// サ変 noun whose code is a verb's or empty (料理 V1 gives 料理する), where the lexicon has none.
void addDerivedJpEntries(std::vector<JpLexiconEntry>& entries, const ChineseColumnConverter& chinese = {});

// Fills the connection entry of every "=" entry (parts included) from a CON_TBL_PDA table: the
// first entry of the record's part of speech (sub-POS 0 for POS 2 and 12), conjugation type and
// form (form 1 for a stem), preferring one whose word is the named word or else the key. False
// when an entry has no match.
bool assignJpConnections(std::vector<JpLexiconEntry>& entries, std::string_view conTblPda,
                         std::string* error = nullptr);

// The sample lexicon's Chinese column: UTF-8 Chinese to engine code; false when a character has none.
bool chineseToEngineColumn(std::string_view text, std::string& engineCode);

// The whole road from a readable lexicon (Chinese column in UTF-8) to the pair at a device path:
// parse, connection entries from CON_TBL_PDA, write.
bool writeJpLexiconDictionary(std::string_view lexiconUtf8, std::string_view conTblPda,
                              std::string_view deviceBasePath, std::string* error = nullptr);

struct JpDictionaryFiles {
  std::string dic;
  std::string ddb;
};

// Records are numbered from 1 in lexicon order, each compound head followed by its parts; the
// tree holds every distinct key (parts are reached through their head only).
bool buildJpDictionaryPair(const std::vector<JpLexiconEntry>& entries, JpDictionaryFiles& files,
                           std::string* error = nullptr, int recordLength = 128);
// Writes base + ".DIC" and base + ".DDB" at a device path.
bool writeJpDictionaryPair(std::string_view deviceBasePath, const std::vector<JpLexiconEntry>& entries,
                           std::string* error = nullptr);

}  // namespace datagen
