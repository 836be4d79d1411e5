// The sample storage card: every data folder of the suite, written from the readable sources of a
// sample folder (data/sample) through the format writers.
//
// Sources (UTF-8; '#' starts a comment line; blank lines are skipped):
//   cj/words.txt     word<TAB>entry<TAB>reading<TAB>translations
//                    entry: category letters, '\', items ("N\U[N]a[H]"); the reference item Z[...]
//                    is added for a word with translations. reading: pinyin in any spelling
//                    (tone digits, tone marks; written in the dictionary's form "Wo3Men0"), or "-"
//                    (no entry of its own). translations: "kind,japanese,code[,frame[,frame2]]"
//                    joined by " | " ("-" for none), the first being the head line.
//   cj/frames.txt    verb<TAB>condition<TAB>frame<TAB>japanese<TAB>code[<TAB>frameChar[<TAB>second]]
//                    ("-" for an empty field)
//   cj/grammar.txt   "%<GROUP>" opens a group; "(state,symbol) target" is a goto line; a line
//                    starting with "->" is the action of the rule line before it; any other
//                    line is a rule line
//   cj/hanzi.txt     character<TAB>readings, over the generated readings of every ideograph (the
//                    character reading file)
// The pinyin path also reads every GB2312 hanzi, and the katakana table is the syllable table of
// data/tables (pinyin_spelling.h).
//   cj/cjwords.txt   key<TAB>value, the listed words; keys it leaves out are filled with synthetic
//                    words of the registered shapes
//   jc/lexicon.txt   the Japanese dictionary pair (jp_dictionary_pair.h)
//   jc/jcwords.txt   key<TAB>value, the renderings (optional; filled like cjwords.txt)
//   jc/Jcfrdic.txt   the parser's word lists and verb frames (UTF-8, written in Shift-JIS; a
//                    frame's rendering and template in the engine's code)
//   speech/tables.txt  speech tables (speech_tables_writer.h); units are synthetic
//   viewer/jc.txt, viewer/cj.txt, viewer/examples.txt  the viewer's dictionaries and examples
//                    (examples: japanese<TAB>chinese)
//   recogniser/*.txt  handwriting templates, one dictionary each
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/cj_grammar_writer.h"
#include "tools/datagen/compiled_word_table_writer.h"
#include "tools/datagen/cwcjdic_writer.h"
#include "tools/datagen/word_table_writer.h"

namespace datagen {

// One line of cj/words.txt, converted: word and entry in engine code, translations in Shift-JIS.
struct CjSampleWord {
  std::string word;
  std::string entry;
  std::string reading;
  std::vector<CjDicLine> translations;
};

bool parseCjSampleWords(std::string_view text, std::vector<CjSampleWord>& out, std::string* error = nullptr);

// The grammar source (cj/grammar.txt): actions become Shift-JIS, goto conditions engine code.
// False for a line outside a group, a rule without an action or the reverse, an unknown group,
// a shift to a state the group has no goto lines for, or a reduction by a rule it lacks.
bool parseCjGrammarSource(std::string_view text, CjGrammar& out, std::string* error = nullptr);

// The listed-word table: the source's words over synthetic words of every shape (inert
// placeholders when `inert`, for the card's Chinese words). A source key the schema lacks, or whose
// words break its shape, is left out and named in `dropped`.
WordTable completeWordTable(const std::vector<WordKeyShape>& shapes, std::string_view sourceUtf8,
                            std::vector<std::string>* dropped, std::string* error = nullptr, bool inert = false);

// Every file of the Chinese-to-Japanese data folder from the cj/ sources (host folder).
bool cjSampleFiles(const std::string& cjSourceFolder, const std::vector<WordKeyShape>& wordKeys, CjDataFiles& files,
                   std::vector<std::string>* dropped, std::string* error = nullptr);

// Device folders on a card (device path "\Storage Card"), ending in a backslash.
std::string jcDataFolder(std::string_view card);
// The parser's word data "Jcfrdic" from its UTF-8 source: Japanese in Shift-JIS, a frame line's
// rendering and template (its third and fourth fields) in the engine's code.
std::string jcfrdicText(const std::string& utf8);
std::string speechDataFolder(std::string_view card);
std::string viewerDataFolder(std::string_view card);

// Builds a recogniser dictionary from template text: the file and its type.
using RecogDictionaryBuilder =
    std::function<bool(std::string_view templates, std::string& file, int& type, std::string* error)>;
// File name of a recogniser dictionary type.
using RecogDictionaryName = std::function<const char*(int type)>;

// The words of every key of a table text as the engine loads them and the fingerprint of the
// schema they were loaded against; false when the engine refuses the text.
using WordTableCompiler =
    std::function<bool(std::string_view text, std::uint64_t& fingerprint, CompiledWordEntries& entries)>;

struct SampleCardInputs {
  std::vector<WordKeyShape> cjWordKeys;
  std::vector<WordKeyShape> jcRenderingKeys;  // characters per word
  // When set, each table's compiled form is written beside its text (cjwords.bin, jcwords.bin).
  WordTableCompiler cjWordCompiler;
  WordTableCompiler jcRenderingCompiler;
  std::string conTblPda;                      // the CON_TBL_PDA table
  RecogDictionaryBuilder recogBuilder;         // none: no recogniser dictionaries
  RecogDictionaryName recogName;
};

// Writes the whole card from a sample folder (host path). The recogniser dictionaries go to the
// device root, where a bare file name finds them. Warnings (dropped keys) go to `notes`.
bool writeSampleCard(const std::string& sampleFolder, std::string_view card, const SampleCardInputs& inputs,
                     std::vector<std::string>* notes, std::string* error = nullptr);

// The programs' registry keys with the values their first run expects.
bool writeProgramRegistry();

}  // namespace datagen
