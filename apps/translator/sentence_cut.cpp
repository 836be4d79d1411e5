#include "apps/translator/sentence_cut.h"

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

// Opening brackets and their closing ones.
constexpr std::array<std::pair<char16_t, char16_t>, 6> kBrackets = {
    {{u'(', u')'}, {u'[', u']'}, {u'（', u'）'}, {u'【', u'】'}, {u'《', u'》'}, {u'〔', u'〕'}}};

}  // namespace

std::size_t nextSentence(std::u16string_view text, std::u16string& piece) {
  // One walk from the start to the first cut: after 。, after a '.' that no digit follows and that
  // joins no run, after a question mark that joins no run, or before the first opening bracket of
  // its kind (not the first character) whose closing bracket ends a phrase. Looking no further
  // than the cut keeps a long text's cutting linear.
  const std::size_t n = text.size();
  std::array<bool, kBrackets.size()> opened{};
  std::size_t end = n;
  for (std::size_t i = 0; i < n && end == n; ++i) {
    const char16_t c = text[i];
    if (c == u'。') {
      end = i + 1;
    } else if (c == u'.') {
      if (!(i + 1 < n && isDigit(text[i + 1])) && !joinsRun(text, i)) end = i + 1;
    } else if (c == u'?' || c == u'？') {
      if (!joinsRun(text, i)) end = i + 1;
    } else {
      for (std::size_t k = 0; k < kBrackets.size(); ++k) {
        if (c != kBrackets[k].first || opened[k]) continue;
        opened[k] = true;  // only the first of its kind counts
        if (i == 0) break;
        const std::size_t close = text.find(kBrackets[k].second, i + 1);
        if (close != kNone && !(close + 1 < n && continuesSentence(text[close + 1]))) end = i;
        break;
      }
    }
  }
  piece.assign(text.substr(0, end));
  return end;
}

}  // namespace orvale
