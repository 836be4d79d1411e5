#include "engine/jc/rules/jc_sentence_patterns.h"

// The headers of the rule groups whose rules fill the places below follow here, one line each.

namespace jc {

namespace {

// One entry per place, in the order of the step. A place whose rule is not built yet holds its
// name and a null rule; fill it in where it stands.
const std::array<SentencePatternPlace, kSentencePatternPlaces> kPlaces = {{
    {"patternRule001", patternRule001},
    {"patternRule002", patternRule002},
    {"patternRule003", patternRule003},
    {"patternRule004", patternRule004},
    {"patternRule005", patternRule005},
    {"patternRule006", patternRule006},
    {"patternRule007", patternRule007},
    {"patternRule008", patternRule008},
    {"patternRule009", patternRule009},
    {"patternRule010", patternRule010},
    {"patternRule011", patternRule011},
    {"patternRule012", emptyPatternRule},  // 012
    {"patternRule013", patternRule013},
    {"patternRule014", patternRule014},
    {"patternRule015", patternRule015},
    {"patternRule016", patternRule016},
    {"patternRule017", patternRule017},
    {"patternRule018", patternRule018},
    {"patternRule019", patternRule019},
    {"patternRule020", patternRule020},
    {"patternRule021", patternRule021},
    {"patternRule022", patternRule022},
    {"patternRule023", patternRule023},
    {"patternRule024", patternRule024},
    {"patternRule025", patternRule025},
    {"patternRule026", patternRule026},
    {"patternRule027", emptyPatternRule},  // 027
    {"patternRule028", emptyPatternRule},  // 028
    {"patternRule029", patternRule029},
    {"patternRule030", patternRule030},
    {"patternRule031", patternRule031},
    {"patternRule032", patternRule032},
    {"patternRule033", patternRule033},
    {"patternRule034", patternRule034},
    {"patternRule035", patternRule035},
    {"patternRule036", patternRule036},
    {"patternRule037", patternRule037},
    {"patternRule038", patternRule038},
    {"patternRule039", patternRule039},
    {"patternRule040", patternRule040},
    {"patternRule041", patternRule041},
    {"patternRule042", patternRule042},
    {"patternRule043", patternRule043},
    {"patternRule044", patternRule044},
    {"patternRule045", patternRule045},
    {"patternRule046", patternRule046},
    {"patternRule047", patternRule047},
    {"patternRule048", patternRule048},
    {"patternRule049", patternRule049},
    {"patternRule050", patternRule050},
    {"patternRule051", patternRule051},
    {"patternRule052", patternRule052},
    {"patternRule053", patternRule053},
    {"patternRule054", patternRule054},
    {"patternRule055", patternRule055},
    {"patternRule056", patternRule056},
    {"patternRule057", patternRule057},
    {"patternRule058", patternRule058},
    {"patternRule059", patternRule059},
    {"patternRule060", patternRule060},
    {"ruleKaOmou", nullptr},  // 061
    {"ruleKanarazushimo", nullptr},  // 062
    {"ruleKanenai", nullptr},  // 063
    {"ruleKaneru", nullptr},  // 064
    {"ruleKaNoYouda", nullptr},  // 065
    {"ruleKamoshirenai", nullptr},  // 066
    {"ruleKaraAru", nullptr},  // 067
    {"ruleKaraIu", nullptr},  // 068
    {"ruleKaraKuru", nullptr},  // 069
    {"ruleKarakoso", nullptr},  // 070
    {"ruleKaraMiru", nullptr},  // 071
    {"ruleKaraMade", nullptr},  // 072
    {"ruleKaraniwa", nullptr},  // 073
    {"ruleKariniTemo", nullptr},  // 074
    {"ruleKariniToshitara", nullptr},  // 075
    {"ruleKawarini", nullptr},  // 076
    {"ruleKikuTokoro", nullptr},  // 077
    {"ruleKiri", nullptr},  // 078
    {"ruleKuseni", nullptr},  // 079
    {"ruleKuraiDa", nullptr},  // 080
    {"ruleKuraiNaraHou", nullptr},  // 081
    {"ruleKosoImperative", nullptr},  // 082
    {"ruleKosoGa", nullptr},  // 083
    {"ruleKotoDakara", nullptr},  // 084
    {"ruleKotoniyoruto", nullptr},  // 085
    {"ruleKotoMoAroouni", nullptr},  // 086
    {"ruleSaini", nullptr},  // 087
    {"ruleSae", nullptr},  // 088
    {"ruleSasugaDake", nullptr},  // 089
    {"ruleZaruoEnai", nullptr},  // 090
    {"ruleSanagara", nullptr},  // 091
    {"ruleToshikaOmoenai", nullptr},  // 092
    {"ruleShikaNai", nullptr},  // 093
    {"ruleShidai", nullptr},  // 094
    {"ruleJikanShitara", nullptr},  // 095
    {"ruleShina", nullptr},  // 096
    {"ruleSugiru", nullptr},  // 097
    {"ruleSuraNai", nullptr},  // 098
    {"ruleSundenokotoni", nullptr},  // 099
    {"ruleSeiKa", nullptr},  // 100
    {"ruleSemete", nullptr},  // 101
    {"ruleSouNara", nullptr},  // 102
    {"ruleSouniNaru", nullptr},  // 103
    {"ruleSouniMoNai", nullptr},  // 104
    {"ruleSonomono", nullptr},  // 105
    {"ruleSorehodo", nullptr},  // 106
    {"ruleTaiKurai", nullptr},  // 107
    {"ruleTaiMonoDa", nullptr},  // 108
    {"ruleTakuteShikataganai", nullptr},  // 109
    {"ruleTanniDake", nullptr},  // 110
    {"ruleDake", nullptr},  // 111
    {"(empty rule)", emptyPatternRule},  // 112
    {"ruleTatoeTemo", nullptr},  // 113
    {"ruleTabi", nullptr},  // 114
    {"ruleBaIi", nullptr},  // 115
    {"ruleDarake", nullptr},  // 116
    {"(empty rule)", emptyPatternRule},  // 117
    {"ruleTariTariShinai", nullptr},  // 118
    {"ruleTaru", nullptr},  // 119
    {"ruleDarouToDarouTo", nullptr},  // 120
    {"ruleHouDewanai", nullptr},  // 121
    {"ruleTeShimau", nullptr},  // 122
    {"(empty rule)", emptyPatternRule},  // 123
    {"(empty rule)", emptyPatternRule},  // 124
    {"ruleTsutsuAru", nullptr},  // 125
    {"ruleTsutsu", nullptr},  // 126
    {"ruleTsumori", nullptr},  // 127
    {"ruleTeForm", nullptr},  // 128
    {"patternRule129", patternRule129},
    {"ruleDeatteMo", nullptr},  // 130
    {"ruleTeiruTokoro", nullptr},  // 131
    {"ruleSumu", nullptr},  // 132
    {"ruleDenaiKagiri", nullptr},  // 133
    {"ruleNakerebaNaranai", nullptr},  // 134
    {"ruleDewanaiKa", nullptr},  // 135
    {"ruleTemoIi", nullptr},  // 136
    {"ruleDemoNakerebaDemoNai", nullptr},  // 137
    {"ruleToAimatte", nullptr},  // 138
    {"ruleToAreba", nullptr},  // 139
    {"ruleToIi", nullptr},  // 140
    {"ruleToIiToIi", nullptr},  // 141
    {"ruleToIu", nullptr},  // 142
    {"ruleToiedomo", nullptr},  // 143
    {"ruleToiwazu", nullptr},  // 144
    {"(empty rule)", emptyPatternRule},  // 145
    {"ruleToOmou", nullptr},  // 146
    {"ruleToori", nullptr},  // 147
    {"ruleTokitara", nullptr},  // 148
    {"ruleTokiteiru", nullptr},  // 149
    {"ruleTokoro", nullptr},  // 150
    {"ruleDokoroka", nullptr},  // 151
    {"ruleToSugu", nullptr},  // 152
    {"ruleTotan", nullptr},  // 153
    {"(empty rule)", emptyPatternRule},  // 154
    {"ruleToDouji", nullptr},  // 155
    {"ruleToNaku", nullptr},  // 156
    {"ruleToNaru", nullptr},  // 157
    {"ruleToNo", nullptr},  // 158
    {"ruleToha", nullptr},  // 159
    {"ruleTomo", nullptr},  // 160
    {"ruleNai", nullptr},  // 161
    {"patternRule162", patternRule162},
    {"patternRule163", patternRule163},
    {"ruleNakanaka", nullptr},  // 164
    {"ruleNaNiPatterns", nullptr},  // 165
    {"ruleNiToYoPatterns", nullptr},  // 166
    {"ruleYoToWoPatterns", nullptr},  // 167
    {"ruleKotoWaNai", nullptr},  // 168
    {"ruleKotoGaAru", nullptr},  // 169
    {"patternRule170", patternRule170},
    {"ruleTame", nullptr},  // 171
    {"ruleMettaNi", nullptr},  // 172
    {"ruleWoMaeAtoNiSuru", nullptr},  // 173
    {"ruleWoNiSuruToIu", nullptr},  // 174
    {"ruleToSuru", nullptr},  // 175
    {"ruleKotoDakePatterns", nullptr},  // 176
    {"ruleMoBaMo", nullptr},  // 177
    {"ruleDearu", nullptr},  // 178
    {"patternRule179", emptyPatternRule},  // 179
    {"patternRule180", patternRule180},
    {"patternRule181", patternRule181},
    {"patternRule182", patternRule182},
    {"patternRule183", patternRule183},
    {"(empty rule)", emptyPatternRule},  // 184
    {"ruleZu", nullptr},  // 185
    {"patternRule186", patternRule186},
    {"patternRule187", patternRule187},
    {"patternRule188", patternRule188},
    {"patternRule189", patternRule189},
    {"patternRule190", patternRule190},
    {"patternRule191", patternRule191},
    {"patternRule192", patternRule192},
}};

}  // namespace

const std::array<SentencePatternPlace, kSentencePatternPlaces>& sentencePatternPlaces() { return kPlaces; }

void applySentencePatternRules(JcSentence* s) {
  if (!s) return;
  for (const SentencePatternPlace& place : kPlaces) {
    if (place.apply) place.apply(s);
  }
}

void emptyPatternRule(JcSentence*) {}

}  // namespace jc
