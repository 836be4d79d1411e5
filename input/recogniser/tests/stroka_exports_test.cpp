#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/recogniser_api.h"
#include "input/recogniser/recogniser_errors.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/library.h"
#include "recog_fixture.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace recog;
using recogtest::Ink;

namespace {

datagen::RecogStroke line(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y1}}; }

class StrokaExports : public ::testing::Test {
 protected:
  void SetUp() override {
    Mel_Close();
    datagen::RecogTemplateSet set;
    file_ = recogtest::dictionaryFile(recogtest::kFiveTemplates, &set);
    ASSERT_FALSE(file_.empty());
    for (const auto& t : set.templates) templates_.push_back(t);
    ASSERT_TRUE(device_.write("\\chujian.dic", file_));
  }
  void TearDown() override { Mel_Close(); }

  int recognise(const Ink& ink, RecogResult& r, int boxW = 100, int boxH = 100, std::uint8_t mask = 127) {
    StrokeInput in = recogtest::inputFor(ink, boxW, boxH, mask);
    r = RecogResult{};
    return Mel_Recog(&in, ink.x.data(), ink.y.data(), &r);
  }

  datagen::TempDevice device_;
  std::string file_;
  std::vector<datagen::RecogTemplate> templates_;
};

// Row and cell of a simplified code in BCD.
std::uint16_t bcd(std::uint16_t code) {
  auto b = [](unsigned v) { return (v / 10) << 4 | (v % 10); };
  return static_cast<std::uint16_t>(b(code >> 8) << 8 | b(code & 0xFF));
}

TEST_F(StrokaExports, EachTemplateDrawnAgainComesFirst) {
  ASSERT_EQ(Mel_Init(0), 0);
  EXPECT_EQ(plat::openFileCount("chujian.dic"), 0);
  for (const auto& t : templates_) {
    RecogResult r;
    ASSERT_EQ(recognise(Ink::of(t.strokes), r), 0);
    ASSERT_GE(r.count, 1);
    EXPECT_EQ(r.candidates[0].code, bcd(t.code));
    EXPECT_EQ(r.candidates[0].distance, 0);
  }
  // 一 is row 50 cell 27, returned as BCD.
  RecogResult r;
  ASSERT_EQ(recognise(Ink::of({line(10, 50, 90, 50)}), r), 0);
  EXPECT_EQ(r.candidates[0].code, 0x5027);
}

TEST_F(StrokaExports, AnyClusterCountFindsTheTemplate) {
  // Fewer than 4 clusters still keep the nearest one; with 5, 30 % is one cluster per writing.
  for (int clusters : {1, 2, 3, 5}) {
    SCOPED_TRACE(clusters);
    std::string file =
        recogtest::dictionaryFile(std::string(recogtest::kFiveTemplates) + "clusters " + std::to_string(clusters));
    ASSERT_FALSE(file.empty());
    ASSERT_TRUE(device_.write("\\chujian.dic", file));
    RecogDictionary dict;
    ASSERT_EQ(loadDictionary(0, dict), 0);
    EXPECT_EQ(dict.clusters.size(), static_cast<std::size_t>(clusters));
    ASSERT_EQ(Mel_Init(0), 0);
    for (const auto& t : templates_) {
      RecogResult r;
      ASSERT_EQ(recognise(Ink::of(t.strokes), r), 0);
      ASSERT_GE(r.count, 1);
      EXPECT_EQ(r.candidates[0].code, bcd(t.code));
    }
  }
}

TEST_F(StrokaExports, WritingAtAnotherSizeAndPlaceIsStillRecognised) {
  ASSERT_EQ(Mel_Init(0), 0);
  struct Case {
    const char* name;
    std::vector<datagen::RecogStroke> strokes;
    std::uint16_t expected;  // BCD
  };
  const Case cases[] = {
      {"十 large, skewed", {line(30, 160, 270, 150), line(150, 40, 160, 280)}, 0x4214},
      {"口 small", {line(5, 5, 5, 20), {{5, 5}, {21, 5}, {21, 20}}, line(5, 20, 21, 20)}, 0x3158},
      {"二 wide", {line(40, 30, 160, 32), line(20, 90, 180, 88)}, 0x2294},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecogResult r;
    ASSERT_EQ(recognise(Ink::of(c.strokes), r, 300, 300), 0);
    ASSERT_GE(r.count, 1);
    EXPECT_EQ(r.candidates[0].code, c.expected);
  }
}

TEST_F(StrokaExports, DistancesRunFromZeroToNinetyNine) {
  ASSERT_EQ(Mel_Init(0), 0);
  RecogResult r;
  ASSERT_EQ(recognise(Ink::of({line(10, 50, 90, 52), line(50, 10, 48, 90)}), r), 0);
  ASSERT_GE(r.count, 2);
  EXPECT_EQ(r.candidates[0].distance, 0);
  EXPECT_EQ(r.candidates[r.count - 1].distance, 99);
  for (int i = 1; i < r.count; ++i) EXPECT_GE(r.candidates[i].distance, r.candidates[i - 1].distance);
}

TEST_F(StrokaExports, ClassMaskZeroGivesAnEmptyResult) {
  ASSERT_EQ(Mel_Init(0), 0);
  RecogResult r;
  r.count = 7;
  StrokeInput in = recogtest::inputFor(Ink::of({line(10, 50, 90, 50)}), 100, 100, 0);
  Ink ink = Ink::of({line(10, 50, 90, 50)});
  ASSERT_EQ(Mel_Recog(&in, ink.x.data(), ink.y.data(), &r), 0);
  EXPECT_EQ(r.count, 0);
}

TEST_F(StrokaExports, SinglePointAndEmptyStrokes) {
  ASSERT_EQ(Mel_Init(0), 0);
  RecogResult r;
  ASSERT_EQ(recognise(Ink::of({{{40, 40}}}), r), 0);
  EXPECT_GE(r.count, 1);

  // No stroke with points: one candidate, code 0.
  Ink none;
  none.counts = {0, 0};
  none.x = {0};
  none.y = {0};
  ASSERT_EQ(recognise(none, r), 0);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(r.candidates[0].code, 0);
  EXPECT_EQ(r.candidates[0].distance, 0);
}

TEST_F(StrokaExports, ArgumentChecksInOrder) {
  ASSERT_EQ(Mel_Init(0), 0);
  Ink ink = Ink::of({line(10, 50, 90, 50)});
  RecogResult r;
  struct Case {
    const char* name;
    int strokes, boxW, boxH;
    bool input, x, y, result;
    int expected;
  };
  const Case cases[] = {
      {"no input", 1, 100, 100, false, true, true, true, kErrNoInput},
      {"no strokes", 0, 100, 100, true, true, true, true, kErrStrokeCount},
      {"49 strokes", 49, 100, 100, true, true, true, true, kErrStrokeCount},
      {"strokes before x", 0, 100, 100, true, false, true, true, kErrStrokeCount},
      {"no x", 1, 100, 100, true, false, true, true, kErrNoX},
      {"no y", 1, 100, 100, true, true, false, true, kErrNoY},
      {"no result", 1, 100, 100, true, true, true, false, kErrNoResult},
      {"zero width", 1, 0, 100, true, true, true, true, kErrBoxSize},
      {"zero height", 1, 100, 0, true, true, true, true, kErrBoxSize},
      {"48 strokes", 48, 100, 100, true, true, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StrokeInput in = recogtest::inputFor(ink, c.boxW, c.boxH);
    in.strokeCount = static_cast<std::uint8_t>(c.strokes);
    EXPECT_EQ(Mel_Recog(c.input ? &in : nullptr, c.x ? ink.x.data() : nullptr, c.y ? ink.y.data() : nullptr,
                        c.result ? &r : nullptr),
              c.expected);
  }
}

TEST_F(StrokaExports, MoreThanTwentyFiveStrokesUseTheFirstTwentyFive) {
  ASSERT_EQ(Mel_Init(0), 0);
  Ink ink;
  for (int s = 0; s < 30; ++s) ink.add(line(10, 2 + 3 * s, 90, 2 + 3 * s));
  StrokeInput in = recogtest::inputFor(ink);
  RecogResult r{};
  ASSERT_EQ(Mel_Recog(&in, ink.x.data(), ink.y.data(), &r), 0);
  EXPECT_EQ(in.strokeCount, 25);

  // The same result as the first 25 strokes alone.
  Ink first;
  for (int s = 0; s < 25; ++s) first.add(line(10, 2 + 3 * s, 90, 2 + 3 * s));
  RecogResult r25;
  ASSERT_EQ(recognise(first, r25), 0);
  ASSERT_EQ(r.count, r25.count);
  for (int i = 0; i < r.count; ++i) EXPECT_EQ(r.candidates[i].code, r25.candidates[i].code);
}

TEST_F(StrokaExports, LifecycleErrors) {
  Ink ink = Ink::of({line(10, 50, 90, 50)});
  RecogResult r;
  // Nothing loaded yet.
  EXPECT_EQ(recognise(ink, r), kErrDictionaryOpen);
  EXPECT_EQ(Mel_Close(), kErrDictionaryOpen);
  // An unknown type changes nothing, neither before nor after a load.
  EXPECT_EQ(Mel_Init(3), kErrUnknownType);
  EXPECT_EQ(recognise(ink, r), kErrDictionaryOpen);
  ASSERT_EQ(Mel_Init(0), 0);
  EXPECT_EQ(Mel_Init(-1), kErrUnknownType);
  EXPECT_EQ(recognise(ink, r), 0);
  // A missing dictionary: the loaded one is closed and nothing is left.
  EXPECT_EQ(Mel_Init(1), kErrDictionaryOpen);
  EXPECT_EQ(recognise(ink, r), kErrDictionaryOpen);
  ASSERT_EQ(Mel_Init(0), 0);
  EXPECT_EQ(Mel_Close(), 0);
  EXPECT_EQ(recognise(ink, r), kErrDictionaryOpen);
}

TEST_F(StrokaExports, SecondInitReplacesTheFirst) {
  std::string big5 = recogtest::dictionaryFile(
      "type 1\n"
      "template 一 10,50 90,50\n"
      "template 十 10,50 90,50 / 50,10 50,90\n");
  ASSERT_FALSE(big5.empty());
  ASSERT_TRUE(device_.write("\\chufan.dic", big5));
  ASSERT_EQ(Mel_Init(0), 0);
  ASSERT_EQ(Mel_Init(1), 0);
  EXPECT_EQ(plat::openFileCount(), 0);
  RecogResult r;
  ASSERT_EQ(recognise(Ink::of({line(10, 50, 90, 50)}), r), 0);
  ASSERT_GE(r.count, 1);
  EXPECT_EQ(r.candidates[0].code, 0xA440);  // Big5 unchanged
}

TEST_F(StrokaExports, SizePairsDecideBetweenLargeAndSmallForms) {
  // っ before つ in the file, with the same strokes: the pair alone orders them.
  std::string japanese = recogtest::dictionaryFile(
      "type 2\n"
      "template っ 10,40 50,30 90,40 60,80 40,85\n"
      "template つ 10,40 50,30 90,40 60,80 40,85\n"
      "template し 30,10 30,70 50,90 90,70\n"
      "pair つ っ\n");
  ASSERT_FALSE(japanese.empty());
  ASSERT_TRUE(device_.write("\\churi.dic", japanese));
  ASSERT_EQ(Mel_Init(2), 0);
  const std::uint16_t tsu = 0x82C2, smallTsu = 0x82C1;
  struct Case {
    const char* name;
    int scale;  // writing height is about 55 × scale / 10 in a 100-high box
    std::uint16_t first, second;
  };
  const Case cases[] = {{"large", 10, tsu, smallTsu}, {"small", 5, smallTsu, tsu}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    datagen::RecogStroke s = {{10, 40}, {50, 30}, {90, 40}, {60, 80}, {40, 85}};
    for (auto& p : s) p = {p.x * c.scale / 10, p.y * c.scale / 10};
    RecogResult r;
    ASSERT_EQ(recognise(Ink::of({s}), r), 0);
    ASSERT_GE(r.count, 2);
    EXPECT_EQ(r.candidates[0].code, c.first);
    EXPECT_EQ(r.candidates[1].code, c.second);
  }
}

TEST_F(StrokaExports, SharedLibraryExportsBindByName) {
  const char* bin = std::getenv("SUITE_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  std::string previous = plat::programFolder();
  plat::setProgramFolder(bin);
  plat::LibraryHandle lib = plat::loadLibrary("Stroka.dll");
  plat::setProgramFolder(previous);
  ASSERT_NE(lib, nullptr) << plat::libraryErrorText();
  auto init = plat::bindFunction<MelInitFn>(lib, "Mel_Init");
  auto rec = plat::bindFunction<MelRecogFn>(lib, "Mel_Recog");
  auto close = plat::bindFunction<MelCloseFn>(lib, "Mel_Close");
  ASSERT_TRUE(init && rec && close);
  EXPECT_EQ(plat::libraryFunction(lib, "_ZN5recog14loadDictionaryEiRNS_15RecogDictionaryE"), nullptr);
  EXPECT_EQ(close(), kErrDictionaryOpen);  // the library's own state, not this program's
  EXPECT_EQ(init(0), 0);
  Ink ink = Ink::of({line(10, 50, 90, 50), line(50, 10, 50, 90)});
  StrokeInput in = recogtest::inputFor(ink);
  RecogResult r{};
  EXPECT_EQ(rec(&in, ink.x.data(), ink.y.data(), &r), 0);
  EXPECT_GE(r.count, 1);
  EXPECT_EQ(r.candidates[0].code, 0x4214);
  EXPECT_EQ(close(), 0);
  plat::freeLibrary(lib);
}

}  // namespace
