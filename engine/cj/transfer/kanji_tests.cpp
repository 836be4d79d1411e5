#include "engine/cj/transfer/kanji_tests.h"

#include "engine/cj/transfer/jp_text.h"

namespace cj {
namespace {

constexpr std::size_t kReplaceLimit = 299;

std::string_view unitAt(std::string_view text, std::size_t i) { return text.substr(i, 2); }

bool isLinkUnit(std::string_view u) { return u == "の" || u == "な"; }

// Kanji, optionally joined by の or な, over the units of body; true when it ends on a kanji.
bool isKanjiCompound(std::string_view body) {
  if (body.size() < 2 || body.size() % 2 != 0 || !isKanji(unitAt(body, 0))) return false;
  bool lastKanji = true;
  for (std::size_t i = 2; i < body.size(); i += 2) {
    std::string_view u = unitAt(body, i);
    if (isKanji(u)) {
      lastKanji = true;
    } else if (isLinkUnit(u) && lastKanji) {
      lastKanji = false;
    } else {
      return false;
    }
  }
  return lastKanji;
}

}  // namespace

bool isKanji(std::string_view unit) {
  if (unit.size() < 2) return false;
  unsigned k = static_cast<unsigned char>(unit[0]) << 8 | static_cast<unsigned char>(unit[1]);
  return (k >= 0x889F && k < 0xEA9F) || (k >= 0xFA50 && k < 0xFAFD) || (k >= 0xFB40 && k < 0xFBC0);
}

int isKanjiSuru(std::string_view text) {
  if (text.size() < 8 || !textEndsWith(text, "する")) return 0;
  return isKanjiCompound(text.substr(0, text.size() - 4)) ? 1 : 0;
}

int isKanjiWoSuru(std::string_view text) {
  if (text.size() < 8 || !textEndsWith(text, "をする")) return 0;
  return isKanjiCompound(text.substr(0, text.size() - 6)) ? 1 : 0;
}

int isObjectKanjiSuru(std::string_view text) {
  if (text.size() < 12 || !textEndsWith(text, "する")) return 0;
  std::string_view body = text.substr(0, text.size() - 4);
  if (body.size() % 2 != 0) return 0;
  int state = 1;
  int count = 0;
  for (std::size_t i = 0; i < body.size(); i += 2) {
    std::string_view u = unitAt(body, i);
    bool kanji = isKanji(u);
    switch (state) {
      case 1:
        if (!kanji) return 0;
        state = 2;
        break;
      case 2:
        if (kanji) break;
        if (isLinkUnit(u)) state = 3;
        else if (u == "を") state = 4;
        else return 0;
        break;
      case 3:
        if (!kanji) return 0;
        state = 2;
        break;
      case 4:
        if (!kanji) return 0;
        ++count;
        state = 5;
        break;
      case 5:
        if (kanji) {
          ++count;
        } else if (isLinkUnit(u)) {
          ++count;
          state = 6;
        } else {
          return 0;
        }
        break;
      case 6:
        if (!kanji) return 0;
        ++count;
        state = 5;
        break;
    }
  }
  return state == 5 && (count == 2 || count == 4 || count == 6 || count == 8) ? 1 : 0;
}

void replaceFirst(std::string& text, std::string_view from, std::string_view to) {
  if (text.size() >= kReplaceLimit) return;
  std::size_t at = findAtBoundary(text, from);
  if (at == std::string::npos) return;
  if (text.size() - from.size() + to.size() >= kReplaceLimit) return;
  text.replace(at, from.size(), to);
}

}  // namespace cj
