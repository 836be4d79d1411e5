// Step 7 of the Japanese-to-Chinese rules: every dependency of the parse becomes a relation of the
// Chinese clause (SUB, OBJ1, ADV ...) on the relation agenda; case particles are dropped or give a
// Chinese case word, and topic, time and と phrases are moved where the Chinese clause wants them.
#pragma once
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 7: the agent pass, the valency frames, the walk over the dependencies, then GOV.
void applyCaseRelationRules(JcSentence* s);

// The passes, each over the whole dependency list.
void applyAgentPhrasePass(JcSentence* s);
void applyValencyFramePass(JcSentence* s);
void walkDependencies(JcSentence* s);

// Binds an agent (に / を / から) phrase to its passive or causative governor; 1 when bound.
int ruleAgentPhrase(JcSentence* s, int governor, int dependent, std::string_view label);

// The rules of the walk on one item. Those that move the dependent clear *restart; the walk then
// starts again from the head of the list.
void ruleTopic(JcSentence* s, int governor, int dependent, int* restart, bool* keepOpen);
void ruleAdverbial(JcSentence* s, int governor, int dependent);
void ruleAdnominal(JcSentence* s, int governor, int dependent);
void ruleNoCase(JcSentence* s, int governor, int dependent, int* restart);

// Adds the relation; with copy, the label also goes into the dependent's `relation`.
void addCaseRelation(JcSentence* s, int governor, int dependent, std::string_view label, bool copy);

// Support operations.
bool isTimePointPhrase(const JcSentence* s, int node);
bool hasRenderedLeaf(const JcSentence* s, int node);
void setDependencyActive(JcSentence* s, int governor, int dependent, int value);
bool templateReferences(const JcSentence* s, int dependent, int governor);

// Renderings of the step (keys of the rendering table).
namespace case_relation_keys {
inline constexpr const char* kAgentClass1 = "caseAgent.class1";                // 2 bytes, kPreposition
inline constexpr const char* kAgentClass2 = "caseAgent.class2";                // 2 bytes, kPassive
inline constexpr const char* kAgentClass4 = "caseAgent.class4";                // 2 bytes, kPassive
inline constexpr const char* kAgentRain = "caseAgent.rain";                    // 2 bytes, kPassive (降る)
inline constexpr const char* kAgentRainVerb = "caseAgent.rainVerb";            // 2 bytes, kOwnRendering of 降る
inline constexpr const char* kAgentDieVerb = "caseAgent.dieVerb";              // 4 bytes, kOwnRendering of 死ぬ
inline constexpr const char* kAgentCausativeSlot5 = "caseAgent.causativeSlot5";  // 2 bytes, emptied
inline constexpr const char* kAgentPassiveSlot13 = "caseAgent.passiveSlot13";    // 2 bytes, emptied
inline constexpr const char* kAgentSiblingSlot13 = "caseAgent.siblingSlot13";    // 4 bytes, emptied
inline constexpr const char* kFrameJoinWords = "valencyFrame.joinWords";       // 7 words
inline constexpr const char* kPairSlot13 = "valencyFrame.pairSlot13";          // 4 bytes
inline constexpr const char* kPairSlot12 = "valencyFrame.pairSlot12";          // 2 bytes
inline constexpr const char* kTopicCopula = "caseTopic.copula";                // 2 bytes, kAfterSubject
inline constexpr const char* kAdverbialMarker = "caseAdverbial.marker";        // 2 bytes, appended
inline constexpr const char* kAdverbialEndings = "caseAdverbial.endings";      // 2 words of 2 bytes
}  // namespace case_relation_keys

}  // namespace jc
