// Chinese renderings of the Japanese-to-Chinese rules, kept as data in the engine's data folder
// ("jcwords.txt") and checked against a schema that the rule families register.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/keyed_word_table.h"

namespace jc {

// One key of the compiled-in schema, named by rule family and label ("ruleKaOmou.E1").
// count: number of words (0 = any number, at least one); minBytes/maxBytes: engine-code bytes
// per word (maxBytes 0 = no upper bound).
struct RenderingKeySpec {
  const char* key;
  int count;
  int minBytes;
  int maxBytes;
};

// Each rule family registers its keys once (a static registrar in the family's source file).
// False when a key is already registered with another shape or a spec is malformed.
bool registerRenderingKeys(std::span<const RenderingKeySpec> specs);
inline bool registerRenderingKeys(const RenderingKeySpec* specs, int n) {
  return registerRenderingKeys(std::span<const RenderingKeySpec>(specs, n < 0 ? 0 : static_cast<std::size_t>(n)));
}
struct RenderingKeyRegistrar {
  explicit RenderingKeyRegistrar(std::span<const RenderingKeySpec> s) { registerRenderingKeys(s); }
  RenderingKeyRegistrar(const RenderingKeySpec* s, int n) { registerRenderingKeys(s, n); }
};

// Every registered key, sorted by key.
std::vector<RenderingKeySpec> registeredRenderingKeys();

// Words of a key in engine code (empty when not loaded); the single word of a one-word key;
// the words as a bar list "|a|b|c|".
const std::vector<std::string>& renderings(std::string_view key);
const std::string& rendering(std::string_view key);
const std::string& renderingBarList(std::string_view key);
// The table's words by slot, for keys held as handles.
const dbcs::KeyedWordRegistry& renderingTable();

inline constexpr const char* kRenderingTableFileName = "jcwords.txt";

enum RenderingTableStatus {
  kRenderingTableLoaded = 0,
  kRenderingTableMissing = 1,  // file absent or unreadable
  kRenderingTableRefused = 2,  // file breaks the schema
};

// An engine's own table, read from its data folder into `out` without touching any other load;
// null, with `error` (when given) saying why, when the file is missing or refused.
RenderingTableStatus readRenderingTable(std::string_view dataFolder, dbcs::KeyedWordLoadPtr& out,
                                        std::string* error = nullptr);
// Puts an engine's table in use for the rules (null: the standing table).
void useRenderingTable(const dbcs::KeyedWordLoadPtr& own);
// The registry of the renderings' keys (the card writer compiles the table against it).
const dbcs::KeyedWordRegistry& renderingTableRegistry();

// The standing table, read by programs and tests that hold no engine (loaded and put in use).
// Lines are "key<TAB>value", UTF-8; a value is one word or a bar list "|a|b|c|"; "\xHH" writes a
// raw byte; '#' starts a comment line. Every registered key must be present and no other.
// On refusal nothing of the file is kept and `error` (when given) says why.
RenderingTableStatus loadRenderingTable(std::string_view dataFolder, std::string* error = nullptr);
RenderingTableStatus loadRenderingTableText(std::string_view text, std::string* error = nullptr);
void clearRenderingTable();
// Changes whenever the table is loaded or cleared: a word resolved under one generation stays valid
// until the next.
unsigned renderingTableGeneration();

// UTF-8 text (with "\xHH" raw bytes) in engine code; false when a character has no engine code.
bool utf8ToEngineCode(std::string_view text, std::string& out);

}  // namespace jc
