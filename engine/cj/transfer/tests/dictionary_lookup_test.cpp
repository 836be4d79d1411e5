#include "engine/cj/transfer/dictionary_lookup.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/tests/transfer_fixture.h"
#include "platform/core/fail_point.h"
#include "platform/core/files.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/cj_dic_entry_writer.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/cj_segment_trie_writer.h"
#include "tools/datagen/cwcjdic_writer.h"

namespace {

using datagen::CjDicEntry;
using datagen::CjDicLine;

// Double-byte engine-code words above the hanzi the word table uses, so that no listed word is hit.
std::string hanzi(int k) { return std::string{'\xFB', static_cast<char>(0x40 + k)}; }

std::vector<CjDicEntry> entries() {
  std::vector<CjDicEntry> e;
  e.push_back({"noun-verb", {{'N', "学生", "N0000"}, {'V', "勉強する", "SHT00", 'O', 'G'}, {'N', "生徒", "N0000"}}});
  std::vector<CjDicLine> many;
  for (int k = 0; k < 12; ++k) many.push_back({'N', "語" + std::to_string(k), "N0000"});
  e.push_back({"many", many});
  e.push_back({"stars", {{'N', "★★★", "N0000"}, {'N', "FUKU0", ""}}});
  e.push_back({"adjective", {{'A', "高い", "KYOSI"}}});
  e.push_back({"na-adjective", {{'A', "静かな", "KYODO"}}});
  e.push_back({"adverb", {{'F', "すぐ", "FUKU0"}}});
  e.push_back({"noun", {{'N', "学生", "N0000"}}});
  e.push_back({"phrase", {{'D', "驚き", "DN000"}}});
  e.push_back({"suru", {{'V', "勉強する", "SHT00"}}});
  e.push_back({"wo-suru", {{'V', "勉強をする", "SHT00"}}});
  e.push_back({"object-suru", {{'V', "英語を勉強する", "SHT00"}}});
  e.push_back({"godan", {{'V', "書く", "TG000"}}});
  e.push_back({"measure", {{'C', "個", "N0000"}}});
  e.push_back({"trail-5c", {{'N', "表ソ", "N0000", 'A', 'B'}}});
  e.push_back({"lone", {{'D', "ありがとう", "KANTN"}, {'N', "感謝", "N0000"}}});
  e.push_back({"kinds", {{'M', "名", "N0000"}, {'C', "枚", "N0000"}, {'Q', "量", "N0000"}, {'N', "人", "N0000"}}});
  e.push_back({"pronoun", {{'R', "あなた", "N0000"}}});
  e.push_back({"particle", {{'E', "の", "ZYOSI"}, {'N', "助詞", "N0000"}}});
  return e;
}

// Words of the word dictionary and the entry each record refers to ("": none); above the words
// the other tests use, so that no lone word of theirs finds a record.
const std::vector<std::pair<int, std::string>> kRecordWords = {
    {21, "noun-verb"}, {22, ""}, {23, "pronoun"}, {24, "particle"}};

class DictionaryLookup : public cjtest::TransferFixture {
 protected:
  void SetUp() override {
    datagen::CjDataFiles files = datagen::minimalCjDataFiles(cjtest::syntheticWords());
    std::string error;
    ASSERT_TRUE(datagen::cwcjdicFile(entries(), files["cwcjdic.dic"], refs, &error)) << error;
    // A long first line (over 128 bytes) followed by a continuation line.
    std::string longLine = "N," + std::string(150, 'x') + "\\N0000";
    std::string& dic = files["cwcjdic.dic"];
    long base = static_cast<long>(dic.size());
    std::string tail = "N,a\\N0000\r\n";
    refs["long"] = static_cast<std::int32_t>(base + tail.size() + 1);
    tail += longLine + "\r\n*N,学生\\N0000\r\nN,b\\N0000\r\n";
    dic += datagen::scrambleAt(datagen::CjScrambleKey::CjDicLine, tail, base);
    // Offset 0 names no entry: a filler entry comes first.
    std::vector<std::string> records = {"U\\U[U]"};
    for (const auto& w : kRecordWords) {
      records.push_back(w.second.empty() ? "N\\U[N]" : "N\\U[N]Z[" + std::to_string(refs.at(w.second) - 1) + "]");
    }
    std::vector<uint32_t> offsets;
    files["cwcdic.dic"] = datagen::cjDicEntryFile(records, &offsets);
    std::vector<datagen::CjTrieWord> recordWords;
    for (std::size_t w = 0; w < kRecordWords.size(); ++w) {
      recordWords.push_back({hanzi(kRecordWords[w].first), offsets[w + 1]});
    }
    datagen::addCjSegmentationFiles(files, recordWords, false);
    ASSERT_TRUE(datagen::writeCjDataFiles(cjtest::useFolder(device), files));
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), 0);
    words(9);
    start();
  }
  void TearDown() override {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
  }
  // Word i reads entry `name`.
  void word(int i, const std::string& name, const char* cat = "N") {
    sentence->nodes[i].CHI = hanzi(i);
    sentence->nodes[i].CAT = cat;
    sentence->nodes[i].dictionaryRef = name.empty() ? 0 : refs.at(name);
  }
  std::vector<std::string> texts(int i) {
    std::vector<std::string> out;
    for (const cj::CjCandidate& c : target(i).candidates) out.push_back(c.text.str());
    return out;
  }

  datagen::TempDevice device;
  std::map<std::string, std::int32_t> refs;
};

TEST_F(DictionaryLookup, LinesByCategory) {
  word(1, "noun-verb");
  word(2, "noun-verb", "V");
  word(3, "noun-verb", "A");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 1, 'N'), 1);
  EXPECT_EQ(texts(1), (std::vector<std::string>{"学生", "生徒"}));
  cj::chooseTranslation(*context, 2, 'V');
  ASSERT_EQ(texts(2), std::vector<std::string>{"勉強する"});
  const cj::CjCandidate& v = target(2).candidates[0];
  EXPECT_EQ(v.kind, 'V');
  EXPECT_EQ(v.code, "SHT00");
  EXPECT_EQ(v.frame, 'O');
  EXPECT_EQ(v.frame2, 'G');
  // No line of the wanted kind: an empty list and result 0.
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 3, 'F'), 0);
  EXPECT_TRUE(target(3).candidates.empty());
  // A node that no longer needs a translation is left alone.
  target(4).ruleFlag1 = 0;
  word(4, "noun");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 4, 'N'), 1);
  EXPECT_TRUE(target(4).candidates.empty());
}

TEST_F(DictionaryLookup, MoreThanTenLinesKeepTheFirstTen) {
  word(1, "many");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 1, 'N'), 1);
  std::vector<std::string> want;
  for (int k = 0; k < 10; ++k) want.push_back("語" + std::to_string(k));
  EXPECT_EQ(texts(1), want);
}

TEST_F(DictionaryLookup, StarsAndCodeTexts) {
  word(1, "stars");
  EXPECT_EQ(cj::translateSpecialWord(*context, 1, 'N'), 1);
  ASSERT_EQ(target(1).candidates.size(), 2u);
  EXPECT_EQ(target(1).candidates[0].text, "");
  EXPECT_EQ(target(1).candidates[0].code, "N0000");
  EXPECT_EQ(target(1).candidates[1].text, "");
  EXPECT_EQ(target(1).candidates[1].code, "FUKU0");
}

TEST_F(DictionaryLookup, KindsAcceptedForALetter) {
  word(1, "kinds");
  word(2, "kinds");
  word(3, "kinds");
  cj::translateSpecialWord(*context, 1, 'N');
  EXPECT_EQ(texts(1), (std::vector<std::string>{"名", "枚", "人"}));
  cj::translateSpecialWord(*context, 2, 'C');
  EXPECT_EQ(texts(2), (std::vector<std::string>{"枚", "量"}));
  // A classifier (S) reads the classifier line only.
  word(4, "kinds");
  cj::translateSpecialWord(*context, 4, 'S');
  EXPECT_EQ(texts(4), std::vector<std::string>{"量"});
  // A place-like noun ("Z") keeps only its first 'M' line.
  sentence->nodes[3].features.M_SEM = "Z";
  cj::translateSpecialWord(*context, 3, 'N');
  EXPECT_EQ(texts(3), std::vector<std::string>{"名"});
}

TEST_F(DictionaryLookup, TrailByteBackslashAndLongLines) {
  word(1, "trail-5c");
  cj::readCandidatesOfKind(*context, 1, 'N');
  ASSERT_EQ(texts(1), std::vector<std::string>{"表ソ"});
  EXPECT_EQ(target(1).candidates[0].code, "N0000");
  EXPECT_EQ(target(1).candidates[0].frame, 'A');
  EXPECT_EQ(target(1).candidates[0].frame2, 'B');
  // A line longer than one read is read to its end, and the next line is found after it.
  word(2, "long");
  cj::translateSpecialWord(*context, 2, 'N');
  ASSERT_EQ(target(2).candidates.size(), 2u);
  EXPECT_EQ(target(2).candidates[0].text.size(), 78u);
  EXPECT_EQ(target(2).candidates[0].code, "N0000");
  EXPECT_EQ(target(2).candidates[1].text, "学生");
}

TEST_F(DictionaryLookup, ParseCandidateLine) {
  struct Case {
    std::string line;
    char kind;
    std::string text, code;
    char frame, frame2;
  };
  std::string kana;
  for (int k = 0; k < 40; ++k) kana += "あ";
  const Case cases[] = {
      {"N,学生\\N0000", 'N', "学生", "N0000", 0, 0},
      {"*V,書く\\TG000\\O,G", 'V', "書く", "TG000", 'O', 'G'},
      {"A,高い\\KYOSIX\\", 'A', "高い", "KYOSI", 0, 0},
      {"F,ZYOSI", 'F', "", "ZYOSI", 0, 0},
      {"N,★★★\\N0000", 'N', "", "N0000", 0, 0},
      {"N," + kana + "\\N0000", 'N', kana.substr(0, 78), "N0000", 0, 0},
      {"N,a" + kana + "\\N0000", 'N', "a" + kana.substr(0, 78), "N0000", 0, 0},  // 79 bytes: last character whole
      {"N", 'N', "", "", 0, 0},
  };
  for (const Case& c : cases) {
    cj::CjCandidate cand;
    cj::parseCandidateLine(c.line, cand);
    EXPECT_EQ(cand.kind, c.kind) << c.line;
    EXPECT_EQ(cand.text.str(), c.text) << c.line;
    EXPECT_EQ(cand.code.str(), c.code) << c.line;
    EXPECT_EQ(cand.frame, c.frame) << c.line;
    EXPECT_EQ(cand.frame2, c.frame2) << c.line;
  }
}

TEST_F(DictionaryLookup, BorrowingTable) {
  struct Case {
    const char* entry;
    char kind;
    char own;
    const char* text;
    const char* code;
    char vform;
  };
  const Case cases[] = {
      {"adjective", 'A', 'N', "高い", "KYOSI", 'z'},
      {"adjective", 'A', 'V', "高くなる", "ZG001", 'z'},
      {"na-adjective", 'A', 'V', "静かになる", "ZG001", 'z'},
      {"adjective", 'A', 'F', "高く", "FUKU0", 'z'},
      {"na-adjective", 'A', 'F', "静かに", "FUKU0", 'z'},
      {"adverb", 'F', 'N', "すぐの", "RETAI", 'z'},
      {"adverb", 'F', 'A', "すの", "RETAI", 'z'},
      {"adverb", 'F', 'V', "すぐになる", "ZG001", 'z'},
      {"noun", 'N', 'V', "学生をする", "VOSH0", 'z'},
      {"noun", 'N', 'F', "学生のように", "FUKU0", 'z'},
      {"noun", 'N', 'A', "学生の", "RETAI", 'z'},
      {"phrase", 'D', 'N', "驚きこと", "N0000", 'z'},
      {"phrase", 'D', 'A', "驚の", "RETAI", 'z'},
      {"phrase", 'D', 'V', "驚きになる", "ZG001", 'z'},
      {"suru", 'V', 'N', "勉強", "N0000", 'z'},
      {"wo-suru", 'V', 'N', "勉強", "N0000", 'z'},
      {"object-suru", 'V', 'N', "英語の勉強", "N0000", 'z'},
      {"godan", 'V', 'N', "書く", "TG000", 'N'},
      {"godan", 'V', 'F', "書く", "TG000", 'Y'},
      {"measure", 'C', 'N', "個", "N0000", 'z'},
  };
  sentence->nodes[2].CAT = "V";
  for (const Case& c : cases) {
    resetTargetNode(*context, 1);
    word(1, c.entry);
    cj::borrowTranslation(*context, c.kind, c.own, 1);
    ASSERT_EQ(target(1).candidates.size(), 1u) << c.entry << ' ' << c.kind << c.own;
    EXPECT_EQ(target(1).candidates[0].text.str(), c.text) << c.entry << ' ' << c.kind << c.own;
    EXPECT_EQ(target(1).candidates[0].code.str(), c.code) << c.entry << ' ' << c.kind << c.own;
    EXPECT_EQ(target(1).vform, c.vform) << c.entry << ' ' << c.kind << c.own;
  }
  // A verb borrowed for a noun before a noun is made attributive.
  resetTargetNode(*context, 1);
  word(1, "godan");
  sentence->nodes[2].CAT = "N";
  cj::borrowTranslation(*context, 'V', 'N', 1);
  EXPECT_EQ(target(1).vform, 't');
  // '*' takes the word itself.
  resetTargetNode(*context, 1);
  word(1, "noun");
  cj::borrowTranslation(*context, '*', 'N', 1);
  ASSERT_EQ(target(1).candidates.size(), 1u);
  std::string self;
  cj::copyCwToJp(hanzi(1), self);
  EXPECT_EQ(target(1).candidates[0].text.str(), self);
}

TEST_F(DictionaryLookup, CategoryFallbackBorrowsInOrder) {
  // 'N' wanted, only an adjective line: borrowed as it is.
  word(1, "adjective");
  cj::chooseTranslation(*context, 1, 'N');
  EXPECT_EQ(texts(1), std::vector<std::string>{"高い"});
  // 'V' wanted, only a noun line: "をする".
  word(2, "noun", "V");
  cj::chooseTranslation(*context, 2, 'V');
  EXPECT_EQ(texts(2), std::vector<std::string>{"学生をする"});
  EXPECT_EQ(target(2).candidates[0].code, "VOSH0");
}

TEST_F(DictionaryLookup, LatinWordIsCopiedWithoutReadingTheFile) {
  sentence->nodes[1].CHI = "abc";
  sentence->nodes[1].dictionaryRef = refs.at("noun");
  plat::failNextSeek("cwcjdic.dic");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 1, 'N'), 1);
  EXPECT_EQ(target(1).japanese, "abc");
  EXPECT_TRUE(target(1).candidates.empty());
  // The armed seek failure is still waiting: the Latin word did not reposition the file.
  word(2, "noun");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 2, 'N'), 0);
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 2, 'N'), 1);
}

TEST_F(DictionaryLookup, HanziWithoutEntryIsReported) {
  word(1, "");
  std::string shown;
  cj::convertSentenceFallback(hanzi(1), shown);
  testing::internal::CaptureStderr();
  cj::categoryFallback(*context, 1, 'N');
  std::string out = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "\n" + shown + "No entry in C-J Dic!\n");
  EXPECT_TRUE(target(1).japanese.empty());
  EXPECT_TRUE(target(1).candidates.empty());
  // An adverb without an entry is not reported.
  testing::internal::CaptureStderr();
  cj::categoryFallback(*context, 1, 'F');
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(DictionaryLookup, FailedCandidateAllocation) {
  plat::NotifyRecorder recorder;
  word(1, "many");
  std::optional<plat::FailPoint> fail(std::in_place, cj::kCandidateFailPoint, 3);
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 1, 'N'), 1);
  EXPECT_EQ(cjtest::engine().engineStatus, 13);
  EXPECT_EQ(target(1).candidates.size(), 3u);  // those read so far stay
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");

  cjtest::engine().engineStatus = 0;
  std::vector<cj::CjCandidate> list(1);
  fail.emplace(cj::kCandidateFailPoint);
  EXPECT_EQ(cj::readEntryAt(cjtest::engine(), refs.at("noun-verb"), list), 0);
  EXPECT_EQ(cjtest::engine().engineStatus, 13);
}

TEST_F(DictionaryLookup, WholeEntryThroughTheWordRecord) {
  std::vector<cj::CjCandidate> list(1);
  EXPECT_EQ(cj::readWholeEntry(*context, hanzi(25), &list), 0);  // not a dictionary word
  EXPECT_EQ(cj::readWholeEntry(*context, hanzi(21) + hanzi(22), &list), 0);  // two words
  EXPECT_EQ(cj::readWholeEntry(*context, "abc", &list), 0);
  EXPECT_EQ(cj::readWholeEntry(*context, hanzi(21), nullptr), 0);
  ASSERT_EQ(cj::readWholeEntry(*context, hanzi(21), &list), 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].text, "学生");
  EXPECT_EQ(list[1].text, "勉強する");
  EXPECT_EQ(list[1].kind, 'V');
  EXPECT_EQ(list[2].text, "生徒");
  // A word whose record refers to no entry.
  EXPECT_EQ(cj::readWholeEntry(*context, hanzi(22), &list), 0);
}

TEST_F(DictionaryLookup, FixedWords) {
  // Existence words: 'R' leaves them empty; with no object they are "ある".
  sentence->nodes[1].CHI = cj::listedWord("dictionaryLookup.existenceWord1");
  target(1).japanese = "x";
  target(1).jcat = "x";
  EXPECT_EQ(cj::translateSpecialWord(*context, 1, 'R'), 1);
  EXPECT_TRUE(target(1).japanese.empty());
  EXPECT_TRUE(target(1).jcat.empty());
  sentence->nodes[2].CHI = cj::listedWord("dictionaryLookup.existenceWord2");
  EXPECT_EQ(cj::translateSpecialWord(*context, 2, 'V'), 1);
  EXPECT_EQ(target(2).japanese, "ある");
  EXPECT_EQ(target(2).jcat, "ZG001");
  // The copula with an object.
  sentence->nodes[3].CHI = cj::listedWord("dictionaryLookup.copulaWord");
  sentence->nodes[3].roleCounts[cj::kCountObj1] = 1;
  EXPECT_EQ(cj::fixedWordTranslation(*context, 3, 'V'), 1);
  EXPECT_EQ(target(3).japanese, "だ");
  EXPECT_EQ(target(3).jcat, "KYODO");
  sentence->nodes[3].roleCounts[cj::kCountObj1] = 0;
  target(3).japanese.clear();
  EXPECT_EQ(cj::fixedWordTranslation(*context, 3, 'V'), 0);
  // "など", and "などの" before a noun.
  const std::vector<std::string>& nado = cj::listedWords("dictionaryLookup.eNadoWords");
  ASSERT_EQ(nado.size(), 2u);
  sentence->nodes[4].CHI = nado[0];
  sentence->nodes[5].CAT = "V";
  EXPECT_EQ(cj::fixedWordTranslation(*context, 4, 'E'), 1);
  EXPECT_EQ(target(4).japanese, "など");
  sentence->nodes[5].CAT = "N";
  EXPECT_EQ(cj::fixedWordTranslation(*context, 4, 'E'), 1);
  EXPECT_EQ(target(4).japanese, "などの");
  // A word of kind 'W' is taken as it is.
  sentence->nodes[6].CHI = hanzi(6);
  sentence->nodes[6].kind = 'W';
  sentence->nodes[6].dictionaryRef = refs.at("noun");
  EXPECT_EQ(cj::readCandidatesOfKind(*context, 6, 'N'), 1);
  EXPECT_EQ(target(6).japanese, hanzi(6));
}

TEST_F(DictionaryLookup, ChoiceBeforeTheDictionary) {
  // A1 after a listed word is dropped, unless a person-like noun follows.
  sentence->nodes[2].CHI = cj::listedWords("dictionaryLookup.droppingPrevious")[0];
  sentence->nodes[3].CHI = cj::listedWord("dictionaryLookup.A1");
  sentence->nodes[4].CAT = "V";
  cj::chooseTranslation(*context, 3, 'N');
  EXPECT_EQ(target(3).alive, 0);
  target(3).alive = 1;
  sentence->nodes[4].CAT = "N";
  sentence->nodes[4].features.M_SEM = "I";
  cj::chooseTranslation(*context, 3, 'N');
  EXPECT_EQ(target(3).alive, 1);

  // A4 before a word that starts with a listed character and holds another: "まだ".
  sentence->nodes[5].CHI = cj::listedWord("dictionaryLookup.A4");
  sentence->nodes[6].CHI = cj::listedWords("dictionaryLookup.stillStartChars")[0] +
                           cj::listedWords("dictionaryLookup.stillChars")[1];
  cj::chooseTranslation(*context, 5, 'F');
  EXPECT_EQ(target(5).japanese, "まだ");

  // A5 before a person: "何人か", or "何人" in a question.
  sentence->nodes[7].CHI = cj::listedWord("dictionaryLookup.A5");
  sentence->nodes[8].features.M_SEM = "A";
  cj::chooseTranslation(*context, 7, 'N');
  EXPECT_EQ(target(7).japanese, "何人か");
  target(7).japanese.clear();
  context->govWork = 9;
  target(9).vform = '?';
  cj::chooseTranslation(*context, 7, 'N');
  EXPECT_EQ(target(7).japanese, "何人");
}

TEST_F(DictionaryLookup, LoneWordTakesItsSetPhrase) {
  word(1, "lone");
  target(1).nextSibling = 0;
  ASSERT_TRUE(cj::isLoneWord(*context, 1));
  cj::chooseTranslation(*context, 1, 'N');
  EXPECT_EQ(target(1).keepEllipsis, 1);
  EXPECT_EQ(texts(1), std::vector<std::string>{"ありがとう"});
  // In a sentence it is looked up by its category.
  word(2, "lone");
  EXPECT_FALSE(cj::isLoneWord(*context, 2));
  cj::chooseTranslation(*context, 2, 'N');
  EXPECT_EQ(target(2).keepEllipsis, 0);
  EXPECT_EQ(texts(2), std::vector<std::string>{"感謝"});
}

// A lone word without a set phrase is narrowed to the lines of the wanted kind, like any word;
// a kind that no category code names (a pronoun, a particle) keeps its own line.
TEST_F(DictionaryLookup, LoneWordKeepsOnlyTheWantedKind) {
  const struct {
    int word;  // its record refers to the entry
    const char* entry;
    char letter;
    std::vector<std::string> want;
  } cases[] = {
      {21, "noun-verb", 'V', {"勉強する"}},
      {23, "pronoun", 'R', {"あなた"}},
      {24, "particle", 'E', {"の"}},
  };
  for (const auto& k : cases) {
    word(1, k.entry, "R");
    sentence->nodes[1].CHI = hanzi(k.word);
    target(1).candidates.clear();
    target(1).japanese.clear();
    target(1).nextSibling = 0;
    ASSERT_TRUE(cj::isLoneWord(*context, 1));
    cj::chooseTranslation(*context, 1, k.letter);
    EXPECT_EQ(texts(1), k.want) << k.entry;
    EXPECT_TRUE(target(1).japanese.empty()) << k.entry;
  }
}

TEST_F(DictionaryLookup, SpecialWords) {
  // Year end after a listed character.
  sentence->nodes[1].CHI = hanzi(1) + cj::listedWord("dictionaryLookup.yearEndPrevChar");
  sentence->nodes[2].CHI = cj::listedWord("dictionaryLookup.yearEndWord");
  EXPECT_EQ(cj::translateSpecialWord(*context, 2, 'N'), 1);
  EXPECT_EQ(target(2).japanese, "年末");
  EXPECT_EQ(target(2).jcat, "NJN00");
  sentence->nodes[1].CHI = hanzi(1);
  target(2).japanese.clear();
  EXPECT_EQ(cj::translateSpecialWord(*context, 2, 'N'), 1);
  EXPECT_TRUE(target(2).japanese.empty());
  // A quantity word before a verb; its entry's lines still follow.
  sentence->nodes[3].CHI = cj::listedWord("dictionaryLookup.quantityWord");
  sentence->nodes[3].dictionaryRef = refs.at("noun");
  sentence->nodes[4].CAT = "V";
  EXPECT_EQ(cj::translateSpecialWord(*context, 3, 'N'), 1);
  EXPECT_EQ(target(3).japanese, "多く");
  EXPECT_EQ(target(3).jcat, "FUKU0");
  EXPECT_EQ(texts(3), std::vector<std::string>{"学生"});
  // Words without an entry.
  sentence->nodes[5].CHI = cj::listedWord("dictionaryLookup.minuteWord");
  EXPECT_EQ(cj::translateSpecialWord(*context, 5, 'N'), 1);
  EXPECT_EQ(target(5).japanese, "分");
  EXPECT_EQ(target(5).jcat, "NJ000");
  sentence->nodes[6].CHI = hanzi(6);
  EXPECT_EQ(cj::translateSpecialWord(*context, 6, 'N'), 1);
  std::string self;
  cj::copyCwToJp(hanzi(6), self);
  EXPECT_EQ(target(6).japanese.str(), self);
  EXPECT_EQ(target(6).jcat, "N0000");
  // A node that already has candidates is not looked up again.
  word(7, "noun");
  target(7).candidates.resize(1);
  EXPECT_EQ(cj::translateSpecialWord(*context, 7, 'N'), 0);
}

TEST_F(DictionaryLookup, LineAndKindTests) {
  EXPECT_TRUE(cj::lineMatchesKind("A,高い\\KYOSI", 'A'));
  EXPECT_TRUE(cj::lineMatchesKind("V,書く\\TG001", 'A'));
  EXPECT_TRUE(cj::lineMatchesKind("V,書く\\VOXX0", 'V'));
  EXPECT_FALSE(cj::lineMatchesKind("N,学生\\N0000", 'V'));
  EXPECT_TRUE(cj::lineMatchesKind("N,学生\\N<人>", 'N'));
  EXPECT_TRUE(cj::lineMatchesKind("F,すぐ\\FUKU0", 'F'));
  EXPECT_FALSE(cj::lineMatchesKind("F,すぐ\\FUKU0", 'D'));
  // "VO" in the middle of a double-byte character is no code: 0x83 'V' 'O'...
  EXPECT_FALSE(cj::containsVerbCode("\x83VO"));
  EXPECT_TRUE(cj::kindMatches('N', 't'));
  EXPECT_TRUE(cj::kindMatches('C', 'Q'));
  EXPECT_TRUE(cj::kindMatches('S', 'Q'));
  EXPECT_FALSE(cj::kindMatches('S', 'C'));
  EXPECT_TRUE(cj::kindMatches('V', '3'));
  EXPECT_FALSE(cj::kindMatches('V', '5'));
  EXPECT_FALSE(cj::kindMatches('A', 'N'));
}

TEST(CwcjdicWriter, RefusesWhatCannotBeStored) {
  std::string out, error;
  std::map<std::string, std::int32_t> refs;
  EXPECT_FALSE(datagen::cwcjdicFile({{"w", {}}}, out, refs, &error));
  EXPECT_FALSE(datagen::cwcjdicFile({{"w", {{'N', "a\\b", "N0000"}}}}, out, refs, &error));
  EXPECT_FALSE(datagen::cwcjdicFile({{"w", {{'N', std::string(130, 'a'), "N0000"}}}}, out, refs, &error));
  // A line of 127 bytes with its CR LF is the longest stored, and it reads back whole; 128 is refused.
  EXPECT_FALSE(datagen::cwcjdicFile({{"w", {{'N', std::string(118, 'a'), "N0000"}}}}, out, refs, &error));
  ASSERT_TRUE(datagen::cwcjdicFile({{"w", {{'N', std::string(117, 'a'), "N0000"}}}}, out, refs, &error)) << error;
  ASSERT_EQ(out.size(), 127u);
  std::FILE* f = std::tmpfile();
  ASSERT_TRUE(f);
  ASSERT_EQ(std::fwrite(out.data(), 1, out.size(), f), out.size());
  std::string line;
  long next = 0;
  ASSERT_TRUE(cj::readCjDicLine(f, refs.at("w") - 1, line, next));
  EXPECT_EQ(line, "N," + std::string(117, 'a') + "\\N0000");
  EXPECT_EQ(next, 127);
  std::fclose(f);
  EXPECT_FALSE(datagen::cwcjdicFile({{"w", {{'N', "a", "N00000"}}}}, out, refs, &error));
  // A trail byte 0x5C is part of its character.
  EXPECT_TRUE(datagen::cwcjdicFile({{"w", {{'N', "表", "N0000"}}}, {"v", {{'V', "a", "TG000"}}}}, out, refs, &error))
      << error;
  EXPECT_EQ(refs.at("w"), 1);
  EXPECT_EQ(refs.at("v"), static_cast<std::int32_t>(std::string("N,表\\N0000\r\n").size() + 1));
}

}  // namespace
