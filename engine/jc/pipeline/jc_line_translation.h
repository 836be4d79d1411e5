// One Japanese line through the Japanese-to-Chinese engine: input preparation, morphological
// analysis into MORPH.TMP, the outside parser, the sentence pipeline into CHNGEN.TMP, and the
// result converted to UTF-16. The temporary files live in the program folder (jc_app_state.h).
#pragma once
#include <string>
#include <string_view>

#include "engine/common/code_convert.h"
#include "engine/jc/core/jp_analyzer.h"
#include "platform/core/library.h"
#include "platform/synparse/synparse_api.h"

namespace jc {

// What the translation of a line uses of the translator application.
struct JcApplication {
  JpAnalyzer* analyzer = nullptr;                // constructed and initialised
  char* parseBuffer = nullptr;                   // synparse::kParseBufferSize bytes
  synparse::JpnParseFn jpnParse = nullptr;       // bound from Synparse
  const cj::ConversionTables* tables = nullptr;  // GB-UNI and UNI-GB
};

// The longest result line read back from CHNGEN.TMP.
inline constexpr int kJcResultLineSize = 2048;

// line: Shift-JIS. 0 with the Chinese text in result; -1 on failure (after its message where the
// failure is the files' or the memory's). MORPH.TMP and CHNGEN.TMP are gone again on every path.
int translateJapaneseLine(const JcApplication& application, std::string_view line, std::u16string& result);

// The library Synparse of the program folder with its three entry points.
struct SynparseLibrary {
  plat::LibraryHandle handle = nullptr;
  synparse::InitJpnParseFn initJpnParse = nullptr;
  synparse::JpnParseFn jpnParse = nullptr;
  synparse::TerminateJpnParseFn terminateJpnParse = nullptr;
};
// Loads and binds it; false (nothing kept loaded) when the library or an entry point is missing.
bool bindSynparse(SynparseLibrary& library);
void unbindSynparse(SynparseLibrary& library);

}  // namespace jc
