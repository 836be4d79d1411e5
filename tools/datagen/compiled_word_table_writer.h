// Writer of a keyed word table's compiled form (engine/common/compiled_word_table.h), written
// beside the table's text so that the engines start without converting its words.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/compiled_word_table.h"

namespace datagen {

// Every key's shape and words in engine code, as the engine loads them from the text.
using CompiledWordEntries = std::vector<dbcs::CompiledWordEntry>;

// The compiled form of `text` under the rules of `fingerprint`; empty when a key or a word is too
// long for its field (the engine then reads the text).
std::string writeCompiledWordTable(std::string_view text, std::uint64_t fingerprint, const CompiledWordEntries& entries);

}  // namespace datagen
