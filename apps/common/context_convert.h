// Context-sensitive conversion of Chinese between simplified and traditional characters, driven
// by one table set per direction.
#pragma once
#include <string>
#include <string_view>

namespace apptext {

// One direction's tables, little-endian as carried in the resources.
struct ContextTables {
  std::string_view bitmap;    // 32-bit words over U+4E00..U+A1FF
  std::string_view counts;    // 16-bit set-bit counts before each word
  std::string_view targets;   // 16-bit per set bit: a character or 0xE000 + record
  std::string_view records;   // 10 bytes: four candidates, pattern offset in 16-bit units
  std::string_view patterns;  // head word, context characters; a head of 0 ends a list
};

enum class ContextDirection { kToTraditional, kToSimplified };

// Converts text in place up to its first zero unit; the length never changes.
void convertByContext(const ContextTables& tables, ContextDirection direction, std::u16string& text);

// The translator's pair of table sets.
struct VariantTables {
  ContextTables toTraditional;
  ContextTables toSimplified;
};

void toTraditional(const VariantTables& tables, std::u16string& text);
void toSimplified(const VariantTables& tables, std::u16string& text);

// The viewer's search conversion (traditional to simplified).
void contextToSimplified(const ContextTables& tables, std::u16string& text);

}  // namespace apptext
