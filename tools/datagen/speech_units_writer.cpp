#include "tools/datagen/speech_units_writer.h"

#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "speech/engine/speech_files.h"
#include "speech/engine/text_code.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/speech_tables_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <sstream>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace datagen {

namespace {

constexpr int kStepTable[49] = {16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,  45,   50,   55,   60,   66,  73,
                                80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209, 230,  253,  279,  307,  337, 371,
                                408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
constexpr int kIndexShift[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kLetterEntries = 50;

// Encoder state: follows the decoder exactly so that the prediction stays in step with it.
struct Encoder {
  int predicted = 0;
  int index = 0;

  unsigned next(std::int16_t sample) {
    int target = sample / 16;
    int step = kStepTable[index];
    int diff = target - predicted;
    unsigned nibble = 0;
    if (diff < 0) {
      nibble = 8;
      diff = -diff;
    }
    if (diff >= step) nibble |= 4, diff -= step;
    if (diff >= step / 2) nibble |= 2, diff -= step / 2;
    if (diff >= step / 4) nibble |= 1;
    int delta = step / 8;
    if (nibble & 1) delta += step / 4;
    if (nibble & 2) delta += step / 2;
    if (nibble & 4) delta += step;
    predicted += (nibble & 8) ? -delta : delta;
    if (predicted > 2047) predicted = 2047;
    if (predicted < -2048) predicted = -2048;
    index += kIndexShift[nibble & 7];
    if (index < 0) index = 0;
    if (index > 48) index = 48;
    return nibble;
  }
};

std::string withSlash(std::string_view folder) {
  std::string base(folder);
  if (base.empty() || (base.back() != '\\' && base.back() != '/')) base += '\\';
  return base;
}

}  // namespace

std::string encodeAdpcm(const Samples& samples) {
  Encoder e;
  std::string out;
  out.reserve((samples.size() + 1) / 2);
  for (std::size_t i = 0; i < samples.size(); i += 2) {
    unsigned high = e.next(samples[i]);
    unsigned low = e.next(i + 1 < samples.size() ? samples[i + 1] : 0);
    out.push_back(static_cast<char>((high << 4) | low));
  }
  return out;
}

int syntheticUnitLength(int code, int variant) { return 1600 + 16 * (code % 200) + 400 * variant; }

Samples syntheticUnitSamples(int code, int variant) {
  int n = syntheticUnitLength(code, variant);
  double freq = 120.0 + 3.0 * (code % 300);
  constexpr double kPi = 3.14159265358979323846;
  Samples s(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(8000.0 * std::sin(2 * kPi * freq * i / 8000.0));
  return s;
}

namespace {

constexpr int kUnitRate = 8000;
constexpr int kQuietLevel = 64;             // at most this loud counts as silence
constexpr int kBreakMs = 300;               // between two texts of a batch
constexpr int kMinGapMs = 70;               // quiet that separates two texts
constexpr std::size_t kEspeakBatch = 60;    // texts per program run
constexpr int kResampleHalfWidth = 24;      // input samples on each side of the filter
constexpr double kCutoffHz = 3600.0;
// Peak of every recording: a third of full scale, so that the reader's usual volume (three times
// as loud) stays clear of clipping.
constexpr int kUnitPeak = 10000;

std::string shellQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Whether the program has the voice (by language or file name): it falls back to another
// voice without a word when it has not.
bool hasVoice(std::string_view voice, const std::string& work) {
  std::string list = work + "/voices.txt", text;
  if (std::system(("espeak-ng --voices > " + shellQuoted(list)).c_str()) != 0 || !tools::readFile(list, text)) return false;
  std::remove(list.c_str());
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string priority, language, gender, name, file;
    if (!(fields >> priority >> language >> gender >> name >> file)) continue;
    std::string base = file.substr(file.find_last_of('/') + 1);
    if (lower(language) == lower(voice) || lower(base) == lower(voice)) return true;
  }
  return false;
}

// One run of the program over the texts, separated by breaks; the whole recording.
bool speak(std::string_view voice, const std::vector<std::string>& texts, const std::string& work, Samples& samples,
           int& rate, std::string* error) {
  std::string ssml = "<speak>";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i) ssml += "<break time=\"" + std::to_string(kBreakMs) + "ms\"/>";
    ssml += texts[i];
  }
  ssml += "</speak>\n";
  std::string input = work + "/units.ssml", wav = work + "/units.wav";
  std::remove(wav.c_str());
  if (!tools::writeFile(input, ssml)) {
    if (error) *error = "cannot write " + input;
    return false;
  }
  std::string command = "espeak-ng -m -v " + shellQuoted(voice) + " -w " + shellQuoted(wav) + " -f " + shellQuoted(input);
  std::string image;
  if (std::system(command.c_str()) != 0 || !tools::readFile(wav, image) || !parseWav(image, samples, rate)) {
    if (error) *error = "espeak-ng (voice " + std::string(voice) + ") gave no recording";
    return false;
  }
  return true;
}

Samples trimmed(const Samples& samples, int threshold) {
  auto loud = [&](std::int16_t s) { return s > threshold || s < -threshold; };
  auto first = std::find_if(samples.begin(), samples.end(), loud);
  auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
  return first < last ? Samples(first, last) : Samples();
}

void scaleToPeak(Samples& samples, int peak) {
  int loudest = 0;
  for (std::int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  if (loudest == 0) return;
  for (auto& s : samples) s = static_cast<std::int16_t>(static_cast<long>(s) * peak / loudest);
}

}  // namespace

bool parseWav(std::string_view bytes, Samples& samples, int& rate) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
  bool format = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    std::string_view id = bytes.substr(at, 4);
    std::size_t size = plat::readLe32(bytes.data() + at + 4), body = at + 8;
    if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
      const char* fmt = bytes.data() + body;
      if (plat::readLe16(fmt) != 1 || plat::readLe16(fmt + 2) != 1 || plat::readLe16(fmt + 14) != 16) return false;
      rate = static_cast<int>(plat::readLe32(bytes.data() + body + 4));
      format = rate > 0;
    } else if (id == "data" && format) {
      // A stream written without its final size claims more than there is.
      std::size_t count = std::min(size, bytes.size() - body) / 2;
      samples.resize(count);
      for (std::size_t i = 0; i < count; ++i) samples[i] = plat::readLe16s(bytes.data() + body + 2 * i);
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

Samples resampleTo8k(const Samples& samples, int rate) {
  if (rate == kUnitRate || samples.empty()) return samples;
  // Output j lies at input position j × rate / 8000: its whole part and one of `phases` fractions.
  const int common = std::gcd(rate, kUnitRate);
  const int step = rate / common, phases = kUnitRate / common;
  const double cutoff = std::min(kCutoffHz, 0.45 * std::min(rate, kUnitRate)) / rate;  // cycles per input sample
  constexpr double kPi = 3.14159265358979323846;
  constexpr int kTaps = 2 * kResampleHalfWidth;
  std::vector<double> kernel(static_cast<std::size_t>(phases) * kTaps);
  for (int p = 0; p < phases; ++p) {
    double fraction = static_cast<double>(p) / phases;
    for (int k = 0; k < kTaps; ++k) {
      double x = (k - kResampleHalfWidth + 1) - fraction;  // input sample's distance from the output point
      double sinc = x == 0.0 ? 2 * cutoff : std::sin(2 * kPi * cutoff * x) / (kPi * x);
      double w = 0.42 + 0.5 * std::cos(kPi * x / kResampleHalfWidth) + 0.08 * std::cos(2 * kPi * x / kResampleHalfWidth);
      kernel[static_cast<std::size_t>(p) * kTaps + static_cast<std::size_t>(k)] = std::fabs(x) >= kResampleHalfWidth ? 0.0 : sinc * w;
    }
  }
  auto n = static_cast<std::int64_t>(samples.size());
  std::int64_t outCount = n * phases / step;
  Samples out(static_cast<std::size_t>(outCount));
  for (std::int64_t j = 0; j < outCount; ++j) {
    std::int64_t position = j * step;
    std::int64_t whole = position / phases;
    auto p = static_cast<std::size_t>(position % phases);
    double sum = 0.0;
    for (int k = 0; k < kTaps; ++k) {
      std::int64_t i = whole + k - kResampleHalfWidth + 1;
      if (i >= 0 && i < n) sum += samples[static_cast<std::size_t>(i)] * kernel[p * kTaps + static_cast<std::size_t>(k)];
    }
    out[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(std::clamp(std::lround(sum), -32768L, 32767L));
  }
  return out;
}

std::vector<std::pair<std::size_t, std::size_t>> soundingStretches(const Samples& samples, int threshold,
                                                                    std::size_t minGap) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  bool open = false;
  std::size_t begin = 0, end = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (samples[i] <= threshold && samples[i] >= -threshold) continue;
    if (open && i - end > minGap) {
      out.emplace_back(begin, end);
      open = false;
    }
    if (!open) begin = i, open = true;
    end = i + 1;
  }
  if (open) out.emplace_back(begin, end);
  return out;
}

bool renderWithEspeak(std::string_view voice, const std::vector<std::string>& texts, std::vector<Samples>& out,
                      std::string_view workFolder, std::string* error) {
  std::string work(workFolder);
  out.clear();
  if (!hasVoice(voice, work)) {
    if (error) *error = "espeak-ng has no voice " + std::string(voice);
    return false;
  }
  for (std::size_t first = 0; first < texts.size(); first += kEspeakBatch) {
    std::vector<std::string> batch(texts.begin() + static_cast<std::ptrdiff_t>(first),
                                   texts.begin() + static_cast<std::ptrdiff_t>(std::min(texts.size(), first + kEspeakBatch)));
    Samples samples;
    int rate = 0;
    if (!speak(voice, batch, work, samples, rate, error)) return false;
    auto stretches = soundingStretches(samples, kQuietLevel, static_cast<std::size_t>(rate) * kMinGapMs / 1000);
    if (stretches.size() == batch.size()) {
      for (const auto& [b, e] : stretches) {
        Samples one(samples.begin() + static_cast<std::ptrdiff_t>(b), samples.begin() + static_cast<std::ptrdiff_t>(e));
        out.push_back(trimmed(resampleTo8k(one, rate), kQuietLevel));
      }
      continue;
    }
    for (const std::string& text : batch) {  // the breaks did not part them: one run each
      if (!speak(voice, {text}, work, samples, rate, error)) return false;
      out.push_back(trimmed(resampleTo8k(trimmed(samples, kQuietLevel), rate), kQuietLevel));
    }
  }
  return true;
}

std::vector<std::string> syllableUnitTexts() {
  std::vector<std::string> texts;
  for (int s = 0; s < speech::kSyllableCount; ++s) {
    std::string name = syllableName(s);
    if (name == "E") name = "\xC3\xAA";  // ê
    for (int tone = 1; tone <= 5; ++tone) texts.push_back(name + std::to_string(tone));
  }
  return texts;
}

std::vector<std::string> letterUnitTexts() {
  std::vector<std::string> texts;
  for (char c = 'a'; c <= 'z'; ++c) texts.emplace_back(1, c);
  for (const char* greek : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota", "kappa", "lambda",
                            "mu", "nu", "xi", "omicron", "pi", "rho", "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega"}) {
    texts.emplace_back(greek);
  }
  return texts;
}

bool writeEspeakUnits(std::string_view hostFolder, std::string* error) {
  std::string folder(hostFolder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::vector<Samples> syllables, letters;
  if (!renderWithEspeak("cmn-latn-pinyin", syllableUnitTexts(), syllables, folder, error) ||
      !renderWithEspeak("en", letterUnitTexts(), letters, folder, error)) {
    return false;
  }
  std::remove((folder + "/units.ssml").c_str());
  std::remove((folder + "/units.wav").c_str());
  for (auto* set : {&syllables, &letters}) {
    for (Samples& s : *set) {
      if (s.size() > 2 * speech::kMaxRecordingBytes) s.resize(2 * speech::kMaxRecordingBytes);
      scaleToPeak(s, kUnitPeak);
    }
  }
  // One recording serves every position variant of its syllable.
  std::vector<SyllableRecording> records;
  for (std::size_t code = 0; code < syllables.size(); ++code) records.push_back({static_cast<int>(code), {std::move(syllables[code])}});
  if (!writeSyllableUnits(folder, records) || !writeLetterUnits(folder, letters)) {
    if (error) *error = "cannot write the unit files in " + folder;
    return false;
  }
  return true;
}

bool copyRecordedUnits(std::string_view folder, std::string* error) {
#ifdef SUITE_SPEECH_UNITS_DIR
  std::string base(folder);
  if (base.empty() || (base.back() != '\\' && base.back() != '/')) base += '\\';
  for (const char* name : {speech::kSyllableIndexFile, speech::kSyllableDataFile, speech::kLetterIndexFile, speech::kLetterDataFile}) {
    std::string bytes;
    if (!tools::readFile(std::string(SUITE_SPEECH_UNITS_DIR) + "/" + name, bytes) || bytes.empty()) {
      if (error) *error = std::string("the recorded unit file ") + name + " is missing from the build";
      return false;
    }
    if (!plat::makeFolders(base) || !plat::writeWholeFile(base + name, bytes)) {
      if (error) *error = std::string("cannot write ") + name;
      return false;
    }
  }
  return true;
#else
  (void)folder;
  if (error) *error = "no recorded units in this build";
  return false;
#endif
}

bool writeSyllableUnits(std::string_view folder, const std::vector<SyllableRecording>& syllables) {
  std::vector<const SyllableRecording*> byCode(speech::kSyllableCodes, nullptr);
  for (const auto& s : syllables) {
    if (s.code < 0 || s.code >= static_cast<int>(speech::kSyllableCodes) || s.variants.size() > 255) return false;
    byCode[static_cast<std::size_t>(s.code)] = &s;
  }
  // The data file: every variant table first, then the recordings.
  std::uint32_t tablesSize = 0;
  for (const auto* s : byCode) {
    if (s) tablesSize += static_cast<std::uint32_t>(s->variants.size()) * speech::kVariantRecord;
  }
  std::string index, tables, recordings;
  for (const auto* s : byCode) {
    index.push_back(static_cast<char>(s ? s->variants.size() : 0));
    plat::appendLe32(index, s ? static_cast<std::uint32_t>(tables.size()) : 0);
    if (!s) continue;
    for (const auto& v : s->variants) {
      std::string adpcm = encodeAdpcm(v);
      if (adpcm.size() > speech::kMaxRecordingBytes) return false;
      plat::appendLe32(tables, adpcm.empty() ? 0 : tablesSize + static_cast<std::uint32_t>(recordings.size()));
      plat::appendLe32(tables, static_cast<std::uint32_t>(adpcm.size()));
      recordings += adpcm;
    }
  }
  std::string base = withSlash(folder);
  return plat::makeFolders(base) && plat::writeWholeFile(base + speech::kSyllableIndexFile, index) &&
         plat::writeWholeFile(base + speech::kSyllableDataFile, tables + recordings);
}

bool writeLetterUnits(std::string_view folder, const std::vector<Samples>& recordings) {
  std::string index, data;
  for (const auto& r : recordings) {
    std::string adpcm = encodeAdpcm(r);
    if (adpcm.size() > speech::kMaxRecordingBytes) return false;
    plat::appendLe32(index, static_cast<std::uint32_t>(data.size()));
    data += adpcm;
  }
  plat::appendLe32(index, static_cast<std::uint32_t>(data.size()));
  if (data.empty()) data.push_back('\0');  // the unit file may not be empty
  std::string base = withSlash(folder);
  return plat::makeFolders(base) && plat::writeWholeFile(base + speech::kLetterIndexFile, index) &&
         plat::writeWholeFile(base + speech::kLetterDataFile, data);
}

bool writeSyntheticUnits(std::string_view folder, int variants) {
  std::vector<SyllableRecording> syllables;
  for (int code = 0; code < static_cast<int>(speech::kSyllableCodes); ++code) {
    SyllableRecording s{code, {}};
    for (int v = 0; v < variants; ++v) s.variants.push_back(syntheticUnitSamples(code, v));
    syllables.push_back(std::move(s));
  }
  std::vector<Samples> letters;
  for (int k = 0; k < kLetterEntries; ++k) letters.push_back(syntheticUnitSamples(4200 + k, 0));
  return writeSyllableUnits(folder, syllables) && writeLetterUnits(folder, letters);
}

bool speechHanziTable(std::string& text) {
#ifdef SUITE_SPEECH_HANZI_TABLE
  return tools::readFile(SUITE_SPEECH_HANZI_TABLE, text) && !text.empty();
#else
  text.clear();
  return false;
#endif
}

bool writeSpeechDataFolder(std::string_view folder, std::string_view sourceText, std::string* error) {
  SpeechSource src;
  std::string hanzi;
  if (!speechHanziTable(hanzi)) {
    if (error) *error = "the generated readings of the hanzi are missing";
    return false;
  }
  if (!parseSpeechSource(hanzi, src, error) || !parseSpeechSource(sourceText, src, error)) return false;
  if (!writeSpeechTables(folder, src)) {
    if (error) *error = "the tables cannot be written";
    return false;
  }
  if (!copyRecordedUnits(folder, error)) return false;
  return true;
}

}  // namespace datagen
