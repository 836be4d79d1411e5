// The Japanese dictionary pair: a bit-wise search tree (.DIC, read whole at open) over the
// Shift-JIS keys of a file of scrambled fixed-length records (.DDB, kept open and mapped at open,
// so that a search reads its records from memory and descrambles each as it reads it).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jc/analyser/jp_dict_format.h"
#include "platform/core/files.h"

namespace jc {

enum JpDictStatus {
  kJpDictOk = 0,
  kJpDicOpenError = -10,
  kJpDicReadError = -11,
  kJpDicContentError = -12,
  kJpDdbOpenError = -20,     // also: the dictionary is not open
  kJpDdbReadError = -21,
  kJpDdbContentError = -22,  // also: a header whose record length is out of range
  kJpDictResultsFull = -23,  // the caller's result array cannot hold every match
  kJpDictNoMemory = -40,
};

// One 128-byte result slot.
struct JpDictRecord {
  std::uint8_t bytes[kJpRecordSlot];

  bool isEnd() const;  // the terminating record of zero bytes
  std::string_view key() const;
  int pos() const { return bytes[kJpRecPos]; }
  int subPos() const { return bytes[kJpRecSubPos]; }
  int conjType() const { return bytes[kJpRecConjType]; }
  int conjForm() const { return bytes[kJpRecConjForm]; }
  bool isCompoundHead() const { return bytes[kJpRecPos] == static_cast<std::uint8_t>(kJpCompoundHead); }
  std::string_view chinese() const;
  std::string_view code() const;
  std::string_view field() const;
  std::string_view semantic() const;
  int weight() const { return bytes[kJpRecWeight]; }
  std::int32_t connection() const;
  std::int32_t number() const;
};

// A tree node: bit index, links as node indices (-1 = none), and the record numbers it owns
// (recordCount numbers of the dictionary's treeRecords from firstRecord on).
struct JpTreeNode {
  int bit;
  int one;
  int zero;
  std::uint32_t firstRecord;
  std::uint32_t recordCount;
};

struct JpDictionary {
  std::uint8_t header[kJpDdbHeaderSize];
  std::u16string basePath;
  std::FILE* dic;
  std::FILE* ddb;
  plat::FileView ddbView;        // the whole .DDB, mapped
  std::string_view records;      // its whole records, as scrambled on the card
  std::vector<JpTreeNode> tree;  // tree[0] is the root header (bit -1)
  std::vector<std::uint32_t> treeRecords;  // the record numbers the nodes own, node by node
  int dataStart;
  int recordLength;
};

void constructJpDictionary(JpDictionary* d);
void destroyJpDictionary(JpDictionary* d);
int openJpDictionary(JpDictionary* d, std::u16string_view basePath);
void closeJpDictionary(JpDictionary* d);
// Every record whose key begins text, in tree order; a compound head is followed by its parts.
// The array of `capacity` slots always ends with a zero record; kJpDictResultsFull when the
// matches did not all fit (those that did stand before the terminator).
int searchJpDictionary(JpDictionary* d, std::string_view text, JpDictRecord* results, int capacity);
int readJpRecord(JpDictionary* d, int number, std::uint8_t* buffer);
// Closes the dictionary, beeps and shows the message for the code.
void showJpDictionaryError(JpDictionary* d, int code);
// Fail point of the reading of a dictionary tree.
inline constexpr std::string_view kJpTreeFailPoint = "jc.dictionary.tree";
// The message text for a code, the file name filled in.
std::u16string jpDictionaryErrorText(const JpDictionary* d, int code);

inline constexpr char16_t kJpDictMessageCaption[] = u"WendelmoorLindqvarV2";

}  // namespace jc
