// Example search over examples.dat and its result pages of 20 hits.
#include "apps/dictionary/entry_text.h"
#include "apps/dictionary/examples_file.h"
#include "apps/dictionary/viewer_session.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"

#include <algorithm>

namespace dict {

namespace {

constexpr char16_t kFontJapanese[] = u"<font color=black face=\"ＭＳ ゴシック\">";
constexpr char16_t kFontChinese[] = u"<font color=blue face=\"ZQ-GB Mincho\">";

// A katakana as its hiragana; every other character as it is.
std::uint16_t foldKana(std::uint16_t c) {
  if ((c >> 8) == 0x83) {
    unsigned t = c & 0xFF;
    unsigned h = t < 0x7F ? t + 0x5F : t + 0x5E;
    if (t >= 0x40 && h <= 0xF1) return static_cast<std::uint16_t>(0x8200 | h);
  }
  return c;
}

std::vector<std::uint16_t> foldedChars(std::string_view bytes) {
  std::vector<std::uint16_t> out;
  for (size_t i = 0; i < bytes.size();) {
    std::uint16_t c;
    int n = readChar(bytes.substr(i), c);
    out.push_back(foldKana(c));
    i += static_cast<size_t>(n ? n : 1);
  }
  return out;
}

bool isWordChar(std::uint16_t c) {
  unsigned lead = c >> 8;
  return lead == 0x82 || lead == 0x83 || lead >= 0x87;
}

std::string_view fieldOf(std::string_view line, int field) {
  for (int k = 0; k < field; ++k) {
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return {};
    line.remove_prefix(tab + 1);
  }
  return line.substr(0, line.find('\t'));
}

std::u16string numberText(long n) {
  std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

void ViewerSession::searchExamples(int page) {
  ResultsView& v = viewAt(direction, kViewExamples);
  const int d = direction;
  if (page <= 0) {
    // A new search: the words of the query.
    v.exampleWords.clear();
    const std::string query = converter_.encode(d == kChineseToJapanese ? apptext::kEngineCodePage : 932, searchBox);
    std::string word;
    for (size_t i = 0; i <= query.size();) {
      std::uint16_t c = 0;
      int n = i < query.size() ? readChar(std::string_view(query).substr(i), c) : 0;
      if (n == 2 && isWordChar(c)) {
        word.append(query, i, 2);
      } else {
        if (!word.empty() && v.exampleWords.size() < static_cast<size_t>(kMaxExampleWords))
          v.exampleWords.push_back(word);
        word.clear();
      }
      i += static_cast<size_t>(n ? n : 1);
    }
    v.hits.clear();
    v.hitCount = v.pageCount = 0;
    v.page = 1;
    v.scanFrom = 0;
    page = 1;
  }
  if (v.exampleWords.empty()) {
    html_.beginPage();
    html_.writeHtml(u"<HTML>\n<BODY>\n<font size=\"");
    html_.writeHtml(numberText(fontSize));
    html_.writeHtml(u"\">\n検索対象を入力してください。<BR>\n</BODY>\n</HTML>\n");
    html_.endPage();
    v.shownRecord = -1;
    return;
  }
  page = std::min(page, kMaxHits);  // a link's page number is any number
  const int target = std::min(std::max(page + 5, 10) * kHitsPerPage, kMaxHits);
  const bool ended = !v.hits.empty() && (v.hits.back() == kHitsFileEnd || v.hits.back() == kHitsLimit);
  if (v.hitCount < target && !ended) {
    if (!scanExamples(v, target)) return;
  }
  showExamplePage(page);
}

bool ViewerSession::checkExamplesFile() {
  examplesProblem.clear();
  if (!plat::pathExists(examplesPath)) return true;  // the search says so when it is asked
  std::string bytes, why;
  if (!plat::readWholeFile(examplesPath, bytes)) why = "cannot be read";
  else why = checkExamples(bytes);
  if (why.empty()) return true;
  examplesProblem = u"例文ファイルが壊れています。\n" + plat::utf8ToWide(examplesPath) + u"\n" + plat::utf8ToWide(why);
  plat::messageBox(examplesProblem, u"エラー", plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

bool ViewerSession::scanExamples(ResultsView& v, int target) {
  if (!examplesProblem.empty()) {
    plat::messageBox(examplesProblem, u"エラー", plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  std::FILE* f = plat::fileOpen(examplesPath, "rb");
  if (!f) {
    plat::messageBox(u"例文ファイルが見つかりません。", u"エラー", plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  if (!v.hits.empty() && v.hits.back() < 0) v.hits.pop_back();
  std::string chunk(kExampleChunk, '\0');
  std::int64_t marker = kHitsMayFollow;
  bool stop = false;
  // A matching line; at the limit the scan goes on only to learn whether more follow.
  auto onMatch = [&](std::uint32_t lineStart, std::uint32_t next) {
    if (v.hitCount == kMaxHits) {
      marker = kHitsLimit;
      stop = true;
      return;
    }
    v.hits.push_back(lineStart);
    ++v.hitCount;
    v.scanFrom = next;
    if (v.hitCount >= target && v.hitCount < kMaxHits) stop = true;
  };
  std::uint32_t position = v.scanFrom;
  while (!stop) {
    size_t got = readExamples(f, position, chunk.data(), chunk.size());
    if (got == 0) {
      marker = kHitsFileEnd;
      break;
    }
    const std::string_view bytes(chunk.data(), got);
    size_t at = 0;
    while (at < got && !stop) {
      size_t lf = bytes.find('\n', at);
      if (lf == std::string_view::npos && got == chunk.size()) {
        if (at > 0) break;  // the line is read whole with the next chunk
        // A line longer than a chunk: tested on its first chunk, the rest skipped.
        const bool matches = exampleLineMatches(bytes, v.exampleWords);
        std::uint32_t next = position + static_cast<std::uint32_t>(got);
        for (size_t n = got; n == chunk.size();) {
          n = readExamples(f, next, chunk.data(), chunk.size());
          size_t k = std::string_view(chunk.data(), n).find('\n');
          if (k != std::string_view::npos) {
            next += static_cast<std::uint32_t>(k + 1);
            break;
          }
          next += static_cast<std::uint32_t>(n);
        }
        if (matches) onMatch(position, next);
        at = next - position;
        break;
      }
      size_t end = lf == std::string_view::npos ? got : lf;
      size_t next = lf == std::string_view::npos ? got : lf + 1;
      if (exampleLineMatches(bytes.substr(at, end - at), v.exampleWords))
        onMatch(position + static_cast<std::uint32_t>(at), position + static_cast<std::uint32_t>(next));
      at = next;
    }
    position += static_cast<std::uint32_t>(at);
  }
  plat::fileClose(f);
  v.hits.push_back(marker);
  v.pageCount = (v.hitCount + kHitsPerPage - 1) / kHitsPerPage;
  return true;
}

bool ViewerSession::exampleLineMatches(std::string_view line, const std::vector<std::string>& words) const {
  const int d = direction == kChineseToJapanese ? 1 : 0;
  std::string_view field = fieldOf(line, d);
  // The field without markup and notes.
  std::string plain;
  std::string_view closer;
  for (size_t i = 0; i < field.size();) {
    std::uint16_t c;
    int n = readChar(field.substr(i), c);
    const size_t width = static_cast<size_t>(n ? n : 1);
    const std::string_view rest = field.substr(i);
    if (!closer.empty()) {
      if (rest.starts_with(closer)) {
        i += closer.size();
        closer = {};
      } else {
        i += width;
      }
      continue;
    }
    if (n == 1 && c == '<') {
      closer = ">";
      i += 1;
    } else if (rest.starts_with(noteOpen_[d])) {
      closer = noteClose_[d];
      i += noteOpen_[d].size();
    } else if (rest.starts_with(equalsOpen_[d])) {
      closer = equalsClose_[d];
      i += equalsOpen_[d].size();
    } else {
      plain.append(rest.substr(0, width));
      i += width;
    }
  }
  const std::vector<std::uint16_t> hay = foldedChars(plain);
  for (const std::string& word : words) {
    const std::vector<std::uint16_t> needle = foldedChars(word);
    if (std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) == hay.end()) return false;
  }
  return true;
}

std::string ViewerSession::readExampleLine(std::FILE* f, std::uint32_t position) const {
  std::string chunk(kExampleChunk, '\0');
  size_t got = readExamples(f, position, chunk.data(), chunk.size());
  chunk.resize(got);
  if (size_t lf = chunk.find('\n'); lf != std::string::npos) chunk.resize(lf);
  return chunk;
}

void ViewerSession::showExamplePage(int page) {
  ResultsView& v = viewAt(direction, kViewExamples);
  page = std::clamp(page, 1, std::max(1, v.pageCount));
  v.page = page;
  v.shownRecord = -1;
  html_.beginPage();
  html_.writeHtml(u"<HTML>\n<BODY>\n<font size=\"");
  html_.writeHtml(numberText(fontSize));
  html_.writeHtml(u"\">\n");
  if (v.hitCount == 0) {
    html_.writeHtml(u"該当する項目が見つかりませんでした。<BR>\n");
  } else {
    const int pages = v.pageCount;
    std::u16string bar;
    if (pages >= 2) {
      bar = u"<DIV align=center class=jp>";
      if (page > 1) bar += u"<A href=\"app:SETPAGE_" + numberText(page - 1) + u"\">前</A> ";
      int first = std::max(1, std::min(pages - 9, page - 4));
      int last = std::min(pages, std::max(first + 9, page + 5));
      for (int p = first; p <= last; ++p) {
        if (p == page) bar += u"[" + numberText(p) + u"] ";
        else bar += u"<A href=\"app:SETPAGE_" + numberText(p) + u"\">" + numberText(p) + u"</A> ";
      }
      if (page < pages) bar += u"<A href=\"app:SETPAGE_" + numberText(page + 1) + u"\">次</A> ";
      bar += u"</DIV>";
    }
    const int from = page * kHitsPerPage - (kHitsPerPage - 1);
    const int to = std::min(page * kHitsPerPage, v.hitCount);
    html_.writeHtml(u"<DIV align=center class=jp>検索結果中 " + numberText(from) + u" - " + numberText(to) +
                    u" 件を表示</DIV>\n");
    html_.writeHtml(bar);
    html_.writeHtml(u"<BR>");
    std::FILE* f = plat::fileOpen(examplesPath, "rb");
    for (int k = from; k <= to; ++k) {
      std::string line = f ? readExampleLine(f, static_cast<std::uint32_t>(v.hits[static_cast<size_t>(k - 1)])) : "";
      html_.writeHtml(kFontJapanese);
      html_.writeHtml(fromJapanese(fieldOf(line, 0)));
      html_.writeHtml(u"</font>｜");
      html_.writeHtml(kFontChinese);
      html_.writeHtml(fromChinese(fieldOf(line, 1)));
      html_.writeHtml(u"</font><BR>\n");
    }
    if (f) plat::fileClose(f);
    if (!v.hits.empty() && v.hits.back() == kHitsLimit)
      html_.writeHtml(u"<FONT color=red>検索結果が多すぎます。一部省略されました。</FONT>");
    if (pages >= 2) {
      html_.writeHtml(u"<BR>");
      html_.writeHtml(bar);
    }
  }
  html_.writeHtml(u"</BODY>\n</HTML>\n");
  html_.endPage();
}

}  // namespace dict
