#include "input/pinyin/syllables.h"

#include <array>
#include <string>

#include "input/pinyin/pinyin_keys.h"

namespace pinyin {

namespace {

// Every toneless syllable read by a GB2312 (simplified) or Big5 (traditional) hanzi.
constexpr std::string_view kSimplified =
    "a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can cang cao ce cen "
    "ceng cha chai chan chang chao che chen cheng chi chong chou chu chuai chuan chuang chui chun chuo ci cong cou "
    "cu cuan cui cun cuo da dai dan dang dao de dei deng di dia dian diao die ding diu dong dou du duan dui dun duo "
    "e ei en er fa fan fang fei fen feng fo fou fu ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan "
    "guang gui gun guo ha hai han hang hao he hei hen heng hong hou hu hua huai huan huang hui hun huo ji jia jian "
    "jiang jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke ken keng kong kou ku kua kuai kuan "
    "kuang kui kun kuo la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu lo long lou lu luan "
    "lun luo lv lve ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu na nai nan nang nao "
    "ne nei nen neng ni nian niang niao nie nin ning niu nong nou nu nuan nuo nv nve o ou pa pai pan pang pao pei "
    "pen peng pi pian piao pie pin ping po pou pu qi qia qian qiang qiao qie qin qing qiong qiu qu quan que qun ran "
    "rang rao re ren reng ri rong rou ru ruan rui run ruo sa sai san sang sao se sen seng sha shai shan shang shao "
    "she shei shen sheng shi shou shu shua shuai shuan shuang shui shun shuo si song sou su suan sui sun suo ta tai "
    "tan tang tao te tei teng ti tian tiao tie ting tong tou tu tuan tui tun tuo wa wai wan wang wei wen weng wo wu "
    "xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun ya yan yang yao ye yi yin ying yo yong you yu "
    "yuan yue yun za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou "
    "zhu zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo";
// The traditional set reads these as well.
constexpr std::string_view kTraditionalExtra = "E chua den eng fiao kei rua";

constexpr std::array<std::string_view, 22> kInitials = {"",  "b", "p", "m", "f", "d",  "t",  "n",  "l", "g", "k",
                                                        "h", "j", "q", "x", "z", "c", "s", "zh", "ch", "sh", "r"};
constexpr std::array<std::string_view, 21> kFinals = {"",   "a",  "e",  "i",  "u",  "ang", "eng", "ing", "ong", "an", "en",
                                                      "in", "un", "ai", "ei", "ao", "ou",  "o",   "v",   "er",  "E"};

int finalOf(std::string_view s) {
  for (int f = 1; f <= kFinalCount; ++f) {
    if (kFinals[f] == s) return f;
  }
  return 0;
}

// Splits the initial off; y and w are not initials.
int splitInitial(std::string_view& s) {
  for (int i = kZh; i <= kSh; ++i) {
    if (s.starts_with(kInitials[i])) {
      s.remove_prefix(2);
      return i;
    }
  }
  for (int i = 1; i <= kInitialCount; ++i) {
    if (kInitials[i].size() == 1 && !s.empty() && s[0] == kInitials[i][0]) {
      s.remove_prefix(1);
      return i;
    }
  }
  return 0;
}

std::vector<std::string_view> split(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

constexpr int kLayout0Start[2] = {4, 6};

struct Numbering {
  std::uint32_t mask0[2][22][3] = {};
  std::uint32_t mask1[2][22][4] = {};
  std::int16_t number0[2][22][3][kFinalCount + 1] = {};
  std::int16_t number1[2][22][4][kFinalCount + 1] = {};
  int count0[2] = {};
  int count1[2] = {};
};

Numbering buildNumbering() {
  Numbering n;
  for (int t = 0; t < 2; ++t) {
    for (std::string_view s : syllableInventory(t == 1)) {
      if (auto p = layout0Parts(s)) n.mask0[t][p->initial][p->medial] |= 1u << (p->final - 1);
      if (auto p = layout1Parts(s)) n.mask1[t][p->initial][p->medial] |= 1u << p->final;
    }
    int next = kLayout0Start[t];
    for (int i = 0; i <= kInitialCount; ++i) {
      for (int m = 0; m < 3; ++m) {
        for (int f = 1; f <= kFinalCount; ++f) {
          n.number0[t][i][m][f] = static_cast<std::int16_t>(n.mask0[t][i][m] & (1u << (f - 1)) ? next++ : -1);
        }
      }
    }
    n.count0[t] = next;
    next = 0;
    for (int i = 0; i <= kInitialCount; ++i) {
      for (int m = 0; m < 4; ++m) {
        for (int f = 0; f <= kFinalCount; ++f) {
          n.number1[t][i][m][f] = static_cast<std::int16_t>(n.mask1[t][i][m] & (1u << f) ? next++ : -1);
        }
      }
    }
    n.count1[t] = next;
  }
  return n;
}

const Numbering& numbering() {
  static const Numbering n = buildNumbering();
  return n;
}

bool inRange(int initial, int medial, int medials) {
  return initial >= 0 && initial <= kInitialCount && medial >= 0 && medial < medials;
}

}  // namespace

const std::vector<std::string_view>& syllableInventory(bool traditional) {
  static const std::vector<std::string_view> simplified = split(kSimplified);
  static const std::vector<std::string_view> both = [] {
    std::vector<std::string_view> v = split(kSimplified);
    for (std::string_view s : split(kTraditionalExtra)) v.push_back(s);
    return v;
  }();
  return traditional ? both : simplified;
}

int layout0SpecialNumber(std::string_view s) {
  if (s == "lve") return 0;
  if (s == "nve") return 1;
  if (s == "yuan") return 2;
  if (s == "yue") return 3;
  if (s == "lvan") return 4;
  return -1;
}

std::optional<SyllableParts> layout0Parts(std::string_view s) {
  if (layout0SpecialNumber(s) >= 0) return std::nullopt;
  SyllableParts p;
  p.initial = static_cast<std::uint8_t>(splitInitial(s));
  auto with = [&](int medial, std::string_view rest) -> std::optional<SyllableParts> {
    int f = finalOf(rest);
    if (!f) return std::nullopt;
    p.medial = static_cast<std::uint8_t>(medial);
    p.final = static_cast<std::uint8_t>(f);
    return p;
  };
  if (p.initial == 0) {
    if (s.starts_with("y")) return with(kMedialI, s.substr(1));  // yi, yu, yin, yun, yong, ya …
    if (s.starts_with("w")) return with(kMedialU, s.substr(1));  // wu, wa, wei …
    return with(kMedialNone, s);
  }
  // Finals that stand alone after an initial, medial letter or not.
  if (s == "i" || s == "u" || s == "v" || s == "in" || s == "ing" || s == "un" || s == "ong") return with(kMedialNone, s);
  if (s.size() > 1 && s[0] == 'i') return with(kMedialI, s.substr(1));  // bian, liu, xiong
  if (s.size() > 1 && s[0] == 'u') return with(kMedialU, s.substr(1));  // gua, gui, jue, juan
  return with(kMedialNone, s);
}

std::optional<SyllableParts> layout1Parts(std::string_view s) {
  SyllableParts p;
  p.initial = static_cast<std::uint8_t>(splitInitial(s));
  std::string r(s);
  if (p.initial == 0 && s.starts_with("y")) {
    std::string_view t = s.substr(1);
    if (t == "i" || t == "in" || t == "ing") r = std::string(t);
    else if (t.starts_with("u")) r = "v" + std::string(t.substr(1));  // yu, yue, yuan, yun
    else if (t == "ong") r = "vong";
    else r = "i" + std::string(t);
  } else if (p.initial == 0 && s.starts_with("w")) {
    std::string_view t = s.substr(1);
    r = t == "u" ? "u" : "u" + std::string(t);
  } else if (p.initial != 0) {
    if ((p.initial == kJ || p.initial == kQ || p.initial == kX) && s.starts_with("u")) r = "v" + std::string(s.substr(1));
    else if (s == "iu") r = "iou";
    else if (s == "ui") r = "uei";
    else if (s == "un") r = "uen";
    else if (s == "i" && p.initial >= kZ) r = "";
  }
  // Zhuyin writes these rhymes with a medial and a plain final.
  static const struct {
    const char* rhyme;
    std::uint8_t medial, final;
  } kRhymes[] = {{"ong", kMedialU, kFinalEng},  {"vong", kMedialV, kFinalEng}, {"iong", kMedialV, kFinalEng},
                 {"ueng", kMedialU, kFinalEng}, {"in", kMedialI, kFinalEn},    {"ing", kMedialI, kFinalEng},
                 {"vn", kMedialV, kFinalEn},    {"uen", kMedialU, kFinalEn},   {"ie", kMedialI, kFinalEh},
                 {"ve", kMedialV, kFinalEh},    {"i", kMedialI, 0},            {"u", kMedialU, 0},
                 {"v", kMedialV, 0},            {"", 0, 0}};
  for (const auto& k : kRhymes) {
    if (r == k.rhyme) {
      if (r.empty() && p.initial < kZ) return std::nullopt;
      p.medial = k.medial;
      p.final = k.final;
      return p;
    }
  }
  std::string_view rest = r;
  if (rest.size() > 1 && (rest[0] == 'i' || rest[0] == 'u' || rest[0] == 'v')) {
    p.medial = rest[0] == 'i' ? kMedialI : rest[0] == 'u' ? kMedialU : kMedialV;
    rest.remove_prefix(1);
  }
  int f = finalOf(rest);
  // Only the finals with a zhuyin key.
  if (!f || f == kFinalI || f == kFinalU || f == kFinalIng || f == kFinalOng || f == kFinalIn || f == kFinalUn ||
      f == kFinalV) {
    return std::nullopt;
  }
  p.final = static_cast<std::uint8_t>(f);
  return p;
}

std::uint32_t layout0Mask(bool traditional, int initial, int medial) {
  return inRange(initial, medial, 3) ? numbering().mask0[traditional][initial][medial] : 0;
}

std::uint32_t layout1Mask(bool traditional, int initial, int medial) {
  return inRange(initial, medial, 4) ? numbering().mask1[traditional][initial][medial] : 0;
}

int syllableNumber(bool zhuyin, bool traditional, const SyllableParts& p) {
  const Numbering& n = numbering();
  if (p.final > kFinalCount) return -1;
  if (zhuyin) return inRange(p.initial, p.medial, 4) ? n.number1[traditional][p.initial][p.medial][p.final] : -1;
  if (p.medial == kMedialV) {
    if (p.final == kFinalE) return p.initial == kL ? 0 : p.initial != 0 ? 1 : 3;
    if (p.final == kFinalAn && p.initial == 0) return 2;
    if (p.final == kFinalAn && p.initial == kL && traditional) return 4;
    return -1;
  }
  if (p.final == 0 || !inRange(p.initial, p.medial, 3)) return -1;
  return n.number0[traditional][p.initial][p.medial][p.final];
}

int syllableCount(bool zhuyin, bool traditional) {
  return zhuyin ? numbering().count1[traditional] : numbering().count0[traditional];
}

int spellingNumber(bool zhuyin, bool traditional, std::string_view spelling) {
  if (zhuyin) {
    auto p = layout1Parts(spelling);
    return p ? syllableNumber(true, traditional, *p) : -1;
  }
  int special = layout0SpecialNumber(spelling);
  if (special >= 0) return special == 4 && !traditional ? -1 : special;
  auto p = layout0Parts(spelling);
  return p ? syllableNumber(false, traditional, *p) : -1;
}

}  // namespace pinyin
