// The word dispatcher: listed words with a rule of their own.
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;

namespace {

struct WordEntry {
  int labels[6];  // 0 ends the list
  PosRule rule;
};

const WordEntry kWordEntries[] = {
    {{1037}, resolveWord01},
    {{158}, resolveWord02},
    {{1038}, resolveWord03},
    {{1039}, resolveWord04},
    {{1040}, resolveWord05},
    {{91, 1041, 1042}, resolveWord06},
    {{1043}, resolveWord07},
    {{1044}, resolveWord08},
    {{1045}, resolveWord09},
    {{6, 1046, 1047}, resolveWord10},
    {{1048, 1049}, resolveWord11},
    {{1050}, resolveWord12},
    {{230}, resolveWord13},
    {{1051}, resolveWord14},
    {{1052, 224, 1054, 1055}, resolveClassIJV},
    {{1053}, resolveWord15},
    {{1032, 1056}, resolveWord16},
    {{1057}, resolveWord17},
    {{1058}, resolveWord18},
    {{1059}, resolveWord19},
    {{149}, resolveWord20},
    {{1060}, resolveWord21},
    {{1061}, resolveWord22},
    {{14}, resolveWord23},
    {{1062}, resolveWord24},
    {{235}, resolveWord25},
    {{1063}, resolveWord26},
    {{1064}, resolveWord27},
    {{1065}, resolveWord28},
    {{1066}, resolveWord29},
    {{1067}, resolveWord30},
    {{1068}, resolveWord31},
    {{1069, 1070}, resolveWord32},
    {{101}, resolveWord33},
    {{52}, resolveWord34},
    {{153}, resolveWord35},
    {{1071}, resolveWord36},
    {{220}, resolveWord37},
    {{90}, resolveWord38},
    {{238}, resolveWord39},
    {{73}, resolveWord40},
    {{72}, resolveWord41},
    {{1072}, resolveWord42},
    {{1073}, resolveWord43},
    {{1074}, resolveWord44},
    {{2}, resolveWord45},
    {{1}, resolveWord46},
    {{157}, resolveWord47},
    {{1075}, resolveWord48},
    {{1076}, resolveWord49},
    {{1033}, resolveWord50},
    {{30}, resolveWord51},
    {{210, 211}, resolveWord52},
    {{15}, resolveWord53},
    {{1077}, resolveWord54},
    {{1078}, resolveWord55},
    {{148}, resolveWord56},
    {{1079}, resolveWord57},
    {{1080}, resolveWord58},
    {{1081}, resolveWord59},
    {{1082}, resolveWord60},
    {{10}, resolveWord61},
    {{28}, resolveWord62},
    {{92, 1083, 1084, 1085, 1086, 1087}, resolveWord63},
    {{55}, resolveWord64},
    {{54}, resolveWord65},
    {{1088}, resolveWord66},
    {{1089}, resolveWord67},
    {{1090}, resolveWord68},
    {{233}, resolveWord69},
    {{1091}, resolveWord70},
    {{1092}, resolveWord71},
    {{155}, resolveWord72},
    {{141}, resolveWord73},
    {{1093}, resolveWord74},
    {{70}, resolveWord75},
    {{1094}, resolveWord76},
    {{161, 1095, 1096, 1097, 1098, 160}, resolveWord77},
    {{1099}, resolveWord78},
    {{1100}, resolveWord79},
    {{1101}, resolveWord80},
    {{1102}, resolveWord81},
    {{80}, resolveWord82},
    {{1103}, resolveWord83},
    {{1104}, resolveWord84},
    {{1105}, resolveWord85},
    {{1106}, resolveWord86},
    {{180}, resolveWord87},
};

}  // namespace

void resolveByWord(CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return;
  for (const WordEntry& entry : kWordEntries) {
    for (int label : entry.labels) {
      if (label == 0) break;
      if (is(s, i, label)) {
        writeCategory(s, i, entry.rule(s, i));
        return;
      }
    }
  }
  if (is(s, i, 1107) && isText(s, i - 1, "T")) {
    s.nodes[i].CAT = "N";
  } else if (is(s, i, 1108) && has(s, i, "G") && has(s, i, "V")) {
    s.nodes[i].CAT = "GV";
  }
}

}  // namespace cj
