// Writers of the speech unit files (spch4M.idx/.dat, Eng4M.idx/.dat): 4-bit ADPCM recordings.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

using Samples = std::vector<std::int16_t>;

// Encodes 16-bit samples as 4-bit ADPCM, two samples per byte, high nibble first (an odd count
// is padded with a silent sample).
std::string encodeAdpcm(const Samples& samples);

// A synthetic recording that tells units apart: a sine whose pitch follows the code and whose
// length follows the code and the variant.
Samples syntheticUnitSamples(int code, int variant);
// Its length in samples.
int syntheticUnitLength(int code, int variant);

struct SyllableRecording {
  int code = 0;                  // 0-2099
  std::vector<Samples> variants;  // an empty variant is written as missing (length 0)
};

// spch4M.idx and spch4M.dat: syllables not listed have no variants. False when a code is out of
// range, a recording is longer than 12,000 bytes or a file cannot be written.
bool writeSyllableUnits(std::string_view folder, const std::vector<SyllableRecording>& syllables);
// Eng4M.idx and Eng4M.dat: entry k is recordings[k].
bool writeLetterUnits(std::string_view folder, const std::vector<Samples>& recordings);

// Every syllable code with `variants` synthetic variants and 50 synthetic letter entries.
bool writeSyntheticUnits(std::string_view folder, int variants = 1);

// The readings of every GB2312 hanzi generated from Unihan at build time; false when missing.
bool speechHanziTable(std::string& text);
// A whole speech data folder: the tables from the generated readings with a readable source over
// them (see speech_tables_writer.h; its lines replace a character's readings) and synthetic unit
// recordings. False with a reason on failure.
bool writeSpeechDataFolder(std::string_view folder, std::string_view sourceText, std::string* error = nullptr);

}  // namespace datagen
