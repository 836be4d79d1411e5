// Fixture of the rule tests: the registered renderings filled with distinct synthetic words, and a
// sentence record built from the compact notation.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "engine/jc/test_support/jc_sentence_builder.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/core/tests/rendering_fill.h"

namespace jc {

class RuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(loadSyntheticRenderings(&error), kRenderingTableLoaded) << error;
  }
  void TearDown() override { clearRenderingTable(); }

  void build(const std::string& notation) {
    std::string error;
    ASSERT_TRUE(holder.build(notation, &error)) << error << "\n" << notation;
    s = holder.get();
  }
  // '1' for every live word 1..M, '0' for a consumed one.
  std::string live() const {
    std::string out;
    for (int i = 1; i <= s->lastMorpheme; ++i) out += s->targets[i].live ? '1' : '0';
    return out;
  }
  std::string slot(int node, int k) const { return std::string(targetSlot(s->targets[node], k)); }
  int source(int node, int k) const { return s->targets[node].slotSource[slotSourceEntry(k)]; }
  static std::string word(const char* key) { return rendering(key); }
  // UTF-8 text in engine code.
  static std::string ec(const char8_t* text) {
    std::string out;
    EXPECT_TRUE(utf8ToEngineCode(reinterpret_cast<const char*>(text), out));
    return out;
  }

  JcSentenceHolder holder;
  JcSentence* s = nullptr;
};

}  // namespace jc
