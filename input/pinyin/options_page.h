// The options page (dialog 107) without its window: the controls' ids, their labels in the four
// languages of the page, the values they show and what OK stores.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pinyin {

enum OptionsControl : int {
  kOptTitle = -1,
  kOptPeriodLabel = 1004,
  kOptQuoteLabel = 1005,
  kOptPeriodFullStop = 1006,  // "。"
  kOptPeriodDot = 1007,       // "．"
  kOptQuoteCurly = 1008,      // "“" "”"
  kOptQuoteCorner = 1009,     // "「" "」"
  kOptPunctuationGroup = 1010,
  kOptFuzzyAnAng = 1011,
  kOptFuzzyInIng = 1012,
  kOptFuzzyEnEng = 1013,
  kOptFuzzyGroup = 1014,
  kOptLanguageBox = 1015,
  kOptLanguageLabel = 1016,
  kOptCharsetGroup = 1017,
  kOptSimplified = 1018,
  kOptFuzzyRetroflex = 1019,
  kOptFuzzyLN = 1020,
  kOptFuzzyRY = 1021,
  kOptTraditional = 1022,
  kOptFuzzyUnOng = 1026,
};

enum class OptionsLanguage { English = 0, Japanese = 1, SimplifiedChinese = 2, TraditionalChinese = 3 };
// The face each language's labels are drawn with.
enum class OptionsFont { Tahoma, Japanese, GbMincho, B5Mincho };

// The seven fuzzy boxes in the order of the VagueFlags bits 0-6.
inline constexpr std::array<int, 7> kFuzzyBoxes = {kOptFuzzyAnAng, kOptFuzzyEnEng, kOptFuzzyInIng, kOptFuzzyUnOng,
                                                   kOptFuzzyRetroflex, kOptFuzzyRY, kOptFuzzyLN};

struct OptionsValues {
  bool traditional = false;  // Charset
  bool dot = false;          // Period
  bool corner = false;       // Quote
  int language = 0;          // Language
  std::uint32_t fuzzyFlags = 0;  // VagueFlags
};

// Read from the panel's settings (absent values 0).
OptionsValues loadOptions();
// OK: Period, Charset, Quote and VagueFlags.
void storeOptions(const OptionsValues& values);
// A change of language is stored at once.
void storeOptionsLanguage(int language);

struct ControlLabel {
  int id;
  std::u16string text;
};
// Every labelled control in a language (the page's own values are not labels).
std::vector<ControlLabel> optionsLabels(OptionsLanguage language);
// The language box: the first filling, then the four entries written in the page's language.
std::vector<std::u16string> initialLanguageEntries();
std::vector<std::u16string> languageEntries(OptionsLanguage language);
OptionsFont optionsFont(OptionsLanguage language);
// The check state of a control for the values (radio buttons and fuzzy boxes).
bool optionChecked(const OptionsValues& values, int control);
// The values after the user's check marks (OK reads the boxes so).
void setOptionChecked(OptionsValues& values, int control, bool checked);

}  // namespace pinyin
