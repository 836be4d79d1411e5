#include "engine/common/descramble.h"
#include "engine/common/dbcs_text.h"

namespace dbcs {
namespace {

// Only the first ten characters of each key string are used.
constexpr const char* kGrammarKey = "5,9,2,8,1,10,4,7,3,6";
constexpr const char* kDicEntryKey = "7,13,1,19,9,3,15,5,11,17";
constexpr const char* kCjDicKey = "6,14,20,2,18,10,4,16,8,12";
constexpr const char* kListKey = "3,7,10,5,2,9,4,6,10,8";
constexpr const char* kRecordKey = "4,8,1,5,5,3,9,2,7,4";

constexpr int kKeyLength = 10;

unsigned char descrambleByte(char& b, const char* key, int k) {
  b = static_cast<char>(static_cast<unsigned char>(b) - static_cast<unsigned char>(key[k]));
  return static_cast<unsigned char>(b);
}

std::size_t descrambleWalk(const char* key, char* buf, std::size_t len, long fileOffset, bool stopAtRawZero) {
  if (len == 0 || buf[0] == 0) {
    buf[0] = 0;
    return 0;
  }
  int k = static_cast<int>(fileOffset % kKeyLength);
  if (k < 0) k += kKeyLength;
  std::size_t i = 0;
  while (i < len) {
    unsigned char b = descrambleByte(buf[i], key, k);
    if (dbcs::isLeadByte(b)) {
      // The trail goes with its lead, whatever it turns into.
      ++i;
      k = (k + 1) % kKeyLength;
      if (i >= len) break;
      descrambleByte(buf[i], key, k);
    } else if (b == 0x0A || b == 0 || b == 0x0D) {
      buf[i] = 0;
      return i;
    }
    ++i;
    k = (k + 1) % kKeyLength;
    if (i < len && stopAtRawZero && buf[i] == 0) return i;
  }
  buf[len] = 0;
  return len;
}

void descrambleString(const char* key, std::string& buf, long fileOffset, bool stopAtRawZero,
                      std::size_t limit) {
  std::size_t len = buf.size() < limit ? buf.size() : limit;
  buf.resize(len + 1);
  std::size_t n = descrambleWalk(key, buf.data(), len, fileOffset, stopAtRawZero);
  buf.resize(n);
}

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1) / 2;

}  // namespace

std::size_t descrambleGrammarLine(char* buf, std::size_t len, long fileOffset) {
  return descrambleWalk(kGrammarKey, buf, len, fileOffset, true);
}
std::size_t descrambleCjDicLine(char* buf, std::size_t len, long fileOffset) {
  return descrambleWalk(kCjDicKey, buf, len, fileOffset, true);
}
std::size_t descrambleListLine(char* buf, std::size_t len, long fileOffset) {
  return descrambleWalk(kListKey, buf, len, fileOffset, true);
}
std::size_t descrambleDicEntry(char* buf, std::size_t len, long fileOffset) {
  if (len > kDicEntryReadSize) len = kDicEntryReadSize;
  return descrambleWalk(kDicEntryKey, buf, len, fileOffset, false);
}

void descrambleGrammarLine(std::string& buf, long fileOffset) {
  descrambleString(kGrammarKey, buf, fileOffset, true, kNoLimit);
}
void descrambleCjDicLine(std::string& buf, long fileOffset) {
  descrambleString(kCjDicKey, buf, fileOffset, true, kNoLimit);
}
void descrambleListLine(std::string& buf, long fileOffset) {
  descrambleString(kListKey, buf, fileOffset, true, kNoLimit);
}
void descrambleDicEntry(std::string& buf, long fileOffset) {
  descrambleString(kDicEntryKey, buf, fileOffset, false, kDicEntryReadSize);
}

void descrambleRecord(char* record, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) descrambleByte(record[i], kRecordKey, static_cast<int>(i % kKeyLength));
}

}  // namespace dbcs
