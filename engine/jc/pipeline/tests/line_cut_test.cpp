// Where a line too long for the analyser is cut in two.
#include <gtest/gtest.h>

#include <string>

#include "engine/common/dbcs_text.h"
#include "engine/jc/pipeline/jc_engine.h"

namespace jc {
namespace {

TEST(LineCut, NearestTheMiddleByMarkThenPhraseThenCharacter) {
  const struct {
    const char* line;
    const char* first;  // the piece before the cut
  } cases[] = {
      // Only a final mark: it is no place to cut, so the cut falls where a phrase starts.
      {"本を読んで寝た。", "本を読んで"},
      {"本を読んで寝た？", "本を読んで"},
      {"本を読んで寝た、", "本を読んで"},
      // A sentence end beats a clause mark nearer the middle; a clause mark beats a phrase start.
      {"本。本を読んで、寝た", "本。"},
      {"本を、読んで寝た", "本を、"},
      {"本を読むと寝た．あ", "本を読むと寝た．"},
      // Of two sentence ends, the one nearer the middle.
      {"あ。あいうえおか。あいう", "あ。あいうえおか。"},
      // No mark and no phrase start: the character at or before the middle, whole.
      {"あいうえお", "あい"},
      {"abcdef", "abc"},
      {"あa", "あ"},
      {"aあ", "a"},
  };
  for (const auto& c : cases) {
    const std::string line = c.line;
    EXPECT_EQ(line.substr(0, lineCut(line)), c.first) << c.line;
  }
}

// Every line of two characters or more is cut strictly inside, at a character boundary, so the
// halves are each shorter than the line.
TEST(LineCut, NeverAtAnEndNorInsideACharacter) {
  for (const std::string unit : {"本を読んで", "寝た。", "、", "。", "あ", "ab", "カ"}) {
    std::string line = unit;
    for (int k = 2; k <= 40; ++k) {
      line += unit;
      const std::size_t cut = lineCut(line);
      EXPECT_GT(cut, 0u) << line;
      EXPECT_LT(cut, line.size()) << line;
      std::size_t at = 0;
      while (at < cut) at += dbcs::charSize(line, at);
      EXPECT_EQ(at, cut) << line;
    }
  }
}

}  // namespace
}  // namespace jc
