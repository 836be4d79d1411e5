// Stretches between an opening and a closing word: brackets, quotes and listed word pairs.
#include <array>
#include <cstdint>
#include <string>

#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kQuoteOpeners{"fixedExpressions.quoteOpeners"};
constinit ListedKey kQuoteClosers{"fixedExpressions.quoteClosers"};
constinit ListedKey kBracketOpeners{"fixedExpressions.bracketOpeners"};
constinit ListedKey kBracketClosers{"fixedExpressions.bracketClosers"};
constinit ListedKey kParenOpener{"fixedExpressions.parenOpener"};  // closed by ")"
constinit ListedKey kParenCloser{"fixedExpressions.parenCloser"};  // opened by "("
constinit ListedKey kFirstOpeners{"fixedExpressions.firstPairOpeners"};
constinit ListedKey kFirstClosers{"fixedExpressions.firstPairClosers"};
constinit ListedKey kSecondOpeners{"fixedExpressions.secondPairOpeners"};
constinit ListedKey kSecondClosers{"fixedExpressions.secondPairClosers"};
constinit ListedKey kThirdOpeners{"fixedExpressions.thirdPairOpeners"};
constinit ListedKey kThirdClosers{"fixedExpressions.thirdPairClosers"};

constexpr int kFirstPairs = 14;
constexpr int kSecondPairs = 154;
constexpr int kThirdPairs = 4;

const WordKeySpec kWordKeys[] = {
    {kQuoteOpeners, 3, 1, 1},   {kQuoteClosers, 3, 1, 1},          {kBracketOpeners, 8, 1, 1},
    {kBracketClosers, 8, 1, 1}, {kParenOpener, 1, 1, 1},           {kParenCloser, 1, 1, 1},
    {kFirstOpeners, kFirstPairs, 1, 2},  {kFirstClosers, kFirstPairs, 1, 2},
    {kSecondOpeners, kSecondPairs, 1, 3}, {kSecondClosers, kSecondPairs, 1, 3},
    {kThirdOpeners, kThirdPairs, 1, 1},   {kThirdClosers, kThirdPairs, 1, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr std::string_view kDoubleOpen = "[[";
constexpr std::string_view kDoubleClose = "]]";

// A word of a row: an ASCII literal or word index of a key.
struct RowWord {
  const char* literal;
  const ListedKey* key;
  int index;
};

struct BracketRow {
  RowWord open;
  RowWord close;
  const char* label;
};

constexpr RowWord lit(const char* text) { return {text, nullptr, 0}; }
constexpr RowWord listed(const ListedKey& key, int index) { return {nullptr, &key, index}; }

// The bracket and quote rows in their order; row 21 repeats the pair of row 17.
const BracketRow kBracketRows[] = {
    {lit("[["), lit("]]"), "N"},
    {listed(kQuoteOpeners, 0), listed(kQuoteClosers, 0), "YP"},
    {lit("\xA2"), lit("\xA3"), "YP"},
    {lit("\""), lit("\""), "YP"},
    {listed(kQuoteOpeners, 1), listed(kQuoteClosers, 1), "YP"},
    {lit("'"), lit("'"), "YP"},
    {listed(kQuoteOpeners, 2), listed(kQuoteClosers, 2), "YP"},
    {listed(kBracketOpeners, 0), listed(kBracketClosers, 0), "KP"},
    {lit("("), lit(")"), "KP"},
    {listed(kParenOpener, 0), lit(")"), "KP"},
    {lit("("), listed(kParenCloser, 0), "KP"},
    {lit("{"), lit("}"), "KP"},
    {listed(kBracketOpeners, 1), listed(kBracketClosers, 1), "KP"},
    {listed(kBracketOpeners, 2), listed(kBracketClosers, 2), "KP"},
    {lit("["), lit("]"), "KP"},
    {listed(kBracketOpeners, 3), listed(kBracketClosers, 3), "KP"},
    {listed(kBracketOpeners, 4), listed(kBracketClosers, 4), "KP"},
    {lit("<"), lit(">"), "KP"},
    {listed(kBracketOpeners, 5), listed(kBracketClosers, 5), "KP"},
    {listed(kBracketOpeners, 6), listed(kBracketClosers, 6), "KP"},
    {listed(kBracketOpeners, 4), listed(kBracketClosers, 4), "KP"},
    {listed(kBracketOpeners, 7), listed(kBracketClosers, 7), "KP"},
};

std::string_view wordOf(const RowWord& w) {
  if (w.literal) return w.literal;
  const auto& words = listedWords(*w.key);
  return w.index < static_cast<int>(words.size()) ? std::string_view(words[w.index]) : std::string_view();
}

// Mode and split length of row r (from 1) of the second table.
void secondTableMode(int r, char& mode, int& n) {
  n = 0;
  if (r >= 12 && r <= 31) mode = 'A';
  else if ((r >= 79 && r <= 82) || r >= 143) mode = 'F';
  else if (r == 90) mode = 'X', n = 1;
  else if (r == 91 || r == 92) mode = 'N';
  else if (r == 94) mode = 'T', n = 1;
  else if (r >= 127 && r <= 129) mode = 'Y', n = 1;
  else mode = '*';
}

// nodeText(s, k) == word, comparing the first byte before the text is measured.
bool hasText(const CjSentence& s, int k, std::string_view word) {
  if (word.empty() || !isNodeIndex(s, k)) return nodeText(s, k) == word;
  return s.nodes[k].CHI.c_str()[0] == word[0] && nodeText(s, k) == word;
}

// The first node after `from` whose text is word; 0 at the chain's end.
int findText(const CjSentence& s, int from, std::string_view word) {
  int k = nextNode(s, from);
  for (int steps = 0; k != 0 && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    if (hasText(s, k, word)) return k;
  }
  return 0;
}

// The texts of the top chain as a set of hash bits: a word whose bit is clear is no node's text, so
// a table row opened by it changes nothing. One walk of the chain serves every row until a row acts.
class ChainTexts {
 public:
  explicit ChainTexts(const CjSentence& s) { refresh(s); }

  void refresh(const CjSentence& s) {
    bits_.fill(0);
    int k = s.firstTop;
    for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps, k = nextNode(s, k)) set(nodeText(s, k));
  }

  bool mayHold(std::string_view word) const {
    const unsigned h = hash(word);
    return (bits_[h >> 6] >> (h & 63)) & 1;
  }

 private:
  // The length and the first and last bytes: enough to tell the table's words apart.
  static unsigned hash(std::string_view word) {
    if (word.empty()) return 0;
    const unsigned first = static_cast<unsigned char>(word.front()), last = static_cast<unsigned char>(word.back());
    return (first * 31u + last * 7u + static_cast<unsigned>(word.size()) * 131u) & 1023;
  }
  void set(std::string_view word) {
    const unsigned h = hash(word);
    bits_[h >> 6] |= std::uint64_t{1} << (h & 63);
  }

  std::array<std::uint64_t, 16> bits_{};
};

// Labels a new span node and its delimiters.
void markSpan(CjSentence& s, int p, int left, int right, std::string_view label, std::string_view openWord,
              std::string_view closeWord) {
  CjNode& node = s.nodes[p];
  node.CAT = label;
  node.spanMark = 'y';
  s.nodes[left].spanMark = 'l';
  s.nodes[right].spanMark = 'r';
  if (openWord == kDoubleOpen && closeWord == kDoubleClose) {
    node.structureClass = '2';
    node.ruleNumber = 3;
    node.spanMark = 0;
    s.nodes[left].spanMark = 0;
    s.nodes[right].spanMark = 0;
  }
}

int buildSpan(CjSentence& s, int opener, int closer, std::string_view label, std::string_view openWord,
              std::string_view closeWord) {
  int p = builtnewnode(s, opener, closer);
  if (!p) return 0;
  s.nodes[p].headChild = opener;
  markSpan(s, p, opener, closer, label, openWord, closeWord);
  return p;
}

// An opening word cut in two after its first n characters.
void joinSplitOpeners(CjSentence& s, std::string_view openWord, std::string_view closeWord, std::string_view label,
                      int n) {
  std::size_t cut = 2 * static_cast<std::size_t>(n);
  if (openWord.size() <= cut) return;
  std::string_view head = openWord.substr(0, cut), tail = openWord.substr(cut);
  int k = s.firstTop;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    int t = nextNode(s, k);
    if (nodeText(s, k) != head || t == 0 || nodeText(s, t) != tail) {
      k = nextNode(s, k);
      continue;
    }
    int closer = findText(s, t, closeWord);
    if (!closer) return;
    s.nodes[k].CHI = openWord;
    unlinkNode(s, t);
    int p = buildSpan(s, k, closer, label, openWord, closeWord);
    if (!p) return;
    k = nextNode(s, p);
  }
}

// A closing word cut in two after its first n characters.
void joinSplitClosers(CjSentence& s, std::string_view openWord, std::string_view closeWord, std::string_view label,
                      int n) {
  std::size_t cut = 2 * static_cast<std::size_t>(n);
  if (closeWord.size() <= cut) return;
  std::string_view head = closeWord.substr(0, cut), tail = closeWord.substr(cut);
  int k = s.firstTop;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!hasText(s, k, openWord)) {
      k = nextNode(s, k);
      continue;
    }
    int h = nextNode(s, k);
    for (int m = 0; h != 0 && m < kMaxNodes; ++m, h = nextNode(s, h)) {
      if (nodeText(s, h) == head && nodeText(s, nextNode(s, h)) == tail && nextNode(s, h) != 0) break;
    }
    if (!h) return;
    int t = nextNode(s, h);
    s.nodes[t].CHI = closeWord;
    unlinkNode(s, h);
    int p = buildSpan(s, k, t, label, openWord, closeWord);
    if (!p) return;
    k = nextNode(s, p);
  }
}

}  // namespace

void wrapDelimitedSpans(CjSentence& s, std::string_view openWord, std::string_view closeWord, std::string_view label,
                        char mode, int n) {
  if (openWord.empty() || closeWord.empty()) return;
  int k = s.firstTop;
  int splitLength = n;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!hasText(s, k, openWord)) {
      k = nextNode(s, k);
      continue;
    }
    int closer = findText(s, k, closeWord);
    if (mode == 'V' && closer) closer = buildAdverbialVerbPhrase(s, k, closer);
    if (mode == 'T' && closer && splitLength != 0) {
      splitWordTail(s, closer, 2 * splitLength);
      splitLength = 0;
    }
    if (!closer) break;
    int p = buildSpan(s, k, closer, label, openWord, closeWord);
    if (!p) break;
    k = nextNode(s, p);
  }
  if (mode == 'X' && n != 0) joinSplitOpeners(s, openWord, closeWord, label, n);
  if (mode == 'Y' && n != 0) joinSplitClosers(s, openWord, closeWord, label, n);
}

void wrapDelimitedSpansWithBuilder(CjSentence& s, std::string_view openWord, std::string_view closeWord,
                                   std::string_view label, char builder) {
  if (openWord.empty() || closeWord.empty()) return;
  int k = s.firstTop;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!hasText(s, k, openWord)) {
      k = nextNode(s, k);
      continue;
    }
    int closer = findText(s, k, closeWord);
    if (!closer) return;
    int p = 0;
    switch (builder) {
      case 'N': p = builtnewnode(s, k, closer); break;
      case 'L': p = buildNodeWithEmptyFront(s, k, closer); break;
      case 'R': p = buildNodeWithEmptyBack(s, k, closer); break;
      case 'B': p = buildWrappedNode(s, k, closer); break;
      default: return;
    }
    if (!p) return;
    markSpan(s, p, firstChild(s, p), lastChild(s, p), label, openWord, closeWord);
    k = nextNode(s, p);
  }
}

void wrapBracketsAndQuotes(CjSentence& s) {
  ChainTexts present(s);
  for (const BracketRow& row : kBracketRows) {
    const std::string_view open = wordOf(row.open);
    if (!present.mayHold(open)) continue;
    wrapDelimitedSpans(s, open, wordOf(row.close), row.label, '*', 0);
    present.refresh(s);
  }
  const auto& openers = listedWords(kFirstOpeners);
  const auto& closers = listedWords(kFirstClosers);
  for (std::size_t r = 0; r < openers.size() && r < closers.size(); ++r) {
    if (!present.mayHold(openers[r])) continue;
    wrapDelimitedSpans(s, openers[r], closers[r], "DP", '*', 0);
    present.refresh(s);
  }
}

void wrapListedWordPairs(CjSentence& s) {
  ChainTexts present(s);
  const auto& openers = listedWords(kSecondOpeners);
  const auto& closers = listedWords(kSecondClosers);
  for (std::size_t r = 0; r < openers.size() && r < closers.size(); ++r) {
    char mode;
    int n;
    secondTableMode(static_cast<int>(r) + 1, mode, n);
    // A split opener is found by its two halves, not by the whole word.
    if (mode != 'X' && !present.mayHold(openers[r])) continue;
    wrapDelimitedSpans(s, openers[r], closers[r], "DP", mode, n);
    present.refresh(s);
  }
  const auto& thirdOpeners = listedWords(kThirdOpeners);
  const auto& thirdClosers = listedWords(kThirdClosers);
  for (std::size_t r = 0; r < thirdOpeners.size() && r < thirdClosers.size(); ++r) {
    if (!present.mayHold(thirdOpeners[r])) continue;
    wrapDelimitedSpansWithBuilder(s, thirdOpeners[r], thirdClosers[r], "DP", 'R');
    present.refresh(s);
  }
}

}  // namespace cj
