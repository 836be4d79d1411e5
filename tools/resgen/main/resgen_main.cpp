// Writes the generated tables into a folder: resgen_tool <data/tables folder> <output folder>.
#include "platform/core/files.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/resgen/engine_code_tables.h"
#include "tools/resgen/pinyin_tables.h"
#include "tools/resgen/variant_tables.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 2, 2, "<source folder> <output folder>")) return tools::kUsageExit;
  const std::string src = argv[1], dst = std::string(argv[2]) + "/";
  std::string variantsText, fayinText, error;
  if (!tools::readFile(src + "/chinese_variants.txt", variantsText) || !tools::readFile(src + "/fayin_hanzi.txt", fayinText)) {
    std::fprintf(stderr, "cannot read the sources in %s\n", src.c_str());
    return 1;
  }
  resgen::VariantSource variants;
  if (!resgen::buildVariantTables(variantsText, variants, error)) {
    std::fprintf(stderr, "chinese_variants.txt: %s\n", error.c_str());
    return 1;
  }
  resgen::PinyinTables pinyin;
  if (!resgen::buildPinyinTables(fayinText, pinyin, error)) {
    std::fprintf(stderr, "fayin_hanzi.txt: %s\n", error.c_str());
    return 1;
  }
  resgen::EngineCodeTables code = resgen::buildEngineCodeTables(variants.pairs);
  const resgen::ContextTableSet& st = variants.toTraditional;
  const resgen::ContextTableSet& ts = variants.toSimplified;
  const std::pair<const char*, const std::string*> files[] = {
      {"CWK_UNI.bin", &code.cwkUni}, {"CWH_UNI.bin", &code.cwhUni}, {"UNI_CWK.bin", &code.uniCwk},
      {"UNI_CWH.bin", &code.uniCwh}, {"PIN_NUM.bin", &pinyin.pinNum}, {"FAYIN_HANZI.bin", &pinyin.fayinHanzi},
      // The translator: simplified to traditional, then traditional to simplified.
      {"translator_TEXT_170.bin", &st.bitmap}, {"translator_TEXT_172.bin", &st.counts},
      {"translator_TEXT_166.bin", &st.patterns}, {"translator_TEXT_171.bin", &st.targets},
      {"translator_TEXT_173.bin", &st.records}, {"translator_TEXT_165.bin", &ts.bitmap},
      {"translator_TEXT_167.bin", &ts.counts}, {"translator_TEXT_169.bin", &ts.patterns},
      {"translator_TEXT_174.bin", &ts.targets}, {"translator_TEXT_168.bin", &ts.records},
      // The viewer: traditional to simplified for searching.
      {"viewer_TEXT_162.bin", &ts.bitmap}, {"viewer_TEXT_163.bin", &ts.counts},
      {"viewer_TEXT_164.bin", &ts.records}, {"viewer_TEXT_165.bin", &ts.patterns},
      {"viewer_TEXT_166.bin", &ts.targets},
  };
  for (const auto& [name, bytes] : files) {
    if (!tools::writeFile(dst + name, *bytes)) {
      std::fprintf(stderr, "cannot write %s%s\n", dst.c_str(), name);
      return 1;
    }
  }
  return 0;
}
