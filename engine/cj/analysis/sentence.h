// The sentence work area: 300 node slots, their senses, role links and the summary.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/dbcs_text.h"

namespace cj {

// The Chinese-to-Japanese engine reads the double-byte layer (engine/common) by its plain names.
using namespace dbcs;

inline constexpr int kMaxNodes = 300;


// Length of the longest prefix of text that fits in limit bytes without splitting a character.
inline std::size_t fitAtCharBoundary(std::string_view text, std::size_t limit) {
  return dbcs::fitWholeChars(text, limit);
}

// A terminated byte string in a field of N bytes; copies cut at a character boundary.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kCapacity = N - 1;
  FixedText() = default;
  FixedText(std::string_view s) { assign(s); }  // NOLINT: fields are set from texts
  FixedText& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  void assign(std::string_view s) {
    std::size_t n = fitAtCharBoundary(s, kCapacity);
    if (n > 0) std::memcpy(buf_.data(), s.data(), n);
    buf_[n] = 0;
  }
  void append(std::string_view s) {
    std::size_t used = size();
    std::size_t n = fitAtCharBoundary(s, kCapacity - used);
    if (n > 0) std::memcpy(buf_.data() + used, s.data(), n);
    buf_[used + n] = 0;
  }
  void clear() { buf_[0] = 0; }
  std::string_view view() const { return {buf_.data(), size()}; }
  std::string str() const { return std::string(view()); }
  const char* c_str() const { return buf_.data(); }
  // Values are short: a plain scan beats a library call.
  std::size_t size() const {
    std::size_t n = 0;
    while (n < kCapacity && buf_[n] != 0) ++n;
    return n;
  }
  bool empty() const { return buf_[0] == 0; }
  char operator[](std::size_t i) const { return i < N ? buf_[i] : 0; }
  bool contains(std::string_view s) const { return !s.empty() && view().find(s) != std::string_view::npos; }
  friend bool operator==(const FixedText& a, std::string_view b) {
    // The first byte before the length: most texts compared differ there.
    if (!b.empty() && a.buf_[0] != b[0]) return false;
    return a.view() == b;
  }

 private:
  std::array<char, N> buf_{};
};

// The feature block of a node, laid out like a sense.
struct CjFeatures {
  char catLetter = 0;
  FixedText<5> M_SEM;
  FixedText<5> S_SEM;
  char CLAS_M_FIX = 0;
  char CLAS_YN = 0;
  FixedText<5> LOC;
  char SEX = 0;
  char NUM = 0;
  char PER = 0;
  char PROP = 0;
  char TIME = 0;
  char NEG = 0;
  char NEG2 = 0;  // second negation byte
  char VOI = 0;
  char TEN = 0;
  char ASP = 0;
  FixedText<8> C_SUB_SEM;
  FixedText<8> C_OBJ_SEM;
  FixedText<8> NO_C_OBJ_SEM;
  FixedText<6> REPEAT;
  FixedText<5> PRE_OBJ;
  FixedText<8> C_VAL;
  FixedText<6> V_RES;
  FixedText<6> V_TWO;
  char MOD = 0;
  char DEG = 0;
  char FUNC1 = 0;
  char CONJ = 0;
  char CONJ_FIX = 0;
  char MODIFY = 0;
  char SENT_YN = 0;
  char WHAT = 0;
  char WHO = 0;
  char DOM_P = 0;
  char CERT = 0;
  char ATTR1 = 0;
  char CONJ_YN = 0;
  char LOGIC = 0;
  char PREP_YN = 0;
  char COMBINE = 0;
  char PRE_POST = 0;
  char SV_CONJ = 0;
  char ADD = 0;
  char ATTR2 = 0;
  FixedText<8> S_CAT;
};

// One dictionary sense of a word; catLetter is its category letter.
struct CjSense : CjFeatures {};

// Role counters of a head node.
enum RoleCounter { kCountSub, kCountObj1, kCountObj2, kCountTop, kCountAdv, kCountComp, kCountSoc,
                   kCountPivt, kCountG, kCountLog, kCountNum, kCountVa, kRoleCounters };

struct CjNode {
  char kind = '4';
  std::int32_t dictionaryRef = 0;  // entry offset + 1, 0 = none
  FixedText<90> CHI;
  FixedText<10> CAT;
  CjFeatures features;
  std::vector<CjSense> senses;
  FixedText<2> SYLA;
  FixedText<8> REPF;
  FixedText<10> SYS;
  FixedText<3> roleLabel;
  char spanMark = ' ';
  char structureClass = 0;
  char subtype = 0;
  std::int32_t ruleNumber = 0;
  FixedText<10> CATYNUM;
  char predicateMark = 0;
  char secondMark = '*';
  char attached = 0;
  std::int32_t parent = 0;
  std::int32_t firstChild = 0;
  std::int32_t lastChild = 0;
  std::int32_t prev = 0;
  std::int32_t next = 0;
  std::int32_t headChild = 0;
  std::int32_t secondHead = 0;
  std::int32_t governor = 0;
  std::array<std::int32_t, kRoleCounters> roleCounts{};
};

struct CjRoleLink {
  char flag = 0;  // '*' once the transfer side has used the link
  std::int32_t head = 0;
  std::int32_t dependent = 0;
  FixedText<12> label;
};

// The sentence header: the sentence holds one, its summary is a copy, and the transfer context
// works on its own copy.
struct CjSentenceHeader {
  std::int32_t nodeCount = 0;
  std::int32_t wordCount = 0;  // later the sentence node of the "<S>" pass
  std::int32_t firstTop = 0;
  std::int32_t lastTop = 0;
  std::int32_t govNode = 0;  // the main predicate
  std::int32_t govWork = 0;  // the transfer's working governor; 0 in the analysis
  std::int32_t argCount = 0;
  FixedText<8> sentenceType;
};

using CjSentenceSummary = CjSentenceHeader;

// Copies every header field but the node count.
inline void restoreHeaderFields(CjSentenceHeader& to, const CjSentenceHeader& from) {
  const std::int32_t nodeCount = to.nodeCount;
  to = from;
  to.nodeCount = nodeCount;
}

// A 32-byte block of the parser's free list.
using CjParserBlock = std::array<std::int32_t, 8>;

struct CjEngine;

struct CjSentence : CjSentenceHeader {
  // The engine the sentence is translated by: its data and its status word.
  CjEngine* engine = nullptr;
  std::array<CjNode, kMaxNodes> nodes;
  FixedText<90> matchQuestion;  // the "?" match variable (a whole feature value)
  FixedText<90> matchHash;      // the "#" match variable
  std::int32_t matchQuestionNode = 0;
  std::int32_t matchHashNode = 0;
  std::vector<CjRoleLink> roleLinks;  // kept in the order of insertRoleLinkOrdered
  std::unique_ptr<CjSentenceSummary> summary;
  std::vector<CjParserBlock> parserBlocks;
};

// Allocates and builds a sentence of count words (0 to 299). Shows the out-of-memory message
// and returns null when the record or one of its blocks cannot be allocated; null too for a count
// that does not fit the slots.
std::unique_ptr<CjSentence> buildSentence(int count);
void initNode(CjSentence& s, int i);
void clearNodeFeatures(CjSentence& s, int i);
void clearFeatures(CjFeatures& f);
void linkWordChain(CjSentence& s);
// Frees the blocks and the sense lists of slots 0 to the node count.
void releaseSentence(CjSentence& s);
// As buildSentence, in the record spare holds when it holds one (taken from it); the slots a kept
// record's last sentence used were cleared when it was kept.
std::unique_ptr<CjSentence> reuseSentence(std::unique_ptr<CjSentence>& spare, int count);
// Ends a sentence: its record, cleared as buildSentence leaves a new one, goes to spare.
void keepSentence(std::unique_ptr<CjSentence>& s, std::unique_ptr<CjSentence>& spare);
void initSense(CjSense& sense);
void setNodeDefaults(CjNode& node);
// Copies the sense whose letter is the first letter of CAT into the feature block; always 0.
int applySenseFeatures(CjSentence& s, int i);

std::vector<CjRoleLink>& roleLinksOf(CjSentence& s);
// Fills the summary from the header and returns it (null when the block is missing).
CjSentenceSummary* summaryOf(CjSentence& s);

// True when 1 <= i <= node count.
inline bool isNodeIndex(const CjSentence& s, int i) { return i >= 1 && i <= s.nodeCount && i < kMaxNodes; }

}  // namespace cj
