// Headword and pinyin search: the key from the query, the results list and its extension.
#include "apps/dictionary/entry_text.h"
#include "apps/dictionary/viewer_session.h"
#include "apps/common/resource_tables.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

#include <algorithm>
#include <new>

namespace dict {

namespace {

bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Digits go behind every other character, in their order; ASCII letters become capitals.
std::string digitsLastUpper(const std::string& key) {
  std::string rest, digits;
  for (size_t i = 0; i < key.size();) {
    std::uint16_t c;
    int n = readChar(std::string_view(key).substr(i), c);
    if (n == 1 && c >= '0' && c <= '9') {
      digits.push_back(static_cast<char>(c));
    } else if (n == 1 && c >= 'a' && c <= 'z') {
      rest.push_back(static_cast<char>(c - 32));
    } else {
      rest.append(key, i, static_cast<size_t>(n));
    }
    i += static_cast<size_t>(n);
  }
  if (!key.empty() && key[0] >= '0' && key[0] <= '9') {
    // A key that begins with a digit keeps its order.
    std::string upper = key;
    for (size_t i = 0; i < upper.size();) {
      std::uint16_t c;
      int n = readChar(std::string_view(upper).substr(i), c);
      if (n == 1 && c >= 'a' && c <= 'z') upper[i] = static_cast<char>(c - 32);
      i += static_cast<size_t>(n);
    }
    return upper;
  }
  return rest + digits;
}

bool onlySpaces(const std::string& key) {
  for (size_t i = 0; i < key.size();) {
    if (key[i] == ' ') {
      ++i;
    } else if (key.compare(i, 2, "\x81\x40") == 0) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

int defaultWidth(std::u16string_view text) {
  int w = 0;
  for (char16_t c : text) w += c < 0x80 ? 8 : 16;
  return w;
}

}  // namespace

bool loadViewerTables(ViewerTables& out) {
  return apptext::loadEngineCodeTables(out.engineCode) && apptext::loadViewerSearchTables(out.search) &&
         loadPronunciationTables(out.pronunciation);
}

void addSearchWord(std::vector<std::u16string>& list, const std::u16string& word) {
  list.erase(std::remove(list.begin(), list.end(), word), list.end());
  list.insert(list.begin(), word);
  if (list.size() > static_cast<size_t>(kMaxSearchWords)) list.resize(kMaxSearchWords);
}

ViewerSession::ViewerSession(DictionaryFiles& files, const ViewerTables& tables, HtmlSink& sink)
    : measureText(defaultWidth), files_(files), tables_(tables), converter_(tables.engineCode), html_(sink) {
  const unsigned codePages[2] = {932, apptext::kEngineCodePage};
  for (int d = 0; d < 2; ++d) {
    noteOpen_[d] = converter_.encode(codePages[d], u"〔");
    noteClose_[d] = converter_.encode(codePages[d], u"〕");
    equalsOpen_[d] = converter_.encode(codePages[d], u"（＝");
    equalsClose_[d] = converter_.encode(codePages[d], u"）");
  }
}

ResultsView& ViewerSession::viewAt(int d, int v) {
  return views_[d == kChineseToJapanese ? 1 : 0][static_cast<size_t>(std::clamp(v, 0, 5))];
}

std::u16string ViewerSession::fromJapanese(std::string_view bytes) const { return converter_.decode(932, bytes); }

std::u16string ViewerSession::fromChinese(std::string_view bytes) const {
  std::u16string text = converter_.decode(apptext::kEngineCodePage, bytes);
  lowerToneMarks(text);
  return text;
}

std::u16string ViewerSession::listLine(const DictionaryEntry& entry, int d) const {
  const std::string& text = entry.text ? *entry.text : std::string();
  return d == kJapaneseToChinese ? fromJapanese(text) : fromChinese(text);
}

std::string ViewerSession::prepareKey(std::u16string_view input, bool given, bool fromLink,
                                      std::u16string& boxText) const {
  std::u16string text(input);
  text.erase(std::find_if(text.begin(), text.end(), [](char16_t c) { return c < 0x20; }), text.end());
  if (text.size() > static_cast<size_t>(kMaxQueryLength)) text.resize(kMaxQueryLength);
  if (given) {
    size_t digits = 0;
    while (digits < text.size() && isAsciiDigit(text[digits])) ++digits;
    size_t dash = text.find(u'-');
    if (digits > 0 && dash == digits && fromLink) {
      boxText = text.substr(digits + 1);  // a direct record reference
    } else if (digits > 0 && dash == digits) {
      // Only links name records: a selected "3-4" or "100-0001" is text, its hyphens go.
      std::erase(text, u'-');
      boxText = text;
    } else {
      boxText = text.substr(0, dash);
    }
  } else {
    std::erase(text, u'-');
    boxText = text;
  }
  const bool chinese = direction == kChineseToJapanese;
  std::string key;
  if (chinese) {
    toSimplifiedForSearch(tables_.search, text);
    toSimplifiedForSearch(tables_.search, boxText);
    std::erase_if(text, [](char16_t c) { return c == u'…' || c == 0x2010 || c == u'－'; });
    lowerToneMarks(text);  // the dictionary's pinyin bytes are lower-case vowels
    std::u16string pinyin;
    if (!zhuyinToPinyin(pinyin, text)) {
      for (char16_t c : pinyin) key.push_back(static_cast<char>(c));
    } else {
      key = converter_.encode(apptext::kEngineCodePage, text);
    }
  } else {
    key = converter_.encode(932, text);
  }
  if (!fromLink) {
    if (chinese) key = tonePinyinToDigits(key);
    std::string half;
    normaliseToHalfWidth(key, half);
    key = digitsLastUpper(removeSpaces(half));
    // Hyphens that only became ASCII here (full-width, minus signs) go as typed ones do, up to
    // the first double-byte character: "１００－０００１" is the text 1000001.
    if (!key.empty() && key[0] >= '0' && key[0] <= '9') {
      const auto asciiEnd = std::find_if(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
      key.erase(std::remove(key.begin(), asciiEnd, '-'), asciiEnd);
    }
  }
  if (onlySpaces(key)) return {};
  return key;
}

int ViewerSession::searchHeadword(std::optional<std::u16string_view> text, bool fromUser, bool link) {
  try {
    return findAndFill(text, fromUser, link);
  } catch (const std::bad_alloc&) {
    files_.closeDirection(direction);
    plat::messageBox(u"メモリ不足のため検索できません", u"日中・中日辞典", plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
}

int ViewerSession::findAndFill(std::optional<std::u16string_view> text, bool fromUser, bool link) {
  const bool given = text.has_value();
  if (given || view == kViewHistory || view == kViewWordBook) view = kViewDictionary;
  if (!fromUser && view != kViewDictionary) return 0;
  std::u16string box;
  const bool fromLink = given && link;
  const std::string key = prepareKey(given ? *text : std::u16string_view(searchBox), given, fromLink, box);
  if (key.empty()) return 0;
  searchBox = box;
  ResultsView& v = current();
  v.searchWord = box;
  v.searchWordPending = !fromUser;
  if (fromUser) addSearchWord(v.searchWords, box);
  if (view == kViewExamples) {
    searchExamples(0);
    return 0;
  }

  const int d = direction;
  if (!files_.openDirection(d)) return 0;
  const int lineCount = std::max(v.list.visibleLines + 1, minimumLines);
  DictionaryEntry found;
  if (!files_.findEntry(d, key, found, fromLink) || !files_.extractEntryText(found, d)) {
    files_.closeDirection(d);
    // The list stays as it was; the page of the previous word goes, so that the miss shows.
    html_.beginPage();
    html_.endPage();
    v.shownRecord = -1;
    return 0;
  }
  v.entries.assign(1, found);
  const auto first = static_cast<unsigned char>(key[0]);
  v.indexOrder = d == kChineseToJapanese ? ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'))
                                         : dbcs::isLeadByte(first);
  v.topCursor = files_.cursor(d);

  if (d == kChineseToJapanese && key.find('-') == std::string::npos) {
    const std::string hanzi = extractHanzi(found, false);
    std::vector<std::string> pinyins = {extractPinyin(found)};
    files_.saveCursor(d);
    DictionaryEntry e;
    for (int step = 0; !hanzi.empty() && step < kMaxListLines && files_.nextIndexEntry(d, e); ++step) {
      if (extractHanzi(e, false) != hanzi) break;
      if (extractHeadwordLine(e).find("\x81\x63\x81\x63") != std::string::npos) continue;  // "……"
      pinyins.push_back(extractPinyin(e));
    }
    files_.restoreCursor(d);
    if (pinyins.size() >= 2 && fromUser) {
      files_.closeDirection(d);
      v.top = v.bottom = found;
      v.bottomCursor = v.topCursor;
      rebuildList(v, d);
      std::vector<std::u16string> shown;
      for (const std::string& p : pinyins) shown.push_back(fromChinese(p));
      renderHomographPage(static_cast<int>(shown.size()), fromChinese(hanzi), shown);
      return static_cast<int>(v.entries.size());
    }
  }

  DictionaryEntry e = found;
  while (static_cast<int>(v.entries.size()) < lineCount) {
    DictionaryEntry next = e;
    bool ok = v.indexOrder ? files_.nextIndexEntry(d, next) : files_.nextRecord(d, next);
    if (!ok || !files_.extractEntryText(next, d)) break;
    v.entries.push_back(next);
    e = std::move(next);
  }
  v.top = v.entries.front();
  v.bottom = v.entries.back();
  v.bottomCursor = files_.cursor(d);
  files_.closeDirection(d);
  rebuildList(v, d);
  if (fromUser) {
    v.list.selected = 0;
    v.list.topLine = 0;
    showSelectedEntry();
  }
  return static_cast<int>(v.entries.size());
}

void ViewerSession::rebuildList(ResultsView& v, int d) {
  v.list.lines.clear();
  v.list.horizontalExtent = 0;
  for (const DictionaryEntry& e : v.entries) {
    v.list.lines.push_back(listLine(e, d));
    v.list.horizontalExtent = std::max(v.list.horizontalExtent, measureText(v.list.lines.back()) + 5);
  }
  v.list.selected = -1;
  v.list.topLine = 0;
  v.shownRecord = -1;
}

bool ViewerSession::extendListAtTop() { return extendList(true); }
bool ViewerSession::extendListAtBottom() { return extendList(false); }

bool ViewerSession::extendList(bool atTop) {
  if (view != kViewDictionary) return false;
  ResultsView& v = current();
  if (v.entries.empty() || v.entries.size() >= static_cast<size_t>(kMaxListLines)) return false;
  const int d = direction;
  if (!files_.openDirection(d)) return false;
  DictionaryEntry e = atTop ? v.top : v.bottom;
  files_.setCursor(d, atTop ? v.topCursor : v.bottomCursor);
  bool ok = v.indexOrder ? (atTop ? files_.previousIndexEntry(d, e) : files_.nextIndexEntry(d, e))
                         : (atTop ? files_.previousRecord(d, e) : files_.nextRecord(d, e));
  ok = ok && files_.extractEntryText(e, d);
  if (ok) {
    std::u16string line = listLine(e, d);
    v.list.horizontalExtent = std::max(v.list.horizontalExtent, measureText(line) + 5);
    if (atTop) {
      v.entries.insert(v.entries.begin(), e);
      v.list.lines.insert(v.list.lines.begin(), std::move(line));
      if (v.list.selected >= 0) ++v.list.selected;
      v.top = e;
      v.topCursor = files_.cursor(d);
    } else {
      v.entries.push_back(e);
      v.list.lines.push_back(std::move(line));
      v.bottom = e;
      v.bottomCursor = files_.cursor(d);
    }
  }
  files_.closeDirection(d);
  return ok;
}

void ViewerSession::showSelectedEntry() {
  ResultsView& v = current();
  if (v.list.selected < 0 || v.list.selected >= static_cast<int>(v.entries.size())) return;
  renderEntry(v.list.selected, true, fontSize);
  if (v.searchWordPending) {
    addSearchWord(v.searchWords, v.searchWord);
    v.searchWordPending = false;
  }
}

}  // namespace dict
