#include "platform/synparse/parse_text.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/synparse/phrase_analysis.h"
#include "platform/synparse/synparse_api.h"

namespace synparse {

namespace {

std::u16string toText(const char16_t* text) {
  std::u16string s;
  if (text)
    while (*text) s.push_back(*text++);
  return s;
}

struct ParserState {
  bool initialised = false;
  WordLists lists;
  // The morpheme file stays open from call to call while the caller names the same one (the
  // same path under the same device root).
  std::u16string morphPath;
  std::string morphRoot;
  std::FILE* morph = nullptr;
};

void closeMorphFile(ParserState& s) {
  if (s.morph) plat::fileClose(s.morph);
  s.morph = nullptr;
  s.morphPath.clear();
  s.morphRoot.clear();
}

// The whole morpheme file as it now is: read again through the file kept open when the path is
// the one of the last call and the file still has its name, else opened anew.
bool readMorphFile(ParserState& s, const char16_t* morphPath, std::string& bytes) {
  const std::u16string path = toText(morphPath);
  std::string root = plat::deviceRoot();
  if (s.morph && path == s.morphPath && root == s.morphRoot &&
      plat::fileReadFromStart(s.morph, bytes) == plat::Reread::kRead)
    return true;
  closeMorphFile(s);
  s.morph = plat::fileOpen(path, "rb");
  if (!s.morph) return false;
  s.morphPath = path;
  s.morphRoot = std::move(root);
  if (plat::fileReadFromStart(s.morph, bytes) == plat::Reread::kRead) return true;
  closeMorphFile(s);
  return false;
}

ParserState& state() {
  static ParserState s;
  return s;
}

// The optional data file: the path itself, or "Jcfrdic" in the folder it names. Absent, it is said
// and the parser goes on with its own words; present but unreadable (a folder, a read error), it
// is refused.
enum class Dictionary { Read, Absent, Unreadable };
Dictionary readDictionary(const std::u16string& path, std::string& text, std::string& name) {
  if (path.empty()) return Dictionary::Absent;
  std::u16string file = path;
  if (path.back() == u'\\' || path.back() == u'/') file += u"Jcfrdic";
  name = plat::wideToUtf8(file);
  std::FILE* f = plat::fileOpen(file, "rb");
  if (!f) {
    if (!plat::pathExists(name)) {
      std::fprintf(stderr, "Jcfrdic: %s cannot be read; only the parser's own words are used\n", name.c_str());
      return Dictionary::Absent;
    }
    std::fprintf(stderr, "Jcfrdic: %s is no readable file\n", name.c_str());
    return Dictionary::Unreadable;
  }
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  const bool failed = std::ferror(f) != 0;
  plat::fileClose(f);
  if (failed) {
    std::fprintf(stderr, "Jcfrdic: %s could not be read whole\n", name.c_str());
    text.clear();
    return Dictionary::Unreadable;
  }
  return Dictionary::Read;
}

constexpr int kSymbolPos = 1, kVerbPos = 2, kNounPos = 6, kParticlePos = 9, kPrefixPos = 13;

const Morpheme& at(const std::vector<Morpheme>& m, int i) { return m[static_cast<std::size_t>(i)]; }

// The word a phrase's frame is looked up by: its first content word when that is a verb, or a サ変
// noun with its する; empty otherwise.
std::string frameWord(const std::vector<Morpheme>& m, const Phrase& p) {
  int i = p.first;
  while (i <= p.last && (at(m, i).pos == kSymbolPos || at(m, i).pos == kPrefixPos)) ++i;
  if (i > p.last) return {};
  const Morpheme& w = at(m, i);
  if (w.pos == kVerbPos) return w.baseForm;
  if (w.pos == kNounPos && w.subPos == 2 && i + 1 <= p.last && at(m, i + 1).pos == kVerbPos &&
      at(m, i + 1).conjType == 16)
    return w.surface + "する";
  return {};
}

// The case particle that ends a phrase (before a closing は or も: 友達には); empty when none.
std::string caseOf(const std::vector<Morpheme>& m, const Phrase& p) {
  int w = p.last;
  while (w >= p.first && at(m, w).pos == kSymbolPos) --w;
  if (w < p.first || at(m, w).pos != kParticlePos) return {};
  if (at(m, w).subPos == 2 && w - 1 > p.first && at(m, w - 1).pos == kParticlePos && at(m, w - 1).subPos == 1)
    --w;
  // The quoting と after a clause (来ると思う) is a case of the verb of saying or thinking too.
  if (at(m, w).subPos == 3 && at(m, w).surface == "と") return at(m, w).surface;
  return at(m, w).subPos == 1 ? at(m, w).surface : std::string();
}

// A quotation in brackets before its と (「…」と): the verb's own word order keeps it.
bool isBracketedQuote(const std::vector<Morpheme>& m, const Phrase& p) {
  int w = p.last;
  while (w >= p.first && at(m, w).pos == kSymbolPos && at(m, w).subPos != 4) --w;
  if (w < p.first || at(m, w).surface != "と") return false;
  return w - 1 >= p.first && at(m, w - 1).pos == kSymbolPos && at(m, w - 1).subPos == 4;
}

// The '/' line of phrase k: its voice class, and the rendering, template and fields of its verb's
// frame when the verb has one and every case the frame names depends on it; empty when neither.
std::string patternLine(const std::vector<Morpheme>& m, const Sentence& s, std::size_t k, const WordLists& lists) {
  const Phrase& p = s.phrases[k];
  const Frame* frame = findFrame(lists, frameWord(m, p));
  std::string fields;
  // The first of the verb's frames whose every case depends on it.
  for (; frame; frame = nextFrame(lists, *frame)) {
    fields.clear();
    if (p.voiceClass == '1' || p.voiceClass == '3' || p.voiceClass == '4') fields = "-";
    bool whole = true;
    for (const std::string& c : frame->cases) {
      // The nearest phrase of the case that depends on the verb; a に of a time, a count or a
      // clause's circumstances is no partner.
      int dependent = -1;
      for (std::size_t j = k; j-- > 0 && dependent < 0;) {
        const Phrase& d = s.phrases[j];
        if (d.head == static_cast<int>(k) && caseOf(m, d) == c && !isCircumstanceNi(m, d, lists) &&
            !(c == "と" && isBracketedQuote(m, d)))
          dependent = static_cast<int>(j);
      }
      if (dependent < 0) {
        whole = false;
        break;
      }
      fields += (fields.empty() ? "" : ":") + std::to_string(dependent);
    }
    if (whole) break;
  }
  if (!frame && !p.voiceClass) return {};
  std::string line = "/" + std::to_string(k) + " " + (p.voiceClass ? p.voiceClass : '0');
  if (frame) line += " " + frame->rendering + "$" + frame->templateText + "$" + fields;
  return line + "\n";
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
        text += patternLine(morphemes, s, k, lists);
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
  s.initialised = false;
  s.lists = defaultWordLists();
  std::string text, name;
  switch (readDictionary(toText(dictionaryPath), text, name)) {
    case Dictionary::Absent:
      break;
    case Dictionary::Unreadable:
      return kParseBadDictionary;
    case Dictionary::Read: {
      // A file that is there holds words and ends at a line end: one emptied or cut inside a line is
      // damaged, as is one with a line the parser cannot read (each is named).
      if (text.empty()) {
        std::fprintf(stderr, "Jcfrdic: %s is empty\n", name.c_str());
        return kParseBadDictionary;
      }
      std::vector<int> bad;
      const bool whole = addWordLists(text, s.lists, &bad);
      for (int line : bad) std::fprintf(stderr, "Jcfrdic: line %d not read\n", line);
      if (text.back() != '\n' && text.back() != '\r') {
        std::fprintf(stderr, "Jcfrdic: %s ends inside a line (cut short)\n", name.c_str());
        return kParseBadDictionary;
      }
      if (!whole) {
        std::fprintf(stderr, "Jcfrdic: %s is damaged\n", name.c_str());
        s.lists = WordLists{};
        return kParseBadDictionary;
      }
      break;
    }
  }
  s.initialised = true;
  return kParseOk;
}

int parseMorphFile(const char16_t* morphPath, char* buffer) {
  ParserState& s = state();
  if (!buffer || !morphPath) return kParseBadArgument;
  buffer[0] = 0;
  if (!s.initialised) return kParseNotInitialised;
  std::string bytes;
  if (!readMorphFile(s, morphPath, bytes)) return kParseOpenError;
  std::vector<Morpheme> morphemes;
  if (!readMorphemes(bytes, morphemes)) return kParseBadMorphFile;
  if (fillParseBuffer(parseSentences(morphemes, s.lists), buffer, kParseBufferSize) < 0) return kParseBufferTooSmall;
  return kParseOk;
}

void terminateParser() {
  ParserState& s = state();
  closeMorphFile(s);
  s.initialised = false;
  s.lists = WordLists{};
}

}  // namespace synparse
