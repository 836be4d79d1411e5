#include "engine/cj/analysis/data_checks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/cj/analysis/trie_reader.h"
#include "engine/common/dbcs_text.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/cj_segment_trie_writer.h"

namespace {

using cj::LineFileKey;
using cj::TrieBlame;

// The line-file check walked byte by byte over the plain text.
std::string plainWalk(const std::string& plain) {
  if (plain.empty()) return "empty";
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const auto b = static_cast<unsigned char>(plain[i]);
    if (dbcs::isLeadByte(b)) {
      ++i;
    } else if (b == 0) {
      return "a NUL at byte " + std::to_string(i) + " (not a text of this kind)";
    }
  }
  if (plain.size() < 2 || plain.compare(plain.size() - 2, 2, "\r\n") != 0) return "cut (its last line has no end)";
  return {};
}

// Text of single bytes and double-byte characters (some with a trail that reads as NUL), a NUL
// now and then, mostly ending in CR LF.
std::string someText(std::mt19937& random) {
  std::string s;
  const std::size_t length = random() % 420;
  while (s.size() < length) {
    const unsigned pick = random() % 100;
    if (pick < 40) {
      s.push_back(static_cast<char>('a' + random() % 26));
    } else if (pick < 85) {
      const unsigned lead = random() % 2 ? 0x81 + random() % 0x1F : 0xE0 + random() % 0x1D;
      s.push_back(static_cast<char>(lead));
      s.push_back(static_cast<char>(random() % 8 == 0 ? 0 : 0x40 + random() % 0xBD));
    } else if (pick < 88) {
      s.push_back('\0');
    } else {
      s += "\r\n";
    }
  }
  if (random() % 4 != 0) s += "\r\n";
  return s;
}

TEST(LineFileCheck, AnswersAsAWalkOfThePlainText) {
  const std::pair<LineFileKey, datagen::CjScrambleKey> kinds[] = {
      {LineFileKey::DicEntry, datagen::CjScrambleKey::DicEntry},
      {LineFileKey::CjDicLine, datagen::CjScrambleKey::CjDicLine},
      {LineFileKey::ListLine, datagen::CjScrambleKey::ListLine},
      {LineFileKey::Grammar, datagen::CjScrambleKey::Grammar},
  };
  std::mt19937 random(80);
  int refused = 0, trailNuls = 0;
  for (const auto& [check, scramble] : kinds) {
    for (int round = 0; round < 1500; ++round) {
      const std::string plain = someText(random);
      const std::string expected = plainWalk(plain);
      refused += expected.rfind("a NUL", 0) == 0;
      for (std::size_t i = 1; i < plain.size(); ++i) trailNuls += plain[i] == '\0' && dbcs::isLeadByte(static_cast<unsigned char>(plain[i - 1]));
      EXPECT_EQ(cj::checkLineFile(datagen::scrambleAt(scramble, plain, 0), check), expected) << round;
    }
  }
  // Both kinds of NUL were met: at a character's start, and as a trail byte.
  EXPECT_GT(refused, 1000);
  EXPECT_GT(trailNuls, 1000);
}

// Words over a small alphabet, so that they share their first characters and prefixes.
std::vector<datagen::CjTrieWord> someWords(std::mt19937& random, std::size_t count) {
  std::vector<datagen::CjTrieWord> words;
  for (std::size_t k = 0; k < count; ++k) {
    std::string w;
    for (std::size_t n = 1 + random() % 4; n > 0; --n) {
      w.push_back(static_cast<char>(0x88));
      w.push_back(static_cast<char>(0x9F + random() % 6));
    }
    words.push_back({w, static_cast<uint32_t>(10 * k)});
  }
  return words;
}

std::string node(uint16_t code, uint16_t flags, uint32_t value) {
  std::string n(8, '\0');
  n[0] = static_cast<char>(code & 0xFF);
  n[1] = static_cast<char>(code >> 8);
  n[2] = static_cast<char>(flags & 0xFF);
  for (int k = 0; k < 4; ++k) n[4 + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
  return n;
}
std::string indexRecord(uint16_t code, uint16_t count, uint32_t value) { return node(code, count, value); }

TEST(TrieCheck, WrittenTriesPassAndEveryCutIsNamed) {
  std::mt19937 random(80);
  const std::vector<datagen::CjTrieWord> words = someWords(random, 300);
  const long dictionary = 10 * 300;
  for (bool reversed : {false, true}) {
    const datagen::CjTrieFiles f = datagen::cjTrieFiles(words, reversed);
    TrieBlame blame = TrieBlame::Index;
    ASSERT_EQ(cj::checkTrieAndIndex(f.trie, f.index, dictionary, blame), "");
    const std::size_t nodes = f.trie.size() / cj::kTrieNodeSize;
    ASSERT_GT(nodes, 50u);
    // The trie cut at every node: the trie is named.
    for (std::size_t n = 1; n < nodes; ++n) {
      EXPECT_NE(cj::checkTrieAndIndex(f.trie.substr(0, n * cj::kTrieNodeSize), f.index, dictionary, blame), "") << n;
      EXPECT_EQ(blame, TrieBlame::Trie) << n;
    }
    // The index cut at a record: the nodes of its last characters are not reached.
    const std::string shortIndex = f.index.substr(0, f.index.size() - 8);
    EXPECT_NE(cj::checkTrieAndIndex(f.trie, shortIndex, dictionary, blame).find("nodes not reached"), std::string::npos);
    EXPECT_EQ(blame, TrieBlame::Index);
    // The word dictionary cut: its last word lies past its end.
    EXPECT_NE(cj::checkTrieAndIndex(f.trie, f.index, dictionary - 10, blame), "");
    EXPECT_EQ(blame, TrieBlame::Dictionary);
  }
  // The other trie's index.
  const datagen::CjTrieFiles forwards = datagen::cjTrieFiles(words, false);
  const datagen::CjTrieFiles backwards = datagen::cjTrieFiles(words, true);
  TrieBlame blame = TrieBlame::Trie;
  EXPECT_NE(cj::checkTrieAndIndex(forwards.trie, backwards.index, dictionary, blame), "");
}

TEST(TrieCheck, ChildrenBeforeTheirParentAreWalked) {
  // The first character's node (1) leads back to its child run at node 0.
  const std::string index = indexRecord(0x889F, 1, 1);
  const std::string child = node(0, cj::kTrieWordEnd | cj::kTrieLastSibling, 5);
  const std::string first = node(0x88A0, cj::kTrieLastSibling, 0);
  TrieBlame blame = TrieBlame::Index;
  EXPECT_EQ(cj::checkTrieAndIndex(child + first, index, 10, blame), "");
  // A node nothing leads to.
  EXPECT_EQ(cj::checkTrieAndIndex(child + first + child, index, 10, blame),
            "cut, or not the index of its trie (1 nodes not reached)");
  EXPECT_EQ(blame, TrieBlame::Index);
  // A link past the end, and a run of siblings that never ends.
  EXPECT_EQ(cj::checkTrieAndIndex(child + node(0x88A0, cj::kTrieLastSibling, 2), index, 10, blame),
            "cut (a link past its end at node 1)");
  EXPECT_EQ(cj::checkTrieAndIndex(node(0, cj::kTrieWordEnd, 5) + node(0x88A0, 0, 0), index, 10, blame),
            "cut (a link past its end at node 1)");
  EXPECT_EQ(blame, TrieBlame::Trie);
}

}  // namespace
