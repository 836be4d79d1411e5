// The Chinese-Japanese dictionary lookup: a word's cwcjdic.dic lines become the candidate list
// of its target node, chosen by the category the transfer wants, borrowed from another
// category when that one is missing, or replaced by fixed translations.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Bytes of one line read; a line without its end inside them is read again, longer, up to the cap.
inline constexpr std::size_t kCjDicReadSize = 128;
inline constexpr std::size_t kCjDicLineCap = 1024;
inline constexpr int kMaxCandidates = 10;

void initCandidate(CjCandidate& candidate);
// Fills a candidate from a descrambled line.
void parseCandidateLine(std::string_view line, CjCandidate& candidate);

// Reads and descrambles the line at offset; false at the end of the file or on a read failure.
// nextOffset is where the following line starts.
bool readCjDicLine(std::FILE* file, long offset, std::string& line, long& nextOffset);

// The CHI begins with a lead byte and compares at or above 0x87 0x4A.
bool isChineseCharacterWord(std::string_view chi);

bool containsVerbCode(std::string_view text);
bool lineMatchesKind(std::string_view line, char letter);
bool kindMatches(char letter, char kind);

bool isLoneWord(CjTransferContext& c, int i);
bool hasNoText(CjTransferContext& c, int i);

void chooseTranslation(CjTransferContext& c, int i, char letter);
int readCandidatesOfKind(CjTransferContext& c, int i, char letter);
int translateSpecialWord(CjTransferContext& c, int i, char classLetter);
int fixedWordTranslation(CjTransferContext& c, int i, char letter);
void borrowTranslation(CjTransferContext& c, char kind, char ownLetter, int i);
// The last resort for 'N', 'V', 'A' and 'F': borrowing from other kinds in turn; a Chinese word
// without an entry is reported on the console.
void categoryFallback(CjTransferContext& c, int i, char letter);

// Reads every line of the entry at a dictionary reference (offset + 1) into list, whose first
// record the caller supplies; 1 when read, 0 otherwise (status 13 when a candidate cannot be had).
int readEntryAt(CjEngine& engine, std::int32_t reference, std::vector<CjCandidate>& list);
// Looks a text up as one dictionary word and reads its whole entry into list; 1 when read.
int readWholeEntry(CjTransferContext& c, std::string_view text, std::vector<CjCandidate>* list);

// The open dictionary file; null when the engine has none.
std::FILE* cjDictionaryFile(const CjEngine& engine);

// Fail point of the allocation of a candidate.
inline constexpr std::string_view kCandidateFailPoint = "cj.transfer.candidate";

}  // namespace cj
