#include "engine/jc/pipeline/jc_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/jp_morph_analysis.h"
#include "engine/jc/core/jc_app_state.h"
#include "engine/common/dbcs_text.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/pipeline/jc_text_translation.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "platform/core/private_folder.h"
#include "platform/core/process.h"

namespace jc {
namespace {

const char16_t kMorphName[] = u"MORPH.TMP";
const char16_t kChngenName[] = u"CHNGEN.TMP";
const char16_t kOpenError[] = u" オープンエラー";
const char16_t kWriteError[] = u" ライトエラー";
const char16_t kReadError[] = u" リードエラー";
const char16_t kNoMemory[] = u"メモリ不足!";

void tell(const std::u16string& text) {
  plat::messageBeep(plat::kMbIconExclamation);
  showMessage(text);
}

// The three filters into the analyser's input.
enum PrepareStatus { kPrepared, kPrepareNoMemory, kPrepareTooLong };
PrepareStatus prepareInput(JpAnalyzer* a, std::string_view line) {
  line = line.substr(0, line.find('\0'));
  std::unique_ptr<char[]> first(new (std::nothrow) char[line.size() + 4]);
  std::unique_ptr<char[]> second(new (std::nothrow) char[(line.size() + 2) * 2]);
  if (!first || !second) return kPrepareNoMemory;
  std::string text(line);
  normalizeSpaces(text.c_str(), first.get());
  const int n = static_cast<int>(std::strlen(first.get()));
  const int h = harmonizeKanaScript(second.get(), first.get(), n, static_cast<int>((line.size() + 2) * 2));
  if (h < 0) return kPrepareTooLong;
  return widenHalfWidthKana(a->input, second.get(), h, kJpInputSize) < 0 ? kPrepareTooLong : kPrepared;
}

// Without a lead byte whose trail byte was cut off.
std::string_view wholeCharacters(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (dbcs::isLeadByte(static_cast<unsigned char>(text[i]))) {
      if (i + 1 >= text.size()) return text.substr(0, i);
      i += 2;
    } else {
      i += 1;
    }
  }
  return text;
}

// The cheapest path's MORPH lines in memory; empty when the analysis failed.
bool analyseIntoText(JpAnalyzer* a, std::string& text) {
  text.clear();
  if (!analyzeSentence(a)) return true;
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* f = open_memstream(&data, &size);
  if (!f) return false;
  writeMorphemes(a, f);
  const bool ok = std::fclose(f) == 0;
  if (ok && data) text.assign(data, size);
  std::free(data);
  return ok;
}

// A morpheme of the MORPH lines: its first line (a TAB line) and the candidate lines after it.
struct MorphUnit {
  std::size_t start, end;
  std::string_view surface, baseForm;
  int pos;  // part of speech; -1 when the line has none
};

std::vector<MorphUnit> morphUnits(std::string_view text) {
  std::vector<MorphUnit> units;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    const std::size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
    if (text[pos] == '\t' || units.empty()) {
      std::string_view line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
      std::string_view field[3];
      if (!line.empty() && line[0] == '\t') {
        std::string_view rest = line.substr(1);
        for (std::string_view& f : field) {
          const std::size_t tab = rest.find('\t');
          f = rest.substr(0, tab);
          rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
        }
      }
      int partOfSpeech = -1;
      if (field[2].size() >= 2 && field[2][0] >= '0' && field[2][0] <= '9' && field[2][1] >= '0' && field[2][1] <= '9')
        partOfSpeech = (field[2][0] - '0') * 10 + (field[2][1] - '0');
      units.push_back(MorphUnit{pos, end, field[0], field[1], partOfSpeech});
    } else {
      units.back().end = end;
    }
    pos = end;
  }
  return units;
}

bool isClauseMark(std::string_view surface) {
  return surface == "、" || surface == "，" || surface == "," || surface == "；" || surface == "：";
}

enum { kPosSymbol = 1, kPosCopula = 4, kPosAuxiliary = 5, kPosParticle = 9, kPosPrefix = 13, kPosSuffix = 14 };

// A word that ends or continues the word before it: an ending, an auxiliary, a particle, a mark.
bool leansBack(const MorphUnit& u) {
  return u.pos == kPosCopula || u.pos == kPosAuxiliary || u.pos == kPosParticle || u.pos == kPosSuffix ||
         u.pos == kPosSymbol || u.pos < 0;
}

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The pair words the rules read together: もし … なら/ば/たら, まるで or あたかも … ようだ.
bool opensPair(const MorphUnit& u) { return u.surface == "もし" || u.surface == "まるで" || u.surface == "あたかも"; }
bool closesPair(const MorphUnit& opener, const MorphUnit& u) {
  if (opener.surface == "もし")
    return u.surface == "なら" || u.surface == "ならば" || endsWith(u.surface, "ば") || endsWith(u.surface, "たら");
  return u.baseForm == "ようだ" || u.surface.substr(0, std::string_view("よう").size()) == "よう";
}

// A pair word of [from, k] whose second word stands in (k, end): a cut after k would part them.
bool partsAPair(const std::vector<MorphUnit>& units, int from, int k, int end) {
  for (int i = from; i <= k; ++i) {
    const MorphUnit& o = units[static_cast<std::size_t>(i)];
    if (!opensPair(o)) continue;
    bool closed = false;
    for (int j = i + 1; j <= k && !closed; ++j) closed = closesPair(o, units[static_cast<std::size_t>(j)]);
    if (closed) continue;
    for (int j = k + 1; j < end; ++j)
      if (closesPair(o, units[static_cast<std::size_t>(j)])) return true;
  }
  return false;
}

// Where to end a piece of units [from, end) whose first sentence does not fit the buffer: only
// between phrases, after a clause mark, else after a particle before a content word, else before
// any content word; never between a stem and its endings, nor between the two words of a pair
// while another cut is left. The cut nearest the middle, in the first half first.
int cutPoint(const std::vector<MorphUnit>& units, int from, int end) {
  const int middle = from + (end - from - 1) / 2;
  auto unit = [&](int k) -> const MorphUnit& { return units[static_cast<std::size_t>(k)]; };
  auto afterClauseMark = [&](int k) { return isClauseMark(unit(k).surface); };
  auto afterParticle = [&](int k) { return unit(k).pos == kPosParticle && !leansBack(unit(k + 1)); };
  auto beforeContent = [&](int k) { return unit(k).pos != kPosPrefix && !leansBack(unit(k + 1)); };
  const std::function<bool(int)> tests[] = {afterClauseMark, afterParticle, beforeContent};
  for (bool keepPairs : {true, false}) {
    for (const auto& good : tests) {
      auto fits = [&](int k) { return good(k) && !(keepPairs && partsAPair(units, from, k, end)); };
      for (int k = middle; k >= from; --k)
        if (k + 1 < end && fits(k)) return k + 1;
      for (int k = middle + 1; k < end - 1; ++k)
        if (fits(k)) return k + 1;
    }
  }
  return middle + 1;
}

// The largest morpheme offset the parse text refers to; -1 when none.
long lastParsedOffset(const char* text) {
  long last = -1;
  for (const char* p = text; *p;) {
    if (p[0] == '!' && p[1] == ' ') last = std::max(last, std::strtol(p + 2, nullptr, 10));
    const char* nl = std::strchr(p, '\n');
    if (!nl) break;
    p = nl + 1;
  }
  return last;
}

// The morphemes of a round written over MORPH.TMP, which stays open from line to line.
bool writeMorphFile(JcEngine& e, std::string_view text, bool& opened) {
  if (!e.morphFile) e.morphFile = plat::fileOpen(e.morphPath, "w+b");
  opened = e.morphFile != nullptr;
  if (!opened) return false;
  std::rewind(e.morphFile);
  const bool written = std::fwrite(text.data(), 1, text.size(), e.morphFile) == text.size();
  return plat::fileTruncate(e.morphFile, static_cast<long>(text.size())) == 0 && written &&
         std::ferror(e.morphFile) == 0;
}

}  // namespace

bool bindSynparse(SynparseLibrary& library, std::string_view name) {
  library = {};
  library.handle = plat::loadLibrary(name);
  if (!library.handle) return false;
  library.initJpnParse = plat::bindFunction<synparse::InitJpnParseFn>(library.handle, "InitJpnParse");
  library.jpnParse = plat::bindFunction<synparse::JpnParseFn>(library.handle, "JpnParse");
  library.terminateJpnParse = plat::bindFunction<synparse::TerminateJpnParseFn>(library.handle, "TerminateJpnParse");
  if (library.initJpnParse && library.jpnParse && library.terminateJpnParse) return true;
  unbindSynparse(library);
  return false;
}

void unbindSynparse(SynparseLibrary& library) {
  if (library.handle) plat::freeLibrary(library.handle);
  library = {};
}

JcEngineStatus prepareJcEngine(JcEngine& e, std::u16string_view dataFolder) {
  e.dataFolder = dataFolder;
  const std::string& folder = plat::privateFolder();
  if (folder.empty()) return kJcEngineNoFolder;
  const std::u16string base = plat::utf8ToWide(folder) + u"/";
  e.morphPath = base + kMorphName;
  e.chngenPath = base + kChngenName;
  if (!e.parseBuffer) e.parseBuffer.reset(new (std::nothrow) char[synparse::kParseBufferSize]());
  return e.parseBuffer ? kJcEngineReady : kJcEngineNoMemory;
}

JcEngineStatus loadJcRenderings(JcEngine& e, std::string* why) {
  if (!e.renderingsFrom.empty() && e.renderingsFrom == e.dataFolder) return kJcEngineReady;
  e.renderingsFrom.clear();
  if (readRenderingTable(plat::wideToUtf8(e.dataFolder), e.renderings, why) != kRenderingTableLoaded) {
    return kJcEngineNoRenderings;
  }
  e.renderingsFrom = e.dataFolder;
  useRenderingTable(e.renderings);
  return kJcEngineReady;
}

bool createJcAnalyzer(JcEngine& e) {
  releaseJcAnalyzer(e);
  e.analyzer.reset(new (std::nothrow) JpAnalyzer);
  if (!e.analyzer) return false;
  e.analyzer->dataFolder = e.dataFolder;
  constructJpAnalyzer(e.analyzer.get());
  return true;
}

void releaseJcAnalyzer(JcEngine& e) {
  if (!e.analyzer) return;
  freeJpAnalyzer(e.analyzer.get());
  e.analyzer.reset();
}

bool startJcParser(JcEngine& e, std::u16string_view dictionaryPath) {
  const std::u16string path(dictionaryPath);
  e.parserStarted = e.parser.initJpnParse && e.parser.initJpnParse(path.c_str()) == 0;
  return e.parserStarted;
}

JcEngineStatus openJcEngine(JcEngine& e, std::u16string_view dataFolder, std::string* why) {
  // Each line builds and frees the records of its sentences: the freed memory is kept.
  plat::keepFreedMemory();
  auto fail = [&](JcEngineStatus status, const char* text) {
    if (why && why->empty()) *why = text;
    return status;
  };
  if (JcEngineStatus s = prepareJcEngine(e, dataFolder); s != kJcEngineReady) {
    if (s != kJcEngineNoFolder) return fail(s, "out of memory");
    const std::string problem = plat::privateFolderProblem();
    return fail(s, ("no private folder for the temporary files" + (problem.empty() ? "" : ": " + problem)).c_str());
  }
  if (loadJcRenderings(e, why) != kJcEngineReady) return fail(kJcEngineNoRenderings, "the renderings did not load");
  if (!bindSynparse(e.parser)) {
    showMessage(
        u"メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして"
        u"使用可能メモリ量を確保してから起動しなおしてください。");
    return fail(kJcEngineNoParser, "Synparse did not load");
  }
  if (!startJcParser(e, e.dataFolder)) return fail(kJcEngineParserFailed, "the parser did not start");
  if (!createJcAnalyzer(e)) return fail(kJcEngineNoMemory, "out of memory");
  if (initJpAnalyzer(e.analyzer.get()) == 0) return fail(kJcEngineNoAnalyser, "the Japanese analyser did not start");
  e.tables = dbcs::loadConversionTables();
  return kJcEngineReady;
}

void closeJcFiles(JcEngine& e) {
  if (e.morphFile) plat::fileClose(e.morphFile);
  if (e.chngenFile) plat::fileClose(e.chngenFile);
  e.morphFile = e.chngenFile = nullptr;
}

JcEngine::~JcEngine() { closeJcFiles(*this); }

void closeJcEngine(JcEngine& e) {
  closeJcFiles(e);
  releaseJcAnalyzer(e);
  if (e.parserStarted && e.parser.terminateJpnParse) e.parser.terminateJpnParse();
  e.parserStarted = false;
  unbindSynparse(e.parser);
  e.parseBuffer.reset();
  e.cursor = ParseCursor{};
}

namespace {

// A line whose prepared text does not fit the analyser's input is translated in parts.
constexpr int kLineTooLong = -2;

bool isHiragana(std::string_view c) {
  return c.size() == 2 && static_cast<unsigned char>(c[0]) == 0x82 && static_cast<unsigned char>(c[1]) >= 0x9F;
}
bool isKanjiOrKatakana(std::string_view c) {
  if (c.size() != 2) return false;
  const unsigned lead = static_cast<unsigned char>(c[0]);
  return lead == 0x83 || (lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA);
}

}  // namespace

std::size_t lineCut(std::string_view line) {
  const std::size_t middle = line.size() / 2;
  std::size_t best[3] = {0, 0, 0}, i = 0, middleChar = 0;
  std::string_view before;
  auto closer = [&](std::size_t a, std::size_t b) {
    return b == 0 || (a > middle ? a - middle : middle - a) < (b > middle ? b - middle : middle - b);
  };
  while (i < line.size()) {
    const std::size_t n = dbcs::charSize(line, i);
    const std::string_view c = line.substr(i, n);
    if (i <= middle) middleChar = i;
    int rank = -1;
    if (c == "。" || c == "？" || c == "！" || c == "．") rank = 0;
    else if (c == "、" || c == "，") rank = 1;
    if (rank >= 0 && i + n < line.size() && closer(i + n, best[rank])) best[rank] = i + n;
    if (i > 0 && isHiragana(before) && isKanjiOrKatakana(c) && closer(i, best[2])) best[2] = i;
    before = c;
    i += n;
  }
  for (std::size_t b : best)
    if (b > 0) return b;
  return middleChar > 0 ? middleChar : dbcs::charSize(line, 0);
}

namespace {

// The line's translation appended to result; the pieces kept Japanese appended to the report.
int translateFitting(JcEngine& e, std::string_view line, std::u16string& result, JcLineReport* report) {
  switch (prepareInput(e.analyzer.get(), line)) {
    case kPrepared:
      break;
    case kPrepareNoMemory:
      tell(kNoMemory);
      return kJcLineFailed;
    case kPrepareTooLong:
      return kLineTooLong;
  }
  if (!analyseIntoText(e.analyzer.get(), e.morphText)) {
    tell(std::u16string(kMorphName) + kWriteError);
    return kJcLineFailed;
  }
  const std::string_view morph = e.morphText;
  const std::vector<MorphUnit> units = morphUnits(morph);
  const int count = static_cast<int>(units.size());

  if (!e.chngenFile) e.chngenFile = plat::fileOpen(e.chngenPath, "w+b");
  std::FILE* chngen = e.chngenFile;
  if (!chngen) {
    tell(std::u16string(kChngenName) + kReadError);
    return kJcLineFailed;
  }
  std::rewind(chngen);
  struct Kept {
    long at;  // byte position in the Chinese line
    std::string japanese;
  };
  std::vector<Kept> kept;
  std::string chunk;
  int from = 0, end = count;
  bool first = true;
  int status = kJcLineTranslated;
  // Each round gives the parser the morphemes [from, end) and translates what its text holds.
  while (first || from < count) {
    const std::size_t start = from < count ? units[static_cast<std::size_t>(from)].start : morph.size();
    const std::size_t stop = end > from ? units[static_cast<std::size_t>(end - 1)].end : start;
    chunk.assign(morph.substr(start, stop - start));
    chunk += "E\n";
    bool opened = false;
    if (!writeMorphFile(e, chunk, opened)) {
      tell(std::u16string(kMorphName) + (opened ? kWriteError : kOpenError));
      return kJcLineFailed;
    }
    const int parsed = e.parser.jpnParse(0, e.morphPath.c_str(), e.parseBuffer.get(), 0);
    if (parsed == synparse::kParseBufferTooSmall && end - from > 1) {
      end = cutPoint(units, from, end);
      continue;
    }
    if (parsed != 0) {
      if (first && end == count) return kJcLineFailed;  // the parser refuses the line itself
      std::string japanese;
      for (int k = from; k < end; ++k) japanese += units[static_cast<std::size_t>(k)].surface;
      kept.push_back(Kept{std::ftell(chngen), japanese});
      if (report) report->untranslated.push_back(japanese);
      status = kJcLineIncomplete;
      from = end;
      end = count;
      first = false;
      continue;
    }
    std::FILE* reader = fmemopen(chunk.data(), chunk.size(), "rb");
    if (!reader) {
      tell(kNoMemory);
      return kJcLineFailed;
    }
    const long before = std::ftell(chngen);
    int filled = 0;
    const int text = translateParsedSentences(0, reader, e.parseBuffer.get(), e.cursor, chngen, &filled);
    std::fclose(reader);
    if (text == kJcTextNoMemory) {
      tell(kNoMemory);
      return kJcLineFailed;
    }
    // A sentence whose Chinese filled its record, or a node's index list, lost the rest: the piece
    // again, in smaller pieces.
    if (filled > 0 && end - from > 1 && std::fseek(chngen, before, SEEK_SET) == 0) {
      end = cutPoint(units, from, end);
      continue;
    }
    // The parser wrote whole sentences while they fitted: go on after the last one it took.
    int next = end;
    const long last = lastParsedOffset(e.parseBuffer.get());
    if (last >= 0) {
      const std::size_t at = start + static_cast<std::size_t>(last);
      auto it = std::upper_bound(units.begin() + from, units.begin() + end, at,
                                 [](std::size_t v, const MorphUnit& u) { return v < u.start; });
      next = std::max(from + 1, static_cast<int>(it - units.begin()));
    }
    from = next;
    end = count;
    first = false;
  }
  std::fputs("\n", chngen);
  std::string line8;
  const long written = std::ftell(chngen);
  bool failed = written < 0 || plat::fileTruncate(chngen, written) != 0 || std::fseek(chngen, 0, SEEK_SET) != 0;
  if (!failed) {
    // The file holds what was written: one read of that size.
    line8.resize(static_cast<std::size_t>(written));
    line8.resize(std::fread(line8.data(), 1, line8.size(), chngen));
    failed = std::ferror(chngen) != 0;
  }
  if (failed || line8.empty()) {
    tell(std::u16string(kChngenName) + kReadError);
    return kJcLineFailed;
  }
  std::string_view chinese(line8);
  chinese = chinese.substr(0, chinese.find('\n'));

  std::u16string wide;
  try {
    std::size_t done = 0;
    auto convert = [&](std::string_view piece) {
      std::string gb;
      std::u16string w;
      dbcs::internalToGb(e.tables, gb, wholeCharacters(piece));
      dbcs::gbToUnicode(e.tables, w, gb);
      wide += w;
    };
    for (const Kept& k : kept) {
      const std::size_t at = std::min(static_cast<std::size_t>(std::max(k.at, 0L)), chinese.size());
      if (at > done) convert(chinese.substr(done, at - done));
      done = std::max(done, at);
      wide += plat::multiByteToWide(932, k.japanese);
    }
    if (done < chinese.size() || kept.empty()) convert(chinese.substr(done));
  } catch (const std::bad_alloc&) {
    tell(kNoMemory);
    return kJcLineFailed;
  }
  result += wide;
  return status;
}

int translatePart(JcEngine& e, std::string_view line, std::u16string& result, JcLineReport* report) {
  const int status = translateFitting(e, line, result, report);
  if (status != kLineTooLong) return status;
  if (line.size() < 2) return kJcLineFailed;
  const std::size_t cut = lineCut(line);
  const int first = translatePart(e, line.substr(0, cut), result, report);
  if (first < 0) return first;
  const int second = translatePart(e, line.substr(cut), result, report);
  return second < 0 ? second : std::max(first, second);
}

}  // namespace

// The character of an exclamation or question mark that ends a sentence (Shift-JIS, full-width or
// ASCII), as the Chinese output writes it; 0 for any other character.
static char16_t sentenceEndMark(std::string_view line, std::size_t i, std::size_t& width) {
  width = 1;
  if (line[i] == '!') return u'！';
  if (line[i] == '?') return u'？';
  if (i + 1 >= line.size() || !dbcs::isLeadByte(static_cast<unsigned char>(line[i]))) return 0;
  width = 2;
  if (line.substr(i, 2) == "！") return u'！';
  if (line.substr(i, 2) == "？") return u'？';
  return 0;
}

int translateJcLine(JcEngine& e, std::string_view line, std::u16string& result, JcLineReport* report) {
  result.clear();
  if (report) report->untranslated.clear();
  if (!e.analyzer || !e.parseBuffer || !e.parser.jpnParse || e.morphPath.empty()) return kJcLineFailed;
  useRenderingTable(e.renderings);
  line = line.substr(0, line.find('\0'));
  // A run of exclamation and question marks, alike or mixed (！？！？), ends its sentence with the
  // first mark; the rest of the run follows the sentence's translation as it stands (the sentence's
  // marks share one bounded field, which would cut a long run).
  std::u16string translation;
  int status = 0;
  std::size_t from = 0;
  for (std::size_t i = 0; i < line.size();) {
    std::size_t width = 1;
    const char16_t mark = sentenceEndMark(line, i, width);
    std::size_t end = i + width, next = 0;
    std::u16string surplus;
    for (char16_t m; mark && end < line.size() && (m = sentenceEndMark(line, end, next)) != 0; end += next) surplus += m;
    if (surplus.empty()) {
      i += dbcs::isLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
      continue;
    }
    const int piece = translatePart(e, line.substr(from, i + width - from), translation, report);
    if (piece < 0) return piece;
    status = std::max(status, piece);
    translation += surplus;
    from = i = end;
  }
  if (from < line.size() || line.empty()) {
    const int piece = translatePart(e, line.substr(from), translation, report);
    if (piece < 0) return piece;
    status = std::max(status, piece);
  }
  result = std::move(translation);
  return status;
}

}  // namespace jc
