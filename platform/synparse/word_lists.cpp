#include "platform/synparse/word_lists.h"

#include <algorithm>

namespace synparse {

WordLists defaultWordLists() {
  WordLists w;
  w.passive = {"れる", "られる"};
  w.causative = {"せる", "させる", "しめる"};
  w.negative = {"ない", "ぬ"};
  return w;
}

bool addWordLists(std::string_view text, WordLists& lists) {
  WordLists added = lists;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab + 1 >= line.size()) return false;
    std::string_view name = line.substr(0, tab);
    std::string word(line.substr(tab + 1));
    std::vector<std::string>* list = name == "passive"     ? &added.passive
                                     : name == "causative" ? &added.causative
                                     : name == "negative"  ? &added.negative
                                                           : nullptr;
    if (!list) return false;
    if (!inList(*list, word)) list->push_back(word);
  }
  lists = std::move(added);
  return true;
}

bool inList(const std::vector<std::string>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace synparse
