// What the sample card takes from the engines: the registered word and rendering schemas and the
// compilers of the two tables against them, the CON_TBL_PDA table this program carries, and the recogniser's dictionary builder.
#pragma once
#include "engine/common/word_table.h"
#include "engine/jc/core/rendering_table.h"
#include "input/recogniser/recog_dictionary.h"
#include "platform/core/resources.h"
#include "tools/datagen/sample_card.h"
#include "tools/recogniser_dicgen/template_features.h"

namespace datagen {

inline SampleCardInputs engineCardInputs() {
  SampleCardInputs in;
  in.cjWordKeys = wordKeyShapes(cj::registeredWordKeys());
  // Renderings are declared in engine-code bytes; a hanzi takes two.
  for (const jc::RenderingKeySpec& s : jc::registeredRenderingKeys()) {
    in.jcRenderingKeys.push_back({s.key, s.count, (s.minBytes + 1) / 2, s.maxBytes / 2});
  }
  // Each table compiled against the registry the engine loads it with.
  auto compiler = [](const dbcs::KeyedWordRegistry& registry) {
    return [&registry](std::string_view text, std::uint64_t& fingerprint, CompiledWordEntries& entries) {
      fingerprint = registry.fingerprint();
      return registry.wordsByKey(text, entries);
    };
  };
  in.cjWordCompiler = compiler(cj::wordTable());
  in.jcRenderingCompiler = compiler(jc::renderingTableRegistry());
  in.conTblPda = std::string(plat::findResource("CONNECT", "CON_TBL_PDA").bytes());
  in.recogBuilder = [](std::string_view text, std::string& file, int& type, std::string* error) {
    return recog::dictionaryFromTemplates(text, file, type, error);
  };
  in.recogName = [](int type) { return recog::dictionaryFileName(type); };
  return in;
}

}  // namespace datagen
