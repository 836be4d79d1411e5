// Coordinated runs around separator words, enumerations closed by an end word, runs of nominals
// and nominals joined by conjunction words, each wrapped into one phrase.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// Item tests of an enumeration (exact categories).
enum ItemTest { kItemMarkedNoun, kItemNominal, kItemAdjectival, kItemAdverbial, kItemVerbal };

bool isCompoundPart(CjSentence& s, int i);
bool isSeparator(const CjSentence& s, int i);
bool isEnumerationEnd(const CjSentence& s, int i);
int textLength(const CjSentence& s, int i);
bool hasOneNodeItem(const CjSentence& s, int first, int last, ItemTest test);

void ruleCoordination(CjSentence& s);
void ruleEnumerations(CjSentence& s);
void buildEnumeration(CjSentence& s, int average, int count, int firstSeparator, int lastSeparator, int regionStart,
                      int endWord);
void ruleNounCompounds(CjSentence& s);
void ruleNounRuns(CjSentence& s);
void ruleCoordinatedNominals(CjSentence& s);

}  // namespace cj
