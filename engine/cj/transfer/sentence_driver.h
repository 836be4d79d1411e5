// The sentence driver: a line of engine-code Chinese cut into sentences, each analysed in its own
// work area and generated as Japanese; pass-through, refusal, item numbers, splits at a marker
// and the reporting clause put behind its quotation.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/analysis/sentence.h"
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// The text of a line whose code is broken.
inline constexpr char16_t kCodeErrorNotice[] = u"★★中国語原文コードに誤りがあるため翻訳しません★★";
// The split marker (two marker symbols) and one marker symbol, engine code.
inline constexpr std::string_view kSplitMarker = "\x81\x7C\x81\x7C";
inline constexpr std::string_view kMarkerSymbol = "\x81\x7C";
// A sentence result that ends the line as a success.
inline constexpr int kSentenceEndsLine = 1000;

// Translates a line (modified in place) into output. 0 on success, else the code of the sentence
// that failed.
int translateChineseText(CjEngine& engine, std::string& text, std::u16string& output);
// One sentence of a line whose state it reads and updates: 0 on success; a positive status on
// failure (out of memory included); -c when it must be split at byte c.
int translateChineseSentence(CjEngine& engine, std::string_view sentence, std::u16string& output,
                             CjLineState& line);
// Two marker symbols before a verb: the marker's offset in source (output becomes the marker);
// elsewhere they are merged into one word. 0 when there is nothing to split.
int checkSplitMarker(CjSentence& area, std::string_view source, std::u16string& output);

// Fail points of the driver's text buffers, sentence buffer and work area.
inline constexpr std::string_view kTextBuffersFailPoint = "cj.driver.textBuffers";
inline constexpr std::string_view kSentenceBufferFailPoint = "cj.driver.sentenceBuffer";
inline constexpr std::string_view kWorkAreaFailPoint = "cj.driver.workArea";

}  // namespace cj
