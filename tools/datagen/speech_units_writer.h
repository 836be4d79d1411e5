// Writers of the speech unit files (spch4M.idx/.dat, Eng4M.idx/.dat): 4-bit ADPCM recordings.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
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

// Recordings rendered by espeak-ng (Debian's espeak-ng package): each text of a list is spoken
// by the voice, resampled to 8 kHz and trimmed of silence. The texts are spoken in batches, one
// program run each, and cut apart at the breaks between them; a batch that does not come apart
// into as many recordings is spoken text by text. False with a reason when the program fails.
bool renderWithEspeak(std::string_view voice, const std::vector<std::string>& texts, std::vector<Samples>& out,
                      std::string_view workFolder, std::string* error = nullptr);
// The texts of the unit files: every syllable in tones 1-5 ("ma3") for the cmn-latn-pinyin voice
// (code = syllable × 5 + tone − 1), and the 50 letter entries for the English voice: "a"-"z",
// then the Greek letters' names in GB2312 order.
std::vector<std::string> syllableUnitTexts();
std::vector<std::string> letterUnitTexts();
// Every syllable code and letter entry rendered by espeak-ng, written as the four unit files.
bool writeEspeakUnits(std::string_view hostFolder, std::string* error = nullptr);
// Copies the four unit files rendered at build time into the folder; false when they are missing.
bool copyRecordedUnits(std::string_view folder, std::string* error = nullptr);

// A 16-bit mono WAV image: its samples and rate; false when it is not one.
bool parseWav(std::string_view bytes, Samples& samples, int& rate);
// Low-pass filtered resampling to 8,000 samples per second.
Samples resampleTo8k(const Samples& samples, int rate);
// Sounding stretches [begin, end): samples louder than the threshold, apart by more than
// `minGap` quiet samples.
std::vector<std::pair<std::size_t, std::size_t>> soundingStretches(const Samples& samples, int threshold,
                                                                    std::size_t minGap);

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
// them (see speech_tables_writer.h; its lines replace a character's readings) and the unit
// recordings rendered at build time. False with a reason on failure.
bool writeSpeechDataFolder(std::string_view folder, std::string_view sourceText, std::string* error = nullptr);

}  // namespace datagen
