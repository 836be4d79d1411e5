// The Japanese-to-Chinese engine object: what one translator holds to turn Japanese lines into
// Chinese. It owns the analyser, the binding of the outside parser Synparse, the conversion
// tables, the 4,096-byte parse buffer, the temporary files MORPH.TMP and CHNGEN.TMP (in the
// process's private folder) and the read position in the parse text. One call translates a line:
// input preparation, morphological analysis into MORPH.TMP, the parser, the sentence pipeline
// into CHNGEN.TMP, and the result converted to UTF-16.
//
// The rule families register the keys of the rendering table; each engine loads the renderings of
// its own data folder and puts them in use while it translates.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/common/keyed_word_table.h"
#include "engine/jc/analyser/jp_analyzer.h"
#include "engine/jc/core/jc_parse_reader.h"
#include "platform/core/library.h"
#include "platform/synparse/synparse_api.h"

namespace jc {

// The library Synparse of the program folder with its three entry points.
struct SynparseLibrary {
  plat::LibraryHandle handle = nullptr;
  synparse::InitJpnParseFn initJpnParse = nullptr;
  synparse::JpnParseFn jpnParse = nullptr;
  synparse::TerminateJpnParseFn terminateJpnParse = nullptr;
};
// Loads the library by name and binds it; false (nothing kept loaded) when the library or an
// entry point is missing.
bool bindSynparse(SynparseLibrary& library, std::string_view name = "Synparse");
void unbindSynparse(SynparseLibrary& library);

struct JcEngine {
  std::u16string dataFolder;             // the Japanese data folder, a device path ending in a separator
  std::unique_ptr<JpAnalyzer> analyzer;  // null until created, and after its release
  SynparseLibrary parser;
  bool parserStarted = false;
  dbcs::ConversionTables tables;             // GB-UNI and UNI-GB
  std::unique_ptr<char[]> parseBuffer;     // synparse::kParseBufferSize bytes
  std::u16string morphPath, chngenPath;    // MORPH.TMP and CHNGEN.TMP
  ParseCursor cursor;                      // the read position in the parse buffer
  dbcs::KeyedWordLoadPtr renderings;         // jcwords.txt of the data folder (null until loaded)
  std::u16string renderingsFrom;           // the folder whose renderings are loaded
  std::string morphText;                   // the analysed line's MORPH.TMP lines
  std::FILE* morphFile = nullptr;          // MORPH.TMP and CHNGEN.TMP, open from the first line on
  std::FILE* chngenFile = nullptr;

  JcEngine() = default;
  JcEngine(const JcEngine&) = delete;
  JcEngine& operator=(const JcEngine&) = delete;
  ~JcEngine();  // closes the two files
};

enum JcEngineStatus {
  kJcEngineReady = 0,
  kJcEngineNoFolder = 1,      // the private folder for the temporary files cannot be made
  kJcEngineNoMemory = 2,      // the parse buffer or the analyser cannot be allocated
  kJcEngineNoRenderings = 3,  // the rendering table is missing or refused
  kJcEngineNoParser = 4,      // Synparse or one of its entry points is missing
  kJcEngineParserFailed = 5,  // InitJpnParse failed
  kJcEngineNoAnalyser = 6,    // the analyser's dictionary pair did not open (after its message)
};

// The steps of a start-up, for a program that orders them itself.
// The temporary-file paths in the private folder and the parse buffer.
JcEngineStatus prepareJcEngine(JcEngine& engine, std::u16string_view dataFolder);
// The engine's rendering table from its data folder, unless it is loaded from there already; put
// in use when it loaded. A failure leaves the renderings of other engines as they are.
JcEngineStatus loadJcRenderings(JcEngine& engine, std::string* why = nullptr);
// A new analyser (constructed, not initialised), replacing the one held; false without memory.
bool createJcAnalyzer(JcEngine& engine);
// The held analyser's tables and dictionary freed and the analyser deleted.
void releaseJcAnalyzer(JcEngine& engine);
// InitJpnParse on the dictionary path; true when it succeeded.
bool startJcParser(JcEngine& engine, std::u16string_view dictionaryPath);

// The whole start-up of a console program or a benchmark on a data folder: files, buffer,
// renderings, Synparse (started on the folder), the analyser and the conversion tables.
// `why` says what failed.
JcEngineStatus openJcEngine(JcEngine& engine, std::u16string_view dataFolder, std::string* why = nullptr);
// MORPH.TMP and CHNGEN.TMP closed (they open again at the next line).
void closeJcFiles(JcEngine& engine);
// Everything released: files, analyser, parser (terminated when started), library, buffer.
void closeJcEngine(JcEngine& engine);

// The parts of a line that stayed Japanese.
struct JcLineReport {
  std::vector<std::string> untranslated;  // Shift-JIS text of each piece kept as it stands
};

enum JcLineStatus {
  kJcLineTranslated = 0,
  kJcLineIncomplete = 1,  // some piece could not be translated: its Japanese stands in the result
  kJcLineFailed = -1,     // nothing translated (after its message where the failure is the files' or the memory's)
};

// line: Shift-JIS. Every sentence of the line is translated: the parser is given what fits its
// buffer and the driver goes on with the rest; a sentence too long for the buffer on its own is
// cut at its clause marks (at morpheme boundaries where it has none) and translated in pieces.
// MORPH.TMP and CHNGEN.TMP are written again for every line; they go with the private folder
// when the process exits.
int translateJcLine(JcEngine& engine, std::string_view line, std::u16string& result, JcLineReport* report = nullptr);

// Where to cut a Shift-JIS line too long for the analyser in two, nearest the middle: after a
// sentence end, else after a clause mark, else where a word in kanji or katakana follows kana
// (本を|読まない), else at the middle character. Never inside a character, never at either end of a
// line of two characters or more.
std::size_t lineCut(std::string_view line);

}  // namespace jc
