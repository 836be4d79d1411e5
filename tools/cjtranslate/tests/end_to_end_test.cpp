// The console driver on the sample card: the card is built by datagen_card into a temporary
// device, and lines go through cjtranslate as through the translator's engine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"

namespace {

class EndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                               plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  // Each line through the console driver; one output line per input line.
  std::vector<std::string> translate(const std::vector<std::string>& lines, std::string* errors = nullptr,
                                     const std::string& options = "") {
    datagen::LinesRun run = datagen::runOnLines(datagen::shellQuoted(datagen::binFolder() + "/cjtranslate") + options,
                                                device_->root(), lines);
    status_ = run.status;
    if (errors) *errors = run.errors;
    return run.lines;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
  int status_ = -1;
};

datagen::TempDevice* EndToEnd::device_ = nullptr;
bool EndToEnd::cardBuilt_ = false;

// The pinned sentences of the sample card (data/tests/cj_sample.tsv).
TEST_F(EndToEnd, PinnedSentencesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_sample.tsv",
                                               cases, &why))
      << why;
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.input);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(out[i], cases[i].expected) << cases[i].id << ' ' << cases[i].input << " (" << cases[i].note << ')';
}

// Each sentence of a line starts from the state it has alone: a line of the pinned sentences
// translates to their translations one by one.
TEST_F(EndToEnd, ALineOfSentencesTranslatesAsItsSentencesOneByOne) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_sample.tsv",
                                               cases, &why))
      << why;
  // Whole sentences with hanzi, ending in a full stop, that hold no quotation.
  std::vector<std::string> sentences;
  for (const auto& k : cases) {
    const std::string& in = k.input;
    const bool stop = in.size() > 3 && in.compare(in.size() - 3, 3, "。") == 0;
    if (stop && in.find("“") == std::string::npos && in.find("：") == std::string::npos &&
        static_cast<unsigned char>(in[0]) >= 0xE4 && in.find("。") == in.size() - 3)
      sentences.push_back(in);
  }
  ASSERT_GE(sentences.size(), 6u);
  std::string errors;
  const std::vector<std::string> alone = translate(sentences, &errors);
  ASSERT_EQ(alone.size(), sentences.size()) << errors;
  // Lines of three neighbours, every sentence in three places.
  std::vector<std::string> lines, expected;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    std::string line, out;
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t at = (i + k) % sentences.size();
      line += sentences[at];
      out += alone[at];
    }
    lines.push_back(line);
    expected.push_back(out);
  }
  const std::vector<std::string> together = translate(lines, &errors);
  ASSERT_EQ(together.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(together[i], expected[i]) << lines[i];
}

// Without its end mark (。, ． or none).
std::string withoutEndMark(const std::string& s) {
  for (const std::string mark : {"。", "．"})
    if (s.size() >= mark.size() && s.compare(s.size() - mark.size(), mark.size(), mark) == 0)
      return s.substr(0, s.size() - mark.size());
  return s;
}

// The single-sentence rows of the sample table (ending in 。, no other end mark) without their 。.
std::vector<std::string> singleSentenceStems() {
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  if (!datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_sample.tsv", cases, &why))
    ADD_FAILURE() << why;
  std::vector<std::string> stems;
  for (const auto& k : cases) {
    const std::string& in = k.input;
    if (in.size() < 3 || in.compare(in.size() - 3, 3, "。") != 0) continue;
    const std::string stem = in.substr(0, in.size() - 3);
    bool single = true;
    for (const char* mark : {"。", "？", "！", "?", "!", "．", "."}) single = single && stem.find(mark) == std::string::npos;
    if (single) stems.push_back(stem);
  }
  return stems;
}

// A sentence ending in ． translates as the same sentence ending in 。, apart from the end mark
// itself (a quoted sentence too: the mark goes, と follows); two sentences ending in ． on one line
// translate as each alone (200 neighbouring pairs of the sample table).
TEST_F(EndToEnd, AFullWidthFullStopEndsItsSentenceAsTheFullStopDoes) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> stems = singleSentenceStems();
  ASSERT_GE(stems.size(), 201u);
  std::vector<std::string> lines;
  for (const std::string& s : stems) {
    lines.push_back(s + "。");
    lines.push_back(s + "．");
  }
  const std::size_t pairs = 200;
  for (std::size_t i = 0; i < pairs; ++i) lines.push_back(stems[i] + "．" + stems[i + 1] + "．");
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < stems.size(); ++i)
    EXPECT_EQ(withoutEndMark(out[2 * i + 1]), withoutEndMark(out[2 * i])) << stems[i] << "．";
  for (std::size_t i = 0; i < pairs; ++i)
    EXPECT_EQ(out[2 * stems.size() + i], out[2 * i + 1] + out[2 * i + 3]) << stems[i] << "．" << stems[i + 1] << "．";
}

// A run of exclamation and question marks, alike or mixed (！？ alternating, or a pattern of the
// full-width and ASCII marks), 2 to 40 long, follows its sentence as written: the sentence
// translates as with the run's first mark alone. Sentences that quote their reporting verb's
// words are left out: there と and the reporting clause follow the quoted sentence.
TEST_F(EndToEnd, AMixedRunOfMarksFollowsItsSentenceWhole) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> stems;
  for (const std::string& s : singleSentenceStems())
    if (s.find("说") == std::string::npos) stems.push_back(s);
  ASSERT_GE(stems.size(), 200u);
  const char* marks[] = {"！", "？", "!", "?"};
  std::vector<std::string> lines, rests;
  for (std::size_t i = 0; i < stems.size(); ++i) {
    const std::size_t length = 2 + (i * 7) % 39;
    std::string first, rest;
    for (std::size_t k = 0; k < length; ++k) {
      const std::size_t m = i % 2 == 0 ? (k + i / 2) % 2 : (k * 3 + i + (k * k) / 3) % 4;
      (k == 0 ? first : rest) += marks[m];
    }
    lines.push_back(stems[i] + first + rest);
    lines.push_back(stems[i] + first);
    rests.push_back(rest);
  }
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < stems.size(); ++i) EXPECT_EQ(out[2 * i], out[2 * i + 1] + rests[i]) << lines[2 * i];
}

// A quoted sentence ends with its mark or run of marks and the closing quotation mark, then と
// and the reporting clause: with every kind of quotation mark, the ASCII ones too, and every end
// mark, alone or in a mixed run. The ASCII closing mark once landed behind the reporting clause.
TEST_F(EndToEnd, AQuotedSentenceClosesItsQuotationBeforeTheReportingClause) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> stems;
  for (const std::string& s : singleSentenceStems()) {
    bool plain = s.find("说") == std::string::npos;
    for (const char* mark : {"：", ":", "“", "”", "\"", "'", "「", "」", "‘", "’"}) plain = plain && s.find(mark) == std::string::npos;
    if (plain) stems.push_back(s);
    if (stems.size() == 24) break;
  }
  ASSERT_EQ(stems.size(), 24u);
  const std::pair<std::string, std::string> quotes[] = {{"“", "”"}, {"「", "」"}, {"‘", "’"}, {"\"", "\""}, {"'", "'"}};
  const char* marks[] = {"。", "．", ".", "！", "？", "!", "?", "！?", "?!", "！？！", "！！??", "?！?"};
  std::vector<std::string> lines;
  std::vector<std::string> closers;
  for (std::size_t i = 0; i < stems.size(); ++i) {
    for (std::size_t q = 0; q < std::size(quotes); ++q) {
      // Every mark with every kind of quotation mark, over the stems.
      const std::string mark = marks[(i + q) % std::size(marks)];
      lines.push_back("他说：" + quotes[q].first + stems[i] + mark + quotes[q].second);
      closers.push_back(quotes[q].second);
    }
  }
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    // The closing mark once, right before と and the reporting clause (the ASCII one twice: it opens too).
    const std::string tail = closers[k] + "と彼は言う。";
    const std::string& o = out[k];
    EXPECT_TRUE(o.size() > tail.size() && o.compare(o.size() - tail.size(), tail.size(), tail) == 0) << lines[k] << " -> " << o;
    std::size_t count = 0;
    for (std::size_t at = o.find(closers[k]); at != std::string::npos; at = o.find(closers[k], at + 1)) ++count;
    EXPECT_EQ(count, closers[k].size() == 1 ? 2u : 1u) << lines[k] << " -> " << o;
  }
}

// Traditional characters GB2312 lacks make the line read as traditional Chinese; --traditional
// reads every line so.
TEST_F(EndToEnd, TraditionalTextIsConvertedToSimplifiedFirst) {
  ASSERT_TRUE(cardBuilt_);
  std::string errors;
  const std::vector<std::string> simplified = translate({"我们学习汉语。"}, &errors);
  ASSERT_EQ(simplified.size(), 1u) << errors;
  ASSERT_EQ(status_, 0) << errors;
  const std::vector<std::string> out = translate({"我們學習漢語。", "我们学习汉语。"}, &errors);
  ASSERT_EQ(out.size(), 2u) << errors;
  EXPECT_EQ(status_, 0) << errors;
  EXPECT_EQ(out[0], simplified[0]);
  EXPECT_EQ(out[1], simplified[0]);
  EXPECT_NE(errors.find("line 1: read as traditional Chinese and converted to simplified characters"), std::string::npos)
      << errors;
  EXPECT_EQ(errors.find("line 2"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("has no Chinese code"), std::string::npos) << errors;

  const std::vector<std::string> forced = translate({"我們學習漢語。", "我们学习汉语。"}, &errors, " --traditional");
  ASSERT_EQ(forced.size(), 2u) << errors;
  EXPECT_EQ(status_, 0) << errors;
  EXPECT_EQ(forced[0], simplified[0]);
  EXPECT_EQ(forced[1], simplified[0]);
  EXPECT_EQ(errors.find("line"), std::string::npos) << errors;
}

TEST_F(EndToEnd, ConsoleDriverSaysWhatItDoesNotTranslate) {
  ASSERT_TRUE(cardBuilt_);
  const std::string shortWords = "我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶";
  std::string errors;
  const std::vector<std::string> plain = translate({"我喝茶", "我 喝茶。"}, &errors);
  ASSERT_EQ(plain.size(), 2u) << errors;
  EXPECT_EQ(status_, 0) << errors;
  // A leading byte-order mark is skipped and a TAB is a blank; a character without a Chinese code
  // stays at its place; bytes that are no UTF-8 are named as such; a long run of short words the
  // analysis gives up on comes back unchanged, and the driver says so; one word is no such run.
  const std::vector<std::string> out = translate(
      {"\xEF\xBB\xBF我喝茶。", "我喝茶€", "我喝茶😀", "我\t喝茶。", "我\xC0\x80", shortWords, "我喝茶。", "茶"}, &errors);
  ASSERT_EQ(out.size(), 8u) << errors;
  EXPECT_EQ(out[0], "私はお茶を飲む。");
  // A carried character stays inside its sentence, which is translated whole.
  for (const auto& [line, c] : {std::pair{out[1], "€"}, std::pair{out[2], "😀"}}) {
    EXPECT_NE(line.find(c), std::string::npos) << line;
    EXPECT_NE(line.find("お茶"), std::string::npos) << line;
  }
  EXPECT_EQ(out[3], plain[1]);
  EXPECT_EQ(out[4], "");
  EXPECT_EQ(out[6], "私はお茶を飲む。");
  EXPECT_NE(out[7], "");
  EXPECT_EQ(errors.find("line 1"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 2: € has no Chinese code and is carried through unchanged"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 3: 😀 has no Chinese code"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 4"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 5 not translated: is not valid UTF-8 (byte 4)"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 6 not translated: too many short words to analyse"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 7"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 8"), std::string::npos) << errors;
  // Lines were not translated: the exit status says so.
  EXPECT_EQ(status_, 1) << errors;

  const std::string bin = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  const std::string log = device_->root() + "/driver.txt";
  EXPECT_EQ(std::system((bin + " --help >" + datagen::shellQuoted(log) + " 2>&1").c_str()), 0);
  EXPECT_NE(datagen::readWholeFile(log).find("usage:"), std::string::npos);
  // Without the data folder on any card, the message names the folder looked for.
  const std::string empty = device_->root() + "/empty-device";
  std::system(("mkdir -p " + datagen::shellQuoted(empty)).c_str());
  EXPECT_NE(std::system(("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(empty) + " " + bin + " </dev/null >" + datagen::shellQuoted(log) + " 2>&1").c_str()),
            0);
  EXPECT_NE(datagen::readWholeFile(log).find("CJSYSTEMDIC"), std::string::npos) << datagen::readWholeFile(log);
  EXPECT_NE(datagen::readWholeFile(log).find(empty), std::string::npos) << datagen::readWholeFile(log);
}

// A line the engine refuses for its code faults and a line with text that gives no output are
// lines not translated; a mark at the start of any line is skipped; --help lists the statuses.
TEST_F(EndToEnd, RefusedAndEmptyLinesAreNotTranslated) {
  ASSERT_TRUE(cardBuilt_);
  std::string errors;
  const std::vector<std::string> out =
      translate({"我喝茶。", "\xEF\xBB\xBF我喝茶。", "我〓〓〓〓〓〓〓〓", "的的的的的的", " "}, &errors);
  ASSERT_EQ(out.size(), 5u) << errors;
  EXPECT_EQ(out[0], "私はお茶を飲む。");
  EXPECT_EQ(out[1], out[0]);
  EXPECT_EQ(out[2], "★★中国語原文コードに誤りがあるため翻訳しません★★");
  EXPECT_EQ(out[3], "");
  EXPECT_EQ(errors,
            "cjtranslate: line 3 not translated: the engine refuses text with so many code faults (replacement marks)\n"
            "cjtranslate: line 4 not translated: it gives no translation\n");
  EXPECT_EQ(status_, 1);

  const std::string log = device_->root() + "/help.txt";
  const std::string bin = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  EXPECT_EQ(std::system((bin + " --help >" + datagen::shellQuoted(log)).c_str()), 0);
  const std::string help = datagen::readWholeFile(log);
  for (const char* part : {"Exit status: 0 when every line was translated", "1 when a line was not", "2 when"})
    EXPECT_NE(help.find(part), std::string::npos) << help;
}

// GB2312 characters that are no hanzi come out as themselves or a close counterpart; those the
// engine cannot write back (Ⅵ, 〖〗, ≈) are carried at their place and named; ā is a Latin run,
// kept whole as written.
TEST_F(EndToEnd, SymbolsComeOutAsThemselvesOrACloseCounterpart) {
  ASSERT_TRUE(cardBuilt_);
  std::string errors;
  const std::vector<std::string> out = translate({"第Ⅵ章", "ā", "〖书〗", "≈三", "我·你", "ａ①"}, &errors);
  ASSERT_EQ(out.size(), 6u) << errors;
  EXPECT_NE(out[0].find("Ⅵ"), std::string::npos) << out[0];
  EXPECT_EQ(out[1], "ā");
  EXPECT_EQ(out[2], "〖本〗");
  EXPECT_EQ(out[3], "≈三");
  EXPECT_NE(out[4].find("・"), std::string::npos) << out[4];
  EXPECT_EQ(out[5], "ａ①");
  for (const char* named : {"line 1: Ⅵ cannot", "line 3: 〖〗 cannot", "line 4: ≈ cannot"})
    EXPECT_NE(errors.find(named), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 2"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 5"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 6"), std::string::npos) << errors;
  EXPECT_EQ(status_, 0);
}

// Every GB2312 character that is no hanzi, alone on a line, comes out as itself or as its close
// counterpart (· ・, — ―, ‖ ∥), whether the engine takes it or carries it.
TEST_F(EndToEnd, EveryGb2312SymbolComesOutAsItself) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> lines;
  for (unsigned lead = 0xA1; lead <= 0xA9; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const char gb[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string c = plat::multiByteToWide(936, std::string_view(gb, 2));
      if (c.size() == 1 && c[0] >= 0x80 && c[0] != u'\u3000' && (c[0] < 0xE000 || c[0] > 0xF8FF))
        lines.push_back(plat::wideToUtf8(c));
    }
  }
  ASSERT_GT(lines.size(), 680u);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  const std::pair<std::string, std::string> counterparts[] = {{"·", "・"}, {"—", "―"}, {"‖", "∥"}};
  int wrong = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string expected = lines[i];
    for (const auto& [symbol, counterpart] : counterparts)
      if (lines[i] == symbol) expected = counterpart;
    if (out[i] != expected) ++wrong;
    EXPECT_EQ(out[i], expected) << "line " << i + 1;
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(status_, 0) << errors;
}

// A word table that breaks its schema: the driver names the file, the line and the cause.
TEST_F(EndToEnd, ARefusedWordTableIsNamedWithItsLineAndCause) {
  ASSERT_TRUE(cardBuilt_);
  const std::string table = plat::hostPath(device_->card() + "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\cjwords.txt");
  const std::string good = datagen::readWholeFile(table);
  ASSERT_FALSE(good.empty());
  // Each fault at its own line, not at the line before or after it.
  const std::pair<std::string, std::string> cases[] = {
      {"# broken\nno tab here\n", "line 2: no tab between key and value"},
      {"# broken\n# two\nab" + std::string(1, '\0') + "c\n", "line 3: a NUL byte"},
      {"# broken\n\tword\n", "line 2: a value without its key"},
  };
  for (const auto& [head, named] : cases) {
    std::ofstream(table, std::ios::binary) << head << good;
    std::string errors;
    translate({"我喝茶。"}, &errors);
    EXPECT_EQ(status_, 2) << named;
    EXPECT_NE(errors.find("cjtranslate: cjwords.txt " + named + "\n"), std::string::npos) << errors;
  }
  std::ofstream(table, std::ios::binary) << good;
}

}  // namespace
