#include "tools/datagen/compiled_word_table_writer.h"

#include "engine/common/compiled_word_table.h"

namespace datagen {

namespace {

void put(std::string& out, std::uint64_t v, int size) {
  for (int k = 0; k < size; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

}  // namespace

std::string writeCompiledWordTable(std::string_view text, std::uint64_t fingerprint, const CompiledWordEntries& entries) {
  std::string body;
  for (const dbcs::CompiledWordEntry& e : entries) {
    if (e.key.size() > 0xFFFF || e.words.size() > 0xFFFFFFFFu) return {};
    put(body, e.key.size(), 2);
    body += e.key;
    put(body, static_cast<std::uint32_t>(e.count), 4);
    put(body, static_cast<std::uint32_t>(e.minSize), 4);
    put(body, static_cast<std::uint32_t>(e.maxSize), 4);
    put(body, e.words.size(), 4);
    for (const std::string& w : e.words) {
      if (w.size() > 0xFFFF) return {};
      put(body, w.size(), 2);
      body += w;
    }
  }
  if (entries.size() > 0xFFFFFFFFu) return {};
  std::string out(dbcs::kCompiledWordTableMagic);
  put(out, dbcs::kCompiledWordTableVersion, 4);
  put(out, text.size(), 8);
  put(out, dbcs::wordTableHash(text), 8);
  put(out, fingerprint, 8);
  put(out, dbcs::wordTableHash(body), 8);
  put(out, entries.size(), 4);
  return out + body;
}

}  // namespace datagen
