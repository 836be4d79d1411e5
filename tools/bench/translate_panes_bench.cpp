// translate_panes_bench: the translator program's 翻訳 on long texts, offscreen, on the sample
// card: 1,000 to 8,000 lines of three sentences, then one line of 375 to 3,000 sentences, in
// both directions. Each run prints its seconds and its cost per line (per 3 sentences for the
// one line), so that a growing cost per line shows work that grows with the text. Each text is
// translated --runs times (after one warm-up translation of 100 lines) and the median is shown, as
// the machine's other work makes single runs vary.
//
//   translate_panes_bench [--sample FOLDER] [--lines 1000,2000,4000,8000] [--sentences 375,750,1500,3000]
//                         [--runs 3]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "apps/translator/translator_registry.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/notify_recorder.h"
#include "platform/core/registry.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/testing.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

namespace {

std::vector<int> numbers(const char* list) {
  std::vector<int> out;
  for (const char* p = list; *p;) {
    out.push_back(std::atoi(p));
    while (*p && *p != ',') ++p;
    if (*p == ',') ++p;
  }
  return out;
}

// Seconds of one 翻訳 of the text; the result pane's length in resultChars.
double translateOnce(orvale::CTranslateDlg& dlg, const std::u16string& text, std::size_t& resultChars) {
  ui::setWindowText(ui::getDlgItem(dlg.hwnd(), orvale::kIdSource), text);
  const auto start = std::chrono::steady_clock::now();
  ui::testing::clickButton(ui::getDlgItem(dlg.hwnd(), orvale::kIdTranslate));
  ui::processPendingEvents();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  resultChars = ui::getWindowText(ui::getDlgItem(dlg.hwnd(), orvale::kIdResult)).size();
  return took.count();
}

// The median seconds of `runs` translations of the text.
double medianSeconds(orvale::CTranslateDlg& dlg, const std::u16string& text, int runs, std::size_t& resultChars) {
  std::vector<double> seconds;
  for (int r = 0; r < std::max(runs, 1); ++r) seconds.push_back(translateOnce(dlg, text, resultChars));
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  std::string sample = SUITE_SAMPLE_DIR;
  std::vector<int> lineCounts = {1000, 2000, 4000, 8000}, sentenceCounts = {375, 750, 1500, 3000};
  int runs = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--sample") == 0) sample = argv[i + 1];
    else if (std::strcmp(argv[i], "--lines") == 0) lineCounts = numbers(argv[i + 1]);
    else if (std::strcmp(argv[i], "--sentences") == 0) sentenceCounts = numbers(argv[i + 1]);
    else if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
  }
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  datagen::TempRuntime runtime;
  datagen::TempDevice device;
  if (!datagen::writeCardWithProgram(sample, plat::hostPath(device.card()))) {
    std::fprintf(stderr, "translate_panes_bench: datagen_card did not write the sample card\n");
    return 1;
  }
  if (!datagen::writeProgramRegistry()) return 1;
  for (const plat::ClassId& id : {orvale::handwritingSearchIm(), orvale::handwritingInputIm(), orvale::pinyinIm()})
    plat::registerInputMethod(id, u"panel");
  if (!ui::initApplication()) return 1;
  ui::setScreenDpi(96);
  ui::setScreenSize(240, 320);
  plat::setProgramFolder(datagen::binFolder());
  plat::NotifyRecorder answers;  // boxes are answered, not shown

  struct Direction {
    const char* name;
    std::uint32_t value;
    std::u16string line;  // three sentences
  } directions[] = {
      {"C->J", 1, u"他喝水。我饿了。他很高兴。"},
      {"J->C", 0, u"彼は水を飲む。本を読む。彼は学生だ。"},
  };
  std::printf("direction  text                      seconds  ms per line  result chars  (median of %d)\n", runs);
  for (const Direction& d : directions) {
    auto key = orvale::openTranslatorKey();
    if (!key || !plat::regSetDword(*key, "JC_CJ", d.value)) return 1;
    auto app = std::make_unique<orvale::CTranslatorApp>();
    if (!app->startUp() || !app->mainDialog()->Create()) {
      std::fprintf(stderr, "translate_panes_bench: the translator did not start\n");
      return 1;
    }
    plat::setWaitCursor(false);
    // The first translation also opens files and lays out fonts: it is not measured.
    {
      std::u16string text;
      for (int i = 0; i < 100; ++i) text += (i ? u"\r\n" : u"") + d.line;
      std::size_t chars = 0;
      translateOnce(*app->mainDialog(), text, chars);
    }
    for (int n : lineCounts) {
      std::u16string text;
      for (int i = 0; i < n; ++i) text += (i ? u"\r\n" : u"") + d.line;
      std::size_t chars = 0;
      const double s = medianSeconds(*app->mainDialog(), text, runs, chars);
      std::printf("%-9s  %5d lines of 3 sentences  %7.2f  %11.3f  %zu\n", d.name, n, s, 1000.0 * s / n, chars);
      std::fflush(stdout);
    }
    for (int n : sentenceCounts) {
      std::u16string text;
      for (int i = 0; i < n / 3; ++i) text += d.line;
      std::size_t chars = 0;
      const double s = medianSeconds(*app->mainDialog(), text, runs, chars);
      std::printf("%-9s  1 line of %4d sentences    %7.2f  %11.3f  %zu\n", d.name, n / 3 * 3, s, 1000.0 * s / (n / 3), chars);
      std::fflush(stdout);
    }
    app.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
  return 0;
}
