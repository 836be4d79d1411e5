#include "engine/cj/transfer/dictionary_lookup.h"

#include <new>

#include "engine/common/code_convert.h"
#include "engine/common/descramble.h"
#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/kanji_tests.h"
#include "engine/cj/transfer/rule_entry_points.h"
#include "platform/core/fail_point.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDictionaryLookupAfterwardWordKey{"dictionaryLookup.afterwardWord"};
constinit ListedKey kDictionaryLookupCopulaWordKey{"dictionaryLookup.copulaWord"};
constinit ListedKey kDictionaryLookupQuestionCopulaKey{"dictionaryLookup.questionCopula"};
constinit ListedKey kDictionaryLookupNegatedCopulasKey{"dictionaryLookup.negatedCopulas"};
constinit ListedKey kDictionaryLookupENoWordsKey{"dictionaryLookup.eNoWords"};
constinit ListedKey kDictionaryLookupENadoWordsKey{"dictionaryLookup.eNadoWords"};
constinit ListedKey kDictionaryLookupYearEndWordKey{"dictionaryLookup.yearEndWord"};
constinit ListedKey kDictionaryLookupYearEndPrevCharKey{"dictionaryLookup.yearEndPrevChar"};
constinit ListedKey kDictionaryLookupExistenceWord1Key{"dictionaryLookup.existenceWord1"};
constinit ListedKey kDictionaryLookupExistenceWord2Key{"dictionaryLookup.existenceWord2"};
constinit ListedKey kDictionaryLookupExistenceWord3Key{"dictionaryLookup.existenceWord3"};
constinit ListedKey kDictionaryLookupNoExistencePrevKey{"dictionaryLookup.noExistencePrev"};
constinit ListedKey kDictionaryLookupQuantityWordKey{"dictionaryLookup.quantityWord"};
constinit ListedKey kDictionaryLookupQuestionWordKey{"dictionaryLookup.questionWord"};
constinit ListedKey kDictionaryLookupMinuteWordKey{"dictionaryLookup.minuteWord"};
constinit ListedKey kDictionaryLookupA1Key{"dictionaryLookup.A1"};
constinit ListedKey kDictionaryLookupA2Key{"dictionaryLookup.A2"};
constinit ListedKey kDictionaryLookupA3Key{"dictionaryLookup.A3"};
constinit ListedKey kDictionaryLookupDroppingPreviousKey{"dictionaryLookup.droppingPrevious"};
constinit ListedKey kDictionaryLookupA4Key{"dictionaryLookup.A4"};
constinit ListedKey kDictionaryLookupStillCharsKey{"dictionaryLookup.stillChars"};
constinit ListedKey kDictionaryLookupStillStartCharsKey{"dictionaryLookup.stillStartChars"};
constinit ListedKey kDictionaryLookupA5Key{"dictionaryLookup.A5"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"dictionaryLookup.A1", 1, 1, 1},
    {"dictionaryLookup.A2", 1, 2, 2},
    {"dictionaryLookup.A3", 1, 1, 0},
    {"dictionaryLookup.droppingPrevious", 15, 1, 0},
    {"dictionaryLookup.A4", 1, 1, 0},
    {"dictionaryLookup.stillChars", 2, 1, 1},
    {"dictionaryLookup.stillStartChars", 0, 1, 1},
    {"dictionaryLookup.A5", 1, 2, 2},
    {"dictionaryLookup.afterwardWord", 1, 2, 2},     // "その後"
    {"dictionaryLookup.copulaWord", 1, 1, 0},        // "だ"
    {"dictionaryLookup.questionCopula", 1, 3, 3},    // "ではないか"
    {"dictionaryLookup.negatedCopulas", 3, 1, 0},    // "ではない"
    {"dictionaryLookup.eNoWords", 2, 1, 0},          // "の"
    {"dictionaryLookup.eNadoWords", 2, 1, 0},        // "など"
    {"dictionaryLookup.yearEndWord", 1, 1, 1},       // "年末"
    {"dictionaryLookup.yearEndPrevChar", 1, 1, 1},
    {"dictionaryLookup.existenceWord1", 1, 1, 1},    // "ある"/"いる"
    {"dictionaryLookup.existenceWord2", 1, 2, 2},    // "まだある"/"まだいる"
    {"dictionaryLookup.existenceWord3", 1, 2, 2},    // "常にある"/"常にいる"
    {"dictionaryLookup.noExistencePrev", 1, 1, 0},
    {"dictionaryLookup.quantityWord", 1, 1, 0},
    {"dictionaryLookup.questionWord", 1, 1, 0},      // "何"
    {"dictionaryLookup.minuteWord", 1, 2, 2},        // "分"
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool listed(const ListedKey& key, std::string_view word) { return isListedWord(key, word); }


// Appends a fresh candidate; null (status 13 and the message) when none can be had.
CjCandidate* newCandidate(CjEngine& engine, std::vector<CjCandidate>& list) {
  if (!plat::failPointHit(kCandidateFailPoint)) {
    try {
      list.emplace_back();
      return &list.back();
    } catch (const std::bad_alloc&) {
    }
  }
  engine.engineStatus = kStatusNumberTagTooLong;
  showTransferOutOfMemory();
  return nullptr;
}

std::string_view catOf(CjTransferContext& c, int i) { return slotNode(c, i).CAT.view(); }

void setJapanese(CjTargetNode& t, std::string_view jp, std::string_view code) {
  t.japanese = jp;
  t.jcat = code;
}

void copyChi(CjTransferContext& c, int i, CjTargetNode& t) {
  std::string jp;
  copyCwToJp(slotNode(c, i).CHI.view(), jp);
  t.japanese = jp;
}

// Kind character of a line: its first byte, or the second after '*'.
char lineKind(std::string_view line) {
  if (line.empty()) return 0;
  return line[0] == '*' ? (line.size() > 1 ? line[1] : 0) : line[0];
}

// Walks an entry from its reference: the head line, then the lines beginning with '*'.
template <typename Visit>
void walkEntry(const CjEngine& engine, std::int32_t reference, Visit visit) {
  std::FILE* f = cjDictionaryFile(engine);
  if (!f || reference <= 0) return;
  long offset = reference - 1;
  std::string line;
  long next = 0;
  bool head = true;
  while (readCjDicLine(f, offset, line, next)) {
    if (!head && (line.empty() || line[0] != '*')) break;
    head = false;
    if (!visit(line)) break;
    offset = next;
  }
}

// Lines of node i's entry that keep(line) accepts, at most ten, as its candidate list.
template <typename Keep>
int readLinesInto(CjTransferContext& c, int i, Keep keep) {
  CjTargetNode& t = c.targets[i];
  t.candidates.clear();
  walkEntry(engineOf(c), slotNode(c, i).dictionaryRef, [&](const std::string& line) {
    if (!keep(line)) return true;
    CjCandidate* cand = newCandidate(engineOf(c), t.candidates);
    if (!cand) return false;
    parseCandidateLine(line, *cand);
    return static_cast<int>(t.candidates.size()) < kMaxCandidates;
  });
  return t.candidates.empty() ? 0 : 1;
}

bool isDroppedOrDone(const CjTargetNode& t) { return t.ruleFlag1 == 0 || t.alive == 0; }

void printNoEntry(CjTransferContext& c, int i) {
  std::string word;
  convertSentenceFallback(slotNode(c, i).CHI.view(), word);
  plat::consolePrint("\n%sNo entry in C-J Dic!\n", word.c_str());
}

// Borrows from kinds in turn until the node has candidates.
void borrowInTurn(CjTransferContext& c, int i, char own, std::string_view kinds) {
  for (char k : kinds) {
    borrowTranslation(c, k, own, i);
    if (!c.targets[i].candidates.empty()) return;
  }
}

}  // namespace

void categoryFallback(CjTransferContext& c, int i, char letter) {
  RuleWatch watch(c, "dictionaryLookup.categoryFallback");
  CjTargetNode& t = c.targets[i];
  const CjNode& n = slotNode(c, i);
  if (!isChineseCharacterWord(n.CHI.view())) {
    if (letter == 'A' || letter == 'F') copyChi(c, i, t);
    else t.japanese = n.CHI.view();
    return;
  }
  if (n.dictionaryRef == 0) {
    if (letter != 'F') printNoEntry(c, i);
    return;
  }
  switch (letter) {
    case 'N': borrowInTurn(c, i, 'N', "CVAFYXD*"); break;
    case 'V': borrowInTurn(c, i, 'V', "NAFYXYD"); break;
    case 'A': borrowInTurn(c, i, 'A', "NVFYXYD"); break;
    case 'F':
      if (listed(kDictionaryLookupAfterwardWordKey, n.CHI.view())) {
        t.japanese = "その後";
        return;
      }
      borrowInTurn(c, i, 'F', "VAYXYDCL");
      break;
    default: break;
  }
}

namespace {

void adaptVerbForNoun(CjTransferContext& c, int i) {
  CjTargetNode& t = c.targets[i];
  for (CjCandidate& cand : t.candidates) {
    std::string text = cand.text.str();
    bool suru = verbClassOf(cand.code.view()) == 's';
    if (suru && isKanjiSuru(text)) {
      text.resize(text.size() - 4);
    } else if (suru && isKanjiWoSuru(text)) {
      text.resize(text.size() - 6);
    } else if (suru && isObjectKanjiSuru(text)) {
      replaceFirst(text, "を", "の");
      text.resize(text.size() - 4);
    } else {
      char next = slotNode(c, i + 1).CAT[0];
      t.vform = next == 'N' ? 't' : 'N';
      continue;
    }
    cand.text = text;
    cand.code = "N0000";
  }
}

// One borrowed candidate adapted to the wanted letter.
void adaptCandidate(CjCandidate& cand, char kind, char own) {
  std::string text = cand.text.str();
  const char* code = nullptr;
  auto lastIs = [&](const char* ch) { return text.size() >= 2 && lastChar(text) == ch; };
  if (kind == 'A' && own == 'V') {
    if (lastIs("な")) replaceLastChar(text, "になる");
    else if (lastIs("い")) replaceLastChar(text, "くなる");
    code = "ZG001";
  } else if (kind == 'A' && own == 'F') {
    if (lastIs("な") || lastIs("だ")) replaceLastChar(text, "に");
    else if (lastIs("い")) replaceLastChar(text, "く");
    code = "FUKU0";
  } else if (kind == 'F' && own == 'N') {
    text += "の";
    code = "RETAI";
  } else if (kind == 'F' && own == 'A') {
    replaceLastChar(text, "の");
    code = "RETAI";
  } else if (kind == 'F' && own == 'V') {
    text += "になる";
    code = "ZG001";
  } else if (kind == 'N' && own == 'V') {
    text += "をする";
    code = "VOSH0";
  } else if (kind == 'N' && own == 'F') {
    text += "のように";
    code = "FUKU0";
  } else if (kind == 'N' && own == 'A') {
    text += "の";
    code = "RETAI";
  } else if ((kind == 'D' || kind == 'X' || kind == 'Y') && own == 'N') {
    text += "こと";
    code = "N0000";
  } else if ((kind == 'D' || kind == 'X' || kind == 'Y') && own == 'A') {
    replaceLastChar(text, "の");
    code = "RETAI";
  } else if ((kind == 'D' || kind == 'X' || kind == 'Y') && own == 'V') {
    text += "になる";
    code = "ZG001";
  } else {
    return;
  }
  cand.text = text;
  if (code) cand.code = code;
}

}  // namespace

std::FILE* cjDictionaryFile(const CjEngine& engine) { return engine.data.cwcjdic; }

void initCandidate(CjCandidate& candidate) { candidate = CjCandidate{}; }

void parseCandidateLine(std::string_view line, CjCandidate& cand) {
  std::size_t k = !line.empty() && line[0] == '*' ? 1 : 0;
  if (k < line.size()) cand.kind = line[k];
  std::size_t pos = k + 2;
  if (pos > line.size()) return;
  // Text: up to a '\' at a character boundary, at most 78 bytes (a character starting at 77 whole).
  std::size_t end = pos;
  std::size_t taken = pos;
  while (end < line.size() && line[end] != '\\') {
    std::size_t step = dbcs::charSize(line, end);
    if (end - pos < 78) taken = end + step;
    end += step;
  }
  std::string_view text = line.substr(pos, taken - pos);
  if (text == "★★★") cand.text.clear();
  else cand.text = text;
  if (end < line.size()) {
    // Code: up to 5 characters, ending at '\' or the end; then the two flag characters.
    std::size_t codeStart = end + 1;
    std::size_t codeEnd = codeStart;
    while (codeEnd < line.size() && line[codeEnd] != '\\' && line[codeEnd] != '\n') ++codeEnd;
    cand.code = line.substr(codeStart, codeEnd - codeStart > 5 ? 5 : codeEnd - codeStart);
    if (codeEnd < line.size() && line[codeEnd] == '\\') {
      if (codeEnd + 1 < line.size()) cand.frame = line[codeEnd + 1];
      if (codeEnd + 3 < line.size()) cand.frame2 = line[codeEnd + 3];
    }
  }
  static const char* const kCodesAsText[] = {"FUKU0", "ZYOSI", "RETAI", "SETU0", "KANTN", "RYOSI",
                                             "N0000", "DN000", "HOI00", "SUSHI", "KYODO"};
  for (const char* code : kCodesAsText) {
    if (cand.text == code) {
      cand.code = code;
      cand.text.clear();
      break;
    }
  }
}

bool readCjDicLine(std::FILE* file, long offset, std::string& line, long& nextOffset) {
  if (!file || offset < 0) return false;
  for (std::size_t want = kCjDicReadSize;; want *= 2) {
    if (want > kCjDicLineCap) want = kCjDicLineCap;
    if (plat::fileSeek(file, offset, SEEK_SET) != 0) return false;
    std::string buf(want + 1, '\0');
    std::size_t got = plat::fileRead(buf.data(), want, file);
    if (got == 0) return false;
    std::size_t n = descrambleCjDicLine(buf.data(), got, offset);
    bool ended = n < got || got < want;  // a short read is the end of the file
    if (ended || want >= kCjDicLineCap) {
      line.assign(buf.data(), n);
      nextOffset = offset + static_cast<long>(n) + 2;
      return true;
    }
  }
}

bool isChineseCharacterWord(std::string_view chi) {
  if (chi.size() < 2 || !dbcs::isLeadByte(static_cast<unsigned char>(chi[0]))) return false;
  unsigned a = static_cast<unsigned char>(chi[0]), b = static_cast<unsigned char>(chi[1]);
  return a > 0x87 || (a == 0x87 && b >= 0x4A);
}

bool containsVerbCode(std::string_view text) {
  static const char* const kVerbCodes[] = {
      "TG000", "TG001", "TG002", "TG003", "ZG000", "ZG001", "ZG002", "ZG003", "TZG00", "TZG01", "TZG02",
      "TZG03", "TI000", "ZI000", "TZI00", "SHT00", "SHZ00", "SHTZ0", "ZHT00", "ZHZ00", "ZHTZ0", "KHT00",
      "KHZ00", "KHTZ0", "VTNAI", "VZNAI", "VONAI", "VO"};
  for (const char* code : kVerbCodes) {
    if (containsAtBoundary(text, code)) return true;
  }
  return false;
}

bool lineMatchesKind(std::string_view line, char letter) {
  switch (letter) {
    case 'A': return containsAtBoundary(line, "KYOSI") || containsAtBoundary(line, "KYODO") || containsVerbCode(line);
    case 'V': return containsVerbCode(line);
    case 'N':
      for (const char* code : {"N<", "N0000", "CHIME", "NAMAE", "NJ000", "NJN00"}) {
        if (containsAtBoundary(line, code)) return true;
      }
      return false;
    case 'F': return containsAtBoundary(line, "FUKU0");
    default: return false;
  }
}

bool kindMatches(char letter, char kind) {
  if (letter == kind) return true;
  if (letter == 'N') return kind == 't' || kind == 'C' || kind == 'M';
  // Classifier lines (Q) serve the classifier class S as they serve C.
  if (letter == 'C' || letter == 'S') return kind == 'Q';
  if (letter == 'V') return kind >= '0' && kind <= '4';
  return false;
}

bool isLoneWord(CjTransferContext& c, int i) {
  const CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return false;
  auto followedByNothingOrP = [&](const CjTargetNode& n) {
    return n.nextSibling == 0 || catOf(c, n.nextSibling) == "P";
  };
  if (t->prevSibling != 0 || t->firstChild != 0 || t->lastChild != 0 || !followedByNothingOrP(*t)) return false;
  if (t->parent == 0) return true;
  const CjTargetNode& p = c.targets[t->parent];
  return p.prevSibling == 0 && followedByNothingOrP(p) && p.parent == 0;
}

bool hasNoText(CjTransferContext& c, int i) {
  const CjTargetNode* t = targetNode(c, i);
  if (!t) return true;
  if (!t->japanese.empty()) return false;
  for (const CjCandidate& cand : t->candidates) {
    if (!cand.text.empty()) return false;
  }
  return true;
}

int fixedWordTranslation(CjTransferContext& c, int i, char letter) {
  RuleWatch watch(c, "dictionaryLookup.fixedWordTranslation");
  CjTargetNode* tp = targetNode(c, i);
  if (!tp) return 0;
  CjTargetNode& t = *tp;
  const CjNode& n = slotNode(c, i);
  std::string_view chi = n.CHI.view();
  bool hasObject = n.roleCounts[kCountObj1] > 0;
  if (hasObject && listed(kDictionaryLookupCopulaWordKey, chi)) {
    setJapanese(t, "だ", "KYODO");
    return 1;
  }
  if (hasObject && listed(kDictionaryLookupQuestionCopulaKey, chi)) {
    setJapanese(t, "ではないか", "DOKU0");
    return 1;
  }
  if (hasObject && listed(kDictionaryLookupNegatedCopulasKey, chi)) {
    t.japanese = "ではない";
    t.neg = 0;
    return 1;
  }
  if (letter != 'E') return 0;
  if (listed(kDictionaryLookupENoWordsKey, chi)) {
    t.japanese = "の";
    return 1;
  }
  if (listed(kDictionaryLookupENadoWordsKey, chi)) {
    char next = slotNode(c, i + 1).CAT[0];
    t.japanese = (next == 'N' || next == 'C' || next == 'U' || next == 'S') ? "などの" : "など";
    return 1;
  }
  char add = n.features.ADD;
  if (add == 'A' || add == 'B' || add == 'C') {
    copyChi(c, i, t);
    return 1;
  }
  return 0;
}

int readCandidatesOfKind(CjTransferContext& c, int i, char letter) {
  CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return 0;
  if (isDroppedOrDone(*t)) return 1;
  const CjNode& n = slotNode(c, i);
  if (!isChineseCharacterWord(n.CHI.view())) {
    copyChi(c, i, *t);
    return 1;
  }
  if (n.kind == 'W') {
    t->japanese = n.CHI.view();
    return 1;
  }
  if (n.dictionaryRef == 0) {
    copyChi(c, i, *t);
    return 1;
  }
  if (fixedWordTranslation(c, i, letter)) return 1;
  return readLinesInto(c, i, [letter](const std::string& line) { return lineMatchesKind(line, letter); });
}

int translateSpecialWord(CjTransferContext& c, int i, char classLetter) {
  RuleWatch watch(c, "dictionaryLookup.translateSpecialWord");
  CjTargetNode* tp = targetNode(c, i);
  if (!tp || i < 1) return 0;
  CjTargetNode& t = *tp;
  if (isDroppedOrDone(t)) return 1;
  if (!t.candidates.empty()) return 0;
  const CjNode& n = slotNode(c, i);
  std::string_view chi = n.CHI.view();

  if (listed(kDictionaryLookupYearEndWordKey, chi)) {
    const std::string& endChar = listedWord(kDictionaryLookupYearEndPrevCharKey);
    if (i >= 2 && textEndsWith(slotNode(c, i - 1).CHI.view(), endChar)) setJapanese(t, "年末", "NJN00");
    return 1;
  }
  int existence = listed(kDictionaryLookupExistenceWord1Key, chi)   ? 1
                  : listed(kDictionaryLookupExistenceWord2Key, chi) ? 2
                  : listed(kDictionaryLookupExistenceWord3Key, chi) ? 3
                                                                   : 0;
  if (existence) {
    if (classLetter == 'R') {
      setJapanese(t, "", "");
      return 1;
    }
    int o = findObj1(c, i);
    if (o == 0 || o == i) {
      if (listed(kDictionaryLookupNoExistencePrevKey, slotNode(c, i - 1).CHI.view())) setJapanese(t, "", "");
      else setJapanese(t, "ある", "ZG001");
    } else if (animacyClass(c, o) == 1) {
      static const char* const kAnimate[] = {"いる", "まだいる", "常にいる"};
      setJapanese(t, kAnimate[existence - 1], "ZI000");
    } else {
      static const char* const kInanimate[] = {"ある", "まだある", "常にある"};
      setJapanese(t, kInanimate[existence - 1], "ZG001");
    }
    return 1;
  }
  if (listed(kDictionaryLookupQuantityWordKey, chi)) {
    std::string_view next = catOf(c, i + 1);
    if (next == "A" || next == "AP") setJapanese(t, "どのくらい(とても)", "FUKU0");
    else if (next == "V" || next == "VP") setJapanese(t, "多く", "FUKU0");
    else setJapanese(t, "多い", "KYOSI");
  } else if (listed(kDictionaryLookupQuestionWordKey, chi) && catOf(c, i + 1) == "S") {
    setJapanese(t, "何", "RETAI");
  }
  if (n.kind == 'W') {
    copyChi(c, i, t);
    t.jcat = "N0000";
    return 1;
  }
  if (n.dictionaryRef == 0) {
    if (listed(kDictionaryLookupMinuteWordKey, chi)) {
      setJapanese(t, "分", "NJ000");
    } else if (!(n.CAT == "U" && convertToArabic(c, i))) {
      copyChi(c, i, t);
      t.jcat = "N0000";
    }
    return 1;
  }
  if (fixedWordTranslation(c, i, classLetter)) return 1;
  readLinesInto(c, i, [classLetter](const std::string& line) {
    char kind = lineKind(line);
    return kind == classLetter || (classLetter == 'N' && (kind == 'M' || kind == 'C')) ||
           ((classLetter == 'C' || classLetter == 'S') && kind == 'Q');
  });
  if (t.candidates.empty()) return 0;
  if (classLetter == 'N' && n.CAT == "N" && n.features.M_SEM == "Z") {
    for (const CjCandidate& cand : t.candidates) {
      if (cand.kind == 'M') {
        CjCandidate keep = cand;
        t.candidates.assign(1, keep);
        break;
      }
    }
  }
  return 1;
}

void borrowTranslation(CjTransferContext& c, char kind, char own, int i) {
  CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return;
  if (kind == '*') {
    t->candidates.clear();
    CjCandidate* cand = newCandidate(engineOf(c), t->candidates);
    if (!cand) return;
    std::string jp;
    copyCwToJp(slotNode(c, i).CHI.view(), jp);
    cand->text = jp;
    return;
  }
  translateSpecialWord(c, i, kind);
  if (t->candidates.empty()) return;
  if (kind == 'V' && own == 'N') {
    adaptVerbForNoun(c, i);
    return;
  }
  if (kind == 'V' && own == 'F') {
    t->vform = 'Y';
    return;
  }
  for (CjCandidate& cand : t->candidates) adaptCandidate(cand, kind, own);
}

int readEntryAt(CjEngine& engine, std::int32_t reference, std::vector<CjCandidate>& list) {
  if (reference <= 0 || !cjDictionaryFile(engine)) return 0;
  if (list.empty() && !newCandidate(engine, list)) return 0;
  list.resize(1);
  bool first = true;
  bool failed = false;
  walkEntry(engine, reference, [&](const std::string& line) {
    CjCandidate* cand = first ? &list.front() : newCandidate(engine, list);
    if (!cand) {
      failed = true;
      return false;
    }
    if (first) initCandidate(*cand);
    first = false;
    parseCandidateLine(line, *cand);
    return true;
  });
  return failed || first ? 0 : 1;
}

int readWholeEntry(CjTransferContext& c, std::string_view text, std::vector<CjCandidate>* list) {
  std::unique_ptr<CjNode> record(new (std::nothrow) CjNode);
  if (!record) {
    showTransferOutOfMemory();
    return 0;
  }
  if (!list || !isChineseCharacterWord(text) || !loadWordRecord(engineOf(c), text, record.get())) return 0;
  if (record->dictionaryRef == 0) return 0;
  return readEntryAt(engineOf(c), record->dictionaryRef, *list);
}

// 几 before a classifier, 几个 being two words here. Before a person or an animal (几 个 客人, or
// 几 个人 where 个人 is one word) the count and its classifier read 何人 in a question, 何人か ("some")
// otherwise; any other count in a statement is "some" too (何冊かの本). True when the word is done.
static bool approximateCount(CjTransferContext& c, int i, CjTargetNode& t, bool& changed) {
  const std::string_view chi = slotNode(c, i).CHI.view();
  const std::string& pair = listedWord(kDictionaryLookupA5Key);
  if (i + 1 > c.nodeCount || pair.size() <= chi.size() || pair.compare(0, chi.size(), chi) != 0) return false;
  const std::string_view classifierText = std::string_view(pair).substr(chi.size());
  const CjNode& next = slotNode(c, i + 1);
  CjTargetNode* classifier = targetNode(c, i + 1);
  if (!classifier) return false;
  auto animate = [](const CjNode& n) {
    if (!n.CAT.view().starts_with("N")) return false;
    bool someone = n.features.M_SEM.contains("H") || n.features.M_SEM.contains("A");
    for (const CjSense& sense : n.senses) someone = someone || sense.M_SEM.contains("H") || sense.M_SEM.contains("A");
    return someone;
  };
  bool someone = false;
  const std::string_view text = next.CHI.view();
  if (text == classifierText) {
    someone = i + 2 <= c.nodeCount && animate(slotNode(c, i + 2));
  } else if (text.size() > classifierText.size() && text.substr(0, classifierText.size()) == classifierText) {
    // 个人 on a card that holds it as one word: the classifier and the word after it.
    std::unique_ptr<CjNode> rest(new (std::nothrow) CjNode);
    someone = rest && loadWordRecord(engineOf(c), text.substr(classifierText.size()), rest.get()) && animate(*rest);
  }
  const CjTargetNode* gov = targetNode(c, c.govWork);
  const bool question = (gov && gov->vform == '?') || c.sentenceType == "?";
  // After a demonstrative (这几天, 那几个) it is "these few": no か.
  const bool afterDemonstrative = i > 1 && slotNode(c, i - 1).CAT.view().starts_with("R");
  if (someone) {
    t.japanese = question || afterDemonstrative ? "何人" : "何人か";
    classifier->japanese.clear();
    classifier->alive = 0;
    changed = true;
    return true;
  }
  if (next.CAT == "S" && !question && !afterDemonstrative && !classifier->att.view().starts_with("か")) {
    std::string att = "か";
    att += classifier->att.view();
    classifier->att = att;
    changed = true;
  }
  return false;
}

void chooseTranslation(CjTransferContext& c, int i, char letter) {
  CjTargetNode* tp = targetNode(c, i);
  if (!tp || i < 1 || letter == 0) return;
  CjTargetNode& t = *tp;
  const CjNode& n = slotNode(c, i);
  std::string_view chi = n.CHI.view();
  bool tookWholeEntry = false;

  if (listed(kDictionaryLookupA1Key, chi) || listed(kDictionaryLookupA2Key, chi)) {
    const CjNode& next = slotNode(c, i + 1);
    if (!(next.CAT == "P") && !listed(kDictionaryLookupA3Key, next.CHI.view()) &&
        listed(kDictionaryLookupDroppingPreviousKey, slotNode(c, i - 1).CHI.view()) &&
        !(next.CAT == "N" && next.features.M_SEM.contains("I"))) {
      t.alive = 0;
      return;
    }
  }
  if (listed(kDictionaryLookupA4Key, chi)) {
    std::string_view next = slotNode(c, i + 1).CHI.view();
    bool hasChar = false;
    for (const std::string& ch : listedWords(kDictionaryLookupStillCharsKey)) hasChar = hasChar || containsAtBoundary(next, ch);
    if (hasChar && next.size() >= 2 && listed(kDictionaryLookupStillStartCharsKey, next.substr(0, 2))) {
      t.japanese = "まだ";
      return;
    }
  }
  if (listed(kDictionaryLookupA5Key, chi)) {
    int other = t.parent != 0 ? c.targets[t.parent].lastChild : t.nextSibling;
    if (other != 0 && slotNode(c, other).features.M_SEM == "A") {
      const CjTargetNode* gov = targetNode(c, c.govWork);
      t.japanese = gov && gov->vform == '?' ? "何人" : "何人か";
      return;
    }
  }
  bool counted = false;
  const bool countDone = approximateCount(c, i, t, counted);
  ruletally::noteIf(counted, "dictionaryLookup.approximateCount");
  if (countDone) return;
  if (isLoneWord(c, i)) {
    t.keepEllipsis = 1;
    if (translateSpecialWord(c, i, 'D') || translateSpecialWord(c, i, 'K')) return;
  }
  // A classifier is its own counter: its classifier line comes before the numeral placeholder.
  if (letter == 'S' && translateSpecialWord(c, i, 'S')) return;
  if (letter == 'S' || letter == 'C') {
    int j = 0;
    if (catOf(c, i + 1) == "N") j = i + 1;
    else if (t.parent != 0 && catOf(c, t.parent) == "NP") j = targetHead(c, t.parent);
    if (j != 0 && j != i) {
      renderClassifierPlaceholder(c, i, j, i);
      return;
    }
    if (translateSpecialWord(c, i, n.CAT[0])) return;
  } else {
    // A list the rules made earlier stays; a lone word's whole entry is narrowed to the
    // wanted kind below.
    const bool hadCandidates = !t.candidates.empty();
    if (isLoneWord(c, i) && hasNoText(c, i)) {
      std::vector<CjCandidate> whole;
      if (readWholeEntry(c, chi, &whole)) {
        t.candidates.swap(whole);
        tookWholeEntry = true;
      }
    }
    if (translateSpecialWord(c, i, letter)) return;
    if (hadCandidates) return;
  }
  if (readCandidatesOfKind(c, i, letter)) return;
  // The whole entry kept the lookup by kind character from running, and the codes know only
  // nouns, verbs, adjectives and adverbs: a pronoun or particle standing alone would lose its line.
  if (tookWholeEntry && translateSpecialWord(c, i, letter)) return;
  switch (letter) {
    case 'G':
    case 'J': translateSpecialWord(c, i, 'F'); break;
    case 'N':
    case 'V':
    case 'A': categoryFallback(c, i, letter); break;
    case 'F':
      if (translateSpecialWord(c, i, 'G') || translateSpecialWord(c, i, 'J')) break;
      categoryFallback(c, i, 'F');
      break;
    default:
      if ((n.CAT == "U" || n.CAT == "C" || n.CAT == "N") && t.japanese.empty() && t.candidates.empty()) {
        copyChi(c, i, t);
        t.jcat = "N0000";
      }
      break;
  }
}

}  // namespace cj
