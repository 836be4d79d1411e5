#include "engine/common/descramble.h"
#include "tools/datagen/cj_scramble.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using datagen::CjScrambleKey;

using LineRoutine = std::size_t (*)(char*, std::size_t, long);

struct Routine {
  const char* name;
  CjScrambleKey key;
  LineRoutine run;
};

const Routine kLineRoutines[] = {
    {"grammar", CjScrambleKey::Grammar, dbcs::descrambleGrammarLine},
    {"cjdic", CjScrambleKey::CjDicLine, dbcs::descrambleCjDicLine},
    {"list", CjScrambleKey::ListLine, dbcs::descrambleListLine},
    {"dicentry", CjScrambleKey::DicEntry, dbcs::descrambleDicEntry},
};

// Descrambles exactly the bytes read, in a buffer one byte longer, as a reader holds them.
std::string descramble(const Routine& r, const std::string& raw, long offset, std::size_t* length = nullptr) {
  std::vector<char> buf(raw.begin(), raw.end());
  buf.push_back('\x7F');  // the one byte of room; must become the terminator or stay unread
  std::size_t n = r.run(buf.data(), raw.size(), offset);
  if (length) *length = n;
  return std::string(buf.data(), n);
}

TEST(Descramble, ScrambledLinesComeBackAtTheirOffset) {
  // ASCII, a double-byte character, and a line end that stops the walk.
  const std::string plain = "NP-[N]+[V] \x88\x9F\x9B\xCE end\r\nnext";
  for (const Routine& r : kLineRoutines) {
    for (long offset : {0L, 7L, 1234L}) {
      std::string raw = datagen::scrambleAt(r.key, plain, offset);
      std::size_t n = 0;
      EXPECT_EQ(descramble(r, raw, offset, &n), "NP-[N]+[V] \x88\x9F\x9B\xCE end") << r.name << " " << offset;
      EXPECT_EQ(n, plain.find('\r'));
      // Read from another offset, the same bytes give something else.
      EXPECT_NE(descramble(r, raw, offset + 1).substr(0, 10), plain.substr(0, 10)) << r.name;
    }
  }
}

TEST(Descramble, LeadByteTakesItsTrailAndTheBytesReadBoundTheWalk) {
  for (const Routine& r : kLineRoutines) {
    // A trail byte that is a line feed does not end the line.
    std::string raw = datagen::scrambleAt(r.key, std::string("a\x88\nb\nc", 6), 3);
    EXPECT_EQ(descramble(r, raw, 3), std::string("a\x88\nb", 4)) << r.name;
    // A lead byte as the last byte read: kept, terminated, nothing past it touched.
    raw = datagen::scrambleAt(r.key, "ab\x88", 5);
    std::size_t n = 0;
    EXPECT_EQ(descramble(r, raw, 5, &n), "ab\x88") << r.name;
    EXPECT_EQ(n, 3u);
    // No line end at all: the line is every byte read.
    raw = datagen::scrambleAt(r.key, "abc", 0);
    EXPECT_EQ(descramble(r, raw, 0), "abc") << r.name;
    EXPECT_EQ(descramble(r, "", 0), "") << r.name;
  }
}

TEST(Descramble, RawZeroStopsLineRoutinesButNotDictionaryEntries) {
  std::string plain = "abcdef\n";
  for (const Routine& r : kLineRoutines) {
    std::string raw = datagen::scrambleAt(r.key, plain, 0);
    raw[3] = '\0';
    std::string got = descramble(r, raw, 0);
    if (r.key == CjScrambleKey::DicEntry) {
      EXPECT_EQ(got.size(), 6u) << r.name;
      EXPECT_EQ(got.substr(0, 3), "abc");
      EXPECT_EQ(got.substr(4), "ef");
    } else {
      EXPECT_EQ(got, "abc") << r.name;
    }
  }
}

TEST(Descramble, DictionaryEntryStopsAfter228Bytes) {
  std::string plain(300, 'x');
  std::string raw = datagen::scrambleAt(CjScrambleKey::DicEntry, plain, 40);
  std::vector<char> buf(raw.begin(), raw.end());
  buf.push_back(0);
  std::size_t n = dbcs::descrambleDicEntry(buf.data(), raw.size(), 40);
  EXPECT_EQ(n, 228u);
  EXPECT_EQ(std::string(buf.data()), std::string(228, 'x'));

  std::string s = raw;
  dbcs::descrambleDicEntry(s, 40);
  EXPECT_EQ(s, std::string(228, 'x'));
}

TEST(Descramble, StringFormCutsToTheLine) {
  std::string s = datagen::scrambleAt(CjScrambleKey::Grammar, "(0,*) F\r\n(1,*) R1\r\n", 20);
  dbcs::descrambleGrammarLine(s, 20);
  EXPECT_EQ(s, "(0,*) F");
}

TEST(Descramble, RecordsTurnEveryByteFromPhaseZero) {
  std::string plain("\x88\x9F\0\0\n\r", 6);
  plain += std::string(38, '\0');
  std::string raw = datagen::scrambleRecord(plain);
  ASSERT_EQ(raw.size(), 44u);
  EXPECT_NE(raw, plain);
  dbcs::descrambleRecord(raw.data(), raw.size());
  EXPECT_EQ(raw, plain);
}

TEST(Descramble, WriterRefusesBytesThatWouldReadAsAZero) {
  std::string out;
  // 0xCB + '5' (the grammar key's first byte) wraps to zero.
  EXPECT_FALSE(datagen::scrambleLineFile(CjScrambleKey::Grammar, "\xCB" "abc", out));
  // As a trail byte it is never tested, so it may be stored.
  EXPECT_TRUE(datagen::scrambleLineFile(CjScrambleKey::Grammar, "x\x88\xC7" "abc", out));
}

}  // namespace
