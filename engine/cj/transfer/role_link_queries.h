// Queries over the sentence's role links: the dependent of a head by role, the governor of a
// dependent, the end of a VAA chain, and the consuming takes of the word order.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Dependent of the first link of head with the role, 0 when none.
int findObj1(CjTransferContext& c, int head);
int findG(CjTransferContext& c, int head);
int findTop(CjTransferContext& c, int head);
int findSub(CjTransferContext& c, int head);
int findAdvf(CjTransferContext& c, int head);
int findQt(CjTransferContext& c, int head);
int findComp(CjTransferContext& c, int head);
int findPivt(CjTransferContext& c, int head);
int findAdvn(CjTransferContext& c, int head);
int findLog(CjTransferContext& c, int head);
// The same for any label.
int findDependent(CjTransferContext& c, int head, std::string_view label);
// Dependent of the last VAA link of head.
int findLastVaa(CjTransferContext& c, int head);
// Follows the last VAA link from node on; node itself when it has none.
int followVaaChain(CjTransferContext& c, int node);
// The first of TOP, SUB, ADVF, QT, COMP, PIVT, ADVN, OBJ1 that head has.
int findFirstArgument(CjTransferContext& c, int head);
// Head of the first link whose dependent is node.
int findGovernor(CjTransferContext& c, int node);
// After the link (head, dependent, label), another link of head with the same label follows.
int hasLaterSameRole(CjTransferContext& c, int head, int dependent, std::string_view label);
// Label of the first link from head to dependent (used or not); 0 with out empty when none.
int roleLabelOf(CjTransferContext& c, int head, int dependent, std::string& out);
// Some link of head with the label has a dependent whose CHI is word.
int hasLinkToWord(CjTransferContext& c, int head, std::string_view label, std::string_view word);

// Fills the context's link copy (last link first); 0 after the out-of-memory message, with
// nothing kept.
int copyRoleLinks(CjTransferContext& c);
// Fail point of the link copy.
inline constexpr std::string_view kLinkCopyFailPoint = "cj.transfer.linkCopy";

// Consuming takes: the link is marked used ('*') and its dependent returned; 0 when none.
int takeDependent(CjTransferContext& c, int head, std::string_view label);
// A free ADV* link of head listed before head's first SUB link.
int takeAdverbBeforeSubject(CjTransferContext& c, int head, std::string& out);
// The first free link of head labelled ADV* or G.
int takeAdverbOrG(CjTransferContext& c, int head, std::string& out);

}  // namespace cj
