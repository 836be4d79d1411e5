// Open and Save of the main dialog: saved documents and imported text files.
#include <cstdio>
#include <string>

#include "apps/common/context_convert.h"
#include "apps/translator/documents.h"
#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/input_method.h"
#include "platform/core/notify.h"
#include "platform/ui/shell.h"

namespace orvale {
namespace {

constexpr char16_t kOpenFilter[] = u"Lindqvarファイル(*.lq)|*.lq|Unicode/Shift-JISテキスト(*.txt)|*.txt||";
constexpr char16_t kSaveFilter[] = u"Lindqvarファイル(*.lq)|*.lq||";
constexpr char16_t kSaveFailed[] = u"保存できませんでした";
constexpr char16_t kReadError[] = u" リードエラー ";
constexpr char16_t kImportFailed[] = u"テキストファイルの読み込みに失敗しました。";
// Bytes of an imported file that are no character were replaced (U+FFFD, or ・ in Shift-JIS).
constexpr char16_t kImportReplaced[] = u"文字として読めないバイトを置き換えました（「\uFFFD」または「・」）：";

bool endsWithTxt(const std::u16string& name) {
  if (name.size() < 4) return false;
  std::u16string tail = name.substr(name.size() - 4);
  for (char16_t& c : tail) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return tail == u".txt";
}

void reportReadError() {
  plat::messageBeep(plat::kMbIconExclamation);
  frameworkMessage(kReadError, plat::kMbOk);
}

}  // namespace

std::u16string& CTranslateDlg::japaneseText() { return japanesePaneId() == kIdSource ? sourceText : resultText; }
std::u16string& CTranslateDlg::chineseText() { return chinesePaneId() == kIdSource ? sourceText : resultText; }

void CTranslateDlg::OnOpen() {
  ui::FileDialogRequest r;
  r.owner = hwnd_;
  r.filter = kOpenFilter;
  auto path = ui::fileDialog(r);
  if (!path) return;
  if (endsWithTxt(*path)) {
    importText(*path);
  } else {
    loadDocument(*path);
  }
}

bool CTranslateDlg::saveDocument() {
  takeTexts();
  ui::FileDialogRequest r;
  r.owner = hwnd_;
  r.save = true;
  r.filter = kSaveFilter;
  r.fileName = defaultDocumentName(japaneseText());
  r.defaultExtension = u"lq";
  auto path = ui::fileDialog(r);
  plat::selectInputMethod(clsidJapaneseIM);
  if (!path) return false;
  std::FILE* f = plat::fileOpen(*path, "wb");
  if (!f) {
    frameworkMessage(kSaveFailed, plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  // Every write is checked: a full or stale card is reported, never taken for a saved document.
  const std::string image = documentImage(japaneseText(), chineseText(), readingText, app_.readingMode);
  const bool written = std::fwrite(image.data(), 1, image.size(), f) == image.size() && std::fflush(f) == 0;
  const bool closed = plat::fileClose(f) == 0;
  if (!written || !closed) {
    frameworkMessage(kSaveFailed, plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  return true;
}

bool CTranslateDlg::loadDocument(const std::u16string& path) {
  std::string bytes;
  if (!plat::readWholeFile(plat::wideToUtf8(path), bytes)) {
    reportReadError();
    return false;
  }
  sourceText.clear();
  resultText.clear();
  readingText.clear();
  DocumentTexts texts = splitDocument(bytes);
  if (app_.traditional) {
    apptext::toTraditional(app_.variantTables, texts.chinese);
  } else {
    apptext::toSimplified(app_.variantTables, texts.chinese);
  }
  japaneseText() = texts.japanese;
  chineseText() = texts.chinese;
  if (app_.readingMode >= 0 && app_.readingMode < 4) readingText = texts.readings[static_cast<std::size_t>(app_.readingMode)];
  showTexts();
  return true;
}

bool CTranslateDlg::importText(const std::u16string& path) {
  std::FILE* f = plat::fileOpen(path, "rb");
  const long size = f ? plat::fileSize(f) : -1;
  if (!f || size < 0) {
    if (f) plat::fileClose(f);
    reportReadError();
    return false;
  }
  resultText.clear();
  readingText.clear();
  sourceText.clear();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
  const bool failed = std::ferror(f) != 0;
  plat::fileClose(f);
  if (got < 2 && failed) {
    frameworkMessage(kImportFailed, plat::kMbOk);
    return false;
  }
  bytes.resize(got);
  std::size_t replaced = 0;
  sourceText = importedText(bytes, &replaced);
  showTexts();
  if (replaced > 0) {
    frameworkMessage(kImportReplaced + plat::utf8ToWide(std::to_string(replaced)) + u"か所", plat::kMbOk | plat::kMbIconExclamation);
  }
  return true;
}

}  // namespace orvale
