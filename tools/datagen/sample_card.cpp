#include "tools/datagen/sample_card.h"

#include "engine/common/compiled_word_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "engine/cj/analysis/engine_data.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/input_method.h"
#include "platform/core/little_endian.h"
#include "platform/core/registry.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/cj_dic_entry_writer.h"
#include "tools/datagen/cj_grammar_writer.h"
#include "tools/datagen/cj_pinyin_entry_writer.h"
#include "tools/datagen/cj_segment_trie_writer.h"
#include "tools/datagen/cj_verbcont_writer.h"
#include "tools/datagen/full_card_sources.h"
#include "tools/datagen/hanzi_reading_writer.h"
#include "tools/datagen/hanzi_unihan.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/pinyin_spelling.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "tools/datagen/viewer_dictionary_writer.h"

namespace datagen {

namespace {

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

std::string trim(std::string_view s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r");
  return std::string(s.substr(b, e - b + 1));
}

// Content lines with their numbers: CR removed, comments and blank lines left out.
std::vector<std::pair<int, std::string>> contentLines(std::string_view text) {
  std::vector<std::pair<int, std::string>> lines;
  int number = 0;
  for (std::string line : splitOn(text, '\n')) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (trim(line).empty() || line[0] == '#') continue;
    lines.emplace_back(number, line);
  }
  return lines;
}

std::string shiftJis(std::string_view utf8) { return plat::wideToMultiByte(932, plat::utf8ToWide(utf8)); }


std::string field(const std::vector<std::string>& f, std::size_t i) {
  if (i >= f.size() || f[i] == "-") return {};
  return f[i];
}

std::string lineError(const char* file, int number, const std::string& why) {
  return std::string(file) + ":" + std::to_string(number) + ": " + why;
}

// Words of a table value: "|a|b|" or one word.
std::vector<std::string> tableWords(const std::string& value) {
  if (value.size() >= 2 && value.front() == '|' && value.back() == '|') {
    std::vector<std::string> words = splitOn(std::string_view(value).substr(1, value.size() - 2), '|');
    return words;
  }
  return {value};
}

bool fitsShape(const WordKeyShape& shape, const std::vector<std::string>& words) {
  const int n = static_cast<int>(words.size());
  if (words.empty() || (shape.count > 0 && n != shape.count) || (shape.count < 0 && n > -shape.count)) return false;
  for (const std::string& w : words) {
    if (w.empty()) return false;
    if (w.find("\\x") != std::string::npos) continue;  // raw bytes: the loader judges them
    std::string engine;
    if (!chineseToEngineColumn(w, engine)) return false;
    int chars = static_cast<int>(plat::utf8ToWide(w).size());
    if (chars < shape.minChars || (shape.maxChars > 0 && chars > shape.maxChars)) return false;
  }
  return true;
}

bool parseVerbFrames(std::string_view text, std::vector<CjVerbFrame>& frames, std::string* error) {
  for (const auto& [number, line] : contentLines(text)) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 5) return fail(error, lineError("frames.txt", number, "needs verb, condition, frame, japanese, code"));
    CjVerbFrame frame;
    if (!chineseToEngineColumn(f[0], frame.verb) || !chineseToEngineColumn(field(f, 1), frame.condition)) {
      return fail(error, lineError("frames.txt", number, "a character has no engine code"));
    }
    frame.frame = toEngineCode(plat::utf8ToWide(field(f, 2)));
    frame.japanese = shiftJis(field(f, 3));
    frame.code = field(f, 4);
    std::string c5 = field(f, 5), c6 = field(f, 6);
    frame.frameChar = c5.empty() ? 0 : c5[0];
    frame.secondField = c6.empty() ? 0 : c6[0];
    frames.push_back(frame);
  }
  return true;
}

bool writeFile(const std::string& devicePath, std::string_view bytes, std::string* error) {
  std::size_t slash = devicePath.find_last_of('\\');
  if (slash != std::string::npos) plat::makeFolders(devicePath.substr(0, slash));
  if (!plat::writeWholeFile(devicePath, bytes)) return fail(error, "cannot write " + devicePath);
  return true;
}

std::string cardRoot(std::string_view card) { return std::string(card) + "\\Talvenro\\Chinese\\"; }

// Appends a pinyin entry for every GB2312 hanzi that is not among the words: its first reading.
bool addHanziReadings(const std::map<char32_t, std::string>& characterReadings, const std::set<std::string>& words,
                      std::vector<std::pair<std::string, std::string>>& entries, std::string* error) {
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string gb{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string wide = plat::multiByteToWide(936, gb);
      if (wide.size() != 1 || wide[0] < 0x3400 || wide[0] == 0xFFFD) continue;
      std::string engine;
      if (!chineseToEngineColumn(plat::wideToUtf8(wide), engine) || words.count(engine)) continue;
      auto it = characterReadings.find(wide[0]);
      if (it == characterReadings.end()) continue;
      const auto reading = dictionaryReading(it->second.substr(0, it->second.find(' ')));
      if (!reading) return fail(error, "the generated reading of " + plat::wideToUtf8(wide) + " is no pinyin");
      entries.emplace_back(engine, *reading);
    }
  }
  return true;
}

}  // namespace

std::string jcfrdicText(const std::string& utf8) {
  std::istringstream in(utf8);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
    if (f.size() >= 4 && f[0] == "frame") {
      for (std::size_t i = 0; i < f.size(); ++i) {
        if (i) out += '\t';
        out += i == 2 || i == 3 ? toEngineCode(plat::utf8ToWide(f[i])) : shiftJis(f[i]);
      }
    } else {
      out += shiftJis(line);
    }
    out += '\n';
  }
  return out;
}

bool parseCjGrammarSource(std::string_view text, CjGrammar& grammar, std::string* error) {
  CjGrammarGroup* group = nullptr;
  bool pendingRule = false;
  for (const auto& [number, raw] : contentLines(text)) {
    std::string line = trim(raw);
    if (line.rfind("%<", 0) == 0) {
      std::size_t close = line.find('>');
      if (close == std::string::npos) return fail(error, lineError("grammar.txt", number, "unclosed group header"));
      grammar.groups.push_back({line.substr(2, close - 2), {}, {}});
      group = &grammar.groups.back();
      pendingRule = false;
      continue;
    }
    if (!group) return fail(error, lineError("grammar.txt", number, "line before the first group"));
    if (line[0] == '(') {
      std::size_t comma = line.find(',');
      std::size_t close = line.rfind(')');
      if (comma == std::string::npos || close == std::string::npos || close < comma) {
        return fail(error, lineError("grammar.txt", number, "goto line is not (state,symbol) target"));
      }
      // Conditions compare node texts: Chinese in engine code.
      std::string symbol = toEngineCode(plat::utf8ToWide(line.substr(comma + 1, close - comma - 1)));
      group->gotos.push_back({line.substr(1, comma - 1), symbol, trim(line.substr(close + 1))});
    } else if (line.rfind("->", 0) == 0) {
      if (!pendingRule) return fail(error, lineError("grammar.txt", number, "action without a rule"));
      group->rules.back().action = shiftJis(line);  // actions write Japanese
      pendingRule = false;
    } else {
      if (pendingRule) return fail(error, lineError("grammar.txt", number, "rule without an action"));
      group->rules.push_back({line, ""});
      pendingRule = true;
    }
  }
  if (pendingRule) return fail(error, "grammar.txt: last rule has no action");
  for (const CjGrammarGroup& g : grammar.groups) {
    const auto& names = cjGrammarGroupNames();
    if (std::find(names.begin(), names.end(), g.name) == names.end()) return fail(error, "grammar.txt: unknown group " + g.name);
    // Every shift goes to a state of the group and every reduction names one of its rules: a
    // goto line filed under the wrong group would otherwise stop the parser at run time.
    std::set<std::string> states;
    for (const CjGrammarGoto& e : g.gotos) states.insert(e.state);
    for (const CjGrammarGoto& e : g.gotos) {
      if (e.target.empty()) return fail(error, "grammar.txt: " + g.name + ": goto without a target");
      if (e.target[0] == 'F') continue;
      if (e.target[0] == 'R') {
        int rule = std::atoi(e.target.c_str() + 1);
        if (rule < 0 || rule >= static_cast<int>(g.rules.size())) {
          return fail(error, "grammar.txt: " + g.name + ": " + e.target + " names no rule of the group");
        }
      } else if (!states.count(e.target)) {
        return fail(error, "grammar.txt: " + g.name + ": state " + e.target + " has no goto lines");
      }
    }
  }
  return true;
}

bool parseCjSampleWords(std::string_view text, std::vector<CjSampleWord>& out, std::string* error) {
  std::set<std::string> seen;
  for (const auto& [number, line] : contentLines(text)) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 2) return fail(error, lineError("words.txt", number, "needs word and entry"));
    CjSampleWord w;
    if (!chineseToEngineColumn(f[0], w.word) || w.word.empty()) {
      return fail(error, lineError("words.txt", number, "word has no engine code"));
    }
    if (!seen.insert(w.word).second) return fail(error, lineError("words.txt", number, "word listed twice"));
    w.entry = toEngineCode(plat::utf8ToWide(f[1]));
    if (w.entry.find('\\') == std::string::npos) return fail(error, lineError("words.txt", number, "entry has no '\\'"));
    // Readings are stored in the dictionary's form, whatever the spelling of the source.
    if (std::string spelling = field(f, 2); !spelling.empty()) {
      const auto reading = dictionaryReading(spelling);
      if (!reading) return fail(error, lineError("words.txt", number, "reading " + spelling + " is no pinyin"));
      w.reading = *reading;
    }
    for (const std::string& t : splitOn(field(f, 3), '|')) {
      std::string item = trim(t);
      if (item.empty()) continue;
      std::vector<std::string> parts = splitOn(item, ',');
      if (parts.size() < 3 || parts[0].size() != 1) {
        return fail(error, lineError("words.txt", number, "translation is not kind,japanese,code"));
      }
      CjDicLine dl;
      dl.kind = parts[0][0];
      dl.text = shiftJis(parts[1]);
      dl.code = shiftJis(parts[2]);  // a counter in the code is Japanese too
      if (parts.size() > 3 && !parts[3].empty()) dl.frame = parts[3][0];
      if (parts.size() > 4 && !parts[4].empty()) dl.frame2 = parts[4][0];
      w.translations.push_back(dl);
    }
    out.push_back(std::move(w));
  }
  return true;
}

WordTable completeWordTable(const std::vector<WordKeyShape>& shapes, std::string_view sourceUtf8,
                            std::vector<std::string>* dropped, std::string* error, bool inert) {
  WordTable table = inert ? inertWordTable(shapes) : syntheticWordTable(shapes);
  std::map<std::string, const WordKeyShape*> byKey;
  for (const WordKeyShape& s : shapes) byKey[s.key] = &s;
  // Synthetic words must not collide with the source's real words.
  std::set<std::string> real;
  std::vector<std::pair<std::string, std::vector<std::string>>> source;
  for (const auto& [number, line] : contentLines(sourceUtf8)) {
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      if (error) *error = lineError("word table", number, "no TAB");
      continue;
    }
    std::string key = trim(line.substr(0, tab));
    std::vector<std::string> words = tableWords(trim(line.substr(tab + 1)));
    auto it = byKey.find(key);
    if (it == byKey.end() || !fitsShape(*it->second, words)) {
      if (dropped) dropped->push_back(key);
      continue;
    }
    source.emplace_back(key, words);
    for (const std::string& w : words) real.insert(w);
  }
  for (const auto& [key, words] : source) table[key] = words;
  if (inert) return table;  // placeholders never meet real words
  // A synthetic word that is also one of the real words would give two roles one word: it is
  // replaced by a fresh word of its length.
  std::set<std::string> used;
  for (const auto& [key, words] : table) used.insert(words.begin(), words.end());
  std::set<std::string> sourceKeys;
  for (const auto& [key, words] : source) sourceKeys.insert(key);
  std::map<int, std::vector<std::string>> pools;
  std::map<int, std::size_t> next;
  for (auto& [key, words] : table) {
    if (sourceKeys.count(key)) continue;
    for (std::string& w : words) {
      if (!real.count(w)) continue;
      int length = static_cast<int>(plat::utf8ToWide(w).size());
      std::vector<std::string>& pool = pools[length];
      if (pool.empty()) pool = syntheticWordTable({{"pool", 6000 / length, length, length}})["pool"];
      for (std::size_t& i = next[length]; i < pool.size(); ++i) {
        if (!used.count(pool[i]) && !real.count(pool[i])) {
          w = pool[i++];
          used.insert(w);
          break;
        }
      }
    }
  }
  return table;
}

bool cjSampleFiles(const std::string& src, const std::vector<WordKeyShape>& wordKeys, CjDataFiles& files,
                   std::vector<std::string>* dropped, std::string* error) {
  std::string wordsText, framesText, grammarText, hanziText, tableText;
  if (!tools::readFile(src + "/words.txt", wordsText)) return fail(error, src + "/words.txt: cannot read");
  if (!tools::readFile(src + "/frames.txt", framesText)) return fail(error, src + "/frames.txt: cannot read");
  if (!tools::readFile(src + "/grammar.txt", grammarText)) return fail(error, src + "/grammar.txt: cannot read");
  const std::map<char32_t, std::string>& characterReadings = generatedCharacterReadings();
  if (characterReadings.empty()) return fail(error, "the generated readings of the characters are missing");
  tools::readFile(src + "/hanzi.txt", hanziText);
  tools::readFile(src + "/cjwords.txt", tableText);

  // The listed words come first: the first dictionary entry must be the listed first-entry word.
  std::string tableError;
  WordTable table = completeWordTable(wordKeys, tableText, dropped, &tableError, true);
  if (!tableError.empty()) return fail(error, tableError);
  files[kWordTableFile] = wordTableText(table);
  std::string firstWord;
  if (auto it = table.find("dicLookup.firstEntryWord"); it != table.end() && !it->second.empty()) {
    chineseToEngineColumn(it->second.front(), firstWord);
  }

  std::vector<CjSampleWord> words;
  if (!parseCjSampleWords(wordsText, words, error)) return false;
  if (!firstWord.empty()) {
    auto it = std::find_if(words.begin(), words.end(), [&](const CjSampleWord& w) { return w.word == firstWord; });
    if (it == words.end()) return fail(error, "words.txt: the listed first-entry word has no entry");
    std::rotate(words.begin(), it, it + 1);
  }

  // Translations, then the word dictionary with each word's reference.
  std::vector<CjDicEntry> translated;
  for (const CjSampleWord& w : words) {
    if (!w.translations.empty()) translated.push_back({w.word, w.translations});
  }
  std::map<std::string, std::int32_t> refs;
  if (!cwcjdicFile(translated, files["cwcjdic.dic"], refs, error)) return false;
  std::vector<std::string> entries;
  for (const CjSampleWord& w : words) {
    std::string entry = w.entry;
    if (auto it = refs.find(w.word); it != refs.end()) entry += "Z[" + std::to_string(it->second - 1) + "]";  // Z holds the offset
    entries.push_back(entry);
  }
  std::vector<uint32_t> offsets;
  files["cwcdic.dic"] = cjDicEntryFile(entries, &offsets);
  std::vector<CjTrieWord> trieWords;
  for (std::size_t i = 0; i < words.size(); ++i) trieWords.push_back({words[i].word, offsets[i]});
  addCjSegmentationFiles(files, trieWords, false);

  // The pinyin path: the readings of the words that have one, and every GB2312 hanzi that is no
  // such word by itself with its most frequent reading.
  std::vector<std::pair<std::string, std::string>> pinyinEntries;
  std::set<std::string> readWords;
  for (const CjSampleWord& w : words) {
    if (w.reading.empty()) continue;
    pinyinEntries.emplace_back(w.word, w.reading);
    readWords.insert(w.word);
  }
  if (!addHanziReadings(characterReadings, readWords, pinyinEntries, error)) return false;
  // The listed first-entry word is read at offset 0 even when the tries lack it: its line, or an
  // empty one, comes first.
  auto first = std::find_if(pinyinEntries.begin(), pinyinEntries.end(),
                            [&](const auto& e) { return e.first == firstWord; });
  if (first != pinyinEntries.end()) std::rotate(pinyinEntries.begin(), first, first + 1);
  else if (!firstWord.empty()) pinyinEntries.insert(pinyinEntries.begin(), {std::string(), std::string()});
  std::vector<std::string> readings;
  for (const auto& e : pinyinEntries) readings.push_back(e.second);
  std::vector<uint32_t> readingOffsets;
  files["cwcdicp.dic"] = cjPinyinEntryFile(readings, &readingOffsets);
  std::vector<CjTrieWord> pinyinWords;
  for (std::size_t i = 0; i < pinyinEntries.size(); ++i) {
    if (!pinyinEntries[i].first.empty()) pinyinWords.push_back({pinyinEntries[i].first, readingOffsets[i]});
  }
  addCjSegmentationFiles(files, pinyinWords, true);

  std::vector<CjVerbFrame> frames;
  if (!parseVerbFrames(framesText, frames, error)) return false;
  std::vector<CjVerbIndexEntry> index;
  files["VerbCont.dat"] = cjVerbContFile(frames, &index);
  files["VerbCont.idx"] = cjVerbIndexFile(index);

  CjGrammar grammar;
  if (!parseCjGrammarSource(grammarText, grammar, error)) return false;
  // Each verb with the frame of its first verb translation, for the grammar's frame lines.
  std::vector<CjFramedVerb> framed;
  for (const CjSampleWord& w : words) {
    auto verb = std::find_if(w.translations.begin(), w.translations.end(), [](const CjDicLine& l) { return l.kind == 'V'; });
    if (verb != w.translations.end() && verb->frame != 0) framed.push_back({w.word, verb->frame});
  }
  if (!expandCjFrameLines(grammar, framed, error)) return false;
  CjGrammar complete = completeCjGrammar(grammar);
  if (!checkCjGrammarRoom(complete, error)) return false;
  if (!scrambleCjGrammarText(cjRuleFileText(complete), files["transfer.ruc"], error) ||
      !scrambleCjGrammarText(cjGotoFileText(complete), files["transfer.dac"], error)) {
    return false;
  }

  if (!readingTableFromRows(katakanaTable(), files["pinyindic\\PinKaChu.tbl"], error)) return false;

  // Every ideograph's readings; the sample's own lines come over them.
  std::map<char32_t, std::string> hanziReadings = characterReadings;
  for (const auto& [number, line] : contentLines(hanziText)) {
    std::vector<std::string> f = splitOn(line, '\t');
    std::u16string ch = plat::utf8ToWide(trim(f[0]));
    if (f.size() < 2 || ch.empty()) return fail(error, lineError("hanzi.txt", number, "needs character and reading"));
    char32_t cp = ch[0];
    if (ch.size() == 2) cp = 0x10000 + ((ch[0] - 0xD800) << 10) + (ch[1] - 0xDC00);
    const auto reading = characterReading(splitOn(trim(f[1]), ' '));
    if (!reading) return fail(error, lineError("hanzi.txt", number, "reading is no pinyin"));
    hanziReadings[cp] = *reading;
  }
  files["pinyindic\\hanzi.dat"] = hanziReadingFile({hanziReadings.begin(), hanziReadings.end()});

  // lst.dat: only its presence matters to the engine; it lists the dictionary's words, as many
  // whole lines as the engine's list buffer holds (the engine refuses a longer file).
  std::string list;
  for (const CjSampleWord& w : words) {
    if (list.size() + w.word.size() + 2 > static_cast<std::size_t>(cj::kListBufferSize)) break;
    list += w.word + "\r\n";
  }
  if (!cjListFile(list, files["lst.dat"])) return fail(error, "lst.dat: a byte cannot be stored");
  files["cjtrans.dat"] = "cj\r\n";
  return true;
}

std::string jcDataFolder(std::string_view card) { return cardRoot(card) + "LindqvarDic\\JCSystemdic\\"; }
std::string speechDataFolder(std::string_view card) { return cardRoot(card) + "ChTTSData\\"; }
std::string viewerDataFolder(std::string_view card) { return cardRoot(card) + "HarbrookDic\\"; }

// The compiled form of files[textName] beside it, when the engine loads the text.
static void compileWordTable(const WordTableCompiler& compiler, const std::string& textName, CjDataFiles& files) {
  auto text = files.find(textName);
  std::uint64_t fingerprint = 0;
  CompiledWordEntries entries;
  if (!compiler || text == files.end() || !compiler(text->second, fingerprint, entries)) return;
  std::string bin = writeCompiledWordTable(text->second, fingerprint, entries);
  if (!bin.empty()) files[dbcs::compiledWordTableName(textName)] = std::move(bin);
}

bool writeSampleCard(const std::string& sample, std::string_view card, const SampleCardInputs& in,
                     std::vector<std::string>* notes, std::string* error) {
  std::vector<std::string> dropped;
  CjDataFiles cj;
  if (!cjSampleFiles(sample + "/cj", in.cjWordKeys, cj, &dropped, error)) return false;
  for (const std::string& key : dropped) {
    if (notes) notes->push_back("cj/cjwords.txt: " + key + " left out (not registered or wrong shape)");
  }
  compileWordTable(in.cjWordCompiler, kWordTableFile, cj);
  if (!writeCjDataFiles(cjDataFolder(card), cj)) return fail(error, "cannot write the Chinese-to-Japanese folder");

  // Japanese-to-Chinese: the dictionary pair, the renderings, the parser's lists, the check file.
  std::string jc = jcDataFolder(card), text;
  if (!tools::readFile(sample + "/jc/lexicon.txt", text)) return fail(error, "jc/lexicon.txt: cannot read");
  if (in.conTblPda.empty()) return fail(error, "no CON_TBL_PDA table");
  plat::makeFolders(jc);
  std::string why;
  if (!writeJpLexiconDictionary(text, in.conTblPda, jc + "JCMAIN", &why)) return fail(error, "jc/lexicon.txt: " + why);
  text.clear();
  tools::readFile(sample + "/jc/jcwords.txt", text);
  dropped.clear();
  // Every word a rule writes is the source's; a key it lacks (one only compared with text) gets a
  // placeholder that no text matches, never a filler.
  WordTable renderings = completeWordTable(in.jcRenderingKeys, text, &dropped, &why, true);
  for (const std::string& key : dropped) {
    if (notes) notes->push_back("jc/jcwords.txt: " + key + " left out (not registered or wrong shape)");
  }
  const std::string renderingText = wordTableText(renderings);
  if (!writeFile(jc + "jcwords.txt", renderingText, error)) return false;
  CjDataFiles compiled{{"jcwords.txt", renderingText}};
  compileWordTable(in.jcRenderingCompiler, "jcwords.txt", compiled);
  if (auto bin = compiled.find("jcwords.bin"); bin != compiled.end() && !writeFile(jc + bin->first, bin->second, error))
    return false;
  text.clear();
  if (tools::readFile(sample + "/jc/Jcfrdic.txt", text) && !writeFile(jc + "Jcfrdic", jcfrdicText(text), error)) return false;
  if (!writeFile(jc + "jctrans.dat", "jc\r\n", error)) return false;

  text.clear();
  if (!tools::readFile(sample + "/speech/tables.txt", text)) return fail(error, "speech/tables.txt: cannot read");
  if (!writeSpeechDataFolder(speechDataFolder(card), text, &why)) return fail(error, "speech/tables.txt: " + why);
  // The speech reader's check file.
  if (!writeFile(speechDataFolder(card) + "Vocra.dat", "vocra\r\n", error)) return false;

  // The viewer: one dictionary per direction, examples with the Chinese-to-Japanese one.
  const char* viewerFiles[2][3] = {{"jc.txt", "JCDIC\\", "JcsDicV6"}, {"cj.txt", "CJDIC\\", "CjsDicV6"}};
  for (int direction = 0; direction < 2; ++direction) {
    text.clear();
    std::string name = std::string("viewer/") + viewerFiles[direction][0];
    if (!tools::readFile(sample + "/" + name, text)) return fail(error, name + ": cannot read");
    std::vector<ViewerRecord> records;
    if (!parseViewerSource(direction, text, records, why)) return fail(error, name + ": " + why);
    ViewerDictionary dict = writeViewerDictionary(direction, records);
    std::string base = viewerDataFolder(card) + viewerFiles[direction][1] + viewerFiles[direction][2];
    if (!writeFile(base + ".dic", dict.data, error) || !writeFile(base + ".ind", dict.index, error)) return false;
  }
  text.clear();
  tools::readFile(sample + "/viewer/examples.txt", text);
  std::vector<std::pair<std::string, std::string>> examples;
  for (const auto& [number, line] : contentLines(text)) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 2) return fail(error, lineError("examples.txt", number, "needs japanese and chinese"));
    examples.emplace_back(shiftJis(f[0]), toEngineCode(plat::utf8ToWide(f[1])));
  }
  if (!writeFile(viewerDataFolder(card) + "CJDIC\\examples.dat", writeExamples(examples), error)) return false;

  // Recogniser dictionaries, at the device root.
  if (in.recogBuilder) {
    std::error_code ec;
    std::vector<std::string> sources;
    for (const auto& e : std::filesystem::directory_iterator(sample + "/recogniser", ec)) {
      if (e.path().extension() == ".txt") sources.push_back(e.path().string());
    }
    std::sort(sources.begin(), sources.end());
    for (const std::string& path : sources) {
      text.clear();
      if (!tools::readFile(path, text)) return fail(error, path + ": cannot read");
      std::string file;
      int type = 0;
      if (!in.recogBuilder(text, file, type, &why)) return fail(error, path + ": " + why);
      const char* name = in.recogName ? in.recogName(type) : nullptr;
      if (!name) return fail(error, path + ": unknown dictionary type");
      if (!writeFile(std::string("\\") + name, file, error)) return false;
    }
  }
  return true;
}

namespace {

// A class id in the registry's 16-byte layout.
std::string classId(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, const std::array<std::uint8_t, 8>& d4) {
  std::string b;
  plat::appendLe32(b, d1);
  plat::appendLe16(b, d2);
  plat::appendLe16(b, d3);
  for (std::uint8_t x : d4) b.push_back(static_cast<char>(x));
  return b;
}

// Sets a value only when the key does not hold it yet: a user's settings stay.
bool keepOrSetDword(const plat::RegKey& key, std::string_view name, std::uint32_t value) {
  return plat::regGetDword(key, name).has_value() || plat::regSetDword(key, name, value);
}
bool keepOrSetBinary(const plat::RegKey& key, std::string_view name, const std::string& value) {
  return plat::regGetBinary(key, name).has_value() || plat::regSetBinary(key, name, value);
}

}  // namespace

bool writeProgramRegistry() {
  const char japaneseImText[] = "{0CBEA010-F68E-11D1-8C63-0060977B4593}";
  const std::string japaneseIm = classId(0x0CBEA010, 0xF68E, 0x11D1, {0x8C, 0x63, 0x00, 0x60, 0x97, 0x7B, 0x45, 0x93});
  const std::string chineseIm = classId(0x15F1353C, 0xE409, 0x4DD4, {0xB3, 0xD1, 0x6B, 0x58, 0xF4, 0x37, 0x92, 0xAE});
  auto translator = plat::regCreateKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Talvenro\\Lindqvar");
  auto viewer = plat::regCreateKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Talvenro\\CJDic");
  if (!translator || !viewer) return false;
  // The platform's own Japanese handwriting input comes with the device.
  if (!plat::registerInputMethod(*plat::parseClassId(japaneseImText), u"日本語手書き入力")) return false;
  return keepOrSetDword(*translator, "IsFanTi", 0) && keepOrSetDword(*translator, "JC_CJ", 0) &&
         keepOrSetDword(*translator, "fsize", 20) && keepOrSetDword(*translator, "pyType", 3) &&
         keepOrSetBinary(*translator, "clsidJapaneseIM", japaneseIm) &&
         keepOrSetBinary(*translator, "clsidChineseIM", chineseIm) &&
         keepOrSetBinary(*viewer, "clsidJapaneseIM", japaneseIm) && keepOrSetBinary(*viewer, "clsidChineseIM", chineseIm) &&
         keepOrSetDword(*viewer, "fsize", 3);
}

}  // namespace datagen
