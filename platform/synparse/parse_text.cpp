#include "platform/synparse/parse_text.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/synparse/phrase_analysis.h"
#include "platform/synparse/synparse_api.h"

namespace synparse {

namespace {

struct ParserState {
  bool initialised = false;
  WordLists lists;
};

ParserState& state() {
  static ParserState s;
  return s;
}

std::u16string toText(const char16_t* text) {
  std::u16string s;
  if (text)
    while (*text) s.push_back(*text++);
  return s;
}

// The optional data file: the path itself, or "Jcfrdic" in the folder it names.
bool readDictionary(const std::u16string& path, std::string& text) {
  if (path.empty()) return false;
  std::u16string file = path;
  if (path.back() == u'\\' || path.back() == u'/') file += u"Jcfrdic";
  std::FILE* f = plat::fileOpen(file, "rb");
  if (!f) return false;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  plat::fileClose(f);
  return true;
}

}  // namespace

std::vector<std::string> parseSentences(const std::vector<Morpheme>& morphemes, const WordLists& lists) {
  std::vector<std::string> out;
  int number = 0;
  for (Sentence& whole : cutSentences(morphemes)) {
    cutPhrases(morphemes, whole);
    for (Sentence& s : splitAtNodeLimit(whole)) {
      attachPhrases(morphemes, s, lists);
      std::string text = "# S-ID:" + std::to_string(++number) + "\n";
      for (std::size_t k = 0; k < s.phrases.size(); ++k) {
        const Phrase& p = s.phrases[k];
        text += p.head < 0 ? "* -1- " : "* " + std::to_string(p.head) + "D ";
        text += p.tags + "\n";
        for (int i = p.first; i <= p.last; ++i)
          text += "! " + std::to_string(morphemes[static_cast<std::size_t>(i)].offset) + "\n";
        if (p.voiceClass) text += "/" + std::to_string(k) + " " + p.voiceClass + "\n";
      }
      text += "E\n";
      out.push_back(std::move(text));
    }
  }
  return out;
}

int fillParseBuffer(const std::vector<std::string>& sentences, char* buffer, std::size_t size) {
  if (!buffer || size == 0) return -1;
  std::size_t used = 0;
  int written = 0;
  for (const std::string& s : sentences) {
    if (used + s.size() + 1 > size) break;
    std::memcpy(buffer + used, s.data(), s.size());
    used += s.size();
    ++written;
  }
  buffer[used] = 0;
  return written == 0 && !sentences.empty() ? -1 : written;
}

int initParser(const char16_t* dictionaryPath) {
  ParserState& s = state();
  s.lists = defaultWordLists();
  std::string text;
  if (readDictionary(toText(dictionaryPath), text) && !addWordLists(text, s.lists)) s.lists = defaultWordLists();
  s.initialised = true;
  return kParseOk;
}

int parseMorphFile(const char16_t* morphPath, char* buffer) {
  ParserState& s = state();
  if (!buffer || !morphPath) return kParseBadArgument;
  buffer[0] = 0;
  if (!s.initialised) return kParseNotInitialised;
  std::FILE* f = plat::fileOpen(toText(morphPath), "rb");
  if (!f) return kParseOpenError;
  std::string bytes;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  plat::fileClose(f);
  std::vector<Morpheme> morphemes;
  if (!readMorphemes(bytes, morphemes)) return kParseBadMorphFile;
  if (fillParseBuffer(parseSentences(morphemes, s.lists), buffer, kParseBufferSize) < 0) return kParseBufferTooSmall;
  return kParseOk;
}

void terminateParser() {
  ParserState& s = state();
  s.initialised = false;
  s.lists = WordLists{};
}

}  // namespace synparse
