// Writer of the word dictionary cwcdic.dic (and its pinyin-path copy cwcdicp.dic): one scrambled
// line per entry, at the offset that the segmentation tries give as the word's value.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

// An entry is written from its second byte on: category letters, '\', then items such as
// "U[N]a[H]Z[12]" (engine code). Entries must not hold CR, LF or NUL.
// Returns the file; offsets receives each entry's offset, in order.
std::string cjDicEntryFile(const std::vector<std::string>& entries, std::vector<uint32_t>* offsets = nullptr);

// The scrambled bytes of one entry line placed at offset.
std::string cjDicEntryLine(std::string_view entry, uint32_t offset);

}  // namespace datagen
