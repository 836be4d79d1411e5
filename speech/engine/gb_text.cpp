#include "speech/engine/gb_text.h"

#include <algorithm>

namespace speech {

Text gb(const char* bytes) {
  Text out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes); *p; ++p) {
    if (*p > 0x80 && p[1]) {
      out.push_back(gbUnit(p[0], p[1]));
      ++p;
    } else {
      out.push_back(*p);
    }
  }
  return out;
}

bool CharSet::has(Unit u) const { return std::find(units.begin(), units.end(), u) != units.end(); }

CharSet charSet(const char* bytes) { return CharSet{gb(bytes)}; }

bool matchesAt(const Unit* text, int length, int pos, const Text& word) {
  if (pos < 0 || word.empty() || pos + static_cast<int>(word.size()) > length) return false;
  return std::equal(word.begin(), word.end(), text + pos);
}

bool endsBefore(const Unit* text, int length, int pos, const Text& word) {
  return pos <= length && matchesAt(text, length, pos - static_cast<int>(word.size()), word);
}

int WordList::matchAt(const Unit* text, int length, int pos) const {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (matchesAt(text, length, pos, words[i])) return static_cast<int>(i);
  }
  return -1;
}

int WordList::endsAt(const Unit* text, int length, int pos) const {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (endsBefore(text, length, pos, words[i])) return static_cast<int>(i);
  }
  return -1;
}

WordList wordList(std::initializer_list<const char*> words) {
  WordList list;
  for (const char* w : words) list.words.push_back(gb(w));
  return list;
}

WordList pairList(const char* bytes) {
  Text all = gb(bytes);
  WordList list;
  for (std::size_t i = 0; i + 1 < all.size(); i += 2) list.words.push_back({all[i], all[i + 1]});
  return list;
}

}  // namespace speech
