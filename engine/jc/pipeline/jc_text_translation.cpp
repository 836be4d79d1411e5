#include "engine/jc/pipeline/jc_text_translation.h"

#include <cstdio>
#include <memory>
#include <new>

#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_sentence.h"
#include "engine/jc/pipeline/jc_pipeline.h"
#include "engine/jc/pipeline/jc_sentence_setup.h"
#include "platform/core/files.h"

namespace jc {

int translateJapaneseText(int firstSentence, std::u16string_view morphPath, const char* parseBuffer,
                          std::u16string_view chngenPath) {
  std::FILE* morph = plat::fileOpen(morphPath, "rb");
  if (!morph) return kJcTextMorphOpenError;
  std::FILE* chngen = plat::fileOpen(chngenPath, "w");
  if (!chngen) {
    plat::fileClose(morph);
    return kJcTextChngenOpenError;
  }
  parseStart(parseBuffer ? parseBuffer : "");
  int status = kJcTextOk;
  std::unique_ptr<JcSentence> record(new (std::nothrow) JcSentence);
  if (!record) status = kJcTextNoMemory;
  for (int count = 1; status == kJcTextOk && !parseAtEnd(); ++count) {
    zeroJcSentence(record.get());
    const JcSetupStatus setup = prepareJcSentence(record.get(), morph);
    if (setup == kJcSetupNoMemory) status = kJcTextNoMemory;
    if (setup == kJcSetupReady && count >= firstSentence) {
      if (runJcPipeline(record.get()))
        std::fprintf(chngen, "%s", record->output.c_str());
      else
        status = kJcTextNoMemory;
    }
    releaseJcSentence(record.get());
  }
  std::fputs("\n", chngen);
  plat::fileClose(chngen);
  plat::fileClose(morph);
  return status;
}

}  // namespace jc
