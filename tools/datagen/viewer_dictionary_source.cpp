#include "tools/datagen/viewer_dictionary_source.h"

#include "apps/dictionary/entry_text.h"
#include "platform/core/codepage.h"
#include "tools/resgen/engine_code_tables.h"

#include <sstream>

namespace datagen {

namespace {

void appendEngineChar(std::string& out, char16_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  std::string gb = plat::wideToMultiByte(936, std::u16string_view(&c, 1));
  resgen::EngineCode e = 0;
  if (gb.size() == 2)
    e = resgen::gbToEngineCode(
        static_cast<std::uint16_t>(static_cast<unsigned char>(gb[0]) << 8 | static_cast<unsigned char>(gb[1])));
  if (e >= 0x100) {
    out.push_back(static_cast<char>(e >> 8));
    out.push_back(static_cast<char>(e & 0xFF));
  } else {
    out.push_back(e ? static_cast<char>(e) : '?');
  }
}

// Encodes a run of text in the current language.
void appendText(std::string& out, std::u16string_view text, bool chinese) {
  if (chinese) {
    for (char16_t c : text) appendEngineChar(out, c);
  } else {
    out += plat::wideToMultiByte(932, text);
  }
}

bool parseBody(int direction, std::u16string_view body, std::string& out) {
  bool chinese = direction == 1;
  std::u16string run;
  for (size_t i = 0; i < body.size(); ++i) {
    char16_t c = body[i];
    if (c == u'\\' && i + 1 < body.size()) {
      char16_t n = body[++i];
      if (n == u'n') run += u"\r\n";
      else if (n == u'\\') run.push_back(u'\\');
      else return false;
    } else if (c == u'{' && i + 2 < body.size() && body[i + 2] == u'}' && body[i + 1] < 0x80) {
      appendText(out, run, chinese);
      run.clear();
      char letter = static_cast<char>(body[i + 1]);
      out.push_back('\x0E');
      out.push_back(letter);
      if (letter == 'C' || letter == 'E') chinese = true;
      else if (letter == 'J' || letter == 'B') chinese = false;
      i += 2;
    } else {
      run.push_back(c);
    }
  }
  appendText(out, run, chinese);
  return true;
}

// A Japanese key as a search makes it: kana, letters and symbols in their single-byte forms, no
// spaces, letters in capitals. A headword key such as 盗む must be ordered among the keys that
// way, or the search for it stops short at its kanji.
std::string japaneseKey(const std::string& shiftJis) {
  std::string half;
  dict::normaliseToHalfWidth(shiftJis, half);
  std::string key = dict::removeSpaces(half);
  for (size_t i = 0; i < key.size();) {
    std::uint16_t c = 0;
    const int n = dict::readChar(std::string_view(key).substr(i), c);
    if (n == 1 && c >= 'a' && c <= 'z') key[i] = static_cast<char>(c - 32);
    i += static_cast<size_t>(n > 0 ? n : 1);
  }
  return key;
}

}  // namespace

std::string toEngineCode(std::u16string_view text) {
  std::string out;
  appendText(out, text, true);
  return out;
}

bool parseViewerSource(int direction, std::string_view text, std::vector<ViewerRecord>& out, std::string& error) {
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  out.clear();
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) {
      error = "line " + std::to_string(number) + ": keys, a tab, the body";
      return false;
    }
    ViewerRecord r;
    std::istringstream keys(line.substr(0, tab));
    for (std::string key; std::getline(keys, key, '|');) {
      if (key.empty()) continue;
      std::string bytes;
      appendText(bytes, plat::utf8ToWide(key), direction == 1);
      r.keys.push_back(direction == 0 ? japaneseKey(bytes) : bytes);
    }
    if (!parseBody(direction, plat::utf8ToWide(line.substr(tab + 1)), r.body)) {
      error = "line " + std::to_string(number) + ": unknown escape";
      return false;
    }
    out.push_back(std::move(r));
  }
  return true;
}

bool parseViewerExamples(std::string_view text, std::vector<std::pair<std::string, std::string>>& out,
                         std::string& error) {
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  out.clear();
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0 || tab + 1 == line.size()) {
      error = "line " + std::to_string(number) + ": japanese, a tab, chinese";
      return false;
    }
    std::string japanese;
    appendText(japanese, plat::utf8ToWide(line.substr(0, tab)), false);
    out.emplace_back(std::move(japanese), toEngineCode(plat::utf8ToWide(line.substr(tab + 1))));
  }
  return true;
}

}  // namespace datagen
