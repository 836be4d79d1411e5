// The parser's word lists: auxiliaries that mark voice and negation. Its data file "Jcfrdic" may
// add to them: Shift-JIS lines "<list><TAB><base form>", lists "passive", "causative", "negative";
// lines starting with '#' are comments.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace synparse {

struct WordLists {
  std::vector<std::string> passive;
  std::vector<std::string> causative;
  std::vector<std::string> negative;
};

WordLists defaultWordLists();
// Adds the lines of a Jcfrdic text; false (lists unchanged) on a line naming no list.
bool addWordLists(std::string_view text, WordLists& lists);
bool inList(const std::vector<std::string>& list, std::string_view word);

}  // namespace synparse
