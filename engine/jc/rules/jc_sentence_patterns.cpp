#include "engine/jc/rules/jc_sentence_patterns.h"

// The headers of the rule groups whose rules fill the places below follow here, one line each.
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/jc_pattern_rules_to_scans.h"

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
    {"ruleKaOmou", ruleKaOmou},  // 061
    {"ruleKanarazushimo", ruleKanarazushimo},  // 062
    {"ruleKanenai", ruleKanenai},  // 063
    {"ruleKaneru", ruleKaneru},  // 064
    {"ruleKaNoYouda", ruleKaNoYouda},  // 065
    {"ruleKamoshirenai", ruleKamoshirenai},  // 066
    {"ruleKaraAru", ruleKaraAru},  // 067
    {"ruleKaraIu", ruleKaraIu},  // 068
    {"ruleKaraKuru", ruleKaraKuru},  // 069
    {"ruleKarakoso", ruleKarakoso},  // 070
    {"ruleKaraMiru", ruleKaraMiru},  // 071
    {"ruleKaraMade", ruleKaraMade},  // 072
    {"ruleKaraniwa", ruleKaraniwa},  // 073
    {"ruleKariniTemo", ruleKariniTemo},  // 074
    {"ruleKariniToshitara", ruleKariniToshitara},  // 075
    {"ruleKawarini", ruleKawarini},  // 076
    {"ruleKikuTokoro", ruleKikuTokoro},  // 077
    {"ruleKiri", ruleKiri},  // 078
    {"ruleKuseni", ruleKuseni},  // 079
    {"ruleKuraiDa", ruleKuraiDa},  // 080
    {"ruleKuraiNaraHou", ruleKuraiNaraHou},  // 081
    {"ruleKosoImperative", ruleKosoImperative},  // 082
    {"ruleKosoGa", ruleKosoGa},  // 083
    {"ruleKotoDakara", ruleKotoDakara},  // 084
    {"ruleKotoniyoruto", ruleKotoniyoruto},  // 085
    {"ruleKotoMoAroouni", ruleKotoMoAroouni},  // 086
    {"ruleSaini", ruleSaini},  // 087
    {"ruleSae", ruleSae},  // 088
    {"ruleSasugaDake", ruleSasugaDake},  // 089
    {"ruleZaruoEnai", ruleZaruoEnai},  // 090
    {"ruleSanagara", ruleSanagara},  // 091
    {"ruleToshikaOmoenai", ruleToshikaOmoenai},  // 092
    {"ruleShikaNai", ruleShikaNai},  // 093
    {"ruleShidai", ruleShidai},  // 094
    {"ruleJikanShitara", ruleJikanShitara},  // 095
    {"ruleShina", ruleShina},  // 096
    {"ruleSugiru", ruleSugiru},  // 097
    {"ruleSuraNai", ruleSuraNai},  // 098
    {"ruleSundenokotoni", ruleSundenokotoni},  // 099
    {"ruleSeiKa", ruleSeiKa},  // 100
    {"ruleSemete", ruleSemete},  // 101
    {"ruleSouNara", ruleSouNara},  // 102
    {"ruleSouniNaru", ruleSouniNaru},  // 103
    {"ruleSouniMoNai", ruleSouniMoNai},  // 104
    {"ruleSonomono", ruleSonomono},  // 105
    {"ruleSorehodo", ruleSorehodo},  // 106
    {"ruleTaiKurai", ruleTaiKurai},  // 107
    {"ruleTaiMonoDa", ruleTaiMonoDa},  // 108
    {"ruleTakuteShikataganai", ruleTakuteShikataganai},  // 109
    {"ruleTanniDake", ruleTanniDake},  // 110
    {"ruleDake", ruleDake},  // 111
    {"(empty rule)", emptyPatternRule},  // 112
    {"ruleTatoeTemo", ruleTatoeTemo},  // 113
    {"ruleTabi", ruleTabi},  // 114
    {"ruleBaIi", ruleBaIi},  // 115
    {"ruleDarake", ruleDarake},  // 116
    {"(empty rule)", emptyPatternRule},  // 117
    {"ruleTariTariShinai", ruleTariTariShinai},  // 118
    {"ruleTaru", ruleTaru},  // 119
    {"ruleDarouToDarouTo", ruleDarouToDarouTo},  // 120
    {"ruleHouDewanai", ruleHouDewanai},  // 121
    {"ruleTeShimau", ruleTeShimau},  // 122
    {"(empty rule)", emptyPatternRule},  // 123
    {"(empty rule)", emptyPatternRule},  // 124
    {"ruleTsutsuAru", ruleTsutsuAru},  // 125
    {"ruleTsutsu", ruleTsutsu},  // 126
    {"ruleTsumori", ruleTsumori},  // 127
    {"ruleTeForm", ruleTeForm},  // 128
    {"patternRule129", patternRule129},
    {"ruleDeatteMo", ruleDeatteMo},  // 130
    {"ruleTeiruTokoro", ruleTeiruTokoro},  // 131
    {"ruleSumu", ruleSumu},  // 132
    {"ruleDenaiKagiri", ruleDenaiKagiri},  // 133
    {"ruleNakerebaNaranai", ruleNakerebaNaranai},  // 134
    {"ruleDewanaiKa", ruleDewanaiKa},  // 135
    {"ruleTemoIi", ruleTemoIi},  // 136
    {"ruleDemoNakerebaDemoNai", ruleDemoNakerebaDemoNai},  // 137
    {"ruleToAimatte", ruleToAimatte},  // 138
    {"ruleToAreba", ruleToAreba},  // 139
    {"ruleToIi", ruleToIi},  // 140
    {"ruleToIiToIi", ruleToIiToIi},  // 141
    {"ruleToIu", ruleToIu},  // 142
    {"ruleToiedomo", ruleToiedomo},  // 143
    {"ruleToiwazu", ruleToiwazu},  // 144
    {"(empty rule)", emptyPatternRule},  // 145
    {"ruleToOmou", ruleToOmou},  // 146
    {"ruleToori", ruleToori},  // 147
    {"ruleTokitara", ruleTokitara},  // 148
    {"ruleTokiteiru", ruleTokiteiru},  // 149
    {"ruleTokoro", ruleTokoro},  // 150
    {"ruleDokoroka", ruleDokoroka},  // 151
    {"ruleToSugu", ruleToSugu},  // 152
    {"ruleTotan", ruleTotan},  // 153
    {"(empty rule)", emptyPatternRule},  // 154
    {"ruleToDouji", ruleToDouji},  // 155
    {"ruleToNaku", ruleToNaku},  // 156
    {"ruleToNaru", ruleToNaru},  // 157
    {"ruleToNo", ruleToNo},  // 158
    {"ruleToha", ruleToha},  // 159
    {"ruleTomo", ruleTomo},  // 160
    {"ruleNai", ruleNai},  // 161
    {"patternRule162", patternRule162},
    {"patternRule163", patternRule163},
    {"ruleNakanaka", ruleNakanaka},  // 164
    {"ruleNaNiPatterns", ruleNaNiPatterns},  // 165
    {"ruleNiToYoPatterns", ruleNiToYoPatterns},  // 166
    {"ruleYoToWoPatterns", ruleYoToWoPatterns},  // 167
    {"ruleKotoWaNai", ruleKotoWaNai},  // 168
    {"ruleKotoGaAru", ruleKotoGaAru},  // 169
    {"patternRule170", patternRule170},
    {"ruleTame", ruleTame},  // 171
    {"ruleMettaNi", ruleMettaNi},  // 172
    {"ruleWoMaeAtoNiSuru", ruleWoMaeAtoNiSuru},  // 173
    {"ruleWoNiSuruToIu", ruleWoNiSuruToIu},  // 174
    {"ruleToSuru", ruleToSuru},  // 175
    {"ruleKotoDakePatterns", ruleKotoDakePatterns},  // 176
    {"ruleMoBaMo", ruleMoBaMo},  // 177
    {"ruleDearu", ruleDearu},  // 178
    {"patternRule179", emptyPatternRule},  // 179
    {"patternRule180", patternRule180},
    {"patternRule181", patternRule181},
    {"patternRule182", patternRule182},
    {"patternRule183", patternRule183},
    {"(empty rule)", emptyPatternRule},  // 184
    {"ruleZu", ruleZu},  // 185
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
