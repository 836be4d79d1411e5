// A started engine over a generated data folder: chosen dictionary words and entries, chosen
// words for the lists of the splitter, the segmenter and the lookup, and verb frames.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/cj_dic_entry_writer.h"
#include "tools/datagen/cj_segment_trie_writer.h"
#include "tools/datagen/cj_verbcont_writer.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/word_table_writer.h"

namespace cjtest {

// Rare hanzi (GB2312 rows 0xEF-0xF3, UTF-8) for list words that no test text uses.
inline const std::vector<std::string>& rareHanzi() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> out;
    for (int lead = 0xF3; lead >= 0xEF; --lead) {
      for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        std::string gb{static_cast<char>(lead), static_cast<char>(trail)};
        std::u16string w = plat::multiByteToWide(936, gb);
        if (w.size() != 1 || w[0] < 0x4E00 || w[0] > 0x9FFF) continue;
        out.push_back(plat::wideToUtf8(w));
      }
    }
    return out;
  }();
  return list;
}

// The word lists of text checks, segmenter and lookup: real marks where the tests rely on them,
// rare hanzi elsewhere.
inline std::map<std::string, std::vector<std::string>> baseListWords() {
  std::map<std::string, std::vector<std::string>> words = {
      {"textChecks.endMarks", {"。", "，", "！", "？", "；", "：", "．", "…", "～", "—"}},
      {"textChecks.wideFullStop", {"。"}},
      {"textChecks.wideComma", {"，"}},
      {"textChecks.wideColon", {"："}},
      {"textChecks.numerals", {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９", "零", "两"}},
      {"textChecks.openBracket", {"（"}},
      {"textChecks.closeBracket", {"）"}},
      {"textChecks.openBracket2", {"【"}},
      {"textChecks.closeBracket2", {"】"}},
      {"textChecks.enumerationSeparator", {"、"}},
      {"textChecks.wideDigits", {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"}},
      {"textChecks.leadingWord", {"虽然", "因为"}},
      {"textChecks.commaWord", {"但是", "所以"}},
      {"dicLookup.firstEntryWord", {"的"}},
  };
  return words;
}

// Synthetic words for every registered key; rare hanzi, which no test sentence holds, for the keys
// of the segmenter, the text checks and the dictionary lookup, so that their lists never match
// by chance; then the base words, then the overrides.
inline std::string controlledWordTable(const std::map<std::string, std::vector<std::string>>& overrides = {}) {
  std::vector<datagen::WordKeyShape> shapes = datagen::wordKeyShapes(cj::registeredWordKeys());
  datagen::WordTable table = datagen::syntheticWordTable(shapes);
  const std::vector<std::string>& rare = rareHanzi();
  std::size_t next = 0;
  for (const datagen::WordKeyShape& s : shapes) {
    if (s.key.rfind("segmenter.", 0) != 0 && s.key.rfind("textChecks.", 0) != 0 && s.key.rfind("dicLookup.", 0) != 0) {
      continue;
    }
    std::vector<std::string> words;
    for (int w = 0; w < s.count; ++w) {
      std::string word;
      for (int c = 0; c < s.minChars; ++c) word += rare[next++ % rare.size()];
      words.push_back(word);
    }
    table[s.key] = words;
  }
  for (const auto& [key, words] : baseListWords()) table[key] = words;
  for (const auto& [key, words] : overrides) table[key] = words;
  return datagen::wordTableText(table);
}

// A dictionary word (UTF-8) and its entry from the second byte on ("NV\U[N]a[H]").
struct DicWord {
  std::string word;
  std::string entry;
};

struct EngineSetup {
  std::vector<DicWord> words;            // the first entry lies at offset 0
  std::vector<DicWord> pinyinWords;      // empty: the same as words
  std::map<std::string, std::vector<std::string>> lists;
  std::vector<datagen::CjVerbFrame> frames;  // UTF-8 verbs, conditions; empty: no VerbCont.dat
  bool writeVerbCont = true;
};

class EngineFixture : public ::testing::Test {
 protected:
  // Writes the folder and starts the engine; false when the start fails.
  bool start(const EngineSetup& setup, datagen::CjDataFiles* extra = nullptr) {
    datagen::CjDataFiles files = datagen::minimalCjDataFiles(controlledWordTable(setup.lists));
    addDictionary(files, setup.words, false);
    addDictionary(files, setup.pinyinWords.empty() ? setup.words : setup.pinyinWords, true);
    std::vector<datagen::CjVerbFrame> frames = setup.frames;
    for (datagen::CjVerbFrame& f : frames) {
      f.verb = engineText(f.verb);
      f.condition = engineText(f.condition);
    }
    std::vector<datagen::CjVerbIndexEntry> index;
    files["VerbCont.dat"] = datagen::cjVerbContFile(frames, &index);
    if (!setup.writeVerbCont) files.erase("VerbCont.dat");
    if (!index.empty()) files["VerbCont.idx"] = datagen::cjVerbIndexFile(index);
    if (extra) {
      for (const auto& [name, bytes] : *extra) files[name] = bytes;
    }
    folder_ = useFolder(device_);
    if (!datagen::writeCjDataFiles(folder_, files)) return false;
    return cj::initCjEngine(cjtest::engine()) == 0;
  }

  // Offset of a word's entry in the main dictionary (after start).
  uint32_t offsetOf(const std::string& utf8) const {
    auto it = offsets_.find(engineText(utf8));
    return it == offsets_.end() ? 0 : it->second;
  }

  void TearDown() override { cj::closeCjEngine(cjtest::engine()); }

  datagen::TempDevice device_;
  std::string folder_;

 private:
  void addDictionary(datagen::CjDataFiles& files, const std::vector<DicWord>& words, bool pinyin) {
    std::vector<std::string> entries;
    for (const DicWord& w : words) entries.push_back(engineText(w.entry));
    std::vector<uint32_t> offsets;
    std::string dic = datagen::cjDicEntryFile(entries, &offsets);
    std::vector<datagen::CjTrieWord> trieWords;
    for (std::size_t i = 0; i < words.size(); ++i) {
      trieWords.push_back({engineText(words[i].word), offsets[i]});
      if (!pinyin) offsets_[engineText(words[i].word)] = offsets[i];
    }
    // A dictionary without words is one empty line, as the card writes it.
    if (!dic.empty()) files[pinyin ? "cwcdicp.dic" : "cwcdic.dic"] = dic;
    datagen::addCjSegmentationFiles(files, trieWords, pinyin);
  }

  std::map<std::string, uint32_t> offsets_;
};

}  // namespace cjtest
