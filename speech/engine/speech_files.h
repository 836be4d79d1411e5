// Names, sizes and index formulas of the speech data files, shared with their writers.
#pragma once
#include <cstdint>

namespace speech {

inline constexpr const char* kCzFile = "cz.dat";
inline constexpr const char* kPymFile = "pym.dat";
inline constexpr const char* kDyzFile = "dyz.dat";
inline constexpr const char* kDycFile = "dyc.dat";
inline constexpr const char* kSymbolFile = "symbol.dat";
inline constexpr const char* kSurnameFile = "Surname.dat";
inline constexpr const char* kHzpropFile = "hzprop.dat";
inline constexpr const char* kGbkFile = "gbk.dat";
inline constexpr const char* kUnicodeFile = "unicode.dat";
inline constexpr const char* kBig5File = "big5.dat";
inline constexpr const char* kSyllableDataFile = "spch4M.dat";
inline constexpr const char* kSyllableIndexFile = "spch4M.idx";
inline constexpr const char* kLetterDataFile = "Eng4M.dat";
inline constexpr const char* kLetterIndexFile = "Eng4M.idx";

inline constexpr std::uint32_t kCzRecordsStart = 2;
inline constexpr std::uint32_t kCzRecordSize = 6;
inline constexpr std::uint32_t kCzWordPoolStart = 40610;
inline constexpr std::uint32_t kSymbolOffsetsBytes = 416;
inline constexpr std::uint32_t kGbkEntries = 14357;
inline constexpr std::uint32_t kBig5Entries = 18932;
inline constexpr std::uint32_t kUnicodeDirectFirst = 0x4E00;
inline constexpr std::uint32_t kUnicodeDirectLast = 0x9FA5;
inline constexpr std::uint32_t kUnicodeDirectCount = kUnicodeDirectLast - kUnicodeDirectFirst + 1;  // 20,902
inline constexpr std::uint32_t kSyllableCodes = 2100;
inline constexpr std::uint32_t kSyllableIndexRecord = 5;
inline constexpr std::uint32_t kVariantRecord = 8;
inline constexpr std::uint32_t kMaxRecordingBytes = 12000;
inline constexpr std::uint16_t kPolyphoneFlag = 0x8000;
inline constexpr std::uint16_t kNoStandIn = 0xFFFF;

// Entry of a GBK character outside GB2312's double-byte area in gbk.dat; -1 for any other.
inline int gbkTableIndex(unsigned lead, unsigned trail) {
  if (lead >= 0x81 && lead <= 0xA0 && trail >= 0x40 && trail <= 0xFE) return static_cast<int>((lead - 0x81) * 191 + (trail - 0x40));
  if (lead >= 0xAA && lead <= 0xFE && trail >= 0x40 && trail <= 0xA0) return static_cast<int>(6112 + (lead - 0xAA) * 97 + (trail - 0x40));
  return -1;
}

// Entry of a Big5 character in big5.dat: leads 0x87-0xFE, each with the trails 0x40-0x7E and
// 0xA1-0xFE (157 places); the file's last 92 entries are spare. -1 for any other pair.
inline int big5TableIndex(unsigned lead, unsigned trail) {
  if (lead < 0x87 || lead > 0xFE) return -1;
  int column;
  if (trail >= 0x40 && trail <= 0x7E) {
    column = static_cast<int>(trail - 0x40);
  } else if (trail >= 0xA1 && trail <= 0xFE) {
    column = static_cast<int>(trail - 0xA1 + 63);
  } else {
    return -1;
  }
  return static_cast<int>(lead - 0x87) * 157 + column;
}

}  // namespace speech
