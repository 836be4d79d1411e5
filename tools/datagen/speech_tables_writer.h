// Writers of the speech engine's table files from a readable source.
//
// Source lines (UTF-8; '#' starts a comment; fields separated by spaces or tabs):
//   hanzi <char> <readings> [weight=N] [prop=N] [surname=<reading>]
//         readings: pinyin with a tone digit 1-5, comma-separated, the default first
//         ("zhong1", "lv4" for ü, "E2" for ê); two or more make the character a polyphone
//   word <chars> <weight>                  a word of 2 to 4 characters
//   polyword <chars> <place> <number>      a polyphone word: the character at <place> (from 0)
//                                          takes reading <number> of its polyphone
//   symbol <char> <reading text>           how a symbol is read aloud
//   standin <char> <GB2312 char>           GB2312 stand-in of a character outside GB2312
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct SpeechSource {
  struct Hanzi {
    std::string ch;
    std::vector<std::uint16_t> readings;  // syllable × 8 + tone
    std::uint16_t weight = 0;
    std::uint32_t props = 0;
    std::uint16_t surname = 0xFFFF;  // unit code: syllable × 5 + tone − 1
  };
  struct Word {
    std::string text;
    std::uint16_t weight = 0;
  };
  struct PolyWord {
    std::string text;
    int place = 0;
    int number = 0;
  };
  struct Symbol {
    std::string ch, reading;
  };
  struct StandIn {
    std::string from, to;
  };
  std::vector<Hanzi> hanzi;
  std::vector<Word> words;
  std::vector<PolyWord> polyWords;
  std::vector<Symbol> symbols;
  std::vector<StandIn> standIns;
};

// Place of a pinyin syllable ("zhong", "lv", "E") in the engine's list of 417; -1 when unknown.
int syllableNumber(std::string_view pinyin);
// The syllable of a place in that list ("" when out of range).
std::string syllableName(int number);
// "zhong1" -> syllable × 8 + tone; -1 when malformed.
int pinyinReading(std::string_view pinyinWithTone);

bool parseSpeechSource(std::string_view text, SpeechSource& out, std::string* error = nullptr);

// Internal units (GBK lead byte low) of UTF-8 text through code page 936.
std::vector<std::uint16_t> speechUnits(std::string_view utf8);

// File images; empty when the source cannot be written in the format.
std::string speechCzFile(const SpeechSource& src);
std::string speechPymFile(const SpeechSource& src);
std::string speechDyzFile(const SpeechSource& src);
std::string speechDycFile(const SpeechSource& src);
std::string speechSymbolFile(const SpeechSource& src);
std::string speechSurnameFile(const SpeechSource& src);
std::string speechHzpropFile(const SpeechSource& src);
std::string speechGbkFile(const SpeechSource& src);
// Generated through the platform's code pages 936 and 950 (Big5 stand-ins also through the
// source's stand-ins).
std::string speechUnicodeFile();
std::string speechBig5File(const SpeechSource& src);

// Writes every table file into a device folder (ending in a backslash); false on failure.
bool writeSpeechTables(std::string_view folder, const SpeechSource& src);

}  // namespace datagen
