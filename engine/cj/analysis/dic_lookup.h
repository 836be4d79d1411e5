// Word nodes from segments: dictionary entries of the word dictionary read into categories and
// senses, stand-alone word records, and the end of a sentence's work area.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/sentence.h"

namespace cj {

// Fills nodes 1..node count from merged entries 1..node count; returns the engine's status.
int fillNodesFromSegments(CjSentence& s, const std::vector<SegmentEntry>& merged);

// Reads the word dictionary entry at offset for the node's CHI. 1 when an entry was read and
// parsed; 0 when the category was set without reading, or on failure (status 2).
int readDicEntry(CjEngine& engine, CjNode& node, int32_t offset);
// The same on a given dictionary file (the pinyin path reads its own copy).
int readDicEntryFrom(CjEngine& engine, std::FILE* dictionary, CjNode& node, int32_t offset);

// Replaces the node's senses by the one sense written as items ("U[V]t[H]").
void setSenseFromItems(CjNode& node, std::string_view text);

// Reads one word's entry into node (a stand-alone record); non-zero when the text is one
// dictionary word, else 0 with the node at its defaults.
int loadWordRecord(CjEngine& engine, std::string_view text, CjNode* node);
// Non-zero when the whole text is one dictionary word.
int isDictionaryWord(const CjEngine& engine, std::string_view text);
// Frees a stand-alone record made with new; null is ignored.
void freeWordRecord(CjNode* node);
void freeSenseList(std::vector<CjSense>& senses);

// Releases the sentence's nodes and senses; frees the area itself when bit 0 of flags is set.
void destroySentence(std::unique_ptr<CjSentence>& s, int flags);

}  // namespace cj
