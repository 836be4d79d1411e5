#include "engine/cj/stages/parse_stages.h"
#include "engine/cj/transfer/sentence_driver.h"

#include <memory>
#include <new>

#include "engine/common/code_convert.h"
#include "engine/common/word_table.h"
#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/parse_cascade.h"
#include "engine/cj/analysis/post_parse.h"
#include "engine/cj/analysis/pre_parse.h"
#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/japanese_output.h"
#include "engine/cj/transfer/rule_actions.h"
#include "platform/core/codepage.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify.h"

namespace cj {
namespace {

constinit ListedKey kQuoteClosers{"fixedExpressions.quoteClosers"};

constexpr std::size_t kTextBufferSize = 900;
constexpr std::size_t kSentenceBufferSize = 1800;
constexpr int kMaxCodeErrors = 3;
// Sentences longer than this may be too fragmented to analyse.
constexpr std::size_t kFragmentationLength = 60;
constexpr int kFragmentationFloor = 8;

void showOutOfMemory() { plat::messageBox(u"メモリ不足!", u"", plat::kMbOk | plat::kMbIconExclamation); }

std::u16string systemText(std::string_view bytes) { return plat::multiByteToWide(plat::kSystemCodePage, bytes); }

// Length of the closing quotation mark that starts at `at`; 0 when none does. The ASCII quotation
// marks close as they open.
std::size_t closingQuoteAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  if (text[at] == '"' || text[at] == '\'') return 1;
  for (const std::string& w : listedWords(kQuoteClosers)) {
    if (!w.empty() && text.compare(at, w.size(), w) == 0) return w.size();
  }
  return 0;
}

std::string_view terminated(std::string_view text) { return text.substr(0, text.find('\0')); }

// Room for size bytes; false when it cannot be had or the fail point is hit.
bool reserved(std::string& text, std::size_t size, std::string_view failPoint = {}) {
  if (plat::failPointHit(failPoint)) return false;
  try {
    text.reserve(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// 。, ． and ｡ in engine code, and the ASCII full stop.
bool isFullStop(std::string_view mark) {
  return mark == "\x81\x42" || mark == "\x81\x44" || mark == "\xA1" || mark == ".";
}

// True when the work area is too fragmented: 100 - 200n/L below the floor.
bool tooFragmented(std::size_t length, int segments) {
  if (length <= kFragmentationLength) return false;
  const long l = static_cast<long>(length);
  return 100 - (200L * segments) / l < kFragmentationFloor;
}

}  // namespace

int checkSplitMarker(CjSentence& s, std::string_view source, std::u16string& output) {
  if (s.nodeCount < 2) return 0;
  for (int i = 2; i <= s.nodeCount - 1 && i + 1 < kMaxNodes; ++i) {
    CjNode& a = s.nodes[i];
    CjNode& b = s.nodes[i + 1];
    if (a.CHI != kMarkerSymbol || b.CHI != kMarkerSymbol) continue;
    if (i + 2 <= s.nodeCount && i + 2 < kMaxNodes && s.nodes[i + 2].CAT == "V") {
      const std::size_t at = findAtCharStart(terminated(source), kSplitMarker);
      if (at == std::string_view::npos) return 0;
      output = systemText(kSplitMarker);
      return static_cast<int>(at);
    }
    a.CHI = kSplitMarker;
    a.CAT = "J";
    b.CHI = "";
    b.CAT = "";
    a.next = b.next;
    if (b.next > 0 && b.next < kMaxNodes) s.nodes[b.next].prev = i;
    if (s.lastTop == i + 1) s.lastTop = i;
  }
  return 0;
}

int translateChineseSentence(CjEngine& engine, std::string_view sentence, std::u16string& output,
                             CjLineState& line) {
  useEngineWords(engine);
  sentence = terminated(sentence);
  std::string buffer;
  if (!reserved(buffer, kSentenceBufferSize, kSentenceBufferFailPoint)) {
    // A failure, never a split position.
    showOutOfMemory();
    engine.engineStatus = kStatusOutOfMemory;
    return engine.engineStatus;
  }
  engine.engineStatus = kStatusOk;
  if (sentence.empty()) return 0;
  if (lacksHanzi(sentence)) {
    output = systemText(sentence);
    return 0;
  }
  widenDigits(sentence, buffer);
  segment seg;
  initSegmenter(seg, engine, buffer);
  segmentSentence(seg);
  if (engine.engineStatus != kStatusOk) {
    freeSegmenter(seg);
    return engine.engineStatus;
  }
  const int count = mergedCount(seg);
  if (tooFragmented(sentence.size(), count)) {
    ++engine.fallbackSentences;
    std::string japanese;
    convertSentenceFallback(sentence, japanese);
    output = systemText(japanese);
    freeSegmenter(seg);
    return 0;
  }
  std::unique_ptr<CjSentence> area;
  if (plat::failPointHit(kWorkAreaFailPoint)) {
    showOutOfMemory();
  } else {
    area = reuseSentence(engine.spareSentence, count);
  }
  if (!area) {
    freeSegmenter(seg);
    engine.engineStatus = kStatusOutOfMemory;
    return engine.engineStatus;
  }
  area->engine = &engine;
  if (fillNodesFromSegments(*area, mergedSegments(seg)) == kStatusOk) {
    preParse(*area);
    const int at = checkSplitMarker(*area, sentence, output);
    engine.engineStatus = at;
    if (at != 0) {
      keepSentence(area, engine.spareSentence);
      freeSegmenter(seg);
      return -at;
    }
    parseSentence(*area);
    if (engine.engineStatus == kStatusOk) {
      postParse(*area);
      generateJapanese(area.get(), &roleLinksOf(*area), summaryOf(*area), output, line);
    }
  }
  keepSentence(area, engine.spareSentence);
  freeSegmenter(seg);
  return engine.engineStatus;
}

namespace {

int translateText(CjEngine& engine, std::string& text, std::u16string& output) {
  useEngineWords(engine);
  const std::string_view line = terminated(text);
  if (lacksHanzi(line)) {
    output = systemText(line);
    return 0;
  }
  int oddMarks = 0;
  if (countCodeErrors(line, oddMarks) > kMaxCodeErrors || oddMarks > kMaxCodeErrors) {
    output = kCodeErrorNotice;
    return 0;
  }
  std::string sentence, prefix;
  if (!reserved(sentence, kTextBufferSize, kTextBuffersFailPoint) || !reserved(prefix, kTextBufferSize)) {
    showOutOfMemory();
    return kStatusOutOfMemory;
  }
  output.clear();
  CjLineState lineState;
  text.resize(terminated(text).size());
  removeWordAfterComma(text);
  const std::size_t length = text.size();
  std::u16string japanese, held;
  std::string endMark;
  int result = 0;
  std::size_t p = 0;
  while (p < length && text[p] != 0) {
    std::size_t next = nextChineseSentence(text, sentence, p, endMark);
    if (next <= p) next = p + 1;
    const bool stop = isFullStop(endMark);
    // The last sentence: what follows it is at most one byte.
    if ((stop || next + 1 >= length) && lineState.reportingVerbState == 2) {
      lineState.reportingVerbState = 7;
      if (stop) {
        const std::size_t at = findAtCharStart(sentence, endMark);
        if (at != std::string::npos) sentence.resize(at);
      }
    }
    extractEnumerationPrefix(sentence, prefix);
    if (prefix == "[[") prefix.clear();
    if (!prefix.empty()) {
      std::string converted;
      convertSentenceFallback(prefix, converted);
      output += systemText(converted);
      sentence.erase(0, prefix.size());
    }
    japanese.clear();
    int r = translateChineseSentence(engine, sentence, japanese, lineState);
    if (r < 0) {
      const std::size_t cut = static_cast<std::size_t>(-static_cast<long>(r));
      if (cut > 0 && cut < sentence.size()) {
        // The marker's place in the line, past the item number that was taken off.
        std::size_t marker = findAtCharStart(text, kSplitMarker, p);
        if (marker == std::string::npos || marker >= next) marker = p + prefix.size() + cut;
        sentence.resize(cut);
        const std::u16string kept = japanese;
        japanese.clear();
        r = translateChineseSentence(engine, sentence, japanese, lineState);
        japanese += kept;
        next = marker + kSplitMarker.size();
      }
    }
    if (lineState.reportingVerbState == 1) {
      if (held.empty()) {
        held = japanese;
        japanese.clear();
      }
      lineState.reportingVerbState = 2;
    } else if (lineState.reportingVerbState == 7) {
      lineState.reportingVerbState = 0;
      output += japanese;
      // A closing quotation mark after the quoted sentence's end mark (or the last of its run of
      // marks) closes the quotation before と.
      const std::size_t closer = closingQuoteAt(text, next);
      if (closer > 0) {
        std::string converted;
        convertSentenceFallback(text.substr(next, closer), converted);
        output += systemText(converted);
        next += closer;
      }
      output += u"と";
      japanese = held;
      held.clear();
    }
    output += japanese;
    if (r == kSentenceEndsLine) break;
    if (r != 0) {
      result = r;
      break;
    }
    p = next;
  }
  // A reporting clause still held when the line ends.
  if (lineState.reportingVerbState == 2 && !held.empty()) output += held;
  return result;
}

}  // namespace

int translateChineseText(CjEngine& engine, std::string& text, std::u16string& output) {
  const int result = translateText(engine, text, output);
  dbcs::restoreUnwrittenHanzi(engine.tables, output, engine.unwrittenHanzi);
  return result;
}

}  // namespace cj
