#include "engine/jc/analyser/morph_file.h"

#include <cstdio>

#include "engine/jc/analyser/jp_morph_analysis.h"
#include "platform/core/files.h"

namespace jc {

int writeMorphFile(JpAnalyzer* a, std::u16string_view path) {
  std::FILE* f = plat::fileOpen(path, "wt");
  if (!f) return kMorphFileOpenError;
  if (analyzeSentence(a)) {
    writeMorphemes(a, f);
    if (std::ferror(f)) {
      plat::fileClose(f);
      return kMorphFileWriteError;
    }
  }
  std::fputs("E\n", f);
  bool bad = std::ferror(f) != 0;
  if (plat::fileClose(f) != 0) bad = true;
  return bad ? kMorphFileWriteError : kMorphFileOk;
}

}  // namespace jc
