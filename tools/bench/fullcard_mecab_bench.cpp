// fullcard_mecab_bench DEVICE-ROOT TEXT [SECONDS]: the Japanese analysis on the full card's
// dictionary pair beside MeCab with the same IPA dictionary (the mecab program, its default
// dictionary) on the same text: word-boundary agreement with MeCab's segmentation and MB/s of each.
// DEVICE-ROOT is the full card's device folder (build tree: fullcard/device); TEXT one sentence a
// line, UTF-8, '#' for comments.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/jc/analyser/jp_analyzer.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/jp_morph_analysis.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string sjis(const std::string& s) { return plat::wideToMultiByte(932, plat::utf8ToWide(s)); }

// Character offsets of the inner word boundaries of a segmentation.
std::set<std::size_t> boundaries(const std::vector<std::u16string>& words) {
  std::set<std::size_t> out;
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) out.insert(at += words[i].size());
  return out;
}

// The surfaces of the cheapest path (MORPH lines "\tsurface\t..."; "D" lines repeat a morpheme).
std::vector<std::u16string> ourWords(jc::JpAnalyzer* a, const std::string& line, std::FILE* scratch) {
  std::vector<std::u16string> words;
  if (jc::prepareJapaneseLine(sjis(line), a->input, jc::kJpInputSize) <= 0 || !jc::analyzeSentence(a)) return words;
  std::rewind(scratch);
  jc::writeMorphemes(a, scratch);
  const long size = std::ftell(scratch);
  std::string text(static_cast<std::size_t>(size), '\0');
  std::rewind(scratch);
  text.resize(std::fread(text.data(), 1, text.size(), scratch));
  std::istringstream s(text);
  for (std::string l; std::getline(s, l);) {
    if (l.size() < 2 || l[0] != '\t') continue;
    words.push_back(plat::multiByteToWide(932, l.substr(1, l.find('\t', 1) - 1)));
  }
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 2, -1, "DEVICE-ROOT TEXT [SECONDS]")) return tools::kUsageExit;
  const double seconds = argc > 3 ? std::atof(argv[3]) : 2.0;
  std::vector<std::string> lines;
  {
    std::istringstream in(tools::readFile(argv[2]));
    for (std::string l; std::getline(in, l);)
      if (!l.empty() && l[0] != '#') lines.push_back(l);
  }
  std::size_t bytes = 0;
  for (const std::string& l : lines) bytes += l.size() + 1;

  ::setenv(plat::kDeviceRootEnv, argv[1], 1);
  std::unique_ptr<jc::JpAnalyzer> a{new jc::JpAnalyzer()};
  a->dataFolder = u"\\Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
  const auto startOpen = Clock::now();
  jc::constructJpAnalyzer(a.get());
  if (jc::initJpAnalyzer(a.get()) != 1) {
    std::fprintf(stderr, "fullcard_mecab_bench: the analyser does not start on %s\n", argv[1]);
    return 1;
  }
  jc::loadJp2CwTable(&a->jp2cw);
  const double openMs = std::chrono::duration<double, std::milli>(Clock::now() - startOpen).count();
  std::FILE* scratch = std::tmpfile();

  // Our segmentation and speed.
  std::vector<std::vector<std::u16string>> ours;
  for (const std::string& l : lines) ours.push_back(ourWords(a.get(), l, scratch));
  int rounds = 0;
  const auto t0 = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds) {
    for (const std::string& l : lines) ourWords(a.get(), l, scratch);
    ++rounds;
    elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
  }
  const double ourRate = static_cast<double>(bytes) * rounds / elapsed / 1e6;
  std::fclose(scratch);
  jc::freeJpAnalyzer(a.get());

  // MeCab's segmentation, then its speed on the text repeated to fill about the same time.
  std::vector<std::vector<std::u16string>> theirs;
  const std::string command = std::string("mecab -Owakati < '") + argv[2] + "' 2>/dev/null | grep -v '^#'";
  if (std::FILE* p = popen(command.c_str(), "r")) {
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, p)) {
      std::vector<std::u16string> words;
      std::istringstream s(buffer);
      for (std::string w; s >> w;) words.push_back(plat::utf8ToWide(w));
      theirs.push_back(words);
    }
    pclose(p);
  }
  if (theirs.size() != lines.size()) {
    std::fprintf(stderr, "fullcard_mecab_bench: mecab gave %zu lines for %zu\n", theirs.size(), lines.size());
    return 1;
  }
  const std::string repeated = "/tmp/fullcard_mecab_bench_" + std::to_string(::getpid()) + ".txt";
  const int copies = 200;
  {
    std::string text;
    for (const std::string& l : lines) text += l + '\n';
    std::string out;
    for (int i = 0; i < copies; ++i) out += text;
    tools::writeFile(repeated, out);
  }
  const auto m0 = Clock::now();
  const int status = std::system(("mecab -Owakati < '" + repeated + "' > /dev/null").c_str());
  const double mecabSeconds = std::chrono::duration<double>(Clock::now() - m0).count();
  std::remove(repeated.c_str());
  const double mecabRate = status == 0 ? static_cast<double>(bytes) * copies / mecabSeconds / 1e6 : 0;

  // Boundary agreement: precision and recall of our inner boundaries against MeCab's.
  std::size_t common = 0, ourCount = 0, theirCount = 0, compared = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::u16string a1, b1;
    for (const auto& w : ours[i]) a1 += w;
    for (const auto& w : theirs[i]) b1 += w;
    if (a1 != b1) continue;  // the analyser widened or dropped characters: not comparable
    ++compared;
    const auto x = boundaries(ours[i]), y = boundaries(theirs[i]);
    ourCount += x.size();
    theirCount += y.size();
    for (std::size_t b : x) common += y.count(b);
  }
  const double precision = ourCount ? 100.0 * common / ourCount : 0, recall = theirCount ? 100.0 * common / theirCount : 0;
  std::printf("%-34s %8.1f ms\n", "Analyser start on the full card", openMs);
  std::printf("%-34s %8.2f MB/s (UTF-8 text), %d rounds\n", "Japanese analysis (full card)", ourRate, rounds);
  std::printf("%-34s %8.2f MB/s (UTF-8 text, one process)\n", "MeCab, IPA dictionary", mecabRate);
  std::printf("%-34s %5.1f%% precision, %5.1f%% recall (%zu of %zu lines compared)\n", "Word boundaries against MeCab",
              precision, recall, compared, lines.size());
  return 0;
}
