// Generated lines for the translators' runs that are not words: sentences with numbers, dates,
// times, phone numbers, percentages, URLs, mail addresses and Latin words put in at random places,
// and the check that a translation keeps every run whole, in order, and the sentence count.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct RunLine {
  std::string line;               // UTF-8
  std::vector<std::string> runs;  // the runs put in, in their order
};

// A random run of one of the kinds; full width (the digits, letters and marks of U+FF01-FF5E) when
// wide.
std::string randomTextRun(std::uint64_t& state, bool wide);

// count lines, each one of the sentences (UTF-8, ending in a full stop) with one to three runs put
// in where a noun can stand: at its start when atStart, after one of the characters of afterMarks or
// before one of beforeMarks (the language's particles, pronouns and prepositions, UTF-8).
// Reproducible from seed.
std::vector<RunLine> makeRunLines(const std::vector<std::string>& sentences, bool atStart, std::string_view afterMarks,
                                  std::string_view beforeMarks, std::size_t count, std::uint64_t seed);

// Sentence ends of a text: 。！？ and ! ? . not between two digits, runs of them counted once.
std::size_t sentenceEnds(const std::string& utf8);

// Why a translation fails the line: a run missing, cut or out of order, or the sentence count
// changed; "" when it keeps them.
std::string runLineFault(const RunLine& in, const std::string& translation);

}  // namespace datagen
