// KeyedWords::contains after index(): the quick refusals by first byte and size never turn away a
// word of the list, for short lists (scanned) and long ones (hashed) alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/common/keyed_word_table.h"

namespace {

bool scanned(const std::vector<std::string>& words, const std::string& w) {
  return std::find(words.begin(), words.end(), w) != words.end();
}

TEST(KeyedWords, ContainsAgreesWithAScanOfTheWords) {
  const std::string longA(63, 'a'), longB(70, 'a'), longC(64, 'b');
  const std::vector<std::vector<std::string>> lists = {
      {"\x87\x4a", "ab"},
      {"", "x"},
      {longA, longB},
      {"\x87\x4a", "\x87\x4b\x87\x4c", "a", "bc", "def", "\xff\x01", "\x80\x80", "gh", "ij", longB},
  };
  const std::vector<std::string> probes = {"",       "x",      "a",      "ab",     "bc",       "\x87\x4a", "\x87\x4b",
                                           "\x87\x4b\x87\x4c", "\xff\x01", "\xff\x02", "\x80\x80", "gh", "hg",
                                           longA,    longB,    longC,    std::string(71, 'a'), "def", "dee"};
  for (const auto& words : lists) {
    dbcs::KeyedWords k;
    k.words = words;
    const std::vector<bool> before = [&] {
      std::vector<bool> r;
      for (const auto& p : probes) r.push_back(k.contains(p));
      return r;
    }();
    k.index();
    for (std::size_t i = 0; i < probes.size(); ++i) {
      EXPECT_EQ(k.contains(probes[i]), scanned(words, probes[i])) << "probe " << i << " of a list of " << words.size();
      EXPECT_EQ(before[i], scanned(words, probes[i])) << "probe " << i << " before the index";
    }
  }
  // An empty list holds nothing, indexed or not.
  dbcs::KeyedWords none;
  none.index();
  for (const auto& p : probes) EXPECT_FALSE(none.contains(p));
}

}  // namespace
