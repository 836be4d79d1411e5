#include "engine/cj/transfer/entity_tests.h"

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kEntityTestsSurnameCharsKey{"entityTests.surnameChars"};
constinit ListedKey kEntityTestsGivenNameCharsKey{"entityTests.givenNameChars"};
constinit ListedKey kEntityTestsPlaceWordsKey{"entityTests.placeWords"};
constinit ListedKey kEntityTestsPersonWordsKey{"entityTests.personWords"};
constinit ListedKey kDeterminersManyWordsKey{"determiners.manyWords"};
constinit ListedKey kDeterminersWhatWordKey{"determiners.whatWord"};
constinit ListedKey kDeterminersHonorificWordsKey{"determiners.honorificWords"};
constinit ListedKey kDeterminersSomethingWordKey{"determiners.somethingWord"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"entityTests.surnameChars", 140, 1, 1},
    {"entityTests.givenNameChars", 97, 1, 1},
    {"entityTests.placeWords", 94, 1, 0},
    {"entityTests.personWords", 30, 1, 0},
    {"determiners.manyWords", 4, 1, 0},        // "多い"
    {"determiners.whatWord", 1, 1, 0},         // "何"
    {"determiners.honorificWords", 4, 1, 0},   // "さん" after a person name
    {"determiners.somethingWord", 1, 1, 0},    // "あるもの"
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// The node's sentence record after making sure it has a translation; null outside the sentence.
const CjNode* translated(CjTransferContext& c, int i) {
  const CjNode* n = i > 0 ? sourceNode(c, i) : nullptr;
  if (!n) return nullptr;
  CjTargetNode& t = c.targets[i];
  if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, i, n->CAT[0]);
  return n;
}

bool isWord(CjTransferContext& c, int i) { return c.sentence && isWordNode(*c.sentence, i); }

bool firstCode(CjTransferContext& c, int i, std::string_view code) {
  const std::vector<CjCandidate>& list = c.targets[i].candidates;
  return !list.empty() && list.front().code.view() == code;
}

bool hasSem(const CjNode& n, char code) { return n.features.M_SEM.view().find(code) != std::string_view::npos; }

}  // namespace

int isPersonName(CjTransferContext& c, int i) {
  const CjNode* n = translated(c, i);
  if (!n) return 0;
  if (n->structureClass == '2' && n->ruleNumber == 3) return 1;
  if (!isWord(c, i)) return 0;
  if (tallied(isListedWord(kEntityTestsSurnameCharsKey, n->CHI.view()) ||
                  isListedWord(kEntityTestsGivenNameCharsKey, n->CHI.view()),
              "entityTests.isPersonName")) {
    return 1;
  }
  return firstCode(c, i, "NAMAE") ? 1 : 0;
}

int isPlaceName(CjTransferContext& c, int i) {
  const CjNode* n = translated(c, i);
  return n && isWord(c, i) && firstCode(c, i, "CHIME") ? 1 : 0;
}

int isPlaceWord(CjTransferContext& c, int i) {
  const CjNode* n = translated(c, i);
  if (!n || !isWord(c, i)) return 0;
  return tallied(isListedWord(kEntityTestsPlaceWordsKey, n->CHI.view()), "entityTests.isPlaceWord") || hasSem(*n, 'P')
             ? 1
             : 0;
}

int isPersonOrOrganisationWord(CjTransferContext& c, int i) {
  const CjNode* n = translated(c, i);
  if (!n || !isWord(c, i)) return 0;
  return hasSem(*n, 'H') || hasSem(*n, 'J') ||
                 tallied(isListedWord(kEntityTestsPersonWordsKey, n->CHI.view()), "entityTests.isPersonOrOrganisationWord")
             ? 1
             : 0;
}

int hasAnimateSubjectWord(CjTransferContext& c, int i) {
  const CjNode* n = translated(c, i);
  if (!n || !isWord(c, i)) return 0;
  if (hasSem(*n, 'Z') || hasSem(*n, 'H')) return 1;
  for (const CjSense& sense : n->senses) {
    const std::string_view sem = sense.M_SEM.view();
    if (sem.find('Z') != std::string_view::npos || sem.find('H') != std::string_view::npos) return 1;
  }
  const CjTargetNode& t = c.targets[i];
  const std::string_view code = !t.japanese.empty()      ? t.jcat.view()
                                : !t.candidates.empty() ? t.candidates.front().code.view()
                                                        : std::string_view();
  for (std::string_view counter : {"<人>", "<匹>", "<頭>", "<羽>"}) {
    if (code.find(counter) != std::string_view::npos) return 1;
  }
  return 0;
}

int translateDeterminer(CjTransferContext& c, int i) {
  RuleWatch watch(c, "determiners.translateDeterminer");
  const CjNode* n = i > 0 ? sourceNode(c, i) : nullptr;
  if (!n) return 0;
  CjTargetNode& t = c.targets[i];
  std::string_view chi = n->CHI.view();
  if (isListedWord(kDeterminersManyWordsKey, chi)) {
    t.japanese = "多い";
    t.jcat = "KYOSI";
    return 1;
  }
  if (isListedWord(kDeterminersWhatWordKey, chi)) {
    t.japanese = "何";
    t.jcat = "N0000";
    return 1;
  }
  if (isListedWord(kDeterminersHonorificWordsKey, chi) && n->prev > 0 && isPersonName(c, n->prev)) {
    t.japanese = "さん";
    t.jcat = "N0000";
    if (c.targets[n->prev].att == "(さん)") c.targets[n->prev].att.clear();
    return 1;
  }
  if (isListedWord(kDeterminersSomethingWordKey, chi)) {
    t.japanese = "あるもの";
    t.jcat = "N0000";
    return 1;
  }
  for (const CjCandidate& cand : t.candidates) {
    if (cand.code == "DN000") {
      t.japanese = cand.text.view();
      return 1;
    }
  }
  return 0;
}

}  // namespace cj
