#include <cctype>
#include "engine/cj/analysis/dic_lookup.h"

#include <new>
#include <string>

#include "engine/common/descramble.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/common/word_table.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDicLookupPunctuationKey{"dicLookup.punctuation"};
constinit ListedKey kDicLookupFirstEntryWordKey{"dicLookup.firstEntryWord"};
}  // namespace

namespace {

const WordKeySpec kWordKeys[] = {
    {"dicLookup.punctuation", 22, 1, 1},
    {"dicLookup.firstEntryWord", 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Longest value of an item written in the rules' notation.
constexpr std::size_t kMaxItemValueChars = 30;
constexpr std::size_t npos = std::string_view::npos;

std::string punctuationList() {
  const std::string& wide = listedBarList(kDicLookupPunctuationKey);
  return "|,|;|!|:|?|(|)|{|}|[|]|<|>" + (wide.empty() ? std::string("|") : wide);
}

const ListedKey kPunctuation{"dicLookup.punctuation"};
const ListedKey kEnumerationChars{"textChecks.enumerationChars"};

// The bar-list test against punctuationList() without making the list.
bool isPunctuation(std::string_view word) {
  if (!isWholeWithoutBar(word)) return isInWordList(punctuationList(), word);
  if (word.size() == 1 && std::string_view(",;!:?(){}[]<>").find(word[0]) != std::string_view::npos) return true;
  return isInListedBarList(kPunctuation, word);
}

void setCategory(CjNode& node, const char* cat) { node.CAT = cat; }

char firstOf(std::string_view v) { return v.empty() ? 0 : v[0]; }

// Sets the sense field that a tag letter names; other letters are ignored.
void setSenseField(CjSense& sense, char tag, std::string_view value) {
  const char c = firstOf(value);
  switch (tag) {
    case 'a': sense.M_SEM = value; break;
    case 'b': sense.S_SEM = value; break;
    case 'c': sense.CLAS_M_FIX = c; break;
    case 'd':
    case 'P': sense.CLAS_YN = c; break;
    case 'e': sense.LOC = value; break;
    case 'f': sense.SEX = c; break;
    case 'g': sense.NUM = c; break;
    case 'h': sense.PER = c; break;
    case 'i': sense.PROP = c; break;
    case 'j': sense.TIME = c; break;
    case 'l': sense.NEG = c; break;
    case 'm': sense.VOI = c; break;
    case 'n': sense.TEN = c; break;
    case 'o': sense.ASP = c; break;
    case 'p': sense.C_SUB_SEM = value; break;
    case 'q': sense.C_OBJ_SEM = value; break;
    case 'X': sense.NO_C_OBJ_SEM = value; break;
    case 'r': sense.REPEAT = value; break;
    case 's': sense.PRE_OBJ = value; break;
    case 't': sense.C_VAL = value; break;
    case 'u': sense.V_RES = value; break;
    case 'v': sense.V_TWO = value; break;
    case 'w': sense.MOD = c; break;
    case 'x': sense.DEG = c; break;
    case 'y': sense.FUNC1 = c; break;
    case 'z': sense.CONJ = c; break;
    case 'A': sense.CONJ_FIX = c; break;
    case 'B': sense.MODIFY = c; break;
    case 'C': sense.SENT_YN = c; break;
    case 'D': sense.WHAT = c; break;
    case 'E': sense.WHO = c; break;
    case 'F': sense.DOM_P = c; break;
    case 'G': sense.CERT = c; break;
    case 'H':
    case 'R': sense.ATTR1 = c; break;
    case 'I': sense.CONJ_YN = c; break;
    case 'J': sense.LOGIC = c; break;
    case 'K': sense.PREP_YN = c; break;
    case 'L': sense.COMBINE = c; break;
    case 'M': sense.PRE_POST = c; break;
    case 'O': sense.SV_CONJ = c; break;
    case 'Q': sense.ADD = c; break;
    case 'S': sense.ATTR2 = c; break;
    case 'T': sense.S_CAT = value; break;
    default: break;
  }
}

// First position at or after from (a character start) holding one of the bytes; npos if none.
std::size_t findByteAtCharStart(std::string_view text, std::size_t from, std::string_view bytes) {
  for (std::size_t i = from; i < text.size(); i += charLengthAt(text, i)) {
    if (bytes.find(text[i]) != npos) return i;
  }
  return npos;
}

int32_t decimalValue(std::string_view v) {
  int64_t n = 0;
  for (char c : v) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > 0x7FFFFFFE) return 0x7FFFFFFE;
  }
  return static_cast<int32_t>(n);
}

// Parses the entry's items into the node's senses; a failed allocation throws.
void parseItems(CjNode& node, std::string_view entry, std::size_t p) {
  std::size_t current = 0;
  bool seenSense = false;
  while (p < entry.size()) {
    const char tag = entry[p];
    const std::size_t open = findByteAtCharStart(entry, p, std::string_view("[", 1));
    if (open == npos) break;
    const std::size_t vs = open + 1;
    std::size_t ve = findByteAtCharStart(entry, vs, std::string_view("]$\n\0", 4));
    if (ve == npos) ve = entry.size();
    const std::string_view value = entry.substr(vs, ve - vs);
    p = ve + 1;
    if (tag == 'U') {
      if (seenSense) {
        node.senses.emplace_back();
        initSense(node.senses.back());
        current = node.senses.size() - 1;
      }
      seenSense = true;
      node.senses[current].catLetter = firstOf(value);
    } else if (tag == 'Z') {
      node.dictionaryRef = value.empty() ? 0 : decimalValue(value) + 1;
    } else {
      setSenseField(node.senses[current], tag, value);
    }
  }
}

}  // namespace

int readDicEntryFrom(CjEngine& engine, std::FILE* dictionary, CjNode& node, int32_t offset) {
  const std::string_view word = node.CHI.view();
  if (isInListedBarList(kEnumerationChars, word)) {
    setCategory(node, "U");
    node.dictionaryRef = 0;
    return 0;
  }
  if (isPunctuation(word)) {
    setCategory(node, "P");
    return 0;
  }
  if (word.empty() || !dbcs::isLeadByte(static_cast<unsigned char>(word[0]))) {
    setCategory(node, "W");
    return 0;
  }
  if (offset == 0 && word != listedWord(kDicLookupFirstEntryWordKey)) {
    setCategory(node, "W");
    return 0;
  }
  // A missing file or an offset outside it is a failed read: the sentence stops with its status.
  // A dictionary held in memory is read in place; another through its handle.
  std::string entry;
  const std::string_view held = dictionary ? plat::fileHeldBytes(dictionary) : std::string_view();
  if (!held.empty()) {
    if (offset >= 0 && static_cast<std::size_t>(offset) < held.size())
      entry.assign(held.substr(static_cast<std::size_t>(offset), kDicEntryReadSize));
  } else if (dictionary && offset >= 0 && plat::fileSeek(dictionary, offset, SEEK_SET) == 0) {
    entry.resize(kDicEntryReadSize);
    entry.resize(plat::fileRead(entry.data(), kDicEntryReadSize, dictionary));
  }
  const std::size_t got = entry.size();
  if (got == 0) {
    setCategory(node, "W");
    engine.engineStatus = kStatusEntryReadFailed;
    return 0;
  }
  entry.resize(got);
  descrambleDicEntry(entry, offset);
  std::size_t end = findByteAtCharStart(entry, entry.empty() ? 0 : 1, std::string_view("\\\n\0", 3));
  if (end == npos) end = entry.size();
  node.CAT = entry.size() > 1 ? std::string_view(entry).substr(1, end - 1) : std::string_view();
  try {
    node.senses.clear();
    node.senses.emplace_back();
    initSense(node.senses.front());
    if (end < entry.size() && entry[end] == '\\') parseItems(node, entry, end + 1);
  } catch (const std::bad_alloc&) {
    plat::consolePrint("no memory for allocation!\n");
    engine.engineStatus = kStatusNoSenseMemory;
    return 0;
  }
  return 1;
}

int readDicEntry(CjEngine& engine, CjNode& node, int32_t offset) {
  return readDicEntryFrom(engine, engine.data.cwcdic, node, offset);
}

int fillNodesFromSegments(CjSentence& s, const std::vector<SegmentEntry>& merged) {
  const int last = s.nodeCount < kMaxNodes ? s.nodeCount : kMaxNodes - 1;
  for (int i = 1; i <= last && i < static_cast<int>(merged.size()); ++i) {
    const SegmentEntry& e = merged[i];
    CjNode& node = s.nodes[i];
    node.CHI = e.text.view();
    switch (e.kind) {
      case 'P':
      case 'U':
      case 'W':
        node.CAT = std::string_view(&e.kind, 1);
        // A run of Latin letters (a word, a name, a URL) reads as a noun.
        if (e.kind == 'W' && !node.CHI.view().empty() && std::isalpha(static_cast<unsigned char>(node.CHI.view()[0])))
          node.CAT = "N";
        node.kind = 'W';
        break;
      case '4':
        readDicEntry(*s.engine, node, e.value);
        node.kind = '4';
        if (s.engine->engineStatus != kStatusOk) return s.engine->engineStatus;
        break;
      case '0':
      case '1':
      case '2':
        node.CAT = "N";
        node.kind = e.kind;
        node.dictionaryRef = e.value;
        break;
      default:
        node.CAT = "W";
        node.kind = 'W';
        break;
    }
  }
  return s.engine->engineStatus;
}

void setSenseFromItems(CjNode& node, std::string_view text) {
  if (text.size() < 4 || text[0] != 'U' || text[1] != '[' || text[3] != ']' || node.senses.empty()) return;
  const char letter = text[2];
  node.senses.resize(1);
  initSense(node.senses.front());
  CjSense& sense = node.senses.front();
  node.CAT = std::string_view(&letter, 1);
  sense.catLetter = letter;
  std::size_t p = 4;
  while (p + 1 < text.size() && text[p + 1] == '[') {
    const char tag = text[p];
    const std::size_t vs = p + 2;
    std::size_t ve = npos;
    std::size_t chars = 0;
    for (std::size_t i = vs; i < text.size() && chars <= kMaxItemValueChars; i += charLengthAt(text, i), ++chars) {
      if (text[i] == ']') {
        ve = i;
        break;
      }
    }
    if (ve == npos) return;
    if (tag != 'U') setSenseField(sense, tag, text.substr(vs, ve - vs));
    p = ve + 1;
  }
}

int isDictionaryWord(const CjEngine& engine, std::string_view text) {
  segment seg;
  initSegmenter(seg, engine, text);
  int32_t value = 0;
  const int one = probeWholeWord(seg, seg.input, value, kSegmentMain);
  freeSegmenter(seg);
  return one;
}

int loadWordRecord(CjEngine& engine, std::string_view text, CjNode* node) {
  if (!node) return 0;
  text = text.substr(0, text.find('\0'));
  const std::string local(text.substr(0, fitAtCharBoundary(text, FixedText<40>::kCapacity)));
  segment seg;
  initSegmenter(seg, engine, local);
  setNodeDefaults(*node);
  int32_t value = 0;
  const int one = probeWholeWord(seg, local, value, kSegmentMain);
  if (one) {
    node->CHI = local;
    segmentSentence(seg);
    if (mergedCount(seg) >= 1) readDicEntry(engine, *node, mergedSegments(seg)[1].value);
  }
  freeSegmenter(seg);
  return one;
}

void freeSenseList(std::vector<CjSense>& senses) {
  senses.clear();
  senses.shrink_to_fit();
}

void freeWordRecord(CjNode* node) {
  if (!node) return;
  freeSenseList(node->senses);
  delete node;
}

void destroySentence(std::unique_ptr<CjSentence>& s, int flags) {
  if (!s) return;
  releaseSentence(*s);
  if (flags & 1) s.reset();
}

}  // namespace cj
