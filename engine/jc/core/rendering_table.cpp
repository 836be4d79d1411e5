#include "engine/jc/core/rendering_table.h"

#include "engine/common/keyed_word_table.h"

namespace jc {

namespace {

// Every key must be one of the schema's; word sizes are engine-code bytes.
constexpr dbcs::KeyedWordRules kRules = {
    .skipUnknownKeys = false, .sizeInCharacters = false, .emptyWordMalformsValue = false};

dbcs::KeyedWordRegistry& registry() {
  static dbcs::KeyedWordRegistry r(kRules);
  return r;
}

const dbcs::KeyedWords& find(std::string_view key) { return registry().entry(key); }

std::string refusalText(const dbcs::KeyedWordRefusal& r) {
  using dbcs::KeyedWordFault;
  if (r.fault == KeyedWordFault::kMissingKey) return "missing key " + r.key;
  std::string why;
  switch (r.fault) {
    case KeyedWordFault::kNoTab:
      why = "no TAB";
      break;
    case KeyedWordFault::kUnknownKey:
      why = "unknown key " + r.key;
      break;
    case KeyedWordFault::kKeyTwice:
      why = "key given twice: " + r.key;
      break;
    case KeyedWordFault::kWrongCount:
      why = r.key + " needs " + std::to_string(r.shape.count) + " words";
      break;
    case KeyedWordFault::kEmptyWord:
      why = r.key + " has an empty word";
      break;
    case KeyedWordFault::kNoEngineCode:
      why = "\"" + r.item + "\" has a character without an engine code";
      break;
    case KeyedWordFault::kWrongSize:
      why = r.key + ": \"" + r.item + "\" is " + std::to_string(r.size) + " bytes, the schema wants " +
            std::to_string(r.shape.minSize) + "-" + std::to_string(r.shape.maxSize);
      break;
    case KeyedWordFault::kUtf16Text:
      why = "the file is UTF-16; save it as UTF-8";
      break;
    case KeyedWordFault::kNotUtf8:
      why = "not valid UTF-8";
      break;
    case KeyedWordFault::kNulByte:
      why = "a NUL byte";
      break;
    case KeyedWordFault::kEmptyKey:
      why = "a value without its key";
      break;
    default:
      why = "unterminated bar list";
      break;
  }
  return "line " + std::to_string(r.line) + ": " + why;
}

}  // namespace

bool registerRenderingKeys(std::span<const RenderingKeySpec> specs) {
  std::vector<dbcs::WordKeyShape> shapes;
  for (const RenderingKeySpec& s : specs) shapes.push_back({s.key, s.count, s.minBytes, s.maxBytes});
  return registry().registerKeys(shapes);
}

std::vector<RenderingKeySpec> registeredRenderingKeys() {
  std::vector<RenderingKeySpec> out;
  for (const auto& [k, s] : registry().schema()) out.push_back({s.key, s.count, s.minSize, s.maxSize});
  return out;
}

const dbcs::KeyedWordRegistry& renderingTable() { return registry(); }

const std::vector<std::string>& renderings(std::string_view key) { return find(key).words; }

const std::string& rendering(std::string_view key) {
  static const std::string none;
  const dbcs::KeyedWords& l = find(key);
  return l.words.empty() ? none : l.words.front();
}

const std::string& renderingBarList(std::string_view key) { return find(key).barList; }

bool utf8ToEngineCode(std::string_view source, std::string& out) { return dbcs::tableWordToEngineCode(source, out); }

RenderingTableStatus loadRenderingTableText(std::string_view text, std::string* error) {
  dbcs::KeyedWordRefusal refusal;
  if (!registry().load(text, refusal)) {
    if (error) *error = refusalText(refusal);
    return kRenderingTableRefused;
  }
  return kRenderingTableLoaded;
}

RenderingTableStatus loadRenderingTable(std::string_view dataFolder, std::string* error) {
  std::string text, path;
  if (!dbcs::readKeyedWordFile(dataFolder, kRenderingTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kRenderingTableMissing;
  }
  return loadRenderingTableText(text, error);
}

RenderingTableStatus readRenderingTable(std::string_view dataFolder, dbcs::KeyedWordLoadPtr& out, std::string* error) {
  out.reset();
  std::string text, path;
  if (!dbcs::readKeyedWordFile(dataFolder, kRenderingTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kRenderingTableMissing;
  }
  dbcs::KeyedWordRefusal refusal;
  out = registry().parseWithCompiled(dataFolder, kRenderingTableFileName, text, refusal);
  if (!out) {
    if (error) *error = path + ": " + refusalText(refusal);
    return kRenderingTableRefused;
  }
  return kRenderingTableLoaded;
}

void useRenderingTable(const dbcs::KeyedWordLoadPtr& own) { registry().use(own); }

const dbcs::KeyedWordRegistry& renderingTableRegistry() { return registry(); }

void clearRenderingTable() { registry().clear(); }

unsigned renderingTableGeneration() { return registry().generation(); }

}  // namespace jc
