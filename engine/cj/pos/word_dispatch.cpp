// The word dispatcher: listed words with a rule of their own.
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"
#include "engine/common/rule_tally.h"

namespace cj {

using namespace pos;
using namespace pos::keys;

namespace {

struct WordEntry {
  const ListedKey* words[6];  // null ends the list
  PosRule rule;
  const char* name;  // the rule's name in the rule counts
};

const WordEntry kWordEntries[] = {
    {{&kLw1037}, resolveWord01, "posWord.resolveWord01"},
    {{&kLw158}, resolveWord02, "posWord.resolveWord02"},
    {{&kLw1038}, resolveWord03, "posWord.resolveWord03"},
    {{&kLw1039}, resolveWord04, "posWord.resolveWord04"},
    {{&kLw1040}, resolveWord05, "posWord.resolveWord05"},
    {{&kLw91, &kLw1041, &kLw1042}, resolveWord06, "posWord.resolveWord06"},
    {{&kLw1043}, resolveWord07, "posWord.resolveWord07"},
    {{&kLw1044}, resolveWord08, "posWord.resolveWord08"},
    {{&kLw1045}, resolveWord09, "posWord.resolveWord09"},
    {{&kLw6, &kLw1046, &kLw1047}, resolveWord10, "posWord.resolveWord10"},
    {{&kLw1048, &kLw1049}, resolveWord11, "posWord.resolveWord11"},
    {{&kLw1050}, resolveWord12, "posWord.resolveWord12"},
    {{&kLw230}, resolveWord13, "posWord.resolveWord13"},
    {{&kLw1051}, resolveWord14, "posWord.resolveWord14"},
    {{&kLw1052, &kLw224, &kLw1054, &kLw1055}, resolveClassIJV, "posWord.resolveClassIJV"},
    {{&kLw1053}, resolveWord15, "posWord.resolveWord15"},
    {{&kLw1032, &kLw1056}, resolveWord16, "posWord.resolveWord16"},
    {{&kLw1057}, resolveWord17, "posWord.resolveWord17"},
    {{&kLw1058}, resolveWord18, "posWord.resolveWord18"},
    {{&kLw1059}, resolveWord19, "posWord.resolveWord19"},
    {{&kLw149}, resolveWord20, "posWord.resolveWord20"},
    {{&kLw1060}, resolveWord21, "posWord.resolveWord21"},
    {{&kLw1061}, resolveWord22, "posWord.resolveWord22"},
    {{&kLw14}, resolveWord23, "posWord.resolveWord23"},
    {{&kLw1062}, resolveWord24, "posWord.resolveWord24"},
    {{&kLw235}, resolveWord25, "posWord.resolveWord25"},
    {{&kLw1063}, resolveWord26, "posWord.resolveWord26"},
    {{&kLw1064}, resolveWord27, "posWord.resolveWord27"},
    {{&kLw1065}, resolveWord28, "posWord.resolveWord28"},
    {{&kLw1066}, resolveWord29, "posWord.resolveWord29"},
    {{&kLw1067}, resolveWord30, "posWord.resolveWord30"},
    {{&kLw1068}, resolveWord31, "posWord.resolveWord31"},
    {{&kLw1069, &kLw1070}, resolveWord32, "posWord.resolveWord32"},
    {{&kLw101}, resolveWord33, "posWord.resolveWord33"},
    {{&kLw52}, resolveWord34, "posWord.resolveWord34"},
    {{&kLw153}, resolveWord35, "posWord.resolveWord35"},
    {{&kLw1071}, resolveWord36, "posWord.resolveWord36"},
    {{&kLw220}, resolveWord37, "posWord.resolveWord37"},
    {{&kLw90}, resolveWord38, "posWord.resolveWord38"},
    {{&kLw238}, resolveWord39, "posWord.resolveWord39"},
    {{&kLw73}, resolveWord40, "posWord.resolveWord40"},
    {{&kLw72}, resolveWord41, "posWord.resolveWord41"},
    {{&kLw1072}, resolveWord42, "posWord.resolveWord42"},
    {{&kLw1073}, resolveWord43, "posWord.resolveWord43"},
    {{&kLw1074}, resolveWord44, "posWord.resolveWord44"},
    {{&kLw2}, resolveWord45, "posWord.resolveWord45"},
    {{&kLw1}, resolveWord46, "posWord.resolveWord46"},
    {{&kLw157}, resolveWord47, "posWord.resolveWord47"},
    {{&kLw1075}, resolveWord48, "posWord.resolveWord48"},
    {{&kLw1076}, resolveWord49, "posWord.resolveWord49"},
    {{&kLw1033}, resolveWord50, "posWord.resolveWord50"},
    {{&kLw30}, resolveWord51, "posWord.resolveWord51"},
    {{&kLw210, &kLw211}, resolveWord52, "posWord.resolveWord52"},
    {{&kLw15}, resolveWord53, "posWord.resolveWord53"},
    {{&kLw1077}, resolveWord54, "posWord.resolveWord54"},
    {{&kLw1078}, resolveWord55, "posWord.resolveWord55"},
    {{&kLw148}, resolveWord56, "posWord.resolveWord56"},
    {{&kLw1079}, resolveWord57, "posWord.resolveWord57"},
    {{&kLw1080}, resolveWord58, "posWord.resolveWord58"},
    {{&kLw1081}, resolveWord59, "posWord.resolveWord59"},
    {{&kLw1082}, resolveWord60, "posWord.resolveWord60"},
    {{&kLw10}, resolveWord61, "posWord.resolveWord61"},
    {{&kLw28}, resolveWord62, "posWord.resolveWord62"},
    {{&kLw92, &kLw1083, &kLw1084, &kLw1085, &kLw1086, &kLw1087}, resolveWord63, "posWord.resolveWord63"},
    {{&kLw55}, resolveWord64, "posWord.resolveWord64"},
    {{&kLw54}, resolveWord65, "posWord.resolveWord65"},
    {{&kLw1088}, resolveWord66, "posWord.resolveWord66"},
    {{&kLw1089}, resolveWord67, "posWord.resolveWord67"},
    {{&kLw1090}, resolveWord68, "posWord.resolveWord68"},
    {{&kLw233}, resolveWord69, "posWord.resolveWord69"},
    {{&kLw1091}, resolveWord70, "posWord.resolveWord70"},
    {{&kLw1092}, resolveWord71, "posWord.resolveWord71"},
    {{&kLw155}, resolveWord72, "posWord.resolveWord72"},
    {{&kLw141}, resolveWord73, "posWord.resolveWord73"},
    {{&kLw1093}, resolveWord74, "posWord.resolveWord74"},
    {{&kLw70}, resolveWord75, "posWord.resolveWord75"},
    {{&kLw1094}, resolveWord76, "posWord.resolveWord76"},
    {{&kLw161, &kLw1095, &kLw1096, &kLw1097, &kLw1098, &kLw160}, resolveWord77, "posWord.resolveWord77"},
    {{&kLw1099}, resolveWord78, "posWord.resolveWord78"},
    {{&kLw1100}, resolveWord79, "posWord.resolveWord79"},
    {{&kLw1101}, resolveWord80, "posWord.resolveWord80"},
    {{&kLw1102}, resolveWord81, "posWord.resolveWord81"},
    {{&kLw80}, resolveWord82, "posWord.resolveWord82"},
    {{&kLw1103}, resolveWord83, "posWord.resolveWord83"},
    {{&kLw1104}, resolveWord84, "posWord.resolveWord84"},
    {{&kLw1105}, resolveWord85, "posWord.resolveWord85"},
    {{&kLw1106}, resolveWord86, "posWord.resolveWord86"},
    {{&kLw180}, resolveWord87, "posWord.resolveWord87"},
};

}  // namespace

void resolveByWord(CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return;
  for (const WordEntry& entry : kWordEntries) {
    for (const ListedKey* key : entry.words) {
      if (!key) break;
      if (is(s, i, *key)) {
        if (!ruletally::on()) {
          writeCategory(s, i, entry.rule(s, i));
          return;
        }
        const std::string before(s.nodes[i].CAT.view());
        writeCategory(s, i, entry.rule(s, i));
        ruletally::noteIf(s.nodes[i].CAT.view() != before, entry.name);
        return;
      }
    }
  }
  if (is(s, i, kLw1107) && isText(s, i - 1, "T")) {
    ruletally::noteIf(s.nodes[i].CAT.view() != "N", "posWord.closingNounAfterT");
    s.nodes[i].CAT = "N";
  } else if (is(s, i, kLw1108) && has(s, i, "G") && has(s, i, "V")) {
    ruletally::noteIf(s.nodes[i].CAT.view() != "GV", "posWord.closingGV");
    s.nodes[i].CAT = "GV";
  }
}

void declarePosRules() {
  if (!ruletally::on()) return;
  for (const WordEntry& entry : kWordEntries) ruletally::declare(entry.name);
  ruletally::declare("posWord.closingNounAfterT");
  ruletally::declare("posWord.closingGV");
  declareClassRules();
  declareContextRules();
}

}  // namespace cj
