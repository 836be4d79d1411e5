#include "tools/datagen/speech_tables_writer.h"

#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/device.h"
#include "platform/core/little_endian.h"
#include "speech/engine/segmenter.h"
#include "speech/engine/speech_files.h"
#include "speech/engine/text_code.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <unordered_map>

namespace datagen {

namespace {

using speech::Unit;

constexpr const char* kSyllables =
    "a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can cang cao ce cen ceng "
    "cha chai chan chang chao che chen cheng chi chong chou chu chua chuai chuan chuang chui chun chuo ci cong cou cu "
    "cuan cui cun cuo da dai dan dang dao de dei den deng di dia dian diao die ding diu dong dou du duan dui dun duo e "
    "E ei en eng er fa fan fang fei fen feng fo fou fu ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan "
    "guang gui gun guo ha hai han hang hao he hei hen heng hm hng hong hou hu hua huai huan huang hui hun huo ji jia "
    "jian jiang jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke kei ken keng kong kou ku kua kuai "
    "kuan kuang kui kun kuo la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu lo long lou lu lv "
    "luan lve lun luo m ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu n na nai nan nang "
    "nao ne nei nen neng ng ni nia nian niang niao nie nin ning niu nong nou nu nv nuan nve nuo o ou pa pai pan pang "
    "pao pei pen peng pi pian piao pie pin ping po pou pu qi qia qian qiang qiao qie qin qing qiong qiu qu quan que "
    "qun ran rang rao re ren reng ri rong rou ru rua ruan rui run ruo sa sai san sang sao se sen seng sha shai shan "
    "shang shao she shei shen sheng shi shou shu shua shuai shuan shuang shui shun shuo si song sou su suan sui sun "
    "suo ta tai tan tang tao te teng ti tian tiao tie ting tong tou tu tuan tui tun tuo wa wai wan wang wei wen weng "
    "wo wu xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun ya yan yang yao ye yi yin ying yo yong you yu "
    "yuan yue yun za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu "
    "zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo";

const std::vector<std::string>& syllableList() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> v;
    std::istringstream in(kSyllables);
    for (std::string s; in >> s;) v.push_back(s);
    return v;
  }();
  return list;
}

int hanziIndexOf(std::string_view utf8) {
  auto units = speechUnits(utf8);
  return units.size() == 1 ? speech::hanziIndex(units[0]) : -1;
}

std::vector<const SpeechSource::Hanzi*> polyphones(const SpeechSource& src) {
  std::vector<const SpeechSource::Hanzi*> out;
  for (const auto& h : src.hanzi) {
    if (h.readings.size() >= 2) out.push_back(&h);
  }
  return out;
}

bool fail(std::string* error, int line, const std::string& what) {
  if (error) *error = "line " + std::to_string(line) + ": " + what;
  return false;
}

bool isGb2312Unit(Unit u) {
  return speech::leadByte(u) >= 0xA1 && speech::leadByte(u) <= 0xF7 && speech::trailByte(u) >= 0xA1 &&
         speech::trailByte(u) <= 0xFE;
}

// GBK code (as a unit) -> GB2312 stand-in, from the source.
std::map<Unit, Unit> standInMap(const SpeechSource& src) {
  std::map<Unit, Unit> m;
  for (const auto& s : src.standIns) {
    auto from = speechUnits(s.from), to = speechUnits(s.to);
    if (from.size() == 1 && to.size() == 1 && isGb2312Unit(to[0])) m[from[0]] = to[0];
  }
  return m;
}

}  // namespace

int syllableNumber(std::string_view pinyin) {
  const auto& list = syllableList();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == pinyin) return static_cast<int>(i);
  }
  return -1;
}

std::string syllableName(int number) {
  const auto& list = syllableList();
  return number >= 0 && number < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(number)] : std::string();
}

int pinyinReading(std::string_view p) {
  if (p.size() < 2 || p.back() < '1' || p.back() > '5') return -1;
  int s = syllableNumber(p.substr(0, p.size() - 1));
  return s < 0 ? -1 : s * 8 + (p.back() - '0');
}

std::vector<std::uint16_t> speechUnits(std::string_view utf8) {
  std::string gbk = plat::wideToMultiByte(936, plat::utf8ToWide(utf8));
  std::vector<std::uint16_t> out;
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    unsigned lead = static_cast<unsigned char>(gbk[i]);
    if (lead > 0x80 && i + 1 < gbk.size()) {
      out.push_back(speech::gbUnit(lead, static_cast<unsigned char>(gbk[++i])));
    } else {
      out.push_back(static_cast<std::uint16_t>(lead));
    }
  }
  return out;
}

bool parseSpeechSource(std::string_view text, SpeechSource& out, std::string* error) {
  std::istringstream in{std::string(text)};
  int lineNo = 0;
  std::unordered_map<std::string, std::size_t> hanziAt;  // character -> place in out.hanzi
  for (std::size_t i = 0; i < out.hanzi.size(); ++i) hanziAt[out.hanzi[i].ch] = i;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string s; fields >> s;) f.push_back(s);
    if (f.empty()) continue;
    const std::string& kind = f[0];
    if (kind == "hanzi" && f.size() >= 3) {
      SpeechSource::Hanzi h;
      h.ch = f[1];
      if (hanziIndexOf(h.ch) < 0) return fail(error, lineNo, "not a GB2312 hanzi: " + h.ch);
      std::istringstream readings(f[2]);
      for (std::string r; std::getline(readings, r, ',');) {
        int v = pinyinReading(r);
        if (v < 0) return fail(error, lineNo, "bad reading: " + r);
        h.readings.push_back(static_cast<std::uint16_t>(v));
      }
      for (std::size_t i = 3; i < f.size(); ++i) {
        auto eq = f[i].find('=');
        std::string key = f[i].substr(0, eq), value = eq == std::string::npos ? "" : f[i].substr(eq + 1);
        if (key == "weight") {
          h.weight = static_cast<std::uint16_t>(std::stoul(value));
        } else if (key == "prop") {
          h.props = static_cast<std::uint32_t>(std::stoul(value, nullptr, 0));
        } else if (key == "surname") {
          int r = pinyinReading(value);
          if (r < 0) return fail(error, lineNo, "bad surname reading: " + value);
          h.surname = static_cast<std::uint16_t>((r / 8) * 5 + r % 8 - 1);
        } else {
          return fail(error, lineNo, "unknown field: " + f[i]);
        }
      }
      // A later line for the same character replaces its readings, weight and surname reading;
      // properties add up.
      auto same = hanziAt.find(h.ch);
      if (same != hanziAt.end()) {
        h.props |= out.hanzi[same->second].props;
        out.hanzi[same->second] = h;
      } else {
        hanziAt[h.ch] = out.hanzi.size();
        out.hanzi.push_back(h);
      }
    } else if (kind == "prop" && f.size() == 3) {
      std::uint32_t mask = static_cast<std::uint32_t>(std::stoul(f[2], nullptr, 0));
      std::u16string chars = plat::utf8ToWide(f[1]);
      for (char16_t c : chars) {
        std::string ch = plat::wideToUtf8(std::u16string(1, c));
        auto h = hanziAt.find(ch);
        if (h == hanziAt.end()) return fail(error, lineNo, "no reading given for " + ch);
        out.hanzi[h->second].props |= mask;
      }
    } else if (kind == "word" && f.size() >= 3) {
      auto units = speechUnits(f[1]);
      if (units.size() < 2 || units.size() > 4) return fail(error, lineNo, "a word has 2 to 4 characters");
      SpeechSource::Word w{f[1], static_cast<std::uint16_t>(std::stoul(f[2])), 0};
      for (std::size_t i = 3; i < f.size(); ++i) {
        if (f[i] == "time") {
          w.classes |= speech::kWordTime >> 16;
        } else if (f[i] == "pager") {
          w.classes |= speech::kWordPager >> 16;
        } else {
          return fail(error, lineNo, "unknown word class: " + f[i]);
        }
      }
      out.words.push_back(w);
    } else if (kind == "polyword" && f.size() == 4) {
      SpeechSource::PolyWord w{f[1], std::stoi(f[2]), std::stoi(f[3])};
      auto units = speechUnits(w.text);
      if (units.size() < 2 || units.size() > 4 || w.place < 0 || w.place >= static_cast<int>(units.size()) ||
          w.number < 0 || w.number > 9) {
        return fail(error, lineNo, "bad polyphone word");
      }
      out.polyWords.push_back(w);
    } else if (kind == "symbol" && f.size() == 3) {
      out.symbols.push_back({f[1], f[2]});
    } else if (kind == "standin" && f.size() == 3) {
      out.standIns.push_back({f[1], f[2]});
    } else {
      return fail(error, lineNo, "cannot read: " + line);
    }
  }
  return true;
}

std::string speechCzFile(const SpeechSource& src) {
  std::array<std::uint16_t, speech::kHanziCount> weights{};
  for (const auto& h : src.hanzi) weights[static_cast<std::size_t>(hanziIndexOf(h.ch))] = h.weight;
  // Words by their first character, then by length.
  std::map<int, std::array<std::vector<const SpeechSource::Word*>, 3>> byFirst;
  for (const auto& w : src.words) {
    auto units = speechUnits(w.text);
    int first = speech::hanziIndex(units[0]);
    if (first < 0) return {};
    byFirst[first][units.size() - 2].push_back(&w);
  }
  std::string out(speech::kCzWordPoolStart, '\0');
  std::string pool;
  for (int i = 0; i < speech::kHanziCount; ++i) {
    std::size_t at = speech::kCzRecordsStart + speech::kCzRecordSize * static_cast<std::size_t>(i);
    plat::writeLe16(out.data() + at + 3, weights[static_cast<std::size_t>(i)]);
    auto it = byFirst.find(i);
    if (it == byFirst.end()) continue;
    std::uint32_t offset = static_cast<std::uint32_t>(pool.size());
    if (offset > 0x7FFFFF || it->second[1].size() > 255 || it->second[2].size() > 255) return {};
    out[at] = static_cast<char>(0x80 | (offset >> 16));
    out[at + 1] = static_cast<char>(offset & 0xFF);
    out[at + 2] = static_cast<char>((offset >> 8) & 0xFF);
    plat::appendLe16(pool, static_cast<std::uint16_t>(it->second[0].size()));
    pool.push_back(static_cast<char>(it->second[1].size()));
    pool.push_back(static_cast<char>(it->second[2].size()));
    for (const auto& list : it->second) {
      for (const auto* w : list) {
        auto units = speechUnits(w->text);
        for (std::size_t k = 1; k < units.size(); ++k) plat::appendLe16(pool, units[k]);
      }
      for (const auto* w : list) plat::appendLe32(pool, w->weight | (static_cast<std::uint32_t>(w->classes) << 16));
    }
  }
  return out + pool;
}

std::string speechPymFile(const SpeechSource& src) {
  std::string out(2 * speech::kHanziCount, '\0');
  int polyphone = 0;
  for (const auto& h : src.hanzi) {
    std::size_t at = 2 * static_cast<std::size_t>(hanziIndexOf(h.ch));
    if (h.readings.size() >= 2) {
      plat::writeLe16(out.data() + at, static_cast<std::uint16_t>(speech::kPolyphoneFlag | polyphone++));
    } else if (h.readings.size() == 1) {
      plat::writeLe16(out.data() + at, h.readings[0]);
    }
  }
  return out;
}

std::string speechDyzFile(const SpeechSource& src) {
  auto poly = polyphones(src);
  std::string out, table;
  plat::appendLe16(out, static_cast<std::uint16_t>(poly.size()));
  for (const auto* h : poly) {
    std::size_t start = table.size() / 2;
    if (start > 0xFFF) return {};
    plat::appendLe16(out, static_cast<std::uint16_t>(start << 1));
    for (std::uint16_t r : h->readings) plat::appendLe16(table, r);
  }
  return out + table;
}

std::string speechDycFile(const SpeechSource& src) {
  auto poly = polyphones(src);
  std::string out, table;
  std::size_t placed = 0;
  plat::appendLe16(out, static_cast<std::uint16_t>(poly.size()));
  for (const auto* h : poly) {
    std::size_t start = table.size() / 2;
    if (start > 0x7FFF) return {};
    plat::appendLe16(out, static_cast<std::uint16_t>(start << 1));
    Unit self = speechUnits(h->ch)[0];
    std::array<std::vector<std::vector<Unit>>, 3> words;
    for (const auto& w : src.polyWords) {
      auto units = speechUnits(w.text);
      if (units[static_cast<std::size_t>(w.place)] != self) continue;
      units[static_cast<std::size_t>(w.place)] = static_cast<Unit>(w.number);
      words[units.size() - 2].push_back(units);
      ++placed;
    }
    for (const auto& list : words) plat::appendLe16(table, static_cast<std::uint16_t>(list.size()));
    for (const auto& list : words) {
      for (const auto& units : list) {
        for (Unit u : units) plat::appendLe16(table, u);
      }
    }
  }
  // Every polyphone word names a polyphone at its place.
  if (placed != src.polyWords.size()) return {};
  return out + table;
}

std::string speechSymbolFile(const SpeechSource& src) {
  std::array<std::string, speech::kSymbolCount> readings;
  for (const auto& s : src.symbols) {
    auto units = speechUnits(s.ch);
    int k = units.size() == 1 ? speech::symbolIndex(units[0]) : -1;
    if (k < 0) return {};
    readings[static_cast<std::size_t>(k)] = plat::wideToMultiByte(936, plat::utf8ToWide(s.reading));
  }
  std::string out, text;
  for (const auto& r : readings) {
    if (text.size() > 0xFFFF) return {};
    plat::appendLe16(out, static_cast<std::uint16_t>(text.size()));
    text += r;
  }
  return out + text;
}

std::string speechSurnameFile(const SpeechSource& src) {
  std::string out(2 * speech::kHanziCount, '\xFF');
  for (const auto& h : src.hanzi) {
    plat::writeLe16(out.data() + 2 * static_cast<std::size_t>(hanziIndexOf(h.ch)), h.surname);
  }
  return out;
}

std::string speechHzpropFile(const SpeechSource& src) {
  std::string out(4 * speech::kHanziCount, '\0');
  for (const auto& h : src.hanzi) {
    std::size_t at = 4 * static_cast<std::size_t>(hanziIndexOf(h.ch));
    plat::writeLe16(out.data() + at, static_cast<std::uint16_t>(h.props & 0xFFFF));
    plat::writeLe16(out.data() + at + 2, static_cast<std::uint16_t>(h.props >> 16));
  }
  return out;
}

std::string speechGbkFile(const SpeechSource& src) {
  std::string out(2 * speech::kGbkEntries, '\xFF');
  for (const auto& [from, to] : standInMap(src)) {
    int k = speech::gbkTableIndex(speech::leadByte(from), speech::trailByte(from));
    if (k >= 0) plat::writeLe16(out.data() + 2 * static_cast<std::size_t>(k), to);
  }
  return out;
}

std::string speechUnicodeFile() {
  static const std::string cached = [] {
    // Every BMP character from 0x80 on, converted through code page 936 in one go: a character
    // the code page lacks comes out as '?', others as one or two bytes.
    std::u16string all;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
      if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
    }
    std::string gbk = plat::wideToMultiByte(936, all);
    std::vector<std::uint16_t> code(0x10000, 0);
    std::size_t pos = 0;
    for (char16_t c : all) {
      if (pos >= gbk.size()) break;
      unsigned lead = static_cast<unsigned char>(gbk[pos]);
      if (lead == '?') {
        ++pos;
      } else if (lead > 0x80 && pos + 1 < gbk.size()) {
        code[c] = speech::gbUnit(lead, static_cast<unsigned char>(gbk[pos + 1]));
        pos += 2;
      } else {
        code[c] = static_cast<std::uint16_t>(lead);
        ++pos;
      }
    }
    // Runs outside the direct block whose codes climb by one trail byte become ranges; the rest pairs.
    struct Range {
      std::uint16_t first, last, base;
    };
    std::vector<Range> ranges;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> pairs;  // internal, unicode
    for (std::uint32_t c = 0x80; c <= 0xFFFF;) {
      if (c >= speech::kUnicodeDirectFirst && c <= speech::kUnicodeDirectLast) {
        c = speech::kUnicodeDirectLast + 1;
        continue;
      }
      if (!code[c]) {
        ++c;
        continue;
      }
      std::uint32_t end = c;
      auto inDirect = [](std::uint32_t k) { return k >= speech::kUnicodeDirectFirst && k <= speech::kUnicodeDirectLast; };
      while (end + 1 <= 0xFFFF && !inDirect(end + 1) && code[end + 1] &&
             code[end + 1] == code[end] + 256 && speech::trailByte(code[end]) < 0xFF) {
        ++end;
      }
      if (end - c + 1 >= 4) {
        ranges.push_back({static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(end), code[c]});
      } else {
        for (std::uint32_t k = c; k <= end; ++k) pairs.emplace_back(code[k], static_cast<std::uint16_t>(k));
      }
      c = end + 1;
    }
    std::string out;
    plat::appendLe16(out, static_cast<std::uint16_t>(ranges.size()));
    for (const auto& r : ranges) {
      plat::appendLe16(out, r.first);
      plat::appendLe16(out, r.last);
      plat::appendLe16(out, r.base);
    }
    plat::appendLe16(out, static_cast<std::uint16_t>(pairs.size()));
    for (const auto& [internal, unicode] : pairs) {
      plat::appendLe16(out, internal);
      plat::appendLe16(out, unicode);
    }
    for (std::uint32_t c = speech::kUnicodeDirectFirst; c <= speech::kUnicodeDirectLast; ++c) {
      plat::appendLe16(out, code[c]);
    }
    return out;
  }();
  return cached;
}

std::string speechBig5File(const SpeechSource& src) {
  // Every Big5 pair in one conversion, each followed by a line feed so that pieces stay apart.
  std::string in;
  std::vector<int> slots;
  for (unsigned lead = 0x87; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      int k = speech::big5TableIndex(lead, trail);
      if (k < 0) continue;
      in.push_back(static_cast<char>(lead));
      in.push_back(static_cast<char>(trail));
      in.push_back('\n');
      slots.push_back(k);
    }
  }
  std::u16string wide = plat::multiByteToWide(950, in);
  std::vector<std::u16string> pieces(1);
  for (char16_t c : wide) {
    if (c == u'\n') {
      pieces.emplace_back();
    } else {
      pieces.back().push_back(c);
    }
  }
  auto standIns = standInMap(src);
  std::string out(2 * speech::kBig5Entries, '\xFF');
  for (std::size_t i = 0; i < slots.size() && i < pieces.size(); ++i) {
    const std::u16string& p = pieces[i];
    if (p.size() != 1 || p[0] < 0x80 || p[0] == 0xFFFD) continue;
    auto units = speechUnits(plat::wideToUtf8(p));
    if (units.size() != 1) continue;
    Unit u = units[0];
    if (!isGb2312Unit(u)) {
      auto it = standIns.find(u);
      if (it == standIns.end()) continue;
      u = it->second;
    }
    plat::writeLe16(out.data() + 2 * static_cast<std::size_t>(slots[i]), u);
  }
  return out;
}

bool writeSpeechTables(std::string_view folder, const SpeechSource& src) {
  std::string base(folder);
  if (base.empty() || (base.back() != '\\' && base.back() != '/')) base += '\\';
  if (!plat::makeFolders(base)) return false;
  struct File {
    const char* name;
    std::string bytes;
  };
  File files[] = {
      {speech::kCzFile, speechCzFile(src)},         {speech::kPymFile, speechPymFile(src)},
      {speech::kDyzFile, speechDyzFile(src)},       {speech::kDycFile, speechDycFile(src)},
      {speech::kSymbolFile, speechSymbolFile(src)}, {speech::kSurnameFile, speechSurnameFile(src)},
      {speech::kHzpropFile, speechHzpropFile(src)}, {speech::kGbkFile, speechGbkFile(src)},
      {speech::kUnicodeFile, speechUnicodeFile()},  {speech::kBig5File, speechBig5File(src)},
  };
  for (const File& f : files) {
    if (f.bytes.empty() || !plat::writeWholeFile(base + f.name, f.bytes)) return false;
  }
  return true;
}

}  // namespace datagen
