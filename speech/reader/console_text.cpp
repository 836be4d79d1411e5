#include "speech/reader/console_text.h"

#include "platform/core/codepage.h"

namespace vocra {
namespace {

bool endsClause(char16_t c) {
  switch (c) {
    case u'。': case u'！': case u'？': case u'；': case u'，': case u'、': case u'.': case u'!':
    case u'?': case u';': case u',': case u'\n':
      return true;
    default:
      return false;
  }
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::vector<std::u16string_view> readingPieces(std::u16string_view text, std::size_t limit) {
  std::vector<std::u16string_view> pieces;
  while (!text.empty()) {
    std::size_t cut = text.size();
    if (cut > limit) {
      cut = limit;
      // Sentence ends first, then clause ends; only in the later half, so that pieces stay long.
      std::size_t best = 0;
      for (std::size_t i = limit; i > limit / 2; --i) {
        char16_t c = text[i - 1];
        if (c == u'。' || c == u'！' || c == u'？' || c == u'\n') { best = i; break; }
        if (!best && endsClause(c)) best = i;
      }
      if (best) {
        cut = best;
      } else if (isHighSurrogate(text[cut - 1])) {
        --cut;
      }
    }
    pieces.push_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
  return pieces;
}

bool hasReadableCharacter(std::u16string_view text) {
  for (char16_t c : text) {
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A)) return true;
    if ((c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == u'〇') return true;
  }
  return false;
}

bool consoleTextToWide(std::string_view bytes, std::u16string& out) {
  out = plat::utf8ToWide(bytes);
  // The decoder puts U+FFFD for each bad sequence: more of them than the text wrote means bad bytes.
  std::size_t written = 0, decoded = 0;
  for (std::size_t at = bytes.find("\xEF\xBF\xBD"); at != std::string_view::npos; at = bytes.find("\xEF\xBF\xBD", at + 3))
    ++written;
  for (char16_t c : out) decoded += c == 0xFFFD;
  return decoded == written;
}

}  // namespace vocra
