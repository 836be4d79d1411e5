// The compiled forms of the two word tables that the card writer puts beside their texts: the
// engines read back from them exactly what the texts give, and read the text wherever a compiled
// form is not of that text, not of their keys or damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/common/compiled_word_table.h"
#include "engine/common/word_table.h"
#include "engine/jc/core/rendering_table.h"
#include "platform/core/files.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/compiled_word_table_writer.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

struct Table {
  const char* name;
  const dbcs::KeyedWordRegistry& registry;
  std::string folder;
};

void expectSameLoad(const dbcs::KeyedWordLoad& a, const dbcs::KeyedWordLoad& b, const char* what) {
  ASSERT_EQ(a.slots.size(), b.slots.size()) << what;
  for (std::size_t k = 0; k < a.slots.size(); ++k) {
    EXPECT_EQ(a.slots[k].words, b.slots[k].words) << what << " slot " << k;
    EXPECT_EQ(a.slots[k].barList, b.slots[k].barList) << what << " slot " << k;
    EXPECT_EQ(a.slots[k].plainBars, b.slots[k].plainBars) << what << " slot " << k;
    EXPECT_EQ(a.slots[k].members.size(), b.slots[k].members.size()) << what << " slot " << k;
  }
}

TEST(CompiledWordTables, ReadBackAsTheTextAndRefusedWhenTheyDoNotFit) {
  datagen::TempDevice device;
  std::string error;
  ASSERT_TRUE(datagen::writeSampleCard(kSample, device.card(), datagen::engineCardInputs(), nullptr, &error)) << error;
  const Table tables[] = {{"cjwords.txt", cj::wordTable(), datagen::cjDataFolder(device.card())},
                          {"jcwords.txt", jc::renderingTableRegistry(), datagen::jcDataFolder(device.card())}};
  for (const Table& t : tables) {
    std::string text, compiled;
    ASSERT_TRUE(plat::readWholeFile(t.folder + t.name, text)) << t.name;
    ASSERT_TRUE(plat::readWholeFile(t.folder + dbcs::compiledWordTableName(t.name), compiled)) << t.name;
    dbcs::KeyedWordRefusal refusal;
    const dbcs::KeyedWordLoadPtr parsed = t.registry.parse(text, refusal);
    ASSERT_TRUE(parsed) << t.name;
    const dbcs::KeyedWordLoadPtr read = t.registry.readCompiled(text, compiled);
    ASSERT_TRUE(read) << t.name;
    expectSameLoad(*parsed, *read, t.name);
    EXPECT_NE(parsed->generation, read->generation);
    // The engine's own reading of the folder takes the compiled form.
    const dbcs::KeyedWordLoadPtr loaded = t.registry.parseWithCompiled(t.folder, t.name, text, refusal);
    ASSERT_TRUE(loaded);
    expectSameLoad(*parsed, *loaded, t.name);

    // Not of this text: one byte of the text changed, or the text cut.
    std::string edited = text;
    edited[edited.size() / 2] ^= 0x01;
    EXPECT_FALSE(t.registry.readCompiled(edited, compiled)) << t.name;
    EXPECT_FALSE(t.registry.readCompiled(text.substr(0, text.size() - 1), compiled)) << t.name;
    // Damaged: every cut, and a flipped byte in the header and in the body.
    for (std::size_t cut : {std::size_t{0}, std::size_t{3}, dbcs::kCompiledWordTableHeaderSize, compiled.size() / 2,
                            compiled.size() - 1})
      EXPECT_FALSE(t.registry.readCompiled(text, compiled.substr(0, cut))) << t.name << " cut at " << cut;
    for (std::size_t at : {std::size_t{5}, std::size_t{30}, dbcs::kCompiledWordTableHeaderSize + 1, compiled.size() - 1}) {
      std::string damaged = compiled;
      damaged[at] ^= 0x20;
      EXPECT_FALSE(t.registry.readCompiled(text, damaged)) << t.name << " byte " << at;
    }
    EXPECT_FALSE(t.registry.readCompiled(text, compiled + "x")) << t.name;

    // Not of these keys: a key missing, or one with another shape; the writer's output as such is
    // read back whole.
    std::uint64_t fingerprint = 0;
    datagen::CompiledWordEntries entries;
    fingerprint = t.registry.fingerprint();
    ASSERT_TRUE(t.registry.wordsByKey(text, entries));
    EXPECT_EQ(datagen::writeCompiledWordTable(text, fingerprint, entries), compiled) << t.name;
    datagen::CompiledWordEntries fewer(entries.begin() + 1, entries.end());
    EXPECT_FALSE(t.registry.readCompiled(text, datagen::writeCompiledWordTable(text, fingerprint, fewer))) << t.name;
    datagen::CompiledWordEntries reshaped = entries;
    reshaped.back().maxSize += 1;
    EXPECT_FALSE(t.registry.readCompiled(text, datagen::writeCompiledWordTable(text, fingerprint, reshaped))) << t.name;
    EXPECT_FALSE(t.registry.readCompiled(text, datagen::writeCompiledWordTable(text, fingerprint + 1, entries))) << t.name;
    // A key this program does not register: a table that skips such keys reads the rest, one that
    // refuses them reads the text.
    datagen::CompiledWordEntries more = entries;
    more.push_back({"unregistered.key", 1, 1, 4, {"x"}});
    const bool skips = std::string(t.name) == "cjwords.txt";
    EXPECT_EQ(t.registry.readCompiled(text, datagen::writeCompiledWordTable(text, fingerprint, more)) != nullptr, skips)
        << t.name;

    // A damaged compiled form beside the text: the text is read, with the same words.
    ASSERT_TRUE(plat::writeWholeFile(t.folder + dbcs::compiledWordTableName(t.name), compiled.substr(0, 40)));
    const dbcs::KeyedWordLoadPtr fallback = t.registry.parseWithCompiled(t.folder, t.name, text, refusal);
    ASSERT_TRUE(fallback) << t.name;
    expectSameLoad(*parsed, *fallback, t.name);
    // A text the schema refuses is refused, whatever stands beside it.
    ASSERT_TRUE(plat::writeWholeFile(t.folder + dbcs::compiledWordTableName(t.name), compiled));
    EXPECT_FALSE(t.registry.parseWithCompiled(t.folder, t.name, "no tab here\n", refusal)) << t.name;
    EXPECT_NE(refusal.fault, dbcs::KeyedWordFault::kNone) << t.name;
  }
}

}  // namespace
