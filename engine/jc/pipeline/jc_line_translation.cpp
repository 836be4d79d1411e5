#include "engine/jc/pipeline/jc_line_translation.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "engine/jc/core/jc_app_state.h"
#include "engine/jc/core/jp_input_prep.h"
#include "engine/jc/core/jp_morph_analysis.h"
#include "engine/jc/pipeline/jc_text_translation.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace jc {
namespace {

const char16_t kOpenError[] = u" オープンエラー";
const char16_t kWriteError[] = u" ライトエラー";
const char16_t kReadError[] = u" リードエラー";
const char16_t kNoMemory[] = u"メモリ不足!";

void tell(const std::u16string& text) {
  plat::messageBeep(plat::kMbIconExclamation);
  showMessage(text);
}

// Removes both temporary files whatever the way out.
struct TemporaryFiles {
  std::u16string morph, chngen;
  ~TemporaryFiles() {
    plat::removeFile(plat::wideToUtf8(morph));
    plat::removeFile(plat::wideToUtf8(chngen));
  }
};

// The three filters into the analyser's input; false when a buffer cannot be had or the widened
// text would not fit.
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

}  // namespace

int translateJapaneseLine(const JcApplication& app, std::string_view line, std::u16string& result) {
  TemporaryFiles files{programFolder + morphFileName, programFolder + chngenFileName};
  if (!app.analyzer || !app.parseBuffer || !app.jpnParse || !app.tables) return -1;

  std::FILE* morph = plat::fileOpen(files.morph, "wt");
  if (!morph) {
    tell(morphFileName + kOpenError);
    return -1;
  }
  switch (prepareInput(app.analyzer, line)) {
    case kPrepared:
      break;
    case kPrepareNoMemory:
      plat::fileClose(morph);
      tell(kNoMemory);
      return -1;
    case kPrepareTooLong:
      plat::fileClose(morph);
      return -1;
  }
  if (analyzeSentence(app.analyzer)) {
    writeMorphemes(app.analyzer, morph);
    if (std::ferror(morph)) {
      plat::fileClose(morph);
      tell(morphFileName + kWriteError);
      return -1;
    }
  }
  std::fputs("E\n", morph);
  const bool writeFailed = std::ferror(morph) != 0;
  if (plat::fileClose(morph) != 0 || writeFailed) {
    tell(morphFileName + kWriteError);
    return -1;
  }

  if (app.jpnParse(0, files.morph.c_str(), app.parseBuffer, 0) != 0) return -1;
  const int text = translateJapaneseText(0, files.morph, app.parseBuffer, files.chngen);
  if (text == kJcTextNoMemory) tell(kNoMemory);
  if (text < 0) return -1;

  std::FILE* chngen = plat::fileOpen(files.chngen, "rt");
  if (!chngen) {
    tell(chngenFileName + kReadError);
    return -1;
  }
  char buffer[kJcResultLineSize];
  const bool read = std::fgets(buffer, kJcResultLineSize, chngen) != nullptr;
  const bool failed = std::ferror(chngen) != 0;
  plat::fileClose(chngen);
  if (!read || failed) {
    tell(chngenFileName + kReadError);
    return -1;
  }
  std::string_view chinese(buffer, std::strlen(buffer));
  if (!chinese.empty() && chinese.back() == '\n') chinese.remove_suffix(1);
  // A line cut by the buffer ends on a whole character.
  chinese = wholeCharacters(chinese);

  std::string gb;
  std::u16string wide;
  try {
    cj::internalToGb(*app.tables, gb, chinese);
    cj::gbToUnicode(*app.tables, wide, gb);
  } catch (const std::bad_alloc&) {
    tell(kNoMemory);
    return -1;
  }
  result = std::move(wide);
  return 0;
}

bool bindSynparse(SynparseLibrary& library) {
  library = {};
  library.handle = plat::loadLibrary("Synparse");
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

}  // namespace jc
