#include "tools/datagen/speech_units_writer.h"

#include "platform/core/device.h"
#include "platform/core/files.h"
#include "speech/engine/speech_files.h"
#include "tools/datagen/speech_tables_writer.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
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

void put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

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
    put32(index, s ? static_cast<std::uint32_t>(tables.size()) : 0);
    if (!s) continue;
    for (const auto& v : s->variants) {
      std::string adpcm = encodeAdpcm(v);
      if (adpcm.size() > speech::kMaxRecordingBytes) return false;
      put32(tables, adpcm.empty() ? 0 : tablesSize + static_cast<std::uint32_t>(recordings.size()));
      put32(tables, static_cast<std::uint32_t>(adpcm.size()));
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
    put32(index, static_cast<std::uint32_t>(data.size()));
    data += adpcm;
  }
  put32(index, static_cast<std::uint32_t>(data.size()));
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
  std::ifstream in(SUITE_SPEECH_HANZI_TABLE, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return in && !text.empty();
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
  if (!writeSyntheticUnits(folder)) {
    if (error) *error = "the unit files cannot be written";
    return false;
  }
  return true;
}

}  // namespace datagen
