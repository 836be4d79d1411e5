// The Translate command and the reading pane: pieces, lines, the engines' input codes, the check
// files, and the reading modes.
#include <string>

#include "apps/common/context_convert.h"
#include "apps/translator/jc_engine_link.h"
#include "apps/translator/line_reading.h"
#include "apps/translator/sentence_cut.h"
#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "engine/common/code_convert.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/input_method.h"
#include "platform/core/notify.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"

namespace orvale {
namespace {

constexpr char16_t kReinitFailed[] = u"翻訳初期化に失敗しました。いったん終了してください";
constexpr char16_t kTranslationFailed[] = u"翻訳に失敗しました";
constexpr char16_t kCrLf[] = u"\r\n";
constexpr char16_t kCarriedCharacters[] = u"次の文字は翻訳できないため、そのまま残しました：";

// The lines of a piece, cut at each CR LF (the last one may be empty).
std::vector<std::u16string_view> linesOf(std::u16string_view piece) {
  std::vector<std::u16string_view> lines;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = piece.find(kCrLf, from);
    if (at == std::u16string_view::npos) {
      lines.push_back(piece.substr(from));
      return lines;
    }
    lines.push_back(piece.substr(from, at - from));
    from = at + 2;
  }
}

}  // namespace

bool CTranslateDlg::keepCheckFilesAlive() {
  // Only a check file that is open and cannot be repositioned tells of a stale card.
  // A file missing from the start tells of no stale card; one lost to it is tried again.
  if (app_.cjCheckFile ? plat::fileSeek(app_.cjCheckFile, 0, SEEK_SET) != 0 : app_.cjCheckLost) {
    if (app_.cjCheckFile) plat::fileClose(app_.cjCheckFile);
    app_.cjCheckFile = nullptr;
    if (cj::restartCjEngine(*app_.cjEngine) != 0) return false;
    app_.cjCheckFile = plat::fileOpen(app_.cjCheckPath, "rt");
    app_.cjCheckLost = !app_.cjCheckFile;
  }
  if (app_.direction != kJapaneseToChinese) return true;
  if (app_.jcCheckFile ? plat::fileSeek(app_.jcCheckFile, 0, SEEK_SET) != 0 : app_.jcCheckLost) {
    app_.closeJcCheckFile();
    if (app_.jcEngine.parser.terminateJpnParse && app_.parserInitialised) app_.jcEngine.parser.terminateJpnParse();
    app_.parserInitialised = false;
    if (!app_.startJapaneseSide()) return false;
    reloadJp2CwTable(app_.jcEngine.analyzer.get());
    app_.openJcCheckFile(false);
    app_.jcCheckLost = !app_.jcCheckFile;
  }
  return true;
}

void CTranslateDlg::showFromStart(plat::Hwnd pane, const std::u16string& text) {
  // A new result is read from its start: caret and view at the first line.
  ui::setWindowText(pane, text);
  ui::editSetSel(pane, 0, 0);
  const auto first = static_cast<int>(plat::sendMessage(pane, ui::kEmGetFirstVisibleLine, 0, 0));
  if (first > 0) plat::sendMessage(pane, ui::kEmLineScroll, 0, -first);
  ui::invalidate(pane);
}

void CTranslateDlg::showPaneTexts() {
  showFromStart(item(kIdResult), resultText);
  showFromStart(item(kIdReading), readingText);
}

void CTranslateDlg::appendToPanes(std::u16string_view resultPart, std::u16string_view readingPart) {
  // resultText and readingText already end in these parts. The panes are given what they lack
  // when a new line begins (the line before it is whole) or a quarter second after they last
  // grew: adding each sentence to one long line laid the whole line out again per sentence.
  constexpr auto kShowEvery = std::chrono::milliseconds(250);
  const bool newLine = resultPart.find(u'\n') != std::u16string_view::npos || readingPart.find(u'\n') != std::u16string_view::npos;
  const auto now = std::chrono::steady_clock::now();
  if (!newLine && now - lastShown_ < kShowEvery) return;
  lastShown_ = now;
  const std::pair<plat::Hwnd, const std::u16string*> panes[] = {{item(kIdResult), &resultText}, {item(kIdReading), &readingText}};
  for (int k = 0; k < 2; ++k) {
    const auto [pane, text] = panes[k];
    if (shownLengths_[k] >= text->size()) continue;
    ui::editSetSel(pane, static_cast<int>(shownLengths_[k]), -1);
    ui::editReplaceSel(pane, std::u16string_view(*text).substr(shownLengths_[k]));
    shownLengths_[k] = text->size();
  }
}

void CTranslateDlg::OnTranslate() {
  if (translating_) return;  // one run at a time
  takeTexts();
  plat::setWaitCursor(true);
  plat::setInputPanelShown(false);
  resultText.clear();
  readingText.clear();
  ui::setWindowText(item(kIdResult), resultText);
  ui::setWindowText(item(kIdReading), readingText);
  shownLengths_[0] = shownLengths_[1] = 0;
  lastShown_ = std::chrono::steady_clock::now();
  giveReadingPaneFont();

  const auto [selStart, selEnd] = ui::editGetSel(item(kIdSource));
  std::u16string text = sourceText;
  if (selStart < selEnd && static_cast<std::size_t>(selEnd) <= sourceText.size())
    text = sourceText.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selEnd - selStart));

  translating_ = true;
  int lastResult = 0;
  std::u16string carried;
  std::u16string_view rest = text;
  std::u16string piece;
  bool ended = false;
  while (!rest.empty() && !ended) {
    if (!ui::pumpOnce() || closed_) break;
    rest.remove_prefix(nextSentence(rest, piece));
    const bool chinese = app_.direction == kChineseToJapanese;
    if (chinese && app_.traditional) apptext::toSimplified(app_.variantTables, piece);
    bool first = true;
    for (std::u16string_view lineText : linesOf(piece)) {
      std::u16string line(lineText), translation, reading;
      if (!line.empty()) {
        if (!keepCheckFilesAlive()) {
          plat::messageBeep(plat::kMbIconInformation);
          frameworkMessage(kReinitFailed, plat::kMbOk | plat::kMbIconStop);
          ui::setFocus(item(kIdSource));
          ended = true;
          break;
        }
        // Runs that are not words and characters the engine cannot hold stay whole at their places,
        // by the console drivers' rule.
        lastResult = dbcs::translateAround(
            line,
            [&](char16_t c) { return chinese ? cj::engineHoldsChineseChar(app_.cjEngine->tables, c) : jc::engineHoldsJapaneseChar(c); },
            [&](std::u16string_view run, std::u16string& part) {
              if (!chinese) return translateJapaneseLine(app_, plat::wideToMultiByte(932, run), part);
              const int result = cj::translateChineseLine(*app_.cjEngine, run, part);
              carried += app_.cjEngine->unwrittenHanzi;
              app_.cjEngine->unwrittenHanzi.clear();
              return result;
            },
            translation, carried, chinese,
            [&](char16_t c) { return !chinese && jc::kanjiLacksChineseCode(c); });
      }
      if (chinese) {
        readingOfLine(app_, line, reading);
      } else {
        if (app_.traditional) apptext::toTraditional(app_.variantTables, translation);
        readingOfLine(app_, translation, reading);
        if (app_.traditional) apptext::toTraditional(app_.variantTables, translation);
      }
      // Each line is added to what the panes show; setting their whole texts per line made a
      // long text's translation quadratic.
      if (!first) {
        translation.insert(0, kCrLf);
        reading.insert(0, kCrLf);
      }
      first = false;
      resultText += translation;
      readingText += reading;
      appendToPanes(translation, reading);
    }
  }
  translating_ = false;
  // Once at the end, as the panes stood after their last line: the whole texts, scrolled to it.
  if (!closed_) showPaneTexts();
  if (ended || closed_) {
    plat::setWaitCursor(false);
    return;
  }
  if (!carried.empty()) frameworkMessage(kCarriedCharacters + carried, plat::kMbOk | plat::kMbIconInformation);
  if (lastResult != 0) {
    plat::messageBeep(plat::kMbIconExclamation);
    frameworkMessage(kTranslationFailed, plat::kMbOk);
  }
  plat::setWaitCursor(false);
  plat::messageBeep(plat::kMbOk);
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::refreshReading() {
  takeTexts();
  std::u16string chinese = chinesePaneId() == kIdSource ? sourceText : resultText;
  giveReadingPaneFont();
  if (chinese.empty()) return;
  plat::setWaitCursor(true);
  readingText.clear();
  ui::setWindowText(item(kIdReading), readingText);
  // Only the reading pane grows: the result pane counts as shown.
  shownLengths_[0] = resultText.size();
  shownLengths_[1] = 0;
  lastShown_ = std::chrono::steady_clock::now();
  if (app_.traditional) apptext::toSimplified(app_.variantTables, chinese);
  std::u16string_view rest = chinese;
  std::u16string piece;
  while (!rest.empty()) {
    if (!ui::pumpOnce() || closed_) break;
    rest.remove_prefix(nextSentence(rest, piece));
    bool first = true;
    for (std::u16string_view lineText : linesOf(piece)) {
      std::u16string line(lineText), reading;
      if (!line.empty()) readingOfLine(app_, line, reading);
      if (!first) reading.insert(0, kCrLf);
      first = false;
      readingText += reading;
      appendToPanes(u"", reading);
    }
  }
  if (!closed_) showFromStart(item(kIdReading), readingText);
  plat::setWaitCursor(false);
}

void CTranslateDlg::OnReadingMode(unsigned id) {
  const auto mode = static_cast<std::int32_t>(id - kCmdKatakana);
  if (mode != app_.readingMode) {
    app_.readingMode = mode;
    if (menu) {
      for (unsigned other = kCmdKatakana; other <= kCmdNumbered; ++other) ui::checkMenuItem(menu, other, other == id);
    }
  }
  refreshReading();
}

}  // namespace orvale
