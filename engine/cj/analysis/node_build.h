// Building phrase nodes, navigation, feature copying and the role links of a sentence.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/analysis/sentence.h"

namespace cj {

// Navigation; 0 means none, and so does any index outside 0 to the node count.
inline bool inSlots(const CjSentence& s, int i) { return i >= 0 && i <= s.nodeCount && i < kMaxNodes; }
inline int firstChild(const CjSentence& s, int i) { return inSlots(s, i) ? s.nodes[i].firstChild : 0; }
inline int lastChild(const CjSentence& s, int i) { return inSlots(s, i) ? s.nodes[i].lastChild : 0; }
inline int prevNode(const CjSentence& s, int i) { return inSlots(s, i) ? s.nodes[i].prev : 0; }
inline int nextNode(const CjSentence& s, int i) { return inSlots(s, i) ? s.nodes[i].next : 0; }
inline int headChild(const CjSentence& s, int i) { return inSlots(s, i) ? s.nodes[i].headChild : 0; }
inline bool isWordNode(const CjSentence& s, int i) {
  if (i < 1 || i >= kMaxNodes) return true;
  return s.nodes[i].firstChild == 0 && s.nodes[i].lastChild == 0;
}
int lexicalHead(const CjSentence& s, int i);
int leftmostWord(const CjSentence& s, int i);
int rightmostWord(const CjSentence& s, int i);

// Builds a phrase node over the span first..last of one chain; 0 when nothing was built.
int builtnewnode(CjSentence& s, int first, int last);
// Puts an empty word node between before and after (either may be 0); 0 when no slot is left.
int insertEmptyNode(CjSentence& s, int before, int after);
int buildWrappedNode(CjSentence& s, int first, int last);
int buildNodeWithEmptyFront(CjSentence& s, int first, int last);
int buildNodeWithEmptyBack(CjSentence& s, int first, int last);

// Copies one named feature (or "ALL") of node from into node to.
void copyNodeFeature(CjSentence& s, int to, int from, std::string_view name);

// Records that dependent fills role label of head.
void addRoleLink(CjSentence& s, int head, int dependent, std::string_view label);
void insertRoleLinkOrdered(CjSentence& s, const CjRoleLink& link);

// Word-text tests of the pre-parse rules.
bool isReduplicatedWord(std::string_view text);
bool hasSenseLetter(const CjNode& node, std::string_view letters);
int textDiffersAt(std::string_view text, int from, int to, std::string_view word);
bool startsWithHanzi(std::string_view text);
// Splits off the leading characters that are listed prefixes; 0 when the whole text is listed.
int splitListedPrefix(std::string_view text, std::string& prefix, std::string& rest);

}  // namespace cj
