#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/recogniser_errors.h"
#include "platform/core/files.h"
#include "recog_fixture.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

using namespace recog;

namespace {

// A written image read back through the loader.
datagen::RecogDictionaryImage smallImage() {
  datagen::RecogDictionaryImage img;
  img.sqrtTable = datagen::recogSqrtTable();
  for (std::size_t i = 0; i < img.matrix.size(); ++i) img.matrix[i] = static_cast<std::int8_t>(int(i % 255) - 127);
  img.sizePairs = {{0x82C2, 0x82C1}};
  img.companions = {{0x1001, 0x1002, 3}, {0x1003, 0x1004, 0}};
  img.substitutions = {{0x2001, 0x2002}};
  datagen::RecogClusterImage a, b;
  datagen::RecogVector v1{}, v2{}, v3{};
  for (int i = 0; i < 80; ++i) {
    v1[i] = static_cast<std::uint8_t>(100 + i % 7);
    v2[i] = static_cast<std::uint8_t>(100 + (i * 5) % 37);
    v3[i] = 255;
  }
  a.centroid = v1;
  a.members = {{0x1001, v1}, {0x1002, v2}};
  b.centroid = v3;
  b.members = {{0x1003, v3}};
  img.clusters = {a, b};
  return img;
}

int loadBytes(datagen::TempDevice& device, const std::string& bytes, int type, RecogDictionary& dict) {
  const char* name = dictionaryFileName(type);
  EXPECT_TRUE(device.write(std::string("\\") + name, bytes));
  return loadDictionary(type, dict);
}

TEST(RecogDictionary, WrittenBlocksReadBack) {
  datagen::TempDevice device;
  datagen::RecogDictionaryImage img = smallImage();
  RecogDictionary dict;
  ASSERT_EQ(loadBytes(device, datagen::writeRecogDictionary(img, 0), 0, dict), 0);
  EXPECT_EQ(plat::openFileCount("chujian.dic"), 0);
  EXPECT_EQ(dict.sqrtTable[900], 3000);
  EXPECT_EQ(dict.matrix[3], -124);
  ASSERT_EQ(dict.sizePairs.size(), 1u);
  EXPECT_EQ(dict.sizePairs[0].small, 0x82C1);
  ASSERT_EQ(dict.companions.size(), 2u);
  EXPECT_EQ(dict.companions[0].strokes, 3);
  EXPECT_EQ(dict.companions[1].companion, 0x1004);
  ASSERT_EQ(dict.substitutions.size(), 1u);
  EXPECT_EQ(dict.substitutions[0].replacement, 0x2002);
  ASSERT_EQ(dict.clusters.size(), 2u);
  EXPECT_EQ(dict.clusters[0].memberCount, 2);
  EXPECT_EQ(dict.clusters[1].centroid[0] + dict.clusters[1].offset[0], 255);

  // Members unpack to the values written, through their bit fields.
  std::uint16_t code = 0;
  std::array<int, kDimensions> values;
  ASSERT_TRUE(readMember(dict, dict.clusters[0], 1, code, values));
  EXPECT_EQ(code, 0x1002);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(values[i], img.clusters[0].members[1].second[i]) << i;
  ASSERT_TRUE(readMember(dict, dict.clusters[1], 0, code, values));
  EXPECT_EQ(values[79], 255);
  EXPECT_FALSE(readMember(dict, dict.clusters[1], 1, code, values));

  // Other types have no substitution block.
  ASSERT_EQ(loadBytes(device, datagen::writeRecogDictionary(img, 1), 1, dict), 0);
  EXPECT_TRUE(dict.substitutions.empty());
  EXPECT_EQ(dict.clusters.size(), 2u);
}

TEST(RecogDictionary, MissingOrTruncatedFilesAreRefused) {
  datagen::TempDevice device;
  RecogDictionary dict;
  EXPECT_EQ(loadDictionary(0, dict), kErrDictionaryOpen);
  EXPECT_EQ(loadDictionary(7, dict), kErrUnknownType);

  std::string full = datagen::writeRecogDictionary(smallImage(), 0);
  const std::size_t tables = 2000 + 10320;
  const std::size_t clusters = tables + 2 + 4 + 2 + 10 + 2 + 4;  // after the substitutions
  struct Cut {
    const char* name;
    std::size_t size;
    int expected;
  };
  const Cut cuts[] = {
      {"empty", 0, kErrTableBlocks},
      {"inside the square-root table", 1999, kErrTableBlocks},
      {"inside the matrix", 2000 + 5000, kErrTableBlocks},
      {"before the pair count", tables, kErrTableBlocks},
      {"inside a companion", tables + 6 + 2 + 7, kErrTableBlocks},
      {"before the substitutions", clusters - 6, kErrTableBlocks},
      {"before the cluster count", clusters, kErrClusterBlocks},
      {"inside a cluster record", clusters + 2 + 300, kErrClusterBlocks},
      {"before the member size", clusters + 2 + 2 * 252, kErrClusterBlocks},
      {"inside the members", full.size() - 1, kErrClusterBlocks},
  };
  for (const Cut& c : cuts) {
    SCOPED_TRACE(c.name);
    ASSERT_LT(c.size, full.size());
    EXPECT_EQ(loadBytes(device, full.substr(0, c.size), 0, dict), c.expected);
    EXPECT_TRUE(dict.clusters.empty());
    EXPECT_EQ(plat::openFileCount(), 0);
  }
  EXPECT_EQ(loadBytes(device, full, 0, dict), 0);
}

// A square-root table that no longer ascends is damaged: refused, as a cut table is.
TEST(RecogDictionary, ADamagedSquareRootTableIsRefused) {
  datagen::TempDevice device;
  RecogDictionary dict;
  const std::string full = datagen::writeRecogDictionary(smallImage(), 0);
  struct Damage {
    std::size_t at;
    char value;
  } damages[] = {{1, '\x7F'}, {158, '\x40'}, {1998, '\x00'}, {1999, '\x00'}};
  for (const Damage& d : damages) {
    std::string bad = full;
    bad[d.at] = d.value;
    EXPECT_EQ(loadBytes(device, bad, 0, dict), kErrTableBlocks) << d.at;
    EXPECT_TRUE(dict.clusters.empty());
  }
}

TEST(RecogDictionary, BrokenClusterBlocksAreRefused) {
  datagen::TempDevice device;
  RecogDictionary dict;
  datagen::RecogDictionaryImage img = smallImage();
  img.clusters.assign(256, img.clusters[1]);
  EXPECT_EQ(loadBytes(device, datagen::writeRecogDictionary(img, 2), 2, dict), kErrClusterBlocks);
  img.clusters.resize(255);
  EXPECT_EQ(loadBytes(device, datagen::writeRecogDictionary(img, 2), 2, dict), 0);

  std::string good = datagen::writeRecogDictionary(smallImage(), 2);
  const std::size_t record = 2000 + 10320 + 2 + 4 + 2 + 10 + 2;  // first cluster record (no substitutions)
  struct Patch {
    const char* name;
    std::size_t at;
    std::uint8_t value;
  };
  ASSERT_EQ(loadBytes(device, good, 2, dict), 0);
  const Patch patches[] = {
      {"member list past the block", record + 246, 0x10},  // position bit 20
      {"more members than the block holds", record + 241, 0x40},
      {"fields longer than the packed length", record + 248, 1},
      {"member size beyond the file", record + 2 * 252 + 3, 0x01},  // 16 MB claimed
  };
  for (const Patch& p : patches) {
    SCOPED_TRACE(p.name);
    std::string bad = good;
    bad[p.at] = static_cast<char>(p.value);
    EXPECT_EQ(loadBytes(device, bad, 2, dict), kErrClusterBlocks);
  }
  // A dimension may be wider than a byte while the packed length holds the fields.
  std::string wide = good;
  wide[record + 240] = 1;    // one member
  wide[record + 241] = 0;
  wide[record + 248] = 12;   // packed length
  wide[record + 160] = 12;   // first dimension 12 bits wide
  for (int i = 1; i < 80; ++i) wide[record + 160 + i] = 0;
  wide[record + 161] = 4;
  ASSERT_EQ(loadBytes(device, wide, 2, dict), 0);
  const Cluster& c = dict.clusters[0];
  const std::size_t at = c.position;
  ASSERT_LE(at + 14, dict.members.size());
  dict.members[at + 2] = 0xAB;
  dict.members[at + 3] = 0xC5;
  std::uint16_t code = 0;
  std::array<int, kDimensions> values{};
  ASSERT_TRUE(readMember(dict, c, 0, code, values));
  EXPECT_EQ(values[0], 0xABC + c.offset[0]);
  EXPECT_EQ(values[1], 0x5 + c.offset[1]);
}

}  // namespace
