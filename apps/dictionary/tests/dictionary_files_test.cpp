#include "apps/dictionary/tests/dictionary_fixture.h"

#include "platform/core/files.h"
#include "platform/core/little_endian.h"

#include <algorithm>
#include <functional>
#include <map>

namespace {

using dict::DictionaryEntry;
using dict::DictionaryFiles;
using dicttest::cw;
using dicttest::DictionaryFixture;

class DictionaryFilesTest : public DictionaryFixture {};

TEST_F(DictionaryFilesTest, FindsEveryKeyOfBothDirections) {
  DictionaryFiles files;
  ASSERT_EQ(open(files), 1);
  ASSERT_TRUE(files.isAvailable(0));
  ASSERT_TRUE(files.isAvailable(1));
  // The small blocks give an index of several levels: the root holds tree nodes.
  dict::IndexBlock root = dict::decodeIndexBlock(
      reinterpret_cast<const unsigned char*>(jcFiles_.index.data()) +
          plat::readLe16(jcFiles_.index.data() + 0x48),
      0);
  dict::IndexEntry top;
  ASSERT_TRUE(dict::indexEntryAt(root, 0, top));
  EXPECT_EQ(top.record, 0u);
  EXPECT_NE(top.child, 0u);

  ASSERT_TRUE(files.openDirection(0));
  for (size_t i = 0; i < jc_.size(); ++i) {
    DictionaryEntry e;
    // The search key is typed in full-width kana and normalised like the stored keys.
    ASSERT_TRUE(files.findEntry(0, jcReadings_[i], e)) << i;
    EXPECT_EQ(e.recordNumber, static_cast<std::int32_t>(jcFiles_.positions[i] - 2));
    EXPECT_EQ(e.body, jc_[i].body);
  }
  files.closeDirection(0);
  ASSERT_TRUE(files.openDirection(1));
  for (size_t i = 0; i < cj_.size(); ++i) {
    DictionaryEntry e;
    ASSERT_TRUE(files.findEntry(1, cj_[i].keys[1], e)) << cj_[i].keys[1];
    EXPECT_EQ(e.body, cj_[i].body);
    ASSERT_TRUE(files.findEntry(1, cj_[i].keys[0], e));
    EXPECT_EQ(dict::extractHanzi(e, false), cj_[i].keys[0]);  // homographs: either reading
  }
  files.closeDirection(1);
  EXPECT_TRUE(notes_.messages.empty());
  EXPECT_EQ(plat::openFileCount(), 0);
}

TEST_F(DictionaryFilesTest, LongestMatchingPartOrNothing) {
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, "かこX", e));  // no key; its part かこ is one
  EXPECT_EQ(dict::extractKana(e), "かこ");
  ASSERT_TRUE(files.findEntry(0, "けこんZZ", e));
  EXPECT_EQ(dict::extractKana(e), "けこ");
  EXPECT_FALSE(files.findEntry(0, "ん", e));   // past every key: no part matches
  EXPECT_FALSE(files.findEntry(0, "AAA", e));  // before every key
  // An empty key stands before every key: the first entry of the index.
  std::string firstKey = jc_[0].keys[0];
  size_t first = 0;
  for (size_t i = 0; i < jc_.size(); ++i) {
    if (jc_[i].keys[0] < firstKey) {
      firstKey = jc_[i].keys[0];
      first = i;
    }
  }
  ASSERT_TRUE(files.findEntry(0, "", e));
  EXPECT_EQ(e.body, jc_[first].body);
  files.closeDirection(0);
  ASSERT_TRUE(files.openDirection(1));
  ASSERT_TRUE(files.findEntry(1, "ZHONGGUOREN", e));
  EXPECT_EQ(e.body, cj_[4].body);
  files.closeDirection(1);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, DigitsAndHyphenReadARecordDirectly) {
  // A first body of 714 bytes puts the second record at byte 1236.
  std::vector<datagen::ViewerRecord> records = {{std::string(714, 'x'), {"A"}}, {"target", {"B"}}};
  datagen::ViewerDictionary d = datagen::writeViewerDictionary(0, records);
  ASSERT_EQ(d.positions[1], 1236u);
  ASSERT_TRUE(dev_.write(dicttest::kJcData, d.data));
  ASSERT_TRUE(dev_.write(dicttest::kJcIndex, d.index));
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  // A search key of the same bytes is searched, not read as a record.
  EXPECT_FALSE(files.findEntry(0, "1234-", e) && e.recordNumber == 1234);
  (void)files.findEntry(0, "99999999999-", e);
  EXPECT_TRUE(notes_.messages.empty());  // no read past the file, no file message
  e = DictionaryEntry{};
  ASSERT_TRUE(files.findEntry(0, "1234-", e, true));
  EXPECT_EQ(e.body, "target");
  EXPECT_EQ(e.recordNumber, 1234);
  EXPECT_EQ(e.previousRecord, 510);
  EXPECT_EQ(e.nextRecord, -1);
  ASSERT_TRUE(files.findEntry(0, "510-anything", e, true));
  EXPECT_EQ(e.body, std::string(714, 'x'));
  EXPECT_FALSE(files.findEntry(0, "99999999999-", e, true));
  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"辞書ファイルが読み込みできません"});
}

TEST_F(DictionaryFilesTest, DirectReferenceStartsTheCursorAtTheRoot) {
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, jcReadings_[4], e));
  DictionaryEntry next;
  ASSERT_TRUE(files.nextIndexEntry(0, next));
  // The root holds only tree nodes: stepping from it after a direct reference reads no record.
  ASSERT_TRUE(files.findEntry(0, std::to_string(jcFiles_.positions[4] - 2) + "-", e, true));
  EXPECT_EQ(e.body, jc_[4].body);
  EXPECT_FALSE(files.nextIndexEntry(0, next));
  files.closeDirection(0);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, SteppingCrossesBlocksBothWays) {
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  // Index order is the order of the normalised keys.
  std::vector<std::pair<std::string, std::uint32_t>> order;
  for (size_t i = 0; i < jc_.size(); ++i) order.emplace_back(jc_[i].keys[0], jcFiles_.positions[i] - 2);
  std::sort(order.begin(), order.end());
  const size_t firstReading =
      std::find_if(jc_.begin(), jc_.end(), [&](const auto& r) { return r.keys[0] == order[0].first; }) - jc_.begin();

  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, jcReadings_[firstReading], e));
  std::vector<std::uint32_t> seen = {static_cast<std::uint32_t>(e.recordNumber)};
  while (files.nextIndexEntry(0, e)) seen.push_back(static_cast<std::uint32_t>(e.recordNumber));
  ASSERT_EQ(seen.size(), order.size());
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(seen[i], order[i].second) << i;
  EXPECT_FALSE(files.nextIndexEntry(0, e));  // stays at the end

  const size_t lastReading =
      std::find_if(jc_.begin(), jc_.end(), [&](const auto& r) { return r.keys[0] == order.back().first; }) -
      jc_.begin();
  ASSERT_TRUE(files.findEntry(0, jcReadings_[lastReading], e));
  seen = {static_cast<std::uint32_t>(e.recordNumber)};
  while (files.previousIndexEntry(0, e)) seen.push_back(static_cast<std::uint32_t>(e.recordNumber));
  ASSERT_EQ(seen.size(), order.size());
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(seen[i], order[order.size() - 1 - i].second) << i;

  // The record chain is dictionary order.
  ASSERT_TRUE(files.findEntry(0, jcReadings_[0], e));
  size_t n = 1;
  while (files.nextRecord(0, e)) {
    EXPECT_EQ(e.body, jc_[n].body);
    ++n;
  }
  EXPECT_EQ(n, jc_.size());
  EXPECT_EQ(e.nextRecord, -1);
  while (files.previousRecord(0, e)) --n;
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(e.body, jc_[0].body);
  files.closeDirection(0);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, BodiesDescrambleAndSplitIntoFields) {
  // The stored body is scrambled with the record key.
  std::string stored = jcFiles_.data.substr(jcFiles_.positions[0] + 10, jc_[0].body.size());
  EXPECT_NE(stored, jc_[0].body);
  DictionaryEntry raw;
  raw.body = stored;
  dict::descrambleEntryBody(raw);
  EXPECT_EQ(raw.body, jc_[0].body);

  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, "あい", e));
  ASSERT_TRUE(files.extractEntryText(e, 0));
  EXPECT_EQ(e.text, "あい【語】");
  EXPECT_EQ(dict::extractKana(e), "あい");
  files.closeDirection(0);
  ASSERT_TRUE(files.openDirection(1));
  ASSERT_TRUE(files.findEntry(1, "BEIJING31", e));
  ASSERT_TRUE(files.extractEntryText(e, 1));
  EXPECT_EQ(e.text, cw(u"北京") + " b\xAC" "ij\xAE" "ng");
  EXPECT_EQ(dict::extractHanzi(e, false), cw(u"北京"));
  EXPECT_EQ(dict::extractPinyin(e), "b\xAC" "ij\xAE" "ng");
  EXPECT_EQ(dict::tonePinyinToDigits(dict::extractPinyin(e)), "bE3ijI1ng");
  files.closeDirection(1);
}

TEST_F(DictionaryFilesTest, SuffixSelectsAHomograph) {
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(1));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(1, cw(u"行") + "-x\xAF" "ng", e));
  EXPECT_EQ(e.body, cj_[3].body);
  ASSERT_TRUE(files.findEntry(1, cw(u"行") + "-h\xA7" "ng", e));
  EXPECT_EQ(e.body, cj_[2].body);
  // No reading of the group matches: the group's first entry.
  ASSERT_TRUE(files.findEntry(1, cw(u"行") + "-q", e));
  EXPECT_EQ(dict::extractHanzi(e, false), cw(u"行"));
  // The cursor stays on the group's first entry, so stepping goes on from there.
  ASSERT_TRUE(files.findEntry(1, cw(u"行") + "-x\xAF" "ng", e));
  ASSERT_TRUE(files.nextIndexEntry(1, e));
  EXPECT_EQ(e.body, cj_[3].body);
  files.closeDirection(1);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, StartUpFailuresGiveTheirMessages) {
  auto withType = [](std::string file, const char* type) {
    file.replace(5, 3, type);
    return file;
  };
  auto withRoot = [](std::string file, std::uint32_t root) {
    plat::writeLe32(file.data() + 0x48, root);
    return file;
  };
  struct Case {
    int direction;
    bool dataFile;  // which file is replaced
    std::string (*make)(const datagen::ViewerDictionary&);
    const char16_t* message;  // null: unavailable without a message
  };
  static std::string (*const shortHeader)(const datagen::ViewerDictionary&) = [](const datagen::ViewerDictionary&) {
    return std::string(100, 'x');
  };
  const Case cases[] = {
      {0, true, shortHeader, u"日中辞書ファイルのヘッダーが読み込みできません"},
      {1, true, shortHeader, u"辞書ファイルのヘッダーが読み込みできません"},
      {0, false, shortHeader, u"日中辞書ファイルのヘッダーが読み込みできません"},
      {1, false, shortHeader, u"辞書ファイルのヘッダーが読み込みできません"},
      {0, true, nullptr, u"日中辞書ファイルではありません"},
      {1, true, nullptr, u"中日辞書ファイルではありません"},
      {0, false, nullptr, u"日中辞書のインデックスファイルではありません"},
      {1, false, nullptr, u"中日辞書インデックスファイルではありません"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n++);
    writeAll();
    const datagen::ViewerDictionary& d = c.direction == 0 ? jcFiles_ : cjFiles_;
    const char* path = c.direction == 0 ? (c.dataFile ? dicttest::kJcData : dicttest::kJcIndex)
                                        : (c.dataFile ? dicttest::kCjData : dicttest::kCjIndex);
    // Without a maker: the other direction's file, of the wrong type.
    std::string bytes = c.make ? c.make(d) : withType(c.dataFile ? d.data : d.index, c.direction == 0 ? (c.dataFile ? "500" : "400") : (c.dataFile ? "400" : "500"));
    ASSERT_TRUE(dev_.write(path, bytes));
    notes_.messages.clear();
    DictionaryFiles files;
    EXPECT_EQ(open(files), 1);
    EXPECT_FALSE(files.isAvailable(c.direction));
    EXPECT_TRUE(files.isAvailable(1 - c.direction));
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{c.message});
    EXPECT_EQ(notes_.messages[0].caption, u"日中・中日辞典");
    EXPECT_EQ(plat::openFileCount(), 0);
  }
  struct Other {
    int direction;
    const char16_t* message;
  };
  // A missing index; a root position past the end of the index.
  for (const Other& o : {Other{0, u"日中辞書のインデックスファイルがオープンできません"},
                         Other{1, u"インデックスファイルがオープンできません"}}) {
    writeAll();
    ASSERT_TRUE(plat::removeFile(o.direction == 0 ? dicttest::kJcIndex : dicttest::kCjIndex));
    notes_.messages.clear();
    DictionaryFiles files;
    open(files);
    EXPECT_FALSE(files.isAvailable(o.direction));
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{o.message});
  }
  for (const Other& o : {Other{0, u"日中辞書のインデックスファイルが読み込みできません"},
                         Other{1, u"1インデックスファイルが読み込みできません"}}) {
    writeAll();
    const datagen::ViewerDictionary& d = o.direction == 0 ? jcFiles_ : cjFiles_;
    ASSERT_TRUE(dev_.write(o.direction == 0 ? dicttest::kJcIndex : dicttest::kCjIndex, withRoot(d.index, 1u << 20)));
    notes_.messages.clear();
    DictionaryFiles files;
    open(files);
    EXPECT_FALSE(files.isAvailable(o.direction));
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{o.message});
  }
  // A missing data file leaves the direction unavailable without a word.
  writeAll();
  ASSERT_TRUE(plat::removeFile(dicttest::kCjData));
  notes_.messages.clear();
  DictionaryFiles files;
  open(files);
  EXPECT_FALSE(files.isAvailable(1));
  EXPECT_TRUE(files.isAvailable(0));
  EXPECT_TRUE(notes_.messages.empty());
  DictionaryEntry e;
  EXPECT_FALSE(files.openDirection(1));
  EXPECT_FALSE(files.findEntry(1, "AI4", e));
}

TEST_F(DictionaryFilesTest, OpeningRetriesWhileTheCardComesBack) {
  int sleeps = 0;
  DictionaryFiles files([&](int ms) {
    EXPECT_EQ(ms, 500);
    if (++sleeps == 3) writeAll();
  });
  open(files);
  ASSERT_TRUE(plat::removeFile(dicttest::kJcData));
  ASSERT_TRUE(files.openDirection(0));
  EXPECT_EQ(sleeps, 3);
  files.closeDirection(0);
  EXPECT_TRUE(notes_.messages.empty());

  sleeps = 100;  // the card stays away
  ASSERT_TRUE(plat::removeFile(dicttest::kJcData));
  EXPECT_FALSE(files.openDirection(0));
  EXPECT_EQ(sleeps, 107);
  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"辞書ファイルがオープンできません"});

  writeAll();
  ASSERT_TRUE(plat::removeFile(dicttest::kJcIndex));
  notes_.messages.clear();
  EXPECT_FALSE(files.openDirection(0));
  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"辞書インデックスファイルがオープンできません"});
  EXPECT_EQ(plat::openFileCount(), 0);  // the data file was closed again
}

// Rewrites one 16- or 32-bit field of the index file.
void patch(std::string& file, size_t at, std::uint32_t value, int width) {
  plat::writeLe(file.data() + at, value, width);
}

TEST_F(DictionaryFilesTest, BrokenIndexIsRefusedNotOverread) {
  // A single-block index: entries from byte 512 + 25.
  std::vector<datagen::ViewerRecord> records = {{"one", {"A"}}, {"two", {"B"}}, {"three", {"C"}}};
  const datagen::ViewerDictionary good = datagen::writeViewerDictionary(0, records);
  const size_t entries = 512 + 25;
  struct Case {
    const char* name;
    std::function<void(std::string&)> damage;
    const char* key;
    const char16_t* message;
  };
  const char16_t* unreadable = u"2インデックスファイルが読み込みできません";
  const Case cases[] = {
      {"entry length below its header", [&](std::string& f) { patch(f, entries + 2, 3, 2); }, "A", unreadable},
      {"entry length past the block", [&](std::string& f) { patch(f, entries + 2, 600, 2); }, "A", unreadable},
      {"count beyond the entries", [&](std::string& f) { patch(f, 512 + 7, 200, 2); }, "\xFF\xFF\xFF\xFF\xFF",
       unreadable},
      {"key without terminator", [&](std::string& f) { patch(f, entries + 2, 15, 2); }, "A", unreadable},
      {"block chained to itself", [&](std::string& f) { patch(f, 512 + 7, 3, 2); patch(f, 512 + 17, 512, 4); },
       "Z", unreadable},
      {"child is its own block", [&](std::string& f) { patch(f, entries + 10, 0, 4); patch(f, entries + 6, 512, 4); },
       "A", unreadable},
      {"record past the data file", [&](std::string& f) { patch(f, entries + 10, 1u << 24, 4); }, "A",
       u"辞書ファイルが読み込みできません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string index = good.index;
    c.damage(index);
    ASSERT_TRUE(dev_.write(dicttest::kJcData, good.data));
    ASSERT_TRUE(dev_.write(dicttest::kJcIndex, index));
    DictionaryFiles files;
    open(files);
    ASSERT_TRUE(files.openDirection(0));
    notes_.messages.clear();
    DictionaryEntry e;
    EXPECT_FALSE(files.findEntry(0, c.key, e));
    EXPECT_FALSE(e.body.has_value());
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{c.message});
    files.closeDirection(0);
  }
  // Undamaged, the same searches find their entries or end quietly.
  ASSERT_TRUE(dev_.write(dicttest::kJcIndex, good.index));
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  notes_.messages.clear();
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, "A", e));
  EXPECT_EQ(e.body, "one");
  EXPECT_FALSE(files.findEntry(0, "Z", e));
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, KeyFoundInALaterBlockOfTheSameLevel) {
  // A root that is the first of a chain of leaf blocks: the search moves along the chain.
  std::vector<datagen::ViewerRecord> records;
  for (char c = 'A'; c <= 'H'; ++c) records.push_back({std::string("body ") + c, {std::string(1, c)}});
  datagen::ViewerDictionary d = datagen::writeViewerDictionary(0, records, 2);
  patch(d.index, dict::kRootPositionOffset, 512, 4);
  ASSERT_TRUE(dev_.write(dicttest::kJcData, d.data));
  ASSERT_TRUE(dev_.write(dicttest::kJcIndex, d.index));
  DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, "F", e));  // the third leaf
  EXPECT_EQ(e.body, "body F");
  // The cursor is on the block where the key was found.
  ASSERT_TRUE(files.nextIndexEntry(0, e));
  EXPECT_EQ(e.body, "body G");
  ASSERT_TRUE(files.findEntry(0, "F", e));
  ASSERT_TRUE(files.previousIndexEntry(0, e));
  EXPECT_EQ(e.body, "body E");
  ASSERT_TRUE(files.previousIndexEntry(0, e));
  EXPECT_EQ(e.body, "body D");
  files.closeDirection(0);
  EXPECT_TRUE(notes_.messages.empty());
}

// A data file cut short anywhere after its header is refused at start-up with a message; the
// other direction stays available.
TEST_F(DictionaryFilesTest, ATruncatedDataFileIsRefusedAtStartUp) {
  for (int direction : {0, 1}) {
    const datagen::ViewerDictionary& d = direction == 0 ? jcFiles_ : cjFiles_;
    const std::size_t records = d.data.size() - dict::kHeaderSize;
    for (std::size_t cut : {std::size_t{1}, std::size_t{3}, records / 2, records}) {
      SCOPED_TRACE(std::to_string(direction) + " " + std::to_string(cut));
      writeAll();
      ASSERT_TRUE(dev_.write(direction == 0 ? dicttest::kJcData : dicttest::kCjData, d.data.substr(0, d.data.size() - cut)));
      notes_.messages.clear();
      DictionaryFiles files;
      open(files);
      EXPECT_FALSE(files.isAvailable(direction));
      EXPECT_TRUE(files.isAvailable(1 - direction));
      EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"データファイルが読み込みできません"});
      EXPECT_EQ(plat::openFileCount(), 0);
    }
  }
  // Whole files, and a data file with bytes behind its last record, open without a word.
  writeAll();
  ASSERT_TRUE(dev_.write(dicttest::kCjData, cjFiles_.data + "xx"));
  notes_.messages.clear();
  DictionaryFiles files;
  open(files);
  EXPECT_TRUE(files.isAvailable(0));
  EXPECT_TRUE(files.isAvailable(1));
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryFilesTest, ShortRecordReadsLeaveNoBody) {
  DictionaryFiles files;
  open(files);
  // Cut the data file inside the last record's body.
  ASSERT_TRUE(dev_.write(dicttest::kCjData, cjFiles_.data.substr(0, cjFiles_.data.size() - 3)));
  ASSERT_TRUE(files.openDirection(1));
  DictionaryEntry e;
  EXPECT_FALSE(files.findEntry(1, cj_.back().keys[1], e));
  EXPECT_FALSE(e.body.has_value());
  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"データファイルが読み込みできません"});
  ASSERT_TRUE(files.findEntry(1, cj_[cj_.size() - 2].keys[1], e));
  notes_.messages.clear();
  EXPECT_FALSE(files.nextRecord(1, e));
  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{u"データファイルが読み込みできません"});
  files.closeDirection(1);
}

}  // namespace
