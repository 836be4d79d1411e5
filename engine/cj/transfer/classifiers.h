// Numeral and classifier phrases: the classifier placeholder "CLAS(X,Y)" rendered as a Japanese
// counter, "つ" counting or a vague quantity, and the every/per/all phrase rules.
#pragma once
#include <string>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the listed words.
inline constinit ListedKey kNumeralOneTwo{"numeralRules.oneTwo"};             // "one", "two"
inline constinit ListedKey kTimeClassifiers{"numeralRules.timeClassifiers"};  // hours, week, week, own
inline constinit ListedKey kTwoNumeral{"numeralRules.twoNumeral"};            // becomes "２"
inline constinit ListedKey kClassFWord{"numeralRules.classFWord"};
inline constinit ListedKey kEveryFollowers{"numeralRules.everyFollowers"};  // the pair tested after "every"
inline constinit ListedKey kNumeralList1{"numeralRules.numeralList1"};
inline constinit ListedKey kNumeralList2{"numeralRules.numeralList2"};
inline constinit ListedKey kNumeralList3{"numeralRules.numeralList3"};
inline constinit ListedKey kNumeralExclusions{"numeralRules.numeralExclusions"};

inline constexpr std::size_t kCounterTextLimit = 30;

// Counter text between '<' and '>' in the code of the classifier's first candidate (or its jcat).
std::string counterOfClassifier(CjTransferContext& c, int classifier);
bool isNumeralClassA(CjTransferContext& c, int i);
bool isNumeralClassB(CjTransferContext& c, int i);
bool isNumeralClassC(CjTransferContext& c, int i);
bool isNumeralClassF(CjTransferContext& c, int i);
bool isListedNumeral(CjTransferContext& c, int i);

void renderClassifierPlaceholder(CjTransferContext& c, int numeral, int classifier, int target);

// The every/per/all phrase i over two, three, four and five children.
void Process_Mei1(CjTransferContext& c, int i);
void Process_Mei2(CjTransferContext& c, int i);
void Process_Mei3(CjTransferContext& c, int i);
void Process_Mei4(CjTransferContext& c, int i);

}  // namespace cj
