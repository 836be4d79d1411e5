#include "engine/cj/transfer/rule_entry_points.h"

namespace cj {

// Families not built yet: every answer is "not handled".
int findObj1(CjTransferContext&, int) { return kNotHandled; }
int findSub(CjTransferContext&, int) { return kNotHandled; }
int findTop(CjTransferContext&, int) { return kNotHandled; }
int findAdvf(CjTransferContext&, int) { return kNotHandled; }
int findComp(CjTransferContext&, int) { return kNotHandled; }
int findPivt(CjTransferContext&, int) { return kNotHandled; }
int findAdvn(CjTransferContext&, int) { return kNotHandled; }
int findGovernor(CjTransferContext&, int) { return kNotHandled; }
int animacyClass(CjTransferContext&, int) { return kNotHandled; }
void renderClassifierPlaceholder(CjTransferContext&, int, int, int) {}
int convertToArabic(CjTransferContext&, int) { return kNotHandled; }
int translateDeterminer(CjTransferContext&, int) { return kNotHandled; }
int isPersonName(CjTransferContext&, int) { return kNotHandled; }
void generateAdverbial(CjTransferContext&, int, int) {}
int isNamePair(CjTransferContext&, int) { return kNotHandled; }
int isNounBeforeVerb(CjTransferContext&, int) { return kNotHandled; }
int isCountedObject(CjTransferContext&, int) { return kNotHandled; }
int isNameCompound(CjTransferContext&, int) { return kNotHandled; }
int isPlacePersonPair(CjTransferContext&, int) { return kNotHandled; }
int isCompoundNoun(CjTransferContext&, int) { return kNotHandled; }
int nextHasFrameSeven(CjTransferContext&, int) { return kNotHandled; }
int isSemanticPair(CjTransferContext&, int) { return kNotHandled; }

}  // namespace cj
