// Entry pages: a record body as HTML, with its links, read-aloud images and compounds; and the
// homograph choice page.
#include "apps/dictionary/entry_links.h"
#include "apps/dictionary/entry_text.h"
#include "apps/dictionary/viewer_session.h"
#include "engine/common/dbcs_text.h"
#include "platform/core/notify.h"

#include <new>

namespace dict {

namespace {

constexpr char16_t kBlackFont[] = u"<font color=black face=\"ＭＳ ゴシック\">";
constexpr char16_t kBlueFont[] = u"<font color=blue face=\"ZQ-GB Mincho\">";
constexpr char16_t kWave = u'～';
constexpr char16_t kEr = 0x513F;  // 儿
constexpr int kMaxCompounds = 8;
constexpr size_t kMaxSpokenHeadword = 20;

std::u16string pageStart(int fontSize) {
  std::u16string s = u"<html>\r\n<body scroll=no>\r\n<font size  =";
  s += static_cast<char16_t>(u'0' + (fontSize >= 0 && fontSize <= 9 ? fontSize : 3));
  s += u">\r\n";
  return s;
}

constexpr char16_t kPageEnd[] = u"</font></body>\r\n</html>\r\n";

bool holdsHanzi(std::u16string_view text) {
  for (char16_t c : text)
    if (isHanzi(c)) return true;
  return false;
}

// True when the bytes of a line hold "¶" (0x81F7) at a character boundary.
bool lineHoldsPilcrow(std::string_view line) {
  for (size_t i = 0; i < line.size();) {
    std::uint16_t c;
    int n = readChar(line.substr(i), c);
    if (c == 0x81F7) return true;
    i += static_cast<size_t>(n ? n : 1);
  }
  return false;
}

// Writes a record body as HTML. In the body, 0x0E and a letter switch the font (B, b: bold black;
// C, E: blue Chinese; J: black Japanese) and CR ends a line; each segment between them is written
// with its links. The blue Chinese after the first line is gathered sentence by sentence into
// read-aloud links.
class EntryBodyWriter {
 public:
  struct Headword {
    std::u16string_view text;         // the Chinese headword (Chinese-to-Japanese), for links
    std::u16string_view link;         // read-aloud text of the headword line; empty for none
    std::u16string_view waveReading;  // what ～ reads as in a sentence
    bool mayRead;                     // false: no sentence is read aloud
  };

  EntryBodyWriter(const ViewerSession& session, HtmlWriter& html, const PronunciationTables& pronunciation, bool cj,
                  Headword headword)
      : session_(session), html_(html), pronunciation_(pronunciation), cj_(cj), headword_(headword) {}

  // Writes the body; true when it points to its compounds (a ↓ in a Chinese-to-Japanese entry).
  bool write(std::string_view body) {
    body_ = body;
    startLine(0);
    size_t segment = 0;
    for (size_t i = 0; i < body.size();) {
      unsigned char c = static_cast<unsigned char>(body[i]);
      if (c == 0x0E) {
        char next = i + 1 < body.size() ? body[i + 1] : 0;
        finishSegment(body.substr(segment, i - segment), false, next);
        if (next) applyControl(next);
        i += next ? 2 : 1;
        segment = i;
      } else if (c == '\r') {
        finishSegment(body.substr(segment, i - segment), true, 0);
        if (cj_ && firstLine_ && !headword_.link.empty()) html_.writeHtml(readAloudLink(headword_.link));
        html_.writeHtml(u"<br>\r\n");
        firstLine_ = false;
        segment = ++i;
        startLine(i);
      } else {
        i += dbcs::charSize(body, i);
      }
    }
    if (segment < body.size()) finishSegment(body.substr(segment), false, 0);
    if (bold_) html_.writeHtml(u"</b>");
    return sawDownArrow_;
  }

  void switchFont(bool toBlue) {
    if (blue_ == toBlue) return;
    html_.writeHtml(u"</font>");
    html_.writeHtml(toBlue ? kBlueFont : kBlackFont);
    blue_ = toBlue;
  }

 private:
  void startLine(size_t at) {
    size_t cr = body_.find('\r', at);
    pilcrow_ = lineHoldsPilcrow(body_.substr(at, cr == std::string_view::npos ? std::string_view::npos : cr - at));
  }

  // Adds a sentence's hanzi and punctuation to the read-aloud text.
  void gather(std::u16string_view text) {
    for (char16_t c : text) {
      if (c == kWave) {
        reading_ += u'+';
        reading_ += headword_.waveReading;
        reading_ += u'+';
      } else if (c == kEr && !reading_.empty() && reading_.back() == u'+') {
        reading_.back() = kEr;  // joined to the syllable before it
        reading_ += u'+';
      } else if (isHanzi(c) || std::u16string_view(u",!?.;").find(c) != std::u16string_view::npos) {
        reading_ += c;
      }
    }
  }

  void finishSegment(std::string_view bytes, bool atLineEnd, char nextLetter) {
    std::string plain;
    for (char b : bytes)
      if (b != '\n') plain.push_back(b);
    std::u16string text = blue_ ? session_.fromChinese(plain) : session_.fromJapanese(plain);
    if (cj_ && text.find(u'↓') != std::u16string::npos) sawDownArrow_ = true;
    const bool speechPart = blue_ && !firstLine_;
    char16_t takenOff = 0;
    bool endsSentence = false;
    if (speechPart) {
      std::u16string_view marks = pilcrow_ ? u";." : u".;,";
      if (!text.empty() && marks.find(text.back()) != std::u16string_view::npos) {
        takenOff = text.back();
        text.pop_back();
        endsSentence = true;
      } else {
        endsSentence = atLineEnd || (nextLetter && std::string_view("bBJ").find(nextLetter) != std::string_view::npos);
      }
      gather(text);
    }
    writeSegmentText(text);
    if (endsSentence) {
      if (!reading_.empty() && headword_.mayRead) {
        if (reading_.back() == u'+') reading_.pop_back();
        if (!reading_.empty()) html_.writeHtml(readAloudLink(reading_));
      }
      reading_.clear();
      if (takenOff) html_.writeHtml(std::u16string_view(&takenOff, 1));
    }
  }

  // The segment's text, as a link where it names another entry.
  void writeSegmentText(const std::u16string& text) {
    std::u16string out;
    if (blue_ && letter_ == 'E' && holdsHanzi(text)) {
      html_.writeHtml(linkTo(hanziTarget(text, headword_.text), text));
    } else if (cj_ && ((!firstLine_ && linkBracketLine(text, pronunciation_, out)) ||
                       linkReferenceCj(text, headword_.text, out))) {
      html_.writeHtml(out);
    } else if (!cj_ && linkReferenceJc(text, out)) {
      html_.writeHtml(out);
    } else {
      html_.writeHtml(text);
    }
  }

  void applyControl(char c) {
    letter_ = c;
    switch (c) {
      case 'B':
      case 'b':
        switchFont(false);
        if (!bold_) html_.writeHtml(u"<b>");
        bold_ = true;
        break;
      case 'C':
      case 'E':
      case 'J':
        if (bold_) html_.writeHtml(u"</b>");
        bold_ = false;
        switchFont(c != 'J');
        break;
      default:
        break;
    }
  }

  const ViewerSession& session_;
  HtmlWriter& html_;
  const PronunciationTables& pronunciation_;
  const bool cj_;
  const Headword headword_;
  std::string_view body_;
  bool blue_ = false, bold_ = false, firstLine_ = true, sawDownArrow_ = false, pilcrow_ = false;
  char letter_ = 0;          // the last control letter
  std::u16string reading_;   // the sentence gathered for reading aloud
};

}  // namespace

void ViewerSession::renderHomographPage(int count, const std::u16string& hanzi,
                                        const std::vector<std::u16string>& pinyins) {
  html_.beginPage();
  html_.writeHtml(pageStart(fontSize));
  html_.writeHtml(kBlueFont);
  for (int k = 0; k < count && k < static_cast<int>(pinyins.size()); ++k) {
    std::u16string target = hanzi + u"-" + pinyins[static_cast<size_t>(k)];
    std::u16string text = u"【" + hanzi + u" " + pinyins[static_cast<size_t>(k)] + u"】";
    html_.writeHtml(linkTo(target, text));
    html_.writeHtml(u"<BR>\r\n");
  }
  html_.writeHtml(kPageEnd);
  html_.endPage();
  current().list.selected = -1;
  current().shownRecord = -1;
}

void ViewerSession::renderEntry(int line, bool fromUser, int size) {
  ResultsView& v = current();
  if (line < 0 || line >= static_cast<int>(v.entries.size())) return;
  const int d = direction;
  DictionaryEntry& entry = v.entries[static_cast<size_t>(line)];
  if (entry.recordNumber < 0) {
    // Restored from the word book or history: only the record number is kept, as the next one.
    if (!files_.openDirection(d)) return;
    DictionaryEntry read = entry;
    bool ok = files_.nextRecord(d, read) && files_.extractEntryText(read, d);
    files_.closeDirection(d);
    if (!ok) return;
    entry = std::move(read);
  }
  // A click on the entry shown, at the size shown, changes nothing.
  if (fromUser && entry.recordNumber == v.shownRecord && size == v.shownFontSize) return;
  v.shownRecord = entry.recordNumber;
  v.shownFontSize = size;
  if (view == kViewDictionary && addToHistory) addToHistory(d, entry);
  try {
    writeEntryPage(entry, d, size);
  } catch (const std::bad_alloc&) {
    files_.closeDirection(d);
    plat::messageBox(u"メモリ不足のため検索できません", u"日中・中日辞典", plat::kMbOk | plat::kMbIconExclamation);
    html_.beginPage();
    html_.endPage();
  }
}

void ViewerSession::writeEntryPage(const DictionaryEntry& entry, int d, int size) {
  const bool cj = d == kChineseToJapanese;
  html_.beginPage();
  html_.writeHtml(pageStart(size));
  html_.writeHtml(kBlackFont);

  // The headword, its pronunciation characters and its read-aloud text.
  const std::string hanziBytes = cj ? extractHanzi(entry, false) : std::string();
  const std::u16string headword = cj ? fromChinese(extractHanzi(entry, true)) : std::u16string();
  std::u16string spoken, headwordLink;
  int spokenStatus = -1;
  if (cj && headword.size() <= kMaxSpokenHeadword) {
    spokenStatus = pronunciationOf(tables_.pronunciation, fromChinese(extractPinyin(entry)), headword, spoken);
  }
  if (spokenStatus == 0) {
    headwordLink = spoken;
    for (char16_t& c : headwordLink)
      if (c == u' ') c = u'+';
  } else if (headword.size() > 1) {
    headwordLink = headword;
  }
  const std::u16string& waveReading = spokenStatus == 0 ? spoken : headword;
  const bool mayRead = spokenStatus != -2;

  EntryBodyWriter writer(*this, html_, tables_.pronunciation, cj, {headword, headwordLink, waveReading, mayRead});
  const bool sawDownArrow = writer.write(entry.body ? std::string_view(*entry.body) : std::string_view());
  if (sawDownArrow && !hanziBytes.empty()) {
    writer.switchFont(true);
    writeCompounds(entry, d, hanziBytes);
  }
  html_.writeHtml(kPageEnd);
  html_.endPage();
}

void ViewerSession::writeCompounds(const DictionaryEntry& entry, int d, const std::string& hanzi) {
  if (!files_.openDirection(d)) return;
  DictionaryEntry e = entry;
  for (int k = 0; k < kMaxCompounds && files_.nextRecord(d, e); ++k) {
    std::string h = extractHanzi(e, false);
    if (!std::string_view(h).starts_with(hanzi) || !files_.extractEntryText(e, d)) break;
    std::u16string target = converter_.decode(apptext::kEngineCodePage, std::to_string(e.recordNumber));
    target += u'-';
    target += fromChinese(h);
    html_.writeHtml(linkTo(target, listLine(e, d)));
    html_.writeHtml(u"<br>");
  }
  files_.closeDirection(d);
}

}  // namespace dict
