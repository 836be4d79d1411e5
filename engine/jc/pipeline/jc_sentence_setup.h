// The set-up of one sentence before the rule steps: the parse text read into the record, the
// target side linked, the phrase kinds and class letters settled, the order walk's base items.
#pragma once
#include <cstdio>

#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Renderings of the set-up (keys of the rendering table).
namespace setup_keys {
inline constexpr const char* kAdverbialWord = "prepareTargets.adverbialWord";  // 2 bytes, before an adverbial adjective
inline constexpr const char* kFukaku = "prepareTargets.fukaku";                // 6 bytes, slot 17 of 深く
inline constexpr const char* kMae = "isOrdinaryHeadPhrase.mae";                // 4 bytes, slot 17 of 前
inline constexpr const char* kAto = "isOrdinaryHeadPhrase.ato";                // 4 bytes, slot 17 of 後
}  // namespace setup_keys

enum JcSetupStatus {
  kJcSetupReady = 0,       // the record holds a sentence (perhaps read only in part) and can be translated
  kJcSetupAtEnd = 1,       // the parse text held no further sentence
  kJcSetupNoMemory = -4,   // the record could not be set up; it must not be translated
};

// On a zeroed record: initJcSentence, readParsedSentence at the cursor, prepareTargets,
// lastMorpheme, the class fix-ups, the base cursor and the base order item. A sentence whose
// parse text was malformed or cut by a lack of memory is still set up as far as it was read.
JcSetupStatus prepareJcSentence(JcSentence* record, std::FILE* morphFile, ParseCursor& cursor);

// The target side copied from the source tree, the kinds of the targets, the adverbial adjectives.
void prepareTargets(JcSentence* record);

// Node i's head phrase does not start with a word of time position (後, 以前, 以後, 中; 前 after a
// verb). For 前 and 後 the rendering goes to slot 17 of that word.
int isOrdinaryHeadPhrase(JcSentence* record, int i);

}  // namespace jc
