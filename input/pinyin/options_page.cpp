#include "input/pinyin/options_page.h"

#include "input/panel-common/panel_frame.h"
#include "input/pinyin/panel_ids.h"

namespace pinyin {

namespace {

std::uint32_t read(std::string_view name) {
  std::uint32_t v = 0;
  panel::panelSetting(kPinyinClassId, name, false, v);
  return v;
}

void write(std::string_view name, std::uint32_t v) { panel::panelSetting(kPinyinClassId, name, true, v); }

struct Texts {
  std::u16string_view title, charset, simplified, traditional, punctuation, period, quote, fuzzy, language;
  std::array<std::u16string_view, 4> languages;
};

const Texts& texts(OptionsLanguage l) {
  static const Texts kTexts[] = {
      {u"Configurations of Talvenro Pinyin", u"Character Set", u"Simplified", u"Traditional", u"Punctuations",
       u"Period", u"Quotation", u"Difficult sounds", u"Language",
       {u"English", u"Japanese", u"Simplified Chinese", u"Traditional Chinese"}},
      {u"Talvenro ピンイン入力の設定", u"文字セット", u"簡体字", u"繁体字", u"句読点", u"句点", u"引用符",
       u"紛らわしい発音", u"言語", {u"英語", u"日本語", u"中国語（簡体字）", u"中国語（繁体字）"}},
      {u"Talvenro 拼音输入设置", u"字符集", u"简体", u"繁体", u"标点符号", u"句号", u"引号", u"模糊音", u"语言",
       {u"英语", u"日语", u"简体中文", u"繁体中文"}},
      {u"Talvenro 拼音輸入設定", u"字元集", u"簡體", u"繁體", u"標點符號", u"句號", u"引號", u"模糊音", u"語言",
       {u"英語", u"日語", u"簡體中文", u"繁體中文"}},
  };
  int i = static_cast<int>(l);
  return kTexts[i >= 0 && i < 4 ? i : 0];
}

}  // namespace

OptionsValues loadOptions() {
  OptionsValues v;
  v.traditional = read("Charset") != 0;
  v.dot = read("Period") != 0;
  v.corner = read("Quote") != 0;
  v.language = static_cast<int>(read("Language"));
  v.fuzzyFlags = read("VagueFlags");
  return v;
}

void storeOptions(const OptionsValues& v) {
  write("Period", v.dot ? 1 : 0);
  write("Charset", v.traditional ? 1 : 0);
  write("Quote", v.corner ? 1 : 0);
  write("VagueFlags", v.fuzzyFlags);
}

void storeOptionsLanguage(int language) { write("Language", static_cast<std::uint32_t>(language)); }

std::vector<ControlLabel> optionsLabels(OptionsLanguage language) {
  const Texts& t = texts(language);
  return {{kOptTitle, std::u16string(t.title)},
          {kOptCharsetGroup, std::u16string(t.charset)},
          {kOptSimplified, std::u16string(t.simplified)},
          {kOptTraditional, std::u16string(t.traditional)},
          {kOptPunctuationGroup, std::u16string(t.punctuation)},
          {kOptPeriodLabel, std::u16string(t.period)},
          {kOptQuoteLabel, std::u16string(t.quote)},
          {kOptPeriodFullStop, u"。"},
          {kOptPeriodDot, u"．"},
          {kOptQuoteCurly, u"“”"},
          {kOptQuoteCorner, u"「」"},
          {kOptFuzzyGroup, std::u16string(t.fuzzy)},
          {kOptLanguageLabel, std::u16string(t.language)},
          {kOptFuzzyAnAng, u"'an' / 'ang'"},
          {kOptFuzzyEnEng, u"'en' / 'eng'"},
          {kOptFuzzyInIng, u"'in' / 'ing'"},
          {kOptFuzzyUnOng, u"'un' / 'ong'"},
          {kOptFuzzyRetroflex, u"'zh,ch,sh' / 'z,s,c'"},
          {kOptFuzzyRY, u"'r' / 'y'"},
          {kOptFuzzyLN, u"'l' / 'n'"}};
}

std::vector<std::u16string> initialLanguageEntries() { return {u"English", u"Japanese", u"Chinese"}; }

std::vector<std::u16string> languageEntries(OptionsLanguage language) {
  const Texts& t = texts(language);
  return {std::u16string(t.languages[0]), std::u16string(t.languages[1]), std::u16string(t.languages[2]),
          std::u16string(t.languages[3])};
}

OptionsFont optionsFont(OptionsLanguage language) {
  switch (language) {
    case OptionsLanguage::Japanese: return OptionsFont::Japanese;
    case OptionsLanguage::SimplifiedChinese: return OptionsFont::GbMincho;
    case OptionsLanguage::TraditionalChinese: return OptionsFont::B5Mincho;
    default: return OptionsFont::Tahoma;
  }
}

bool optionChecked(const OptionsValues& v, int control) {
  switch (control) {
    case kOptSimplified: return !v.traditional;
    case kOptTraditional: return v.traditional;
    case kOptPeriodFullStop: return !v.dot;
    case kOptPeriodDot: return v.dot;
    case kOptQuoteCurly: return !v.corner;
    case kOptQuoteCorner: return v.corner;
    default:
      for (std::size_t bit = 0; bit < kFuzzyBoxes.size(); ++bit) {
        if (kFuzzyBoxes[bit] == control) return (v.fuzzyFlags >> bit) & 1;
      }
      return false;
  }
}

void setOptionChecked(OptionsValues& v, int control, bool checked) {
  switch (control) {
    case kOptSimplified: v.traditional = !checked; return;
    case kOptTraditional: v.traditional = checked; return;
    case kOptPeriodFullStop: v.dot = !checked; return;
    case kOptPeriodDot: v.dot = checked; return;
    case kOptQuoteCurly: v.corner = !checked; return;
    case kOptQuoteCorner: v.corner = checked; return;
    default:
      for (std::size_t bit = 0; bit < kFuzzyBoxes.size(); ++bit) {
        if (kFuzzyBoxes[bit] != control) continue;
        if (checked) v.fuzzyFlags |= 1u << bit;
        else v.fuzzyFlags &= ~(1u << bit);
      }
  }
}

}  // namespace pinyin
