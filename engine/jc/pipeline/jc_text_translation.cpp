#include "engine/jc/pipeline/jc_text_translation.h"

#include <memory>
#include <new>

#include "engine/jc/core/jc_sentence.h"
#include "engine/jc/pipeline/jc_pipeline.h"
#include "engine/jc/pipeline/jc_sentence_setup.h"
#include "platform/core/files.h"

namespace jc {

int translateParsedSentences(int firstSentence, std::FILE* morph, const char* parseBuffer, ParseCursor& cursor,
                             std::FILE* chngen, int* filled) {
  parseStart(cursor, parseBuffer ? parseBuffer : "");
  if (filled) *filled = 0;
  int status = kJcTextOk;
  std::unique_ptr<JcSentence> record(new (std::nothrow) JcSentence);
  if (!record) status = kJcTextNoMemory;
  for (int count = 1; status == kJcTextOk && !parseAtEnd(cursor); ++count) {
    zeroJcSentence(record.get());
    const JcSetupStatus setup = prepareJcSentence(record.get(), morph, cursor);
    if (setup == kJcSetupNoMemory) status = kJcTextNoMemory;
    if (setup == kJcSetupReady && count >= firstSentence) {
      if (runJcPipeline(record.get())) {
        std::fputs(record->output.c_str(), chngen);
        if (filled && (record->listCut || record->output.size() + 2 >= static_cast<std::size_t>(kJcOutputSize))) ++*filled;
      } else {
        status = kJcTextNoMemory;
      }
    }
    releaseJcSentence(record.get());
  }
  return status;
}

int translateJapaneseText(int firstSentence, std::u16string_view morphPath, const char* parseBuffer,
                          std::u16string_view chngenPath, ParseCursor& cursor) {
  std::FILE* morph = plat::fileOpen(morphPath, "rb");
  if (!morph) return kJcTextMorphOpenError;
  std::FILE* chngen = plat::fileOpen(chngenPath, "w");
  if (!chngen) {
    plat::fileClose(morph);
    return kJcTextChngenOpenError;
  }
  const int status = translateParsedSentences(firstSentence, morph, parseBuffer, cursor, chngen);
  std::fputs("\n", chngen);
  plat::fileClose(chngen);
  plat::fileClose(morph);
  return status;
}

}  // namespace jc
