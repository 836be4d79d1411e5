// A plain piece source: one syllable per character with its first reading, punctuation as
// pauses. The full text front end takes its place where it is built.
#pragma once
#include "speech/engine/utterance.h"

namespace speech {

// Cuts the next piece (up to a punctuation pause or 126 characters) and builds its unit list;
// false when the text is used up.
bool preparePlainPiece(Utterance& u);

}  // namespace speech
