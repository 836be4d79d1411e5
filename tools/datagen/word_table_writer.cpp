#include "tools/datagen/word_table_writer.h"

#include "platform/core/codepage.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace datagen {
namespace {

// Simplified hanzi of the GB2312 rows 0xB0-0xF3, as UTF-8, in code order.
const std::vector<std::string>& hanzi() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> out;
    for (int lead = 0xB0; lead <= 0xF3; ++lead) {
      for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        std::string gb{static_cast<char>(lead), static_cast<char>(trail)};
        std::u16string w = plat::multiByteToWide(936, gb);
        if (w.size() != 1 || w[0] < 0x4E00 || w[0] > 0x9FFF) continue;
        if (plat::wideToMultiByte(936, w) != gb) continue;
        out.push_back(plat::wideToUtf8(w));
      }
    }
    return out;
  }();
  return list;
}

}  // namespace

WordTable syntheticWordTable(const std::vector<WordKeyShape>& shapes) {
  const std::vector<std::string>& chars = hanzi();
  const std::size_t n = chars.size();
  std::size_t next = 0;  // next unused character
  // Once the characters run out, words are combinations of used ones, counted per length.
  std::map<int, std::size_t> combination;
  std::set<std::string> made;
  std::map<int, std::size_t> madeOfLength;  // distinct words made, by length in characters
  WordTable table;
  for (const WordKeyShape& s : shapes) {
    int count = s.count > 0 ? s.count : s.count < 0 ? std::min(3, -s.count) : 3;
    int length = s.minChars > 0 ? s.minChars : 1;
    std::size_t combinations = 1;
    bool everyCombination = true;
    for (int c = 0; c < length; ++c) {
      if (combinations > made.size() + 1) {
        everyCombination = false;
        break;
      }
      combinations *= n;
    }
    std::vector<std::string> words;
    for (int w = 0; w < count; ++w) {
      std::string word;
      if (next + static_cast<std::size_t>(length) <= n) {
        for (int c = 0; c < length; ++c) word += chars[next++];
      } else if (everyCombination && madeOfLength[length] >= combinations) {
        // Every word of this length is made: the search would go round once and end on the
        // combination before the one it started at.
        std::size_t v = (combination[length] + combinations - 1) % combinations;
        combination[length] += combinations;
        for (int c = 0; c < length; ++c) {
          word += chars[v % n];
          v /= n;
        }
      } else {
        // Skip words already made, as long as unmade ones of this length are left.
        for (std::size_t tries = 0; tries < combinations; ++tries) {
          word.clear();
          std::size_t v = combination[length]++ % combinations;
          for (int c = 0; c < length; ++c) {
            word += chars[v % n];
            v /= n;
          }
          if (!made.count(word)) break;
        }
      }
      if (made.insert(word).second) ++madeOfLength[length];
      words.push_back(word);
    }
    table[s.key] = words;
  }
  return table;
}

WordTable inertWordTable(const std::vector<WordKeyShape>& shapes) {
  std::vector<std::string> pool;
  for (int lead = kInertLeadFirst; lead <= kInertLeadLast; ++lead) {
    for (int trail = kInertTrailFirst; trail <= kInertTrailLast; ++trail) {
      char text[16];
      std::snprintf(text, sizeof text, "\\x%02X\\x%02X", lead, trail);
      pool.push_back(text);
    }
  }
  std::map<int, std::size_t> next;  // next word number per length
  WordTable table;
  for (const WordKeyShape& s : shapes) {
    const int count = s.count > 0 ? s.count : s.count < 0 ? std::min(3, -s.count) : 3;
    const int length = s.minChars > 0 ? s.minChars : 1;
    std::vector<std::string> words;
    for (int w = 0; w < count; ++w) {
      std::size_t v = next[length]++;
      std::string word;
      for (int c = 0; c < length; ++c) {
        word += pool[v % pool.size()];
        v /= pool.size();
      }
      words.push_back(word);
    }
    table[s.key] = words;
  }
  return table;
}

std::string wordTableText(const WordTable& table) {
  std::string text;
  for (const auto& [key, words] : table) {
    text += key + "\t";
    if (words.size() == 1) {
      text += words[0];
    } else {
      text += "|";
      for (const std::string& w : words) text += w + "|";
    }
    text += "\n";
  }
  return text;
}

}  // namespace datagen
