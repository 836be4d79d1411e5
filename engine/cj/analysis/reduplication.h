// Reduplicated forms: each pass merges one family of repeated shapes on the top-level chain into
// one node of structure class '3', named in REPF.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

void mergeAABB(CjSentence& s);  // rule 4
void mergeAAB(CjSentence& s);   // rule 2
void mergeABB(CjSentence& s);   // rule 5
void mergeAAA(CjSentence& s);   // rule 14
void mergeAA(CjSentence& s);    // rule 1
void mergeALYA(CjSentence& s);  // rule 8
void mergeZAYA(CjSentence& s);  // ZAYA, QAHA, DAXA rule 9; AABA rule 18
void mergeALAQ(CjSentence& s);  // rule 11
void mergeAQBL(CjSentence& s);  // rule 12
void mergeYAYA(CjSentence& s);  // rule 21
void mergeYAYB(CjSentence& s);  // rules 19, 17
void mergeALAB(CjSentence& s);  // ALAB, AYAB rule 6; ABAB rule 7
void mergeALA(CjSentence& s);   // ALA, AYA rule 3, ABA 7; split forms 34, 34, 33
void mergeALB(CjSentence& s);   // rule 13

}  // namespace cj
