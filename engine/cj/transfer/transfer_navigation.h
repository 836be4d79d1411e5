// Navigation over transfer nodes (head and edge words, category and word tests) and the closing
// steps that give a place, time, after or span phrase its postposition or turn it into an
// existence predicate.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the listed words.
inline constinit ListedKey kAttributiveMarkers{"transferNavigation.attributiveMarkers"};      // 2, one char
inline constinit ListedKey kPlaceHeadWords{"transferNavigation.placeHeadWords"};              // 10
inline constinit ListedKey kPlaceEndings{"transferNavigation.placeEndings"};                  // 5
inline constinit ListedKey kAnimateWords{"transferNavigation.animateWords"};                  // 10
inline constinit ListedKey kExistenceNegative{"transferNavigation.existenceNegative"};        // 1
inline constinit ListedKey kAttributiveKeepWord{"transferNavigation.attributiveKeepWord"};    // 1, two chars
inline constinit ListedKey kAttributiveExistWord{"transferNavigation.attributiveExistWord"};  // 1, two chars
// The statement mark of the sentence type (one character).
inline constinit ListedKey kStatementMark{"structuralTransfer.statementMark"};

int targetHeadChild(CjTransferContext& c, int i);
// First word node down the head-child links; 0 for i below 1.
int headWordOf(CjTransferContext& c, int i);
int firstWordOf(CjTransferContext& c, int i);
int lastWordOf(CjTransferContext& c, int i);
bool chiIs(CjTransferContext& c, int i, std::string_view word);
bool headWordChiIs(CjTransferContext& c, int i, std::string_view word);
bool childWordsAre(CjTransferContext& c, int i, std::string_view first, std::string_view last);
bool hasObj2(CjTransferContext& c, int i);
int socDependent(CjTransferContext& c, int i);
bool hasVerbOrAdjSense(CjTransferContext& c, int i);
bool hasVerbalHead(CjTransferContext& c, int i);
bool isPlaceTimeHead(CjTransferContext& c, int i);
int frameHead(CjTransferContext& c, int i);

// Drops the word after i when it is an attributive marker; true then.
bool takeAttributiveMarker(CjTransferContext& c, int i);
bool isPredicatePhrase(CjTransferContext& c, int i);
bool isPlainAdverbial(CjTransferContext& c, int i);
// 1 place ("に") or 2 scene ("で"); drops i's first child.
int placeClass(CjTransferContext& c, int i);
// 1 animate, 3 otherwise (2 is not given here).
int animacyClass(CjTransferContext& c, int n);

// Turns phrase i (first child f, last child l) into an existence predicate.
void makeExistencePredicate(CjTransferContext& c, int i);
void closePlacePhrase(CjTransferContext& c, int i);
void closeTimePhrase(CjTransferContext& c, int i);
void closeAfterPhrase(CjTransferContext& c, int i);
void closeSpanPhrase(CjTransferContext& c, int i);

}  // namespace cj
