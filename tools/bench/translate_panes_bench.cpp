// translate_panes_bench: the translator program's 翻訳 on long texts, offscreen, on the sample
// card: 1,000 to 8,000 lines of three sentences, then one line of 375 to 3,000 sentences, in
// both directions. Each run prints its seconds and its cost per line (per 3 sentences for the
// one line), so that a growing cost per line shows work that grows with the text. Each text is
// translated --runs times (after one warm-up translation of 100 lines) and the medians are shown,
// wall clock and processor time, as the machine's other work makes single runs vary.
//
//   translate_panes_bench [--sample FOLDER] [--lines 1000,2000,4000,8000] [--sentences 375,750,1500,3000]
//                         [--runs 3] [--direction C->J|J->C]
#include <algorithm>
#include <chrono>
#include <ctime>
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

// Wall-clock and processor seconds of a translation.
struct Took {
  double wall = 0, cpu = 0;
};

double processorSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One 翻訳 of the text; the result pane's length in resultChars.
Took translateOnce(orvale::CTranslateDlg& dlg, const std::u16string& text, std::size_t& resultChars) {
  ui::setWindowText(ui::getDlgItem(dlg.hwnd(), orvale::kIdSource), text);
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = processorSeconds();
  ui::testing::clickButton(ui::getDlgItem(dlg.hwnd(), orvale::kIdTranslate));
  ui::processPendingEvents();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const double cpu = processorSeconds() - cpuStart;
  resultChars = ui::getWindowText(ui::getDlgItem(dlg.hwnd(), orvale::kIdResult)).size();
  return {took.count(), cpu};
}

// The medians of `runs` translations of the text, wall clock and processor time apart.
Took medianOf(orvale::CTranslateDlg& dlg, const std::u16string& text, int runs, std::size_t& resultChars) {
  std::vector<double> walls, cpus;
  for (int r = 0; r < std::max(runs, 1); ++r) {
    const Took t = translateOnce(dlg, text, resultChars);
    walls.push_back(t.wall);
    cpus.push_back(t.cpu);
  }
  std::sort(walls.begin(), walls.end());
  std::sort(cpus.begin(), cpus.end());
  return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  std::string sample = SUITE_SAMPLE_DIR;
  std::vector<int> lineCounts = {1000, 2000, 4000, 8000}, sentenceCounts = {375, 750, 1500, 3000};
  int runs = 3;
  std::string only;  // one direction, or both
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--sample") == 0) sample = argv[i + 1];
    else if (std::strcmp(argv[i], "--lines") == 0) lineCounts = numbers(argv[i + 1]);
    else if (std::strcmp(argv[i], "--sentences") == 0) sentenceCounts = numbers(argv[i + 1]);
    else if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--direction") == 0) only = argv[i + 1];
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
  std::printf("direction  text                      seconds  ms per line  cpu s    cpu ms/line  result chars  (medians of %d)\n",
              runs);
  for (const Direction& d : directions) {
    if (!only.empty() && only != d.name) continue;
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
      const Took t = medianOf(*app->mainDialog(), text, runs, chars);
      std::printf("%-9s  %5d lines of 3 sentences  %7.2f  %11.3f  %7.2f  %11.3f  %zu\n", d.name, n, t.wall,
                  1000.0 * t.wall / n, t.cpu, 1000.0 * t.cpu / n, chars);
      std::fflush(stdout);
    }
    for (int n : sentenceCounts) {
      std::u16string text;
      for (int i = 0; i < n / 3; ++i) text += d.line;
      std::size_t chars = 0;
      const Took t = medianOf(*app->mainDialog(), text, runs, chars);
      std::printf("%-9s  1 line of %4d sentences    %7.2f  %11.3f  %7.2f  %11.3f  %zu\n", d.name, n / 3 * 3, t.wall,
                  1000.0 * t.wall / (n / 3), t.cpu, 1000.0 * t.cpu / (n / 3), chars);
      std::fflush(stdout);
    }
    app.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
  return 0;
}
