#include "engine/common/code_convert.h"

#include "engine/common/engine_code_tables.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "platform/core/resources.h"
#include "engine/common/dbcs_text.h"

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace dbcs {

namespace {

constexpr std::uint16_t kGeta = 0x81AC;
constexpr std::uint16_t kGbGeta = 0xA1FE;
constexpr std::uint16_t kIdeographicSpace = 0x8140;


std::uint16_t byteAt(const std::uint8_t* p, std::size_t i) {
  return static_cast<std::uint16_t>(p[i] | (p[i + 1] << 8));
}

bool isGbRow(unsigned lead) { return (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7); }

// Writes a two-byte code, or one byte when it is a single-byte entry.
std::size_t putCode(char* out, std::uint16_t code) {
  out[0] = static_cast<char>(code >> 8);
  if ((code & 0xFF) == 0x20) return 1;
  out[1] = static_cast<char>(code & 0xFF);
  return 2;
}

// GB2312 code to engine code; the result may be a single-byte entry (low byte 0x20).
std::uint16_t engineCodeOfGb(unsigned lead, unsigned trail) {
  const EngineCodeTables& t = engineCodeTables();
  if (trail <= 0xA0) {
    for (std::size_t i = 0; i < t.extensionGb.size(); ++i) {
      if (t.extensionGb[i] == (lead << 8 | trail)) return t.extensionEngine[i];
    }
    return kGeta;
  }
  // Only the rows of GB2312 have a place in the engine code.
  if (!isGbRow(lead) || trail > 0xFE) return kGeta;
  unsigned row = lead & 0x7F, cell = trail & 0x7F;
  auto fromTable = [](std::uint16_t entry) { return (entry >> 8) == '?' ? kGeta : entry; };
  if (row >= 0x21 && row <= 0x23) return fromTable(t.symbolRows[row - 0x21][cell - 0x21]);
  if (row == 0x28 || row == 0x29) return fromTable(t.letterRows[row - 0x28][cell - 0x21]);
  if (row >= 0x74 && row <= 0x77) return fromTable(t.lastHanziRows[row - 0x74][cell - 0x21]);
  std::uint16_t code = shiftJisOfRowCell(row, cell);
  unsigned sl = code >> 8, st = code & 0xFF;
  if (sl == 0x98 && st >= 0x73 && st <= 0x9E) {
    if (st > 0x7F) --st;
    code = static_cast<std::uint16_t>(0x8700 | kRowCfTrails[st - 0x73]);
  }
  return code;
}

std::uint16_t gbOfEngineCode(unsigned lead, unsigned trail) {
  unsigned code = lead << 8 | trail;
  if (lead >= 0xF0) {
    code = kIdeographicSpace;
    for (const IbmRange& r : kIbmRanges) {
      if (r.high < (lead << 8 | trail)) continue;
      if ((lead << 8 | trail) >= r.low) code = r.lead << 8 | (((lead << 8 | trail) - r.low + r.firstTrail) & 0xFF);
      break;
    }
  } else if (lead == 0xEE) {
    if (trail == 0xED || trail == 0xEE) code = kIdeographicSpace;
    else if (trail == 0xF9) code = 0x81CA;
  }
  if ((code & 0xFF) < 0x40 || (code & 0xFF) == 0x7F || (code & 0xFF) > 0xFC) return kGbGeta;
  std::uint16_t gb = gbOfShiftJis(code >> 8, code & 0xFF);
  unsigned gl = gb >> 8, gt = gb & 0xFF;
  const EngineCodeTables& t = engineCodeTables();
  const std::array<std::uint16_t, 94>* table = nullptr;
  if (gl >= 0xA1 && gl <= 0xA3) table = &t.gbSymbolRows[gl - 0xA1];
  else if (gl == 0xA8) table = &t.gbA8AdRows[0];
  else if (gl == 0xAD) table = &t.gbA8AdRows[1];
  if (!table) return gb;
  if (gt < 0xA1 || gt > 0xFE) return kGbGeta;
  std::uint16_t entry = (*table)[gt - 0xA1];
  return (entry >> 8) == '?' ? kGbGeta : entry;
}

// One engine-code single byte to GB2312; returns the bytes written.
std::size_t gbOfSingleByte(unsigned char b, char* out) {
  static constexpr std::uint16_t kPunctuation[5] = {0xA1A3, 0xA1B8, 0xA1B9, 0xA1A2, 0xA1A4};
  std::uint16_t code = 0;
  if (b >= 0xA1 && b <= 0xA5) code = kPunctuation[b - 0xA1];
  else if (b >= 0xA6 && b <= 0xBE) code = static_cast<std::uint16_t>(0xA8A1 + (b - 0xA6));
  else if (b >= 0xBF && b <= 0xD7) code = static_cast<std::uint16_t>(0xA8A1 + (b - 0xBF));
  else if (b == 0xD8) code = 0xA8BA;
  else if (b >= 0xD9 && b <= 0xDD) {
    out[0] = "mmnnn"[b - 0xD9];
    return 1;
  } else if (b == 0xDE) code = 0xA1E5;
  else if (b == 0xDF) code = 0xA1E3;
  else {
    out[0] = static_cast<char>(b);
    return 1;
  }
  out[0] = static_cast<char>(code >> 8);
  out[1] = static_cast<char>(code & 0xFF);
  return 2;
}

// Hanzi whose Japanese form the table does not give, with the kanji written for them.
constexpr std::pair<char16_t, char16_t> kFixedJapanese[] = {
    {u'\u8FD9', u'\u9019'}, {u'\u4E2A', u'\u500B'}, {u'\u4EEC', u'\u5011'}, {u'\u8BF4', u'\u8AAC'},
    {u'\u65F6', u'\u6642'}, {u'\u4E3A', u'\u70BA'}, {u'\u5BF9', u'\u5BFE'}, {u'\u8FC7', u'\u904E'},
    {u'\u8FD8', u'\u9084'}, {u'\u8FDB', u'\u9032'}, {u'\u540E', u'\u5F8C'},
};

// One further character and the two-byte Japanese code written for it without the table: listed
// words, the character first and its Shift-JIS code second.
constinit cj::ListedKey kFurtherCharacter{"codeConversion.furtherCharacter"};
const cj::WordKeySpec kWordKeys[] = {{kFurtherCharacter, 2, 1, 1}};
const cj::WordKeyRegistrar kRegistrar(kWordKeys, 1);

struct FixedJapanese {
  std::vector<std::pair<std::string, std::string>> entries;  // engine code, Shift-JIS
};

const FixedJapanese& fixedJapanese() {
  static const FixedJapanese fixed = [] {
    FixedJapanese f;
    for (const auto& [hanzi, kanji] : kFixedJapanese) {
      std::string gb = plat::wideToMultiByte(936, std::u16string(1, hanzi));
      std::string jp = plat::wideToMultiByte(932, std::u16string(1, kanji));
      if (gb.size() != 2 || jp.size() != 2) continue;
      std::uint16_t code = engineCodeOfGb(static_cast<unsigned char>(gb[0]), static_cast<unsigned char>(gb[1]));
      char engine[2];
      f.entries.emplace_back(std::string(engine, putCode(engine, code)), jp);
    }
    return f;
  }();
  return fixed;
}

}  // namespace

namespace {

// The records' codes by code point (0: none), made once for each table of records met; kept for
// the program's life, as tables handed out point into them.
const std::uint16_t* uniGbByCodePoint(const std::uint8_t* records) {
  struct Made {
    std::string records;
    std::vector<std::uint16_t> codes;
  };
  static std::mutex mutex;
  static std::vector<std::unique_ptr<Made>> made;
  const std::string_view bytes(reinterpret_cast<const char*>(records), kUniGbBytes);
  std::lock_guard<std::mutex> lock(mutex);
  for (const auto& m : made) {
    if (m->records == bytes) return m->codes.data();
  }
  auto m = std::make_unique<Made>();
  m->records = bytes;
  m->codes.assign(0x10000, 0);
  for (std::size_t r = 0; r < kUniGbRecords; ++r) {
    const std::uint16_t key = byteAt(records, r * 4);
    if (m->codes[key] == 0) m->codes[key] = static_cast<std::uint16_t>(records[r * 4 + 2] << 8 | records[r * 4 + 3]);
  }
  made.push_back(std::move(m));
  return made.back()->codes.data();
}

}  // namespace

ConversionTables loadConversionTables() {
  ConversionTables tables;
  plat::ResourceData gbUni = plat::findResource("CVDATA", "GB-UNI");
  plat::ResourceData uniGb = plat::findResource("CVDATA", "UNI-GB");
  if (gbUni && gbUni.size == kGbUniBytes) tables.gbUni = gbUni.data;
  if (uniGb && uniGb.size == kUniGbBytes) {
    tables.uniGb = uniGb.data;
    tables.uniGbByCodePoint = uniGbByCodePoint(uniGb.data);
  }
  return tables;
}

char16_t gbUniValue(const ConversionTables& tables, unsigned char lead, unsigned char trail) {
  if (!tables.gbUni || !isGbRow(lead) || trail < 0xA1 || trail > 0xFE) return 0;
  std::size_t index = static_cast<std::size_t>(lead - 0xA1 - (lead >= 0xB0 ? 6 : 0)) * 94 + (trail - 0xA1);
  return static_cast<char16_t>(byteAt(tables.gbUni, index * 2));
}

namespace {

// The GB code of a character by a search of the UNI-GB records; -1 when it has none.
int uniGbCode(const ConversionTables& tables, char16_t c) {
  if (!tables.uniGb) return -1;
  if (tables.uniGbByCodePoint) {
    const std::uint16_t code = tables.uniGbByCodePoint[c];
    return code ? code : -1;
  }
  std::size_t base = 0, n = kUniGbRecords;
  while (n >= 1) {
    std::size_t probe = base + n / 2;
    std::uint16_t key = byteAt(tables.uniGb, probe * 4);
    if (key == c) return tables.uniGb[probe * 4 + 2] << 8 | tables.uniGb[probe * 4 + 3];
    if (c > key) {
      base = probe + 1;
      n = n - n / 2 - 1;
    } else {
      n = n / 2;
    }
  }
  return -1;
}

}  // namespace

std::size_t unicodeToGb(const ConversionTables& tables, std::string& out, std::u16string_view in) {
  out.clear();
  for (char16_t c : in) {
    if (c == 0) break;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    const int code = uniGbCode(tables, c);
    if (code < 0) {
      out.push_back('?');
      continue;
    }
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  }
  return out.size();
}

bool gbHolds(const ConversionTables& tables, char16_t c) {
  // As unicodeToGb giving anything but "?", without building the text.
  if (c < 0x80) return true;
  return uniGbCode(tables, c) >= 0;
}

std::size_t gbToUnicode(const ConversionTables& tables, std::u16string& out, std::string_view in) {
  out.clear();
  std::size_t count = 0;
  for (std::size_t i = 0; i < in.size() && in[i] != 0; ++count) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    if (i + 1 >= in.size() || in[i + 1] == 0) {  // lead byte at the end: dropped
      ++i;
      continue;
    }
    char16_t u = gbUniValue(tables, b, static_cast<unsigned char>(in[i + 1]));
    if (u) out.push_back(u);
    i += 2;
  }
  return count;
}

std::size_t gbToInternal(const ConversionTables&, char* buf, std::size_t length) {
  std::size_t r = 0, w = 0;
  while (r < length) {
    unsigned char b = static_cast<unsigned char>(buf[r]);
    if (b < 0x80 || b == 0xFF) {
      buf[w++] = buf[r++];
      continue;
    }
    if (r + 1 >= length) {  // lead byte without its trail: dropped
      ++r;
      continue;
    }
    std::uint16_t code = engineCodeOfGb(b, static_cast<unsigned char>(buf[r + 1]));
    r += 2;
    w += putCode(buf + w, code);
  }
  buf[w] = 0;
  return w;
}

std::size_t gbToInternal(const ConversionTables& tables, std::string& text) {
  std::size_t n = gbToInternal(tables, text.data(), text.size());
  text.resize(n);
  return n;
}

std::size_t internalToGb(const ConversionTables&, std::string& out, std::string_view in) {
  out.clear();
  char buf[2];
  for (std::size_t i = 0; i < in.size(); ) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (dbcs::isLeadByte(b)) {
      if (i + 1 >= in.size()) break;  // lead byte without its trail
      std::uint16_t gb = gbOfEngineCode(b, static_cast<unsigned char>(in[i + 1]));
      out.push_back(static_cast<char>(gb >> 8));
      out.push_back(static_cast<char>(gb & 0xFF));
      i += 2;
      continue;
    }
    out.append(buf, gbOfSingleByte(b, buf));
    ++i;
  }
  return out.size();
}

int unlockTable(const void*) { return 0; }

namespace {

// Shift-JIS user-defined codes F040-F9FC, in order: the k-th reads as U+E000 + k.
constexpr std::size_t kUserCodes = 10 * 188;

std::uint16_t userCode(std::size_t k) {
  const std::size_t t = k % 188;
  return static_cast<std::uint16_t>((0xF0 + k / 188) << 8 | (t < 63 ? 0x40 + t : 0x80 + (t - 63)));
}

}  // namespace

std::shared_ptr<const UnwrittenMarks> unwrittenMarks() {
  // Made again only when another CW2JP_TBL is registered.
  static std::mutex lock;
  static std::shared_ptr<const UnwrittenMarks> cached;
  static const std::uint8_t* madeFrom = nullptr;
  static std::size_t madeFromSize = 0;
  plat::ResourceData table = plat::findResource("CVDATA", "CW2JP_TBL");
  std::lock_guard<std::mutex> guard(lock);
  if (cached && madeFrom == table.data && madeFromSize == table.size) return cached;
  auto m = std::make_shared<UnwrittenMarks>();
  m->markOfIndex.assign(kCw2JpEntries, 0);
  if (table && table.size >= kCw2JpEntries * 2) {
    for (std::size_t index = 0; index < kCw2JpEntries && m->gbOfMark.size() < kUserCodes; ++index) {
      if ((table.data[index * 2] << 8 | table.data[index * 2 + 1]) != kIdeographicSpace) continue;
      m->markOfIndex[index] = userCode(m->gbOfMark.size());
      m->gbOfMark.push_back(static_cast<std::uint16_t>((0xB0 + index / 94) << 8 | (0xA1 + index % 94)));
    }
  }
  unlockTable(table.data);
  cached = std::move(m);
  madeFrom = table.data;
  madeFromSize = table.size;
  return cached;
}

void restoreUnwrittenHanzi(const ConversionTables& tables, std::u16string& text, std::u16string& restored) {
  const std::shared_ptr<const UnwrittenMarks> held = unwrittenMarks();
  const UnwrittenMarks& marks = *held;
  for (char16_t& c : text) {
    if (c < 0xE000 || c - 0xE000u >= marks.gbOfMark.size()) continue;
    const std::uint16_t gb = marks.gbOfMark[c - 0xE000u];
    std::u16string hanzi;
    gbToUnicode(tables, hanzi, std::string{static_cast<char>(gb >> 8), static_cast<char>(gb & 0xFF)});
    if (hanzi.size() != 1) continue;
    c = hanzi[0];
    restored += c;
  }
}

void convertCwToJp(std::string& character) {
  std::string_view s(character.data(), character.find('\0') == std::string::npos ? character.size()
                                                                                   : character.find('\0'));
  if (s.size() < 2 || !dbcs::isLeadByte(static_cast<unsigned char>(s[0]))) return;
  unsigned lead = static_cast<unsigned char>(s[0]), trail = static_cast<unsigned char>(s[1]);
  if ((lead << 8 | trail) < 0x874A) return;
  for (const auto& [engine, japanese] : fixedJapanese().entries) {
    if (s == engine) {
      character = japanese;
      return;
    }
  }
  const std::vector<std::string>& further = cj::listedWords(kFurtherCharacter);
  if (further.size() == 2 && further[1].size() == 2 && s == further[0]) {
    character = further[1];
    return;
  }
  std::uint16_t gb = gbOfEngineCode(lead, trail);
  unsigned gl = gb >> 8, gt = gb & 0xFF;
  if (gl * 94 + gt < 0xB0 * 94 + 0xA1 || gl < 0xB0 || gl > 0xF7 || gt < 0xA1 || gt > 0xFE) return;
  plat::ResourceData table = plat::findResource("CVDATA", "CW2JP_TBL");
  if (!table || table.size < kCw2JpEntries * 2) return;
  std::size_t index = static_cast<std::size_t>(gl - 0xB0) * 94 + (gt - 0xA1);
  unsigned jl = table.data[index * 2], jt = table.data[index * 2 + 1];
  unlockTable(table.data);
  if ((jl << 8 | jt) == kIdeographicSpace) {
    // A hanzi without a kanji: a user-defined code that names it, so that it can be carried.
    const std::uint16_t mark = unwrittenMarks()->markOfIndex[index];
    jl = mark ? mark >> 8 : kGeta >> 8;
    jt = mark ? mark & 0xFF : kGeta & 0xFF;
  }
  character.assign({static_cast<char>(jl), static_cast<char>(jt)});
}

void copyCwToJp(std::string_view in, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < in.size() && in[i] != 0; ) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (!dbcs::isLeadByte(b)) {
      out.push_back(in[i++]);
      continue;
    }
    if (i + 1 >= in.size() || in[i + 1] == 0) break;  // lead byte at the end
    std::string character(in.substr(i, 2));
    convertCwToJp(character);
    out += character;
    i += 2;
  }
}

char16_t japaneseOfGbSymbol(const ConversionTables& tables, char16_t c) {
  if (c < 0x80) return 0;
  std::string gb;
  unicodeToGb(tables, gb, std::u16string_view(&c, 1));
  if (gb.size() != 2 || static_cast<unsigned char>(gb[0]) >= 0xB0) return 0;
  gbToInternal(tables, gb);
  std::string japanese;
  copyCwToJp(gb, japanese);
  const std::u16string shown = plat::multiByteToWide(plat::kSystemCodePage, japanese);
  return shown.size() == 1 ? shown[0] : u'\uFFFD';
}

void convertSentenceFallback(std::string_view in, std::string& out) {
  std::string result;
  copyCwToJp(in, result);
  out = std::move(result);
}

}  // namespace dbcs
