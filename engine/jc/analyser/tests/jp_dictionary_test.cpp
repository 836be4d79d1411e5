#include "engine/jc/analyser/jp_dictionary.h"

#include <gtest/gtest.h>

#include <vector>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/viewer_dictionary_source.h"

namespace jc {
namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
std::string sjis(const char8_t* s) { return plat::wideToMultiByte(932, plat::utf8ToWide(utf8(s))); }

const char* kBase = "\\Storage Card\\Dic\\JCMAIN";

class JpDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override { constructJpDictionary(&dict); }
  void TearDown() override { destroyJpDictionary(&dict); }

  void writePair(const std::string& lexicon) {
    std::vector<datagen::JpLexiconEntry> entries;
    std::string error;
    ASSERT_TRUE(datagen::parseJpLexicon(lexicon, entries, &error)) << error;
    ASSERT_TRUE(datagen::writeJpDictionaryPair(kBase, entries, &error)) << error;
  }
  int open() { return openJpDictionary(&dict, u"\\Storage Card\\Dic\\JCMAIN"); }

  std::vector<JpDictRecord> search(const std::string& text, int capacity = 64, int* status = nullptr) {
    std::vector<JpDictRecord> out(capacity);
    int rc = searchJpDictionary(&dict, text, out.data(), capacity);
    if (status) *status = rc;
    else EXPECT_EQ(rc, 0);
    std::vector<JpDictRecord> found;
    for (const JpDictRecord& r : out) {
      if (r.isEnd()) break;
      found.push_back(r);
    }
    return found;
  }

  datagen::TempDevice dev;
  JpDictionary dict;
};

TEST_F(JpDictionaryTest, FindsEveryKeyThatBeginsTheText) {
  writePair(utf8(
      u8"# key\tcodes\tconnection\tchinese\tcode\tfield\tsemantic\tweight\n"
      u8"か\t9.1.0.0\t201\tka\tP1\tF\t1/2\t10\n"
      u8"かい\t6.1.0.0\t305\tkai\n"
      u8"かいしゃ\t6.1.0.0\t305\tgongsi\tN1\t\t3\t12\n"
      u8"会社\t6.1.0.0\t305\tgongsi\n"
      u8"会社\t6.2.0.0\t306\tgongsi2\n"
      u8"会社員\t6.1.0.0\t305\tzhiyuan\n"
      u8"書\t2.1.2.0\t500\txie\tVTA1\n"
      u8"いる\t2.2.1.0\t480\tzai\n"));
  ASSERT_EQ(open(), 0);

  auto keys = [&](const std::string& text) {
    std::vector<std::string> k;
    for (const JpDictRecord& r : search(text)) k.emplace_back(r.key());
    return k;
  };
  EXPECT_EQ(keys(sjis(u8"かいしゃいん")), (std::vector<std::string>{sjis(u8"か"), sjis(u8"かい"), sjis(u8"かいしゃ")}));
  EXPECT_EQ(keys(sjis(u8"会社員です")),
            (std::vector<std::string>{sjis(u8"会社"), sjis(u8"会社"), sjis(u8"会社員")}));
  EXPECT_EQ(keys(sjis(u8"書いた")), (std::vector<std::string>{sjis(u8"書")}));
  EXPECT_EQ(keys(sjis(u8"か")), (std::vector<std::string>{sjis(u8"か")}));
  EXPECT_TRUE(keys(sjis(u8"本を")).empty());  // only the terminating record
  EXPECT_TRUE(keys(sjis(u8"かく")).size() == 1);

  std::vector<JpDictRecord> r = search(sjis(u8"かいしゃ"));
  ASSERT_EQ(r.size(), 3u);
  const JpDictRecord& a = r[2];
  EXPECT_EQ(a.pos(), 6);
  EXPECT_EQ(a.subPos(), 1);
  EXPECT_EQ(a.chinese(), "gongsi");
  EXPECT_EQ(a.code(), "N1");
  EXPECT_EQ(a.semantic(), "3");
  EXPECT_EQ(a.weight(), 12);
  EXPECT_EQ(a.connection(), 305);
  EXPECT_EQ(a.number(), 3);
  EXPECT_EQ(r[0].field(), "F");
  EXPECT_EQ(r[0].semantic(), "1/2");
  EXPECT_EQ(r[0].number(), 1);
  std::vector<JpDictRecord> v = search(sjis(u8"書く"));
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].conjType(), 2);
  EXPECT_EQ(v[0].conjForm(), 0);
}

TEST_F(JpDictionaryTest, GeneratedLexiconAgreesWithABruteForcePrefixSearch) {
  // Keys of one to five characters over a small kana alphabet make many shared prefixes.
  // ア and ン differ in the top bit of their second byte, so the tree branches inside a character.
  const char8_t* alphabet[] = {u8"あ", u8"い", u8"か", u8"ン", u8"ん", u8"ア", u8"日", u8"本"};
  std::mt19937 rng(12345);
  std::set<std::string> keySet;
  std::string lexicon;
  while (keySet.size() < 300) {
    int len = 1 + static_cast<int>(rng() % 5);
    std::string k;
    for (int i = 0; i < len; ++i) k += utf8(alphabet[rng() % 8]);
    if (keySet.insert(k).second) lexicon += k + "\t6.1.0.0\t1\tw" + std::to_string(keySet.size()) + "\n";
  }
  writePair(lexicon);
  ASSERT_EQ(open(), 0);

  std::vector<std::string> keys;
  for (const std::string& k : keySet) keys.push_back(plat::wideToMultiByte(932, plat::utf8ToWide(k)));
  // Every key finds itself, and every text finds exactly its dictionary prefixes, shortest first.
  std::vector<std::string> texts = keys;
  for (int i = 0; i < 200; ++i) {
    std::string t;
    for (int n = 0; n < 7; ++n) t += sjis(alphabet[rng() % 8]);
    texts.push_back(t);
  }
  for (const std::string& text : texts) {
    std::vector<std::string> expected;
    for (const std::string& k : keys)
      if (text.compare(0, k.size(), k) == 0) expected.push_back(k);
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.size() < b.size(); });
    std::vector<std::string> got;
    for (const JpDictRecord& r : search(text)) got.emplace_back(r.key());
    EXPECT_EQ(got, expected);
  }
}

TEST_F(JpDictionaryTest, CompoundHeadBringsItsParts) {
  writePair(utf8(
      u8"に\t9.1.0.0\t10\tzai\n"
      u8"について\tc\t900\tguanyu\t\t\t\t8\n"
      u8"+\tに\t9.1.0.0\t10\tzai\n"
      u8"+\tつい\t2.2.2.7\t20\tdui\n"
      u8"+\tて\t9.3.0.0\t30\tzhe\n"
      u8"にわ\t6.1.0.0\t11\tyuan\n"));
  ASSERT_EQ(open(), 0);
  std::vector<JpDictRecord> r = search(sjis(u8"について話す"));
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[0].key(), sjis(u8"に"));
  EXPECT_EQ(r[0].number(), 1);
  EXPECT_TRUE(r[1].isCompoundHead());
  EXPECT_EQ(r[1].subPos(), 3);
  EXPECT_EQ(r[1].number(), 0);
  EXPECT_EQ(r[1].weight(), 8);
  EXPECT_EQ(r[2].key(), sjis(u8"に"));
  EXPECT_EQ(r[3].key(), sjis(u8"つい"));
  EXPECT_EQ(r[3].conjForm(), 7);
  EXPECT_EQ(r[4].chinese(), "zhe");
  for (int i = 2; i < 5; ++i) EXPECT_EQ(r[i].number(), 0) << i;
  // The record after the parts is reached by its own key.
  std::vector<JpDictRecord> w = search(sjis(u8"にわ"));
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[1].number(), 6);
}

TEST_F(JpDictionaryTest, ResultCapacityIsRespectedAndTerminated) {
  writePair(utf8(u8"あ\t6.1.0.0\nあ\t6.2.0.0\nあい\t6.1.0.0\nあいう\t6.1.0.0\n"));
  ASSERT_EQ(open(), 0);
  int rc = 0;
  std::vector<JpDictRecord> all = search(sjis(u8"あいう"), 5, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(all.size(), 4u);
  std::vector<JpDictRecord> out(3);
  std::memset(out.data(), 0xEE, out.size() * sizeof(JpDictRecord));
  EXPECT_EQ(searchJpDictionary(&dict, sjis(u8"あいう"), out.data(), 3), kJpDictResultsFull);
  EXPECT_EQ(out[0].key(), sjis(u8"あ"));
  EXPECT_EQ(out[1].key(), sjis(u8"あ"));
  EXPECT_TRUE(out[2].isEnd());
}

TEST_F(JpDictionaryTest, OpenErrorsAndTheirMessages) {
  struct Case {
    const char* what;
    std::string ddb;  // empty: no file
    std::string dic;
    bool writeDic;
    int expected;
    const char16_t* file;
  };
  datagen::JpDictionaryFiles good;
  std::vector<datagen::JpLexiconEntry> entries;
  ASSERT_TRUE(datagen::parseJpLexicon(utf8(u8"あ\t6.1.0.0\nい\t6.1.0.0\n"), entries));
  ASSERT_TRUE(datagen::buildJpDictionaryPair(entries, good));
  auto withRecordLength = [&](int len) {
    std::string ddb = good.ddb;
    std::uint8_t h[kJpDdbHeaderSize];
    std::memcpy(h, ddb.data(), sizeof h);
    descrambleBytes(h, sizeof h, 0);
    h[kJpDdbRecordLengthOffset] = static_cast<std::uint8_t>(len & 0xFF);
    h[kJpDdbRecordLengthOffset + 1] = static_cast<std::uint8_t>((len >> 8) & 0xFF);
    descrambleBytes(h, sizeof h, 0);
    ddb.replace(0, sizeof h, reinterpret_cast<const char*>(h), sizeof h);
    return ddb;
  };
  std::size_t recordLength = 0;
  {
    std::uint8_t h[kJpDdbHeaderSize];
    std::memcpy(h, good.ddb.data(), sizeof h);
    descrambleBytes(h, sizeof h, 0);
    recordLength = static_cast<std::size_t>(h[kJpDdbRecordLengthOffset] | (h[kJpDdbRecordLengthOffset + 1] << 8));
  }
  // 400 nested inner nodes with growing bit indices: deeper than any key allows.
  std::string deep;
  for (int k = 1; k <= 400; ++k) {
    deep.push_back(static_cast<char>((k + 1) >> 8));
    deep.push_back(static_cast<char>((k + 1) & 0xFF));
  }
  const Case cases[] = {
      {"no .DDB", "", good.dic, true, kJpDdbOpenError, u"辞書(\\Storage Card\\Dic\\JCMAIN.DDB)の 読み込みでエラーが発生しました！"},
      {"short .DDB", good.ddb.substr(0, 100), good.dic, true, kJpDdbReadError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DDB)の 読み込みでエラーが発生しました！"},
      // Records the tree names lie past the end of the .DDB: refused at open.
      {"cut inside a record", good.ddb.substr(0, good.ddb.size() - 10), good.dic, true, kJpDdbContentError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DDB)の ファイル内容が不正です！"},
      {"last record cut off", good.ddb.substr(0, good.ddb.size() - recordLength), good.dic, true,
       kJpDdbContentError, nullptr},
      {"record length 0", withRecordLength(0), good.dic, true, kJpDdbContentError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DDB)の ファイル内容が不正です！"},
      {"record length 129", withRecordLength(129), good.dic, true, kJpDdbContentError, nullptr},
      {"no .DIC", good.ddb, "", false, kJpDicOpenError, u"辞書(\\Storage Card\\Dic\\JCMAIN.DIC)の 読み込みでエラーが発生しました！"},
      {"cut .DIC", good.ddb, good.dic.substr(0, good.dic.size() - 1), true, kJpDicReadError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DIC)の 読み込みでエラーが発生しました！"},
      {"empty .DIC", good.ddb, "", true, kJpDicReadError, nullptr},
      // An inner node whose bit index does not grow below its parent.
      {"too deep .DIC", good.ddb, deep + good.dic, true, kJpDicContentError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DIC)の ファイル内容が不正です！"},
      {"looping .DIC", good.ddb, std::string("\x00\x11\x00\x11\x00\x05", 6) + good.dic, true, kJpDicContentError,
       nullptr},
      // A tree that ends before the file does: a record list read as the whole tree, bytes behind.
      {"record list first", good.ddb, std::string("\xC0\x00\x00\x01", 4) + good.dic, true, kJpDicContentError,
       u"辞書(\\Storage Card\\Dic\\JCMAIN.DIC)の ファイル内容が不正です！"},
      {"bytes behind the tree", good.ddb, good.dic + "\x01", true, kJpDicContentError, nullptr},
  };
  for (const Case& c : cases) {
    datagen::TempDevice fresh;
    if (!c.ddb.empty()) { ASSERT_TRUE(fresh.write(std::string(kBase) + ".DDB", c.ddb)); }
    if (c.writeDic) { ASSERT_TRUE(fresh.write(std::string(kBase) + ".DIC", c.dic)); }
    JpDictionary d;
    constructJpDictionary(&d);
    int rc = openJpDictionary(&d, u"\\Storage Card\\Dic\\JCMAIN");
    EXPECT_EQ(rc, c.expected) << c.what;
    if (c.file) {
      plat::NotifyRecorder rec;
      showJpDictionaryError(&d, rc);
      ASSERT_EQ(rec.messages.size(), 1u) << c.what;
      EXPECT_EQ(rec.messages[0].text, c.file) << c.what;
      EXPECT_EQ(rec.messages[0].flags, plat::kMbIconExclamation) << c.what;
      EXPECT_EQ(rec.beeps, std::vector<unsigned>{plat::kMbIconExclamation}) << c.what;
      EXPECT_EQ(d.ddb, nullptr);
    }
    destroyJpDictionary(&d);
    EXPECT_EQ(plat::openFileCount(), 0) << c.what;
  }
}

// A pair corrupted after it was written (.DIC bytes changed, cut or added; .DDB cut or added to)
// is refused at open, or it still finds every key it holds: it never opens to fail its lookups.
TEST_F(JpDictionaryTest, ACorruptedPairIsRefusedOrFindsEveryKey) {
  const char8_t* alphabet[] = {u8"あ", u8"い", u8"か", u8"ン", u8"日", u8"本"};
  std::mt19937 rng(67);
  std::set<std::string> keySet;
  std::string lexicon;
  while (keySet.size() < 40) {
    std::string k;
    for (int i = 0, len = 1 + static_cast<int>(rng() % 4); i < len; ++i) k += utf8(alphabet[rng() % 6]);
    if (keySet.insert(k).second) lexicon += k + "\t6.1.0.0\t1\tw\n";
  }
  std::vector<datagen::JpLexiconEntry> entries;
  ASSERT_TRUE(datagen::parseJpLexicon(lexicon, entries));
  datagen::JpDictionaryFiles good;
  ASSERT_TRUE(datagen::buildJpDictionaryPair(entries, good));
  // Round 0 is the pair as written: it opens and finds every key.
  int refused = 0;
  for (int round = 0; round <= 200; ++round) {
    datagen::JpDictionaryFiles bad = good;
    const bool dic = rng() % 2;
    std::string& file = dic ? bad.dic : bad.ddb;
    // The .DDB's records carry no check of their own: a changed byte of a key or a rendering is a
    // changed word. Its cuts and insertions shift every record after them.
    const unsigned kind = dic ? rng() % 4 : 2 + rng() % 2;
    const std::size_t at = rng() % file.size();
    switch (round == 0 ? 4 : kind) {
      case 4:
        break;
      case 0:
      case 1:
        file[at] ^= static_cast<char>(1 + rng() % 255);
        break;
      case 2:
        file.resize(at);
        break;
      default:
        file.insert(at, 1 + rng() % 8, static_cast<char>(rng()));
        break;
    }
    SCOPED_TRACE((dic ? ".DIC change " : ".DDB change ") + std::to_string(kind) + " at " + std::to_string(at) + " of " +
                 std::to_string(dic ? good.dic.size() : good.ddb.size()));
    datagen::TempDevice fresh;
    ASSERT_TRUE(fresh.write(std::string(kBase) + ".DDB", bad.ddb));
    ASSERT_TRUE(fresh.write(std::string(kBase) + ".DIC", bad.dic));
    JpDictionary d;
    constructJpDictionary(&d);
    if (openJpDictionary(&d, u"\\Storage Card\\Dic\\JCMAIN") != kJpDictOk) {
      EXPECT_NE(round, 0);
      ++refused;
    } else {
      for (const std::string& k : keySet) {
        const std::string key = sjis(reinterpret_cast<const char8_t*>(k.c_str()));
        std::vector<JpDictRecord> out(64);
        EXPECT_EQ(searchJpDictionary(&d, key, out.data(), 64), 0) << round;
        bool found = false;
        for (const JpDictRecord& r : out) {
          if (r.isEnd()) break;
          found = found || r.key() == key;
        }
        EXPECT_TRUE(found) << "round " << round << ": " << k;
      }
    }
    destroyJpDictionary(&d);
  }
  EXPECT_GT(refused, 0);
}

TEST_F(JpDictionaryTest, OutOfMemoryAndFullResults) {
  writePair(utf8(u8"あ\t6.1.0.0\n"));
  plat::NotifyRecorder rec;
  {
    plat::FailPoint fail(kJpTreeFailPoint);
    EXPECT_EQ(open(), kJpDictNoMemory);
  }
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, u"メモリ不足！");
  EXPECT_EQ(rec.messages[0].flags, plat::kMbIconStop);
  EXPECT_EQ(rec.beeps, std::vector<unsigned>{plat::kMbIconStop});
  EXPECT_EQ(open(), 0);
  // A result array that cannot hold every match is a lack of room, not a broken file.
  EXPECT_EQ(jpDictionaryErrorText(&dict, kJpDictResultsFull), u"メモリ不足！");
}

TEST_F(JpDictionaryTest, ClosedDictionaryAndShortRecordsAreErrors) {
  writePair(utf8(u8"あ\t6.1.0.0\nい\t6.1.0.0\n"));
  std::vector<JpDictRecord> out(4);
  EXPECT_EQ(searchJpDictionary(&dict, sjis(u8"あ"), out.data(), 4), kJpDdbOpenError);
  EXPECT_TRUE(out[0].isEnd());
  ASSERT_EQ(open(), 0);
  closeJpDictionary(&dict);
  EXPECT_EQ(searchJpDictionary(&dict, sjis(u8"あ"), out.data(), 4), kJpDdbOpenError);

  // A record number past the records read is a read error, never a read outside them.
  ASSERT_EQ(open(), 0);
  std::uint8_t buffer[kJpRecordSlot] = {};
  EXPECT_EQ(readJpRecord(&dict, 2, buffer), 0);
  EXPECT_EQ(readJpRecord(&dict, 3, buffer), kJpDdbReadError);
  EXPECT_EQ(readJpRecord(&dict, 0, buffer), kJpDdbReadError);
}

TEST(JpLexicon, RefusesMalformedLines) {
  const char* bad[] = {
      "+\tx\t6.1.0.0\n",                          // a part without a compound head
      "x\tc\t1\ny\t6.1.0.0\n",                  // a compound head without parts
      "x\t6.1.0\n",                               // three codes
      "x\t6.1.0.256\n",                           // a code beyond a byte
      "x\t6.1.0.0\tone\n",                       // connection entry not a number
      "x\t6.1.0.0\t1\tabcdefghijabcdefghijabcdefghijabcdefghijab\n",  // Chinese beyond its field
      "x\t6.1.0.0\t1\t\t\t\t\t300\n",        // weight beyond a byte
  };
  for (const char* text : bad) {
    std::vector<datagen::JpLexiconEntry> entries;
    std::string error;
    EXPECT_FALSE(datagen::parseJpLexicon(text, entries, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
  std::string longKey(42, 'k');
  std::vector<datagen::JpLexiconEntry> entries;
  EXPECT_FALSE(datagen::parseJpLexicon(longKey + "\t6.1.0.0\n", entries));
  EXPECT_TRUE(datagen::parseJpLexicon(longKey.substr(1) + "\t6.1.0.0\n", entries));
  datagen::JpDictionaryFiles files;
  EXPECT_FALSE(datagen::buildJpDictionaryPair({}, files));
}

// The entries a lexicon implies: potential verbs of consonant verbs, サ変 verbs of サ変 nouns.
TEST(JpLexicon, DerivedEntries) {
  const char8_t text[] =
      u8"書\t2.1.2.0\t=\t写\tVT\t13\n"
      u8"話\t2.1.5.0\t=\t说\tVT\t13\n"
      u8"話せ\t2.2.1.0\t=\t会说\tV1\n"          // says so already: kept
      u8"読\t2.1.9.0\t=\t读\tVT\t13\n"
      u8"読め\t2.3.1.0\t=\t读\n"                  // read as the verb: becomes the potential
      u8"聞\t2.1.2.0\t=\t听\tVT\t13\n"
      u8"聞か\t2.1.5.0\t=\t闻\tVT\t13\n"        // 聞かせ is 聞く's causative: no potential
      u8"嫌\t2.1.12.0\t=\t讨厌\tVT\t13\n"
      u8"嫌われ\t2.3.1.0\t=\t嫌\n"                // a passive read by its kanji: left out
      u8"料理\t6.2.0.0\t=\t做菜\tV1\t13\t13420\n"
      u8"勉強\t6.2.0.0\t=\t学习\tVT\t13\t13420\n"
      u8"勉強\t2.1.16.0\t=\t学习\tVT\t13\n"
      u8"質問\t6.2.0.0\t=\t问题\tN\n"             // a noun's code: no verb
      u8"浪費\t6.2.0.0\t=\t浪费\n";                // no code: a transitive verb with its aspect
  std::vector<datagen::JpLexiconEntry> entries;
  std::string error;
  ASSERT_TRUE(datagen::parseJpLexicon(reinterpret_cast<const char*>(text), entries, &error, datagen::chineseToEngineColumn))
      << error;
  datagen::addDerivedJpEntries(entries, datagen::chineseToEngineColumn);
  auto sjis = [](const char8_t* s) { return plat::wideToMultiByte(932, plat::utf8ToWide(reinterpret_cast<const char*>(s))); };
  std::map<std::string, std::string> found, aspect;  // key and codes: Chinese, aspect digits
  for (const auto& e : entries) {
    const std::string k = e.key + " " + std::to_string(e.pos) + "." + std::to_string(e.subPos) + "." + std::to_string(e.conjType);
    found[k] = e.chinese;
    aspect[k] = e.field;
  }
  // Chinese written outside the checks: their text is quoted in the execution character set.
  const std::string canWrite = datagen::toEngineCode(u"能写"), canSpeak = datagen::toEngineCode(u"会说"),
                    canRead = datagen::toEngineCode(u"能读"), canDislike = datagen::toEngineCode(u"能讨厌"),
                    cook = datagen::toEngineCode(u"做菜"), waste = datagen::toEngineCode(u"浪费");
  EXPECT_EQ(found[sjis(u8"書け") + " 2.2.1"], canWrite);
  EXPECT_EQ(found[sjis(u8"話せ") + " 2.2.1"], canSpeak);
  EXPECT_EQ(found[sjis(u8"読め") + " 2.3.1"], canRead);
  EXPECT_EQ(found[sjis(u8"嫌え") + " 2.2.1"], canDislike);
  EXPECT_EQ(found.count(sjis(u8"聞かせ") + " 2.2.1"), 0u);
  EXPECT_EQ(found.count(sjis(u8"嫌われ") + " 2.3.1"), 0u);
  EXPECT_EQ(found[sjis(u8"料理") + " 2.2.16"], cook);
  EXPECT_EQ(found[sjis(u8"浪費") + " 2.1.16"], waste);
  // A potential takes its verb's aspect digits, so that its past has 了 (書けた, 話せた).
  EXPECT_EQ(aspect[sjis(u8"浪費") + " 2.1.16"], "13");
  EXPECT_EQ(aspect[sjis(u8"書け") + " 2.2.1"], "13");
  EXPECT_EQ(aspect[sjis(u8"話せ") + " 2.2.1"], "13");
  EXPECT_EQ(found.count(sjis(u8"質問") + " 2.2.16") + found.count(sjis(u8"質問") + " 2.1.16"), 0u);
  EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                          [&](const datagen::JpLexiconEntry& e) { return e.key == sjis(u8"勉強") && e.pos == 2; }),
            1);
}

TEST(JpDescramble, IsItsOwnInverseAndDependsOnTheSeed) {
  std::uint8_t data[64];
  for (int i = 0; i < 64; ++i) data[i] = static_cast<std::uint8_t>(i * 3);
  std::uint8_t a[64], b[64];
  std::memcpy(a, data, 64);
  std::memcpy(b, data, 64);
  descrambleBytes(a, 64, 7);
  descrambleBytes(b, 64, 8);
  EXPECT_NE(std::memcmp(a, data, 64), 0);
  EXPECT_NE(std::memcmp(a, b, 64), 0);
  descrambleBytes(a, 64, 7);
  EXPECT_EQ(std::memcmp(a, data, 64), 0);
}

// Stored files were scrambled with a key that runs from byte to byte: each key is the one before
// XOR the byte's step. Every length up to past a record slot and seeds of both parities.
TEST(JpDescramble, KeyRunsFromByteToByte) {
  for (int seed : {0, 1, 2, 7, 8, 255, 256, 60001}) {
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{13}, std::size_t{127}, std::size_t{128},
                               std::size_t{129}, std::size_t{300}}) {
      std::vector<std::uint8_t> got(length), want(length);
      for (std::size_t i = 0; i < length; ++i) got[i] = want[i] = static_cast<std::uint8_t>(i * 5 + 1);
      std::uint8_t key = static_cast<std::uint8_t>(seed ^ ((seed & 1) ? 0xA7 : 0x5C));
      for (std::size_t i = 0; i < length; ++i) {
        const int k = static_cast<int>(i);
        key = static_cast<std::uint8_t>(static_cast<std::uint8_t>(k * 7 + k % 13 + 0x3B) ^ key);
        want[i] ^= key;
      }
      descrambleBytes(got.data(), length, seed);
      EXPECT_EQ(got, want) << "seed " << seed << ", length " << length;
    }
  }
}

}  // namespace
}  // namespace jc
