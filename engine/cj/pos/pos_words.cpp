// Listed words of the category rules: their keys, counts and lengths in characters.
#include "engine/cj/pos/pos_words.h"

#include <array>
#include <vector>
#include <string>

#include "engine/cj/analysis/predicate_marks.h"
#include "engine/common/word_table.h"

namespace cj::pos {

namespace {

// Labels whose word is shared with the node tests (and registered there).
constexpr int kSharedLabels[] = {1, 2, 3, 5, 6, 7, 9, 162, 163, 164, 165, 166};

const WordKeySpec kWordKeys[] = {
    {"posClass.lw4", 1, 1, 1},
    {"posClass.lw8", 1, 2, 2},
    {"posClass.lw10", 1, 1, 1},
    {"posClass.lw11", 1, 1, 1},
    {"posClass.lw12", 1, 1, 1},
    {"posClass.lw13", 1, 1, 1},
    {"posClass.lw14", 1, 1, 1},
    {"posClass.lw15", 1, 1, 1},
    {"posClass.lw16", 1, 2, 2},
    {"posClass.lw17", 1, 3, 3},
    {"posClass.lw18", 1, 2, 2},
    {"posClass.lw19", 1, 2, 2},
    {"posClass.lw20", 1, 2, 2},
    {"posClass.lw21", 1, 2, 2},
    {"posClass.lw22", 1, 2, 2},
    {"posClass.lw23", 1, 2, 2},
    {"posClass.lw24", 1, 3, 3},
    {"posClass.lw25", 1, 2, 2},
    {"posClass.lw26", 1, 2, 2},
    {"posClass.lw27", 1, 2, 2},
    {"posClass.lw28", 1, 1, 1},
    {"posClass.lw29", 1, 2, 2},
    {"posClass.lw30", 1, 2, 2},
    {"posClass.lw31", 1, 2, 2},
    {"posClass.lw32", 1, 2, 2},
    {"posClass.lw33", 1, 2, 2},
    {"posClass.lw34", 1, 2, 2},
    {"posClass.lw35", 1, 2, 2},
    {"posClass.lw36", 1, 1, 1},
    {"posClass.lw37", 1, 1, 1},
    {"posClass.lw38", 1, 1, 1},
    {"posClass.lw39", 1, 2, 2},
    {"posClass.lw40", 1, 1, 1},
    {"posClass.lw41", 1, 2, 2},
    {"posClass.lw42", 1, 3, 3},
    {"posClass.lw43", 1, 3, 3},
    {"posClass.lw44", 1, 3, 3},
    {"posClass.lw45", 1, 1, 1},
    {"posClass.lw46", 1, 1, 1},
    {"posClass.lw47", 1, 1, 1},
    {"posClass.lw48", 1, 1, 1},
    {"posClass.lw49", 1, 1, 1},
    {"posClass.lw50", 1, 2, 2},
    {"posClass.lw51", 1, 1, 1},
    {"posClass.lw52", 1, 2, 2},
    {"posClass.lw53", 1, 1, 1},
    {"posClass.lw54", 1, 1, 1},
    {"posClass.lw55", 1, 1, 1},
    {"posClass.lw56", 1, 2, 2},
    {"posClass.lw57", 1, 2, 2},
    {"posClass.lw58", 1, 1, 1},
    {"posClass.lw59", 1, 1, 1},
    {"posClass.lw60", 1, 1, 1},
    {"posClass.lw61", 1, 2, 2},
    {"posClass.lw62", 1, 1, 1},
    {"posClass.lw63", 1, 2, 2},
    {"posClass.lw64", 1, 1, 1},
    {"posClass.lw65", 1, 2, 2},
    {"posClass.lw66", 1, 2, 2},
    {"posClass.lw67", 1, 1, 1},
    {"posClass.lw68", 1, 1, 1},
    {"posClass.lw69", 1, 1, 1},
    {"posClass.lw70", 1, 1, 1},
    {"posClass.lw71", 1, 1, 1},
    {"posClass.lw72", 1, 2, 2},
    {"posClass.lw73", 1, 1, 1},
    {"posClass.lw74", 1, 1, 1},
    {"posClass.lw75", 1, 1, 1},
    {"posClass.lw76", 1, 2, 2},
    {"posClass.lw77", 1, 2, 2},
    {"posClass.lw78", 1, 1, 1},
    {"posClass.lw79", 1, 2, 2},
    {"posClass.lw80", 1, 1, 1},
    {"posClass.lw81", 1, 1, 1},
    {"posClass.lw82", 1, 2, 2},
    {"posClass.lw83", 1, 1, 1},
    {"posClass.lw84", 1, 1, 1},
    {"posClass.lw85", 1, 2, 2},
    {"posClass.lw86", 1, 2, 2},
    {"posClass.lw87", 1, 2, 2},
    {"posClass.lw88", 1, 1, 1},
    {"posClass.lw89", 1, 2, 2},
    {"posClass.lw90", 1, 1, 1},
    {"posClass.lw91", 1, 1, 1},
    {"posClass.lw92", 1, 2, 2},
    {"posClass.lw93", 1, 2, 2},
    {"posClass.lw94", 1, 1, 1},
    {"posClass.lw95", 1, 1, 1},
    {"posClass.lw96", 1, 1, 1},
    {"posClass.lw97", 1, 1, 1},
    {"posClass.lw98", 1, 1, 1},
    {"posClass.lw99", 1, 1, 1},
    {"posClass.lw100", 1, 1, 1},
    {"posClass.lw101", 1, 1, 1},
    {"posClass.lw102", 1, 1, 1},
    {"posClass.lw103", 1, 1, 1},
    {"posClass.lw104", 1, 1, 1},
    {"posClass.lw105", 1, 2, 2},
    {"posClass.lw106", 1, 1, 1},
    {"posClass.lw107", 1, 1, 1},
    {"posClass.lw108", 1, 1, 1},
    {"posClass.lw109", 1, 1, 1},
    {"posClass.lw110", 1, 1, 1},
    {"posClass.lw111", 1, 1, 1},
    {"posClass.lw112", 1, 1, 1},
    {"posClass.lw113", 1, 2, 2},
    {"posClass.lw114", 1, 2, 2},
    {"posClass.lw115", 1, 2, 2},
    {"posClass.lw116", 1, 1, 1},
    {"posClass.lw117", 1, 1, 1},
    {"posClass.lw118", 1, 1, 1},
    {"posClass.lw119", 1, 1, 1},
    {"posClass.lw120", 1, 2, 2},
    {"posClass.lw121", 1, 2, 2},
    {"posClass.lw122", 1, 1, 1},
    {"posClass.lw123", 1, 2, 2},
    {"posClass.lw125", 1, 2, 2},
    {"posClass.lw126", 1, 1, 1},
    {"posClass.lw127", 1, 2, 2},
    {"posClass.lw128", 1, 2, 2},
    {"posClass.lw129", 1, 1, 0},
    {"posClass.lw130", 1, 1, 0},
    {"posClass.lw131", 1, 1, 0},
    {"posClass.lw132", 1, 1, 0},
    {"posClass.lw133", 1, 1, 0},
    {"posClass.lw134", 1, 1, 0},
    {"posClass.lw135", 1, 1, 0},
    {"posClass.lw136", 1, 1, 0},
    {"posClass.lw137", 1, 1, 1},
    {"posClass.lw138", 1, 1, 1},
    {"posClass.lw139", 1, 1, 1},
    {"posClass.lw140", 1, 2, 2},
    {"posClass.lw141", 1, 1, 1},
    {"posClass.lw142", 1, 2, 2},
    {"posClass.lw143", 1, 1, 1},
    {"posClass.lw144", 1, 1, 1},
    {"posClass.lw145", 1, 1, 1},
    {"posClass.lw146", 1, 1, 1},
    {"posClass.lw147", 1, 1, 1},
    {"posClass.lw148", 1, 1, 1},
    {"posClass.lw149", 1, 1, 1},
    {"posClass.lw150", 1, 2, 2},
    {"posClass.lw151", 1, 1, 1},
    {"posClass.lw152", 1, 1, 1},
    {"posClass.lw153", 1, 1, 1},
    {"posClass.lw154", 1, 1, 1},
    {"posClass.lw155", 1, 1, 1},
    {"posClass.lw156", 1, 2, 2},
    {"posClass.lw157", 1, 1, 1},
    {"posClass.lw158", 1, 1, 1},
    {"posClass.lw159", 1, 2, 2},
    {"posClass.lw160", 1, 1, 1},
    {"posClass.lw161", 1, 1, 1},
    {"posClass.lw167", 1, 1, 1},
    {"posClass.lw168", 1, 1, 1},
    {"posClass.lw169", 1, 1, 1},
    {"posClass.lw170", 1, 1, 1},
    {"posClass.lw171", 1, 2, 2},
    {"posClass.lw172", 1, 2, 2},
    {"posClass.lw173", 1, 2, 2},
    {"posClass.lw174", 1, 2, 2},
    {"posClass.lw175", 1, 2, 2},
    {"posClass.lw176", 1, 3, 3},
    {"posClass.lw177", 1, 2, 2},
    {"posClass.lw178", 1, 2, 2},
    {"posClass.lw179", 1, 1, 1},
    {"posClass.lw180", 1, 2, 2},
    {"posClass.lw181", 1, 2, 2},
    {"posClass.lw182", 1, 2, 2},
    {"posClass.lw183", 1, 1, 1},
    {"posClass.lw184", 1, 2, 2},
    {"posClass.lw185", 1, 2, 2},
    {"posClass.lw186", 1, 1, 1},
    {"posClass.lw187", 1, 1, 0},  // a one-byte word
    {"posClass.lw188", 1, 1, 1},
    {"posClass.lw189", 1, 2, 2},
    {"posClass.lw190", 1, 2, 2},
    {"posClass.lw191", 1, 2, 2},
    {"posClass.lw192", 1, 1, 1},
    {"posClass.lw193", 1, 1, 1},
    {"posClass.lw194", 1, 2, 2},
    {"posClass.lw195", 1, 2, 2},
    {"posClass.lw196", 1, 2, 2},
    {"posClass.lw197", 1, 2, 2},
    {"posClass.lw198", 1, 2, 2},
    {"posClass.lw199", 1, 2, 2},
    {"posClass.lw200", 1, 2, 2},
    {"posClass.lw201", 1, 2, 2},
    {"posClass.lw202", 1, 2, 2},
    {"posClass.lw203", 1, 2, 2},
    {"posClass.lw204", 1, 1, 1},
    {"posClass.lw205", 1, 2, 2},
    {"posClass.lw206", 1, 2, 2},
    {"posClass.lw207", 1, 1, 1},
    {"posClass.lw208", 1, 1, 1},
    {"posClass.lw209", 1, 1, 1},
    {"posClass.lw210", 1, 2, 2},
    {"posClass.lw211", 1, 2, 2},
    {"posClass.lw212", 1, 2, 2},
    {"posClass.lw213", 1, 2, 2},
    {"posClass.lw214", 1, 2, 2},
    {"posClass.lw215", 1, 2, 2},
    {"posClass.lw216", 1, 2, 2},
    {"posClass.lw217", 1, 1, 1},
    {"posClass.lw218", 1, 2, 2},
    {"posClass.lw219", 1, 2, 2},
    {"posClass.lw220", 1, 2, 2},
    {"posClass.lw221", 1, 1, 1},
    {"posClass.lw222", 1, 1, 1},
    {"posClass.lw223", 1, 2, 2},
    {"posClass.lw224", 1, 1, 1},
    {"posClass.lw225", 1, 2, 2},
    {"posClass.lw226", 1, 1, 1},
    {"posClass.lw227", 1, 2, 2},
    {"posClass.lw228", 1, 2, 2},
    {"posClass.lw229", 1, 2, 2},
    {"posClass.lw230", 1, 1, 1},
    {"posClass.lw231", 1, 1, 0},
    {"posClass.lw233", 1, 1, 1},
    {"posClass.lw235", 1, 1, 1},
    {"posClass.lw236", 1, 1, 0},
    {"posClass.lw237", 1, 1, 0},
    {"posClass.lw238", 1, 1, 1},
    {"posClass.lw239", 1, 1, 0},
    {"posClass.lw240", 1, 1, 0},
    {"posClass.lw241", 1, 1, 0},
    {"posClass.lw242", 1, 1, 0},
    {"posClass.lw243", 1, 1, 0},
    {"posClass.lw244", 1, 1, 0},
    {"posClass.lw245", 1, 1, 0},
    {"posClass.lw246", 1, 1, 0},
    {"posClass.lw247", 1, 1, 0},
    {"posClass.lw248", 1, 1, 0},
    {"posClass.lw1001", 1, 1, 0},
    {"posClass.lw1002", 1, 1, 1},
    {"posClass.lw1003", 1, 1, 0},
    {"posClass.lw1004", 1, 1, 1},
    {"posClass.lw1005", 1, 1, 0},
    {"posClass.lw1006", 1, 1, 0},
    {"posClass.lw1007", 1, 1, 0},
    {"posClass.lw1008", 1, 1, 0},
    {"posClass.lw1009", 1, 1, 0},
    {"posClass.lw1010", 1, 1, 0},
    {"posClass.lw1011", 1, 1, 1},
    {"posClass.lw1012", 1, 1, 1},
    {"posClass.lw1013", 1, 1, 0},
    {"posClass.lw1014", 1, 1, 0},
    {"posClass.lw1015", 1, 1, 1},
    {"posClass.lw1016", 1, 1, 0},
    {"posClass.lw1017", 1, 1, 0},
    {"posClass.lw1018", 1, 1, 0},
    {"posClass.lw1019", 1, 1, 1},
    {"posClass.lw1020", 1, 1, 0},
    {"posClass.lw1021", 1, 1, 0},
    {"posClass.lw1022", 1, 1, 0},
    {"posClass.lw1023", 1, 1, 0},
    {"posClass.lw1024", 1, 1, 0},
    {"posClass.lw1025", 1, 1, 0},
    {"posClass.lw1026", 1, 1, 0},
    {"posClass.lw1027", 1, 1, 1},
    {"posClass.lw1028", 1, 1, 1},
    {"posClass.lw1029", 1, 1, 0},
    {"posClass.lw1030", 1, 1, 1},
    {"posClass.lw1031", 1, 1, 1},
    {"posClass.lw1032", 1, 1, 1},
    {"posClass.lw1033", 1, 2, 2},
    {"posClass.lw1034", 1, 1, 0},
    {"posClass.lw1035", 1, 1, 0},
    {"posClass.lw1036", 1, 1, 0},
    {"posClass.lw1037", 1, 1, 1},
    {"posClass.lw1038", 1, 1, 1},
    {"posClass.lw1039", 1, 1, 1},
    {"posClass.lw1040", 1, 2, 2},
    {"posClass.lw1041", 1, 3, 3},
    {"posClass.lw1042", 1, 2, 2},
    {"posClass.lw1043", 1, 1, 1},
    {"posClass.lw1044", 1, 1, 1},
    {"posClass.lw1045", 1, 2, 2},
    {"posClass.lw1046", 1, 2, 2},
    {"posClass.lw1047", 1, 2, 2},
    {"posClass.lw1048", 1, 2, 2},
    {"posClass.lw1049", 1, 2, 2},
    {"posClass.lw1050", 1, 2, 2},
    {"posClass.lw1051", 1, 2, 2},
    {"posClass.lw1052", 1, 1, 1},
    {"posClass.lw1053", 1, 1, 1},
    {"posClass.lw1054", 1, 1, 1},
    {"posClass.lw1055", 1, 1, 1},
    {"posClass.lw1056", 1, 2, 2},
    {"posClass.lw1057", 1, 1, 1},
    {"posClass.lw1058", 1, 2, 2},
    {"posClass.lw1059", 1, 1, 1},
    {"posClass.lw1060", 1, 1, 1},
    {"posClass.lw1061", 1, 2, 2},
    {"posClass.lw1062", 1, 1, 1},
    {"posClass.lw1063", 1, 2, 2},
    {"posClass.lw1064", 1, 1, 1},
    {"posClass.lw1065", 1, 2, 2},
    {"posClass.lw1066", 1, 1, 1},
    {"posClass.lw1067", 1, 2, 2},
    {"posClass.lw1068", 1, 1, 1},
    {"posClass.lw1069", 1, 2, 2},
    {"posClass.lw1070", 1, 1, 1},
    {"posClass.lw1071", 1, 1, 1},
    {"posClass.lw1072", 1, 2, 2},
    {"posClass.lw1073", 1, 1, 1},
    {"posClass.lw1074", 1, 1, 1},
    {"posClass.lw1075", 1, 1, 1},
    {"posClass.lw1076", 1, 1, 1},
    {"posClass.lw1077", 1, 1, 1},
    {"posClass.lw1078", 1, 1, 1},
    {"posClass.lw1079", 1, 1, 1},
    {"posClass.lw1080", 1, 2, 2},
    {"posClass.lw1081", 1, 2, 2},
    {"posClass.lw1082", 1, 2, 2},
    {"posClass.lw1083", 1, 4, 4},
    {"posClass.lw1084", 1, 3, 3},
    {"posClass.lw1085", 1, 4, 4},
    {"posClass.lw1086", 1, 4, 4},
    {"posClass.lw1087", 1, 4, 4},
    {"posClass.lw1088", 1, 1, 1},
    {"posClass.lw1089", 1, 1, 1},
    {"posClass.lw1090", 1, 1, 1},
    {"posClass.lw1091", 1, 1, 1},
    {"posClass.lw1092", 1, 1, 1},
    {"posClass.lw1093", 1, 1, 1},
    {"posClass.lw1094", 1, 1, 1},
    {"posClass.lw1095", 1, 2, 2},
    {"posClass.lw1096", 1, 2, 2},
    {"posClass.lw1097", 1, 1, 1},
    {"posClass.lw1098", 1, 2, 2},
    {"posClass.lw1099", 1, 2, 2},
    {"posClass.lw1100", 1, 1, 1},
    {"posClass.lw1101", 1, 1, 1},
    {"posClass.lw1102", 1, 1, 1},
    {"posClass.lw1103", 1, 1, 1},
    {"posClass.lw1104", 1, 1, 1},
    {"posClass.lw1105", 1, 2, 2},
    {"posClass.lw1106", 1, 1, 1},
    {"posClass.lw1107", 1, 1, 1},
    {"posClass.lw1108", 1, 1, 0},
    {"posClass.lw1109", 1, 2, 2},
    {"posClass.lw1110", 1, 2, 2},
    {"posClass.lw1111", 1, 2, 2},
    {"posClass.lw1112", 1, 1, 1},
    {"posClass.lw1113", 1, 1, 1},
    {"posClass.lw1114", 1, 3, 3},
    {"posClass.lw1115", 1, 2, 2},
    {"posClass.lw1116", 1, 3, 3},
    {"posClass.lw1117", 1, 1, 1},
    {"posClass.lw1118", 1, 1, 1},
    {"posClass.lw1119", 1, 1, 1},
    {"posClass.lw1120", 1, 1, 1},
    {"posClass.lw1121", 1, 1, 1},
    {"posClass.lw1122", 1, 1, 1},
    {"posClass.lw1123", 1, 2, 2},
    {"posClass.lw1124", 1, 2, 2},
    {"posClass.lw1125", 1, 2, 2},
    {"posClass.lw1126", 1, 2, 2},
    {"posClass.lw1127", 1, 2, 2},
    {"posClass.lw1128", 1, 2, 2},
    {"posClass.lw1129", 1, 2, 2},
    {"posClass.lw1130", 1, 3, 3},
    {"posClass.lw1131", 1, 3, 3},
    {"posClass.lw1132", 1, 3, 3},
    {"posClass.lw1133", 1, 2, 2},
    {"posClass.lw1134", 1, 2, 2},
    {"posClass.lw1135", 1, 2, 2},
    {"posClass.lw1136", 1, 2, 2},
    {"posClass.lw1137", 1, 3, 3},
    {"posClass.lw1138", 1, 1, 1},
    {"posClass.lw1139", 1, 3, 3},
    {"posClass.lw1141", 1, 2, 2},
    {"posClass.lw1142", 1, 1, 1},
    {"posClass.lw1143", 1, 2, 2},
    {"posClass.lw1144", 1, 2, 2},
    {"posClass.lw1145", 1, 1, 1},
    {"posClass.lw1146", 1, 1, 1},
    {"posClass.lw1147", 1, 2, 2},
    {"posClass.lw1148", 1, 2, 2},
    {"posClass.lw1149", 1, 2, 2},
    {"posClass.lw1150", 1, 3, 3},
    {"posClass.lw1151", 1, 2, 2},
    {"posClass.lw1152", 1, 2, 2},
    {"posClass.lw1153", 1, 3, 3},
    {"posClass.lw1154", 1, 2, 2},
    {"posClass.lw1155", 1, 1, 1},
    {"posClass.lw1156", 1, 2, 2},
    {"posClass.lw1157", 1, 1, 1},
    {"posClass.lw1158", 1, 2, 2},
    {"posClass.lw1159", 1, 2, 2},
    {"posClass.lw1160", 1, 2, 2},
    {"posClass.lw1161", 1, 2, 2},
    {"posClass.lw325", 628, 1, 0},
    {"posClass.lw326", 647, 1, 0},
    {"posContext.wl1", 24, 1, 0},
    {"posContext.wl2", 46, 1, 0},
    {"posContext.wl3", 78, 1, 0},
    {"posContext.wl4", 32, 1, 0},
    {"posContext.wl5", 49, 1, 0},
    {"posContext.wl6", 3, 1, 0},
    {"posContext.wl7", 36, 1, 0},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr int kMaxLabel = kMaxWordLabel;

bool isShared(int label) {
  for (int l : kSharedLabels) {
    if (l == label) return true;
  }
  return false;
}

// Key names by label, made once.
const std::array<std::string, kMaxLabel>& keyNames() {
  static const std::array<std::string, kMaxLabel> names = [] {
    std::array<std::string, kMaxLabel> a;
    for (int l = 1; l < kMaxLabel; ++l) {
      a[l] = (isShared(l) ? "nodePredicates.lw" : "posClass.lw") + std::to_string(l);
    }
    // The 149-word list is the predicate finder's.
    a[324] = predicate_words::kList149;
    return a;
  }();
  return names;
}

// The keys by label, held so that each is looked up once.
const std::vector<ListedKey>& labelKeys() {
  static const std::vector<ListedKey> keys = [] {
    std::vector<ListedKey> k;
    for (const std::string& name : keyNames()) k.emplace_back(name.c_str());
    return k;
  }();
  return keys;
}

const std::string kNone;

std::size_t charLength(std::string_view t, std::size_t i) {
  return isEngineLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

}  // namespace

const std::string& detail::findLabelWord(int label) {
  if (label < 1 || label >= kMaxLabel) return kNone;
  LabelWords& c = labelWords;
  const unsigned loaded = wordTable().generation();
  if (c.generation != loaded) {
    c.words.fill(nullptr);
    c.generation = loaded;
  }
  const std::string*& w = c.words[label];
  if (!w) w = &listedWord(labelKeys()[label]);
  return *w;
}

const std::string& lwList(int label) {
  if (label < 1 || label >= kMaxLabel) return kNone;
  return listedBarList(labelKeys()[label]);
}

const ListedKey* contextListKey(int n) {
  static const ListedKey keys[8] = {ListedKey(""),
                                    ListedKey("posContext.wl1"),
                                    ListedKey("posContext.wl2"),
                                    ListedKey("posContext.wl3"),
                                    ListedKey("posContext.wl4"),
                                    ListedKey("posContext.wl5"),
                                    ListedKey("posContext.wl6"),
                                    ListedKey("posContext.wl7")};
  return n >= 1 && n <= 7 ? &keys[n] : nullptr;
}

const std::string& contextList(int n) {
  const ListedKey* key = contextListKey(n);
  return key ? listedBarList(*key) : kNone;
}

bool inContextList(const CjSentence& s, int k, int n) {
  const ListedKey* key = contextListKey(n);
  return key && isNodeIndex(s, k) && isInListedBarList(*key, text(s, k));
}

bool inLabelList(const CjSentence& s, int k, int label) {
  if (label < 1 || label >= kMaxLabel) return false;
  return isNodeIndex(s, k) && isInListedBarList(labelKeys()[label], text(s, k));
}

bool containsText(std::string_view text, std::string_view word) {
  if (word.empty() || word.size() > text.size()) return false;
  for (std::size_t i = 0; i + word.size() <= text.size(); i += charLength(text, i)) {
    if (text.compare(i, word.size(), word) == 0) return true;
  }
  return false;
}

}  // namespace cj::pos
