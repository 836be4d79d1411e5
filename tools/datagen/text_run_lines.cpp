#include "tools/datagen/text_run_lines.h"

#include <array>
#include <string_view>

namespace datagen {

namespace {

std::uint64_t next(std::uint64_t& state) {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}
std::size_t below(std::uint64_t& state, std::size_t n) { return static_cast<std::size_t>(next(state) % n); }

std::string digits(std::uint64_t& state, std::size_t n, bool leadingZero = false) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('0' + ((i == 0 && !leadingZero) ? 1 + below(state, 9) : below(state, 10)));
  return s;
}

const std::array<std::string_view, 12> kWords = {"example", "mail", "shop", "news", "data", "tokyo",
                                                 "beijing", "foo", "bar", "info", "web", "test"};
const std::array<std::string_view, 5> kDomains = {"com", "org", "net", "co.jp", "com.cn"};
const std::array<std::string_view, 14> kLatin = {"iPhone 15", "hello",  "Windows", "USB",   "e-mail", "Wi-Fi", "OK",
                                                 "Python",    "nǐ hǎo", "DNA",     "Tokyo", "CPU",    "LED",   "C++"};
const std::array<std::string_view, 6> kUnits = {"kg", "m", "km", "GB", "cm", "ml"};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// ASCII marks, letters and digits as their full-width forms.
std::string widened(std::string_view ascii) {
  std::string out;
  for (char ch : ascii) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > 0x20 && c < 0x7F) appendUtf8(out, 0xFF01 + (c - 0x21));
    else out += ch;
  }
  return out;
}

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string_view> characters(std::string_view s) {
  std::vector<std::string_view> out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

bool isDigitAt(std::string_view s, std::size_t i) {
  if (i < s.size() && s[i] >= '0' && s[i] <= '9') return true;
  // full-width digits: EF BC 90-99
  return i + 2 < s.size() && static_cast<unsigned char>(s[i]) == 0xEF && static_cast<unsigned char>(s[i + 1]) == 0xBC &&
         static_cast<unsigned char>(s[i + 2]) >= 0x90 && static_cast<unsigned char>(s[i + 2]) <= 0x99;
}

}  // namespace

std::string randomTextRun(std::uint64_t& state, bool wide) {
  std::string run;
  const std::size_t kind = below(state, 10);
  switch (kind) {
    case 0:  // an integer with thousands separators
      run = digits(state, 1 + below(state, 3));
      for (std::size_t g = 0, n = 1 + below(state, 3); g < n; ++g) run += "," + digits(state, 3, true);
      break;
    case 1:  // a decimal number
      run = digits(state, 1 + below(state, 3)) + "." + digits(state, 1 + below(state, 3), true);
      break;
    case 2: {  // a date
      const char* seps[] = {"-", "/", "."};
      const char* sep = seps[below(state, 3)];
      run = "20" + digits(state, 2, true) + sep + std::to_string(1 + below(state, 12)) + sep +
            std::to_string(1 + below(state, 28));
      break;
    }
    case 3:  // a time
      run = std::to_string(below(state, 24)) + ":" + std::to_string(10 + below(state, 50));
      if (below(state, 3) == 0) run += ":" + std::to_string(10 + below(state, 50));
      break;
    case 4:  // a phone number
      run = (below(state, 4) == 0 ? "+86-" : "0") + digits(state, 2) + "-" + digits(state, 4, true) + "-" +
            digits(state, 4, true);
      break;
    case 5:  // a percentage
      run = digits(state, 1 + below(state, 2)) + (below(state, 2) ? "." + digits(state, 1, true) : "") + "%";
      break;
    case 6:  // a URL
      run = std::string(below(state, 2) ? "https://" : "http://") + (below(state, 2) ? "www." : "") +
            std::string(kWords[below(state, kWords.size())]) + "." + std::string(kDomains[below(state, kDomains.size())]);
      for (std::size_t p = 0, n = below(state, 3); p < n; ++p) run += "/" + std::string(kWords[below(state, kWords.size())]);
      if (below(state, 3) == 0) run += "?id=" + digits(state, 3);
      break;
    case 7:  // a mail address
      run = std::string(kWords[below(state, kWords.size())]) + (below(state, 2) ? "." : "_") +
            std::string(kWords[below(state, kWords.size())]) + "@" + std::string(kWords[below(state, kWords.size())]) + "." +
            std::string(kDomains[below(state, kDomains.size())]);
      break;
    case 8:  // a Latin word
      run = kLatin[below(state, kLatin.size())];
      break;
    default:  // a measure
      run = digits(state, 1 + below(state, 3)) + (below(state, 2) ? "." + digits(state, 1, true) : "") +
            std::string(kUnits[below(state, kUnits.size())]);
      break;
  }
  // Full width only where every character has a full-width form.
  if (wide && run.find(' ') == std::string::npos && run.find("\xC7") == std::string::npos &&
      run.find("\xC3") == std::string::npos)
    return widened(run);
  return run;
}

std::vector<RunLine> makeRunLines(const std::vector<std::string>& sentences, bool atStart, std::string_view afterMarks,
                                  std::string_view beforeMarks, std::size_t count, std::uint64_t seed) {
  std::vector<RunLine> lines;
  if (sentences.empty()) return lines;
  const std::vector<std::string_view> after = characters(afterMarks), before = characters(beforeMarks);
  std::uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::vector<std::string_view> chars = characters(sentences[below(state, sentences.size())]);
    // Places where a noun can stand: the start, after a mark of one list, before one of the other.
    std::vector<std::size_t> places;
    if (atStart) places.push_back(0);
    for (std::size_t c = 1; c + 1 < chars.size(); ++c) {
      bool place = false;
      for (std::string_view m : after) place = place || chars[c - 1] == m;
      // Before a particle only after a noun's last character, no kana ending (では, には).
      const bool kana = chars[c - 1].size() == 3 && static_cast<unsigned char>(chars[c - 1][0]) == 0xE3 &&
                        (static_cast<unsigned char>(chars[c - 1][1]) == 0x81 ||
                         (static_cast<unsigned char>(chars[c - 1][1]) == 0x82 && static_cast<unsigned char>(chars[c - 1][2]) < 0xA0));
      for (std::string_view m : before) place = place || (chars[c] == m && !kana);
      if (place) places.push_back(c);
    }
    if (places.empty()) places.push_back(0);
    const std::size_t n = 1 + below(state, 3);
    std::vector<std::size_t> at;
    for (std::size_t k = 0; k < n; ++k) at.push_back(places[below(state, places.size())]);
    RunLine line;
    for (std::size_t c = 0; c <= chars.size(); ++c) {
      for (std::size_t k = 0; k < n; ++k) {
        if (at[k] != c) continue;
        // Two runs at one place stand apart by a character of the sentence, or not at all.
        if (!line.runs.empty() && line.line.size() >= line.runs.back().size() &&
            line.line.compare(line.line.size() - line.runs.back().size(), std::string::npos, line.runs.back()) == 0)
          continue;
        std::string run = randomTextRun(state, below(state, 3) == 0);
        line.line += run;
        line.runs.push_back(run);
      }
      if (c < chars.size()) line.line += chars[c];
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::size_t sentenceEnds(const std::string& s) {
  std::size_t ends = 0;
  bool inEnd = false;
  for (std::size_t i = 0; i < s.size();) {
    const std::string_view rest(s.data() + i, s.size() - i);
    std::size_t n = 0;
    for (std::string_view mark : {"。", "！", "？", "．", "!", "?", "."}) {
      if (rest.substr(0, mark.size()) == mark) {
        n = mark.size();
        break;
      }
    }
    if (n == 0) {
      inEnd = false;
      const auto c = static_cast<unsigned char>(s[i]);
      i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      continue;
    }
    const bool decimal = i > 0 && (isDigitAt(s, i - 1) || (i >= 3 && isDigitAt(s, i - 3))) && isDigitAt(s, i + n);
    if (!decimal && !inEnd) ++ends;
    inEnd = !decimal;
    i += n;
  }
  return ends;
}

std::string runLineFault(const RunLine& in, const std::string& translation) {
  std::string restIn = in.line, restOut = translation;
  std::size_t fromIn = 0, fromOut = 0;
  for (const std::string& run : in.runs) {
    const std::size_t atIn = restIn.find(run, fromIn);
    const std::size_t atOut = restOut.find(run, fromOut);
    if (atOut == std::string::npos) return "the run " + run + " is missing, cut or out of order";
    // The runs' own marks are no sentence ends: a blank in their place.
    restIn.replace(atIn, run.size(), " ");
    restOut.replace(atOut, run.size(), " ");
    fromIn = atIn + 1;
    fromOut = atOut + 1;
  }
  const std::size_t endsIn = sentenceEnds(restIn), endsOut = sentenceEnds(restOut);
  if (endsIn != endsOut)
    return std::to_string(endsIn) + " sentence ends in, " + std::to_string(endsOut) + " out";
  return "";
}

}  // namespace datagen
