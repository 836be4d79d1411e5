#include "tools/datagen/cj_scramble.h"
#include "engine/common/dbcs_text.h"

namespace datagen {
namespace {


}  // namespace

const char* cjScrambleKeyString(CjScrambleKey key) {
  switch (key) {
    case CjScrambleKey::Grammar: return "5,9,2,8,1,10,4,7,3,6";
    case CjScrambleKey::DicEntry: return "7,13,1,19,9,3,15,5,11,17";
    case CjScrambleKey::CjDicLine: return "6,14,20,2,18,10,4,16,8,12";
    case CjScrambleKey::ListLine: return "3,7,10,5,2,9,4,6,10,8";
    case CjScrambleKey::Record: return "4,8,1,5,5,3,9,2,7,4";
  }
  return "";
}

std::string scrambleAt(CjScrambleKey key, std::string_view plain, long fileOffset) {
  const char* k = cjScrambleKeyString(key);
  std::string out(plain);
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char add = static_cast<unsigned char>(k[(static_cast<unsigned long>(fileOffset) + i) % 10]);
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) + add);
  }
  return out;
}

bool scrambleLineFile(CjScrambleKey key, std::string_view plain, std::string& out, std::string* error) {
  out = scrambleAt(key, plain, 0);
  bool trail = false;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    unsigned char p = static_cast<unsigned char>(plain[i]);
    if (trail) {
      trail = false;
      continue;
    }
    if (dbcs::isLeadByte(p)) {
      trail = true;
      continue;
    }
    if (p != 0 && out[i] == 0) {
      if (error) *error = "byte at offset " + std::to_string(i) + " scrambles to zero";
      return false;
    }
  }
  return true;
}

std::string scrambleRecord(std::string_view record) { return scrambleAt(CjScrambleKey::Record, record, 0); }

}  // namespace datagen
