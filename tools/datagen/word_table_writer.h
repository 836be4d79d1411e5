// Writes the listed-words table (UTF-8 "key<TAB>value" lines) and fills a schema with synthetic
// words. The schema comes in as data: any records with key, count, minChars and maxChars.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct WordKeyShape {
  std::string key;
  int count;     // 0 = any number (the helper writes three)
  int minChars;
  int maxChars;  // 0 = any
};

template <class Specs>
std::vector<WordKeyShape> wordKeyShapes(const Specs& specs) {
  std::vector<WordKeyShape> shapes;
  for (const auto& s : specs) shapes.push_back({s.key, s.count, s.minChars, s.maxChars});
  return shapes;
}

// Words of each key, UTF-8.
using WordTable = std::map<std::string, std::vector<std::string>>;

// Words of the declared counts and lengths (minChars characters each), made of simplified hanzi.
// Every word has characters no other word uses as far as the hanzi go; after that words are
// combinations of used characters, still distinct while the length allows.
WordTable syntheticWordTable(const std::vector<WordKeyShape>& shapes);

// Inert placeholders of the declared counts and lengths: raw engine-code byte pairs written as
// "\xHH\xHH" that no conversion of real text produces (leads kInertLeadFirst..kInertLeadLast,
// trails 0x80-0xFC), so that no rule fires on them. Words of two or more characters are distinct;
// one-character words repeat once the pool runs out.
WordTable inertWordTable(const std::vector<WordKeyShape>& shapes);
inline constexpr int kInertLeadFirst = 0xED;
inline constexpr int kInertLeadLast = 0xF9;
inline constexpr int kInertTrailFirst = 0x80;
inline constexpr int kInertTrailLast = 0xFC;

// Table text: one word as itself, several as a bar list "|a|b|c|".
std::string wordTableText(const WordTable& table);

inline constexpr const char* kWordTableFile = "cjwords.txt";

}  // namespace datagen
