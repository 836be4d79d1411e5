#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/synparse/phrase_analysis.h"

namespace synparse {
namespace {

std::vector<Morpheme> words(std::initializer_list<const char*> surfaces) {
  std::vector<Morpheme> m;
  for (const char* s : surfaces) {
    const std::string w = s;
    const bool stop = w == "。" || w == "．" || w == ".";
    m.push_back(Morpheme{0, w, w, stop ? 1 : 2, 1, 0, 0, ""});
  }
  return m;
}

// A point between two digits is a decimal point; one after a word ends the sentence.
TEST(SentenceCut, ADecimalPointIsNoSentenceEnd) {
  const struct {
    std::vector<Morpheme> m;
    std::size_t sentences;
  } cases[] = {
      {words({"税率", "は", "12", ".", "5", "%", "です", "。"}), 1},
      {words({"税率", "は", "１２", "．", "５", "です", "。"}), 1},
      {words({"本", "．", "５", "。"}), 2},
      {words({"12", ".", "本", "。"}), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(cutSentences(c.m).size(), c.sentences) << c.m[0].surface;
}

}  // namespace
}  // namespace synparse
