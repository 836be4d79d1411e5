#include "speech/engine/text_convert.h"

#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"

#include <cstring>
#include <new>
#include <string>

namespace speech {

namespace {

bool isGb2312Pair(unsigned lead, unsigned trail) { return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE; }
bool isGb2312Hanzi(std::uint16_t u) { return leadByte(u) >= 0xB0 && trailByte(u) > 0xA0; }

}  // namespace

bool convertUtf16Text(std::u16string_view text, std::vector<Unit>& out) {
  if (!ensureUnicodeTable()) return false;
  try {
    out.clear();
    out.reserve(text.size() + 1);
    for (char16_t c : text) {
      if (c == 0) break;
      Unit u = unicodeToInternal(c);
      out.push_back(u == 0 ? Unit{' '} : u);
    }
    out.push_back(0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool convertByteText(std::string_view bytes, int encoding, std::vector<Unit>& out) {
  bool big5 = encoding == kTextBig5;
  if (big5 && !ensureBig5Table()) return false;
  try {
    out.clear();
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != 0; ++i) {
      unsigned lead = static_cast<unsigned char>(bytes[i]);
      if (lead <= 0x80 || i + 1 >= bytes.size() || bytes[i + 1] == 0) {
        out.push_back(static_cast<Unit>(lead <= 0x80 ? lead : ' '));
        continue;
      }
      unsigned trail = static_cast<unsigned char>(bytes[++i]);
      Unit u = gbUnit(lead, trail);
      if (big5) {
        std::uint16_t s = big5StandIn(lead, trail);
        if (s != kNoStandIn) u = s;
      } else if (!isGb2312Pair(lead, trail)) {
        std::uint16_t s = gbkStandIn(lead, trail);
        if (s != kNoStandIn && isGb2312Hanzi(s)) u = s;
      }
      out.push_back(u);
    }
    out.push_back(0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool convertUtteranceText(const void* text, int encoding, std::vector<Unit>& out) {
  if (!text) return false;
  if (encoding == kTextUtf16) return convertUtf16Text(std::u16string_view(static_cast<const char16_t*>(text)), out);
  if (encoding == kTextGb || encoding == kTextGbk || encoding == kTextBig5)
    return convertByteText(static_cast<const char*>(text), encoding, out);
  return false;
}

}  // namespace speech
