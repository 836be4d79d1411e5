#include "tools/datagen/jp_dictionary_pair.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>

#include "engine/jc/analyser/jp_dict_format.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "platform/core/little_endian.h"

namespace datagen {

namespace {

bool fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

std::vector<std::string> splitTabs(std::string_view line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    out.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return out;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hexValue(s[i + 2]) >= 0 && hexValue(s[i + 3]) >= 0) {
      out.push_back(static_cast<char>(hexValue(s[i + 2]) * 16 + hexValue(s[i + 3])));
      i += 3;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

bool parseInt(const std::string& s, int& v) {
  if (s.empty()) return false;
  char* end = nullptr;
  long n = std::strtol(s.c_str(), &end, 10);
  if (*end) return false;
  v = static_cast<int>(n);
  return true;
}

bool parseEntry(const std::vector<std::string>& f, JpLexiconEntry& e, const ChineseColumnConverter& conv,
                std::string& why) {
  if (f.size() < 2 || f[0].empty()) return why = "a key and codes are needed", false;
  std::string key = plat::wideToMultiByte(932, plat::utf8ToWide(unescape(f[0])));
  if (key.empty() || key.size() >= static_cast<std::size_t>(jc::kJpRecKeySize))
    return why = "key empty or longer than 41 bytes", false;
  e.key = key;
  if (f[1] == "c") {
    e.compoundHead = true;
  } else {
    int v[4];
    std::size_t start = 0;
    for (int k = 0; k < 4; ++k) {
      std::size_t dot = f[1].find('.', start);
      if ((k < 3) != (dot != std::string::npos)) return why = "codes must be pos.sub.type.form", false;
      if (!parseInt(f[1].substr(start, dot == std::string::npos ? std::string::npos : dot - start), v[k]) ||
          v[k] < 0 || v[k] > 255)
        return why = "bad code in " + f[1], false;
      start = dot + 1;
    }
    e.pos = v[0], e.subPos = v[1], e.conjType = v[2], e.conjForm = v[3];
  }
  auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
  if (!field(2).empty() && field(2)[0] == '=') {
    e.autoConnection = true;
    e.connectionWord = plat::wideToMultiByte(932, plat::utf8ToWide(field(2).substr(1)));
  } else if (!field(2).empty() && !parseInt(field(2), e.connection)) {
    return why = "bad connection entry", false;
  }
  std::string chinese = unescape(field(3));
  if (conv && !chinese.empty()) {
    if (!conv(chinese, e.chinese)) return why = "Chinese column not convertible", false;
  } else {
    e.chinese = chinese;
  }
  e.code = unescape(field(4));
  e.field = unescape(field(5));
  e.semantic = unescape(field(6));
  if (!field(7).empty() && (!parseInt(field(7), e.weight) || e.weight < 0 || e.weight > 255))
    return why = "bad weight", false;
  if (e.chinese.size() >= static_cast<std::size_t>(jc::kJpRecChineseSize) ||
      e.code.size() >= static_cast<std::size_t>(jc::kJpRecCodeSize) ||
      e.field.size() >= static_cast<std::size_t>(jc::kJpRecFieldSize) ||
      e.semantic.size() >= static_cast<std::size_t>(jc::kJpRecSemanticSize))
    return why = "a text column is too long for its field", false;
  return true;
}

void putText(std::uint8_t* rec, int offset, int size, const std::string& s) {
  std::memcpy(rec + offset, s.data(), std::min<std::size_t>(s.size(), static_cast<std::size_t>(size - 1)));
}

std::string recordBytes(const JpLexiconEntry& e, int partCount) {
  std::uint8_t rec[jc::kJpRecordSlot] = {};
  putText(rec, jc::kJpRecKey, jc::kJpRecKeySize, e.key);
  if (e.compoundHead) {
    rec[jc::kJpRecPos] = static_cast<std::uint8_t>(jc::kJpCompoundHead);
    rec[jc::kJpRecSubPos] = static_cast<std::uint8_t>(partCount);
  } else {
    rec[jc::kJpRecPos] = static_cast<std::uint8_t>(e.pos);
    rec[jc::kJpRecSubPos] = static_cast<std::uint8_t>(e.subPos);
  }
  rec[jc::kJpRecConjType] = static_cast<std::uint8_t>(e.conjType);
  rec[jc::kJpRecConjForm] = static_cast<std::uint8_t>(e.conjForm);
  putText(rec, jc::kJpRecChinese, jc::kJpRecChineseSize, e.chinese);
  putText(rec, jc::kJpRecCode, jc::kJpRecCodeSize, e.code);
  putText(rec, jc::kJpRecField, jc::kJpRecFieldSize, e.field);
  putText(rec, jc::kJpRecSemantic, jc::kJpRecSemanticSize, e.semantic);
  rec[jc::kJpRecWeight] = static_cast<std::uint8_t>(e.weight);
  plat::writeLe32(rec + jc::kJpRecConnection, static_cast<std::uint32_t>(e.connection));
  return std::string(reinterpret_cast<const char*>(rec), sizeof rec);
}

// Bit k of a key, zero beyond its end.
int keyBit(const std::string& key, int k) {
  std::size_t byte = static_cast<std::size_t>(k) / 8;
  if (byte >= key.size()) return 0;
  return (static_cast<unsigned char>(key[byte]) >> (7 - k % 8)) & 1;
}

struct TreeWriter {
  const std::vector<std::string>& keys;  // distinct, in bit order
  const std::map<std::string, std::vector<std::uint32_t>>& records;
  std::string out;

  void write(std::size_t first, std::size_t last) {  // [first, last]
    if (first == last) {
      const std::vector<std::uint32_t>& list = records.at(keys[first]);
      for (std::size_t i = 0; i < list.size(); ++i) {
        std::uint32_t n = list[i];
        std::uint8_t b1 = static_cast<std::uint8_t>(jc::kJpTreeItemFlag | ((n >> 24) & 0x3F));
        if (i + 1 == list.size()) b1 |= jc::kJpTreeLastItem;
        out.push_back(static_cast<char>(b1));
        out.push_back(static_cast<char>(n >> 16));
        out.push_back(static_cast<char>(n >> 8));
        out.push_back(static_cast<char>(n));
      }
      return;
    }
    int bit = 0;
    while (keyBit(keys[first], bit) == keyBit(keys[last], bit)) ++bit;
    std::size_t split = first;
    while (keyBit(keys[split], bit) == 0) ++split;
    int stored = bit + 1;
    out.push_back(static_cast<char>(stored >> 8));
    out.push_back(static_cast<char>(stored & 0xFF));
    write(first, split - 1);
    write(split, last);
  }
};

}  // namespace

bool parseJpLexicon(std::string_view text, std::vector<JpLexiconEntry>& out, std::string* error,
                    const ChineseColumnConverter& chinese) {
  std::vector<JpLexiconEntry> entries;
  std::size_t pos = 0;
  int lineNo = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = splitTabs(line);
    bool part = f[0] == "+";
    if (part) f.erase(f.begin());
    JpLexiconEntry e;
    std::string why;
    if (!parseEntry(f, e, chinese, why)) return fail(error, "line " + std::to_string(lineNo) + ": " + why);
    if (part) {
      if (entries.empty() || !entries.back().compoundHead || e.compoundHead)
        return fail(error, "line " + std::to_string(lineNo) + ": a part line needs a compound head before it");
      entries.back().parts.push_back(std::move(e));
    } else {
      if (!entries.empty() && entries.back().compoundHead && entries.back().parts.empty())
        return fail(error, "line " + std::to_string(lineNo) + ": compound head without parts");
      entries.push_back(std::move(e));
    }
  }
  if (!entries.empty() && entries.back().compoundHead && entries.back().parts.empty())
    return fail(error, "compound head without parts at the end");
  out = std::move(entries);
  return true;
}

namespace {

// The e-row kana of a consonant verb's type, which its potential stem ends in.
const char* potentialEnding(int type) {
  switch (type) {
    case 2: case 3: return "け";
    case 4: return "げ";
    case 5: return "せ";
    case 6: return "て";
    case 7: return "ね";
    case 8: return "べ";
    case 9: return "め";
    case 10: return "れ";
    case 12: return "え";
    default: return nullptr;
  }
}

// The a-row kana of a consonant verb's type, before its passive れる and causative せる.
const char* irrealisEnding(int type) {
  switch (type) {
    case 2: case 3: return "か";
    case 4: return "が";
    case 5: return "さ";
    case 6: return "た";
    case 7: return "な";
    case 8: return "ば";
    case 9: return "ま";
    case 10: return "ら";
    case 12: return "わ";
    default: return nullptr;
  }
}

std::string sjis(std::string_view utf8) { return plat::wideToMultiByte(932, plat::utf8ToWide(utf8)); }

}  // namespace

void addDerivedJpEntries(std::vector<JpLexiconEntry>& entries, const ChineseColumnConverter& chinese) {
  std::string can = "能";
  if (chinese && !chinese(can, can)) return;
  std::map<std::string, std::size_t> vowelVerbs;  // key: index of the first vowel verb stem
  std::set<std::string> sahenVerbs;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const JpLexiconEntry& e = entries[i];
    if (e.compoundHead || e.pos != 2 || e.conjForm != 0) continue;
    if (e.conjType == 1) vowelVerbs.emplace(e.key, i);
    if (e.conjType == 16) sahenVerbs.insert(e.key);
  }
  auto startsWithCan = [&can](const std::string& c) { return c.compare(0, can.size(), can) == 0; };
  // The stems of every verb's passive and causative (書かれ, 書かせ, 食べられ, 勉強させ), with the
  // verb's Chinese: a potential never takes such a spelling (聞かせ is 聞く's causative, not 聞かす's
  // potential), and a vowel verb of such a spelling read by its kanji alone (嫌われる 嫌) gives way
  // to the verb and its suffix.
  std::map<std::string, std::string> voiceStems;
  for (const JpLexiconEntry& e : entries) {
    if (e.compoundHead || e.pos != 2 || e.conjForm != 0) continue;
    if (const char* a = irrealisEnding(e.conjType)) {
      voiceStems.emplace(e.key + sjis(a) + sjis("れ"), e.chinese);
      voiceStems.emplace(e.key + sjis(a) + sjis("せ"), e.chinese);
    } else if (e.conjType == 1) {
      voiceStems.emplace(e.key + sjis("られ"), e.chinese);
      voiceStems.emplace(e.key + sjis("させ"), e.chinese);
    } else if (e.conjType == 16) {
      voiceStems.emplace(e.key + sjis("され"), e.chinese);
      voiceStems.emplace(e.key + sjis("させ"), e.chinese);
    }
  }
  std::erase_if(entries, [&](const JpLexiconEntry& e) {
    if (e.compoundHead || e.pos != 2 || e.conjType != 1 || e.conjForm != 0) return false;
    auto v = voiceStems.find(e.key);
    return v != voiceStems.end() && (e.chinese.size() == 2 || e.chinese == v->second);
  });
  vowelVerbs.clear();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (!entries[i].compoundHead && entries[i].pos == 2 && entries[i].conjType == 1 && entries[i].conjForm == 0)
      vowelVerbs.emplace(entries[i].key, i);
  std::vector<JpLexiconEntry> added;
  for (const JpLexiconEntry& e : entries) {
    if (e.compoundHead || e.conjForm != 0 || e.chinese.empty()) continue;
    if (e.pos == 2 && potentialEnding(e.conjType)) {
      JpLexiconEntry p;
      p.key = e.key + sjis(potentialEnding(e.conjType));
      if (p.key.size() >= static_cast<std::size_t>(jc::kJpRecKeySize) || startsWithCan(e.chinese) ||
          voiceStems.count(p.key))
        continue;
      p.chinese = can + e.chinese;
      if (p.chinese.size() >= static_cast<std::size_t>(jc::kJpRecChineseSize)) continue;
      auto known = vowelVerbs.find(p.key);
      if (known != vowelVerbs.end()) {
        // A vowel verb of that spelling that is read as the verb or by its one character (読める 读,
        // 作れる 作) reads as the potential; one that says so (話せる 会说) or means more (言える
        // 算是) stays.
        if (known->second >= entries.size()) continue;
        JpLexiconEntry& v = entries[known->second];
        if (!startsWithCan(v.chinese) && (v.chinese == e.chinese || v.chinese.size() == 2)) v.chinese = p.chinese;
        if (v.field.empty()) v.field = e.field;  // its past as the verb's: 話せた 会说了
        continue;
      }
      p.pos = 2, p.subPos = 2, p.conjType = 1, p.conjForm = 0;
      p.code = "V1";
      p.field = e.field;  // the verb's aspect digits: 書けた 能写了
      p.weight = e.weight;
      p.autoConnection = true;
      vowelVerbs.emplace(p.key, entries.size() + added.size());
      added.push_back(std::move(p));
    } else if (e.pos == 6 && e.subPos == 2 && (e.code.empty() || e.code.compare(0, 1, "V") == 0) &&
               !sahenVerbs.count(e.key)) {
      // A サ変 noun without a code of its own (the open dictionaries' 名詞,サ変接続) takes する as a
      // transitive verb; "N" keeps a noun whose Chinese is no verb (質問 问题) a noun.
      JpLexiconEntry v = e;
      if (v.code.empty()) v.code = "VT", v.field = "13";
      v.pos = 2, v.subPos = v.code == "VT" ? 1 : 2, v.conjType = 16, v.conjForm = 0;
      v.semantic.clear();
      v.autoConnection = true;
      v.connectionWord.clear();
      sahenVerbs.insert(e.key);
      added.push_back(std::move(v));
    }
  }
  for (JpLexiconEntry& a : added) entries.push_back(std::move(a));
}

bool buildJpDictionaryPair(const std::vector<JpLexiconEntry>& entries, JpDictionaryFiles& files, std::string* error,
                           int recordLength) {
  if (entries.empty()) return fail(error, "empty lexicon");
  if (recordLength < 1 || recordLength > jc::kJpRecordSlot) return fail(error, "bad record length");
  std::vector<std::string> recs;
  std::map<std::string, std::vector<std::uint32_t>> byKey;
  for (const JpLexiconEntry& e : entries) {
    if (e.compoundHead && (e.parts.empty() || e.parts.size() > 255)) return fail(error, "bad compound " + e.key);
    std::uint32_t number = static_cast<std::uint32_t>(recs.size() + 1);
    if (number >= (1u << 30) - 256) return fail(error, "too many records");
    recs.push_back(recordBytes(e, static_cast<int>(e.parts.size())));
    for (const JpLexiconEntry& p : e.parts) recs.push_back(recordBytes(p, 0));
    byKey[e.key].push_back(number);
  }
  // std::map orders keys as unsigned bytes with a prefix first: the tree's bit order.
  std::vector<std::string> keys;
  for (const auto& [k, v] : byKey) keys.push_back(k);
  std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  });
  TreeWriter tree{keys, byKey, {}};
  tree.write(0, keys.size() - 1);
  files.dic = std::move(tree.out);

  std::uint8_t header[jc::kJpDdbHeaderSize] = {};
  const int dataStart = jc::kJpDdbHeaderSize;
  plat::writeLe16(header + jc::kJpDdbDataStartOffset, static_cast<std::uint16_t>(dataStart));
  plat::writeLe16(header + jc::kJpDdbRecordLengthOffset, static_cast<std::uint16_t>(recordLength));
  jc::descrambleBytes(header, sizeof header, 0);
  files.ddb.assign(reinterpret_cast<const char*>(header), sizeof header);
  for (std::size_t i = 0; i < recs.size(); ++i) {
    std::string r = recs[i].substr(0, static_cast<std::size_t>(recordLength));
    jc::descrambleBytes(reinterpret_cast<std::uint8_t*>(r.data()), r.size(), static_cast<int>(i + 1));
    files.ddb += r;
  }
  return true;
}

bool writeJpDictionaryPair(std::string_view deviceBasePath, const std::vector<JpLexiconEntry>& entries,
                           std::string* error) {
  JpDictionaryFiles files;
  if (!buildJpDictionaryPair(entries, files, error)) return false;
  std::string base(deviceBasePath);
  std::size_t sep = base.find_last_of("\\/");
  if (sep != std::string::npos && sep > 0) plat::makeFolders(base.substr(0, sep));
  if (!plat::writeWholeFile(base + ".DIC", files.dic) || !plat::writeWholeFile(base + ".DDB", files.ddb))
    return fail(error, "cannot write " + base);
  return true;
}

namespace {

bool assignConnection(JpLexiconEntry& e, std::string_view table, std::string* error) {
  if (!e.autoConnection || e.compoundHead) return true;
  int count = 0;
  for (std::size_t i = 0; i < 4 && i < table.size(); ++i) count = count * 10 + (table[i] - '0');
  if (table.size() < 4 + static_cast<std::size_t>(count) * 8) return fail(error, "CON_TBL_PDA too short");
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(table[at]); };
  int sub = e.pos == 2 || e.pos == 12 ? 0 : e.subPos;
  int form = e.conjType && !e.conjForm ? 1 : e.conjForm;
  int plain = -1, named = -1;
  const std::string& wanted = e.connectionWord.empty() ? e.key : e.connectionWord;
  for (int i = 0; i < count && named < 0; ++i) {
    std::size_t at = 4 + static_cast<std::size_t>(i) * 8;
    if (byte(at + 2) != e.pos || byte(at + 3) != sub || byte(at + 4) != (e.conjType && form ? e.conjType : 0) ||
        byte(at + 5) != form)
      continue;
    std::size_t off = plat::readLe16(table.data() + at + 6);
    std::string word = off < table.size() ? std::string(table.substr(off, table.find('\0', off) - off)) : "";
    if (word.empty() && plain < 0) plain = i;
    if (!word.empty() && word == wanted) named = i;
  }
  e.connection = named >= 0 ? named : plain;
  if (e.connection < 0) return fail(error, "no connection entry for " + std::to_string(e.pos) + "." + std::to_string(e.subPos));
  return true;
}

}  // namespace

bool assignJpConnections(std::vector<JpLexiconEntry>& entries, std::string_view conTblPda, std::string* error) {
  for (JpLexiconEntry& e : entries) {
    if (!assignConnection(e, conTblPda, error)) return false;
    for (JpLexiconEntry& p : e.parts)
      if (!assignConnection(p, conTblPda, error)) return false;
  }
  return true;
}

bool chineseToEngineColumn(std::string_view text, std::string& engineCode) {
  engineCode = toEngineCode(plat::utf8ToWide(text));
  return engineCode.find('?') == std::string::npos;
}

bool writeJpLexiconDictionary(std::string_view lexiconUtf8, std::string_view conTblPda,
                              std::string_view deviceBasePath, std::string* error) {
  std::vector<JpLexiconEntry> entries;
  if (!parseJpLexicon(lexiconUtf8, entries, error, chineseToEngineColumn)) return false;
  addDerivedJpEntries(entries, chineseToEngineColumn);
  return assignJpConnections(entries, conTblPda, error) && writeJpDictionaryPair(deviceBasePath, entries, error);
}

}  // namespace datagen
