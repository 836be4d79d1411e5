#include "apps/translator/sentence_cut.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvale {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

bool isDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); }
bool isLetterOrDigit(char16_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// A mark between two letters or digits joins them (12.5, example.com, ?id=1): no sentence ends there.
bool joinsRun(std::u16string_view text, std::size_t i) {
  return i > 0 && i + 1 < text.size() && isLetterOrDigit(text[i - 1]) && isLetterOrDigit(text[i + 1]);
}

// Ideographs and kana: a closing bracket followed by one of these stays inside the sentence.
bool continuesSentence(char16_t c) {
  return (c >= 0x4E00 && c <= 0x9FA5) || (c >= 0xF900 && c <= 0xFA2D) || (c >= 0x3041 && c <= 0x30FF);
}

// Just after the first '.' that no digit follows and that joins no run.
std::size_t fullStopCut(std::u16string_view text) {
  for (std::size_t i = text.find(u'.'); i != kNone; i = text.find(u'.', i + 1)) {
    if ((i + 1 < text.size() && isDigit(text[i + 1])) || joinsRun(text, i)) continue;
    return i + 1;
  }
  return kNone;
}

// Before the earliest opening bracket (not the first character) whose closing bracket ends a phrase.
std::size_t bracketCut(std::u16string_view text) {
  static constexpr std::array<std::pair<char16_t, char16_t>, 6> kPairs = {
      {{u'(', u')'}, {u'[', u']'}, {u'（', u'）'}, {u'【', u'】'}, {u'《', u'》'}, {u'〔', u'〕'}}};
  std::size_t cut = kNone;
  for (const auto& [open, close] : kPairs) {
    const std::size_t o = text.find(open);
    if (o == kNone || o == 0) continue;
    const std::size_t c = text.find(close, o + 1);
    if (c == kNone) continue;
    if (c + 1 < text.size() && continuesSentence(text[c + 1])) continue;
    cut = std::min(cut, o);
  }
  return cut;
}

}  // namespace

std::size_t nextSentence(std::u16string_view text, std::u16string& piece) {
  const std::size_t n = text.size();
  const std::size_t stop = fullStopCut(text);
  const std::size_t maru = text.find(u'。');
  const std::size_t afterMaru = maru == kNone ? n : maru + 1;
  std::size_t end = (stop != kNone && stop < afterMaru) ? stop : afterMaru;
  const std::size_t bracket = bracketCut(text);
  if (bracket != kNone && bracket < end) end = bracket;
  for (char16_t mark : {u'?', u'？'}) {
    std::size_t q = text.find(mark);
    while (q != kNone && joinsRun(text, q)) q = text.find(mark, q + 1);
    if (q != kNone) end = std::min(end, q + 1);
  }
  piece.assign(text.substr(0, end));
  return end;
}

}  // namespace orvale
