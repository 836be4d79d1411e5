#include "engine/jc/analyser/jp_dictionary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "platform/core/fail_point.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "platform/core/little_endian.h"

namespace jc {

namespace {

// Keys are at most 41 bytes, so no valid tree tests a bit beyond 42 * 8; a deeper parse is garbage.
constexpr int kMaxTreeDepth = 42 * 8 + 1;

std::string_view boundedText(const std::uint8_t* p, std::size_t size) {
  const char* s = reinterpret_cast<const char*>(p);
  return {s, strnlen(s, size)};
}

// Bit k of text, most significant bit first; beyond the end 0; bit -1 is 1.
int textBit(std::string_view text, int k) {
  if (k < 0) return 1;
  std::size_t byte = static_cast<std::size_t>(k) / 8;
  if (byte >= text.size()) return 0;
  return (static_cast<unsigned char>(text[byte]) >> (7 - k % 8)) & 1;
}

struct TreeParser {
  const std::string& data;
  std::size_t pos = 0;
  std::vector<JpTreeNode>& tree;
  bool failed = false;
  bool truncated = false;  // the file ended inside the tree, as against a malformed tree

  // Parses one subtree whose record lists belong to target; returns the node the link points to.
  int parse(int target, int parentBit, int depth) {
    if (failed) return -1;
    if (depth > kMaxTreeDepth) return fail();
    if (pos >= data.size()) return cut();
    std::uint8_t b1 = static_cast<std::uint8_t>(data[pos]);
    if (b1 < kJpTreeItemFlag) {
      if (pos + 2 > data.size()) return cut();
      int bit = (b1 * 256 + static_cast<std::uint8_t>(data[pos + 1])) - 1;
      pos += 2;
      if (bit <= parentBit) return fail();  // bit indices grow downwards
      int n = static_cast<int>(tree.size());
      tree.push_back(JpTreeNode{bit, -1, -1, {}});
      int zero = parse(n, bit, depth + 1);
      int one = parse(target, bit, depth + 1);
      tree[n].zero = zero;
      tree[n].one = one;
      return n;
    }
    for (;;) {
      if (pos + 4 > data.size()) return cut();
      const std::uint8_t* p = reinterpret_cast<const std::uint8_t*>(data.data()) + pos;
      if (!(p[0] & kJpTreeItemFlag)) return fail();
      std::uint32_t number = (static_cast<std::uint32_t>(p[0] & 0x3F) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
      pos += 4;
      if (number == 0) return fail();
      tree[target].records.push_back(number);
      if (p[0] & kJpTreeLastItem) return target;
    }
  }
  int fail() {
    failed = true;
    return -1;
  }
  int cut() {
    truncated = true;
    return fail();
  }
};

// Every record the tree names, and the parts of each compound head, lie inside the records read.
bool treeRecordsPresent(const JpDictionary* d) {
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const std::size_t count = d->records.size() / len;
  for (const JpTreeNode& n : d->tree) {
    for (std::uint32_t r : n.records) {
      if (r > count) return false;
      const std::uint8_t* rec = reinterpret_cast<const std::uint8_t*>(d->records.data()) + (r - 1) * len;
      if (len > kJpRecSubPos && rec[kJpRecPos] == static_cast<std::uint8_t>(kJpCompoundHead) &&
          r + rec[kJpRecSubPos] > count)
        return false;
    }
  }
  return true;
}

// Each record list lies where the bits of its own key lead: a tree or a key that was changed after
// it was written no longer finds its records.
bool treeFindsItsKeys(const JpDictionary* d) {
  const std::vector<JpTreeNode>& tree = d->tree;
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const int size = static_cast<int>(tree.size());
  for (int n = 0; n < size; ++n) {
    const JpTreeNode& node = tree[static_cast<std::size_t>(n)];
    if (node.records.empty()) continue;
    const auto* rec = reinterpret_cast<const std::uint8_t*>(d->records.data()) + (node.records.front() - 1) * len;
    const std::string_view key = boundedText(rec + kJpRecKey, std::min<std::size_t>(kJpRecKeySize, len));
    int x = 0;
    for (int steps = 0;; ++steps) {
      const JpTreeNode& at = tree[static_cast<std::size_t>(x)];
      const int step = textBit(key, at.bit) ? at.one : at.zero;
      if (step < 0 || step >= size || steps > size) return false;
      if (tree[static_cast<std::size_t>(step)].bit <= at.bit) {
        if (step != n) return false;
        break;
      }
      x = step;
    }
  }
  return true;
}

std::u16string withExtension(const JpDictionary* d, const char16_t* ext) { return d->basePath + ext; }

bool isPrefixKey(std::string_view key, std::string_view text) {
  return !key.empty() && key.size() <= text.size() && text.compare(0, key.size(), key) == 0;
}

struct Appender {
  JpDictionary* d;
  JpDictRecord* results;
  int capacity;
  int count = 0;

  // Appends record `number`; a simple record gets its number at the end of the slot.
  int add(std::uint32_t number, bool numberIfSimple) {
    if (count + 1 >= capacity) return kJpDictResultsFull;
    JpDictRecord& slot = results[count];
    std::memset(slot.bytes, 0, sizeof slot.bytes);
    int rc = readJpRecord(d, static_cast<int>(number), slot.bytes);
    if (rc != 0) return rc;
    if (numberIfSimple && !slot.isCompoundHead()) plat::writeLe32(slot.bytes + kJpRecNumber, number);
    ++count;
    return 0;
  }
  int addOwned(const JpTreeNode& n) {
    for (std::uint32_t r : n.records) {
      int before = count;
      int rc = add(r, true);
      if (rc != 0) return rc;
      if (!results[before].isCompoundHead()) continue;
      int parts = results[before].subPos();
      for (int k = 1; k <= parts; ++k) {
        rc = add(r + static_cast<std::uint32_t>(k), false);
        if (rc != 0) return rc;
      }
    }
    return 0;
  }
  // Key of the node's first record, empty when it has none.
  int firstKey(const JpTreeNode& n, std::string& key) {
    key.clear();
    if (n.records.empty()) return 0;
    std::uint8_t buf[kJpRecordSlot] = {};
    int rc = readJpRecord(d, static_cast<int>(n.records.front()), buf);
    if (rc != 0) return rc;
    key = std::string(boundedText(buf + kJpRecKey, kJpRecKeySize));
    return 0;
  }
};

}  // namespace

bool JpDictRecord::isEnd() const {
  // Eight bytes at a time: the terminating record is read whole.
  std::size_t i = 0;
  for (; i + 8 <= sizeof bytes; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, bytes + i, 8);
    if (w) return false;
  }
  for (; i < sizeof bytes; ++i)
    if (bytes[i]) return false;
  return true;
}
std::string_view JpDictRecord::key() const { return boundedText(bytes + kJpRecKey, kJpRecKeySize); }
std::string_view JpDictRecord::chinese() const { return boundedText(bytes + kJpRecChinese, kJpRecChineseSize); }
std::string_view JpDictRecord::code() const { return boundedText(bytes + kJpRecCode, kJpRecCodeSize); }
std::string_view JpDictRecord::field() const { return boundedText(bytes + kJpRecField, kJpRecFieldSize); }
std::string_view JpDictRecord::semantic() const { return boundedText(bytes + kJpRecSemantic, kJpRecSemanticSize); }
std::int32_t JpDictRecord::connection() const { return plat::readLe32s(bytes + kJpRecConnection); }
std::int32_t JpDictRecord::number() const { return plat::readLe32s(bytes + kJpRecNumber); }

void constructJpDictionary(JpDictionary* d) {
  std::memset(d->header, 0, sizeof d->header);
  d->basePath.clear();
  d->dic = nullptr;
  d->ddb = nullptr;
  d->tree.clear();
  d->dataStart = 0;
  d->recordLength = 0;
}

void destroyJpDictionary(JpDictionary* d) { closeJpDictionary(d); }

void closeJpDictionary(JpDictionary* d) {
  if (d->dic) plat::fileClose(d->dic);
  if (d->ddb) plat::fileClose(d->ddb);
  d->dic = nullptr;
  d->ddb = nullptr;
  std::vector<JpTreeNode>().swap(d->tree);
  std::string().swap(d->records);
}

// Appends the rest of an open file; false on a read error.
static bool readRestOfFile(std::FILE* f, std::string& out) {
  char buf[8192];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  return !std::ferror(f);
}

int openJpDictionary(JpDictionary* d, std::u16string_view basePath) {
  closeJpDictionary(d);
  d->basePath = std::u16string(basePath);
  d->ddb = plat::fileOpen(withExtension(d, u".DDB"), "rb");
  if (!d->ddb) return kJpDdbOpenError;
  if (std::fread(d->header, 1, kJpDdbHeaderSize, d->ddb) != static_cast<std::size_t>(kJpDdbHeaderSize))
    return kJpDdbReadError;
  std::string file(reinterpret_cast<const char*>(d->header), kJpDdbHeaderSize);
  descrambleBytes(d->header, kJpDdbHeaderSize, 0);
  d->dataStart = plat::readLe16s(d->header + kJpDdbDataStartOffset);
  d->recordLength = plat::readLe16s(d->header + kJpDdbRecordLengthOffset);
  if (d->recordLength < 1 || d->recordLength > kJpRecordSlot || d->dataStart < 0) return kJpDdbContentError;

  if (!readRestOfFile(d->ddb, file)) return kJpDdbReadError;
  // Every whole record, descrambled once; a record cut by the end of the file is left out.
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const std::size_t start = static_cast<std::size_t>(d->dataStart);
  const std::size_t whole = file.size() > start ? (file.size() - start) / len : 0;
  d->records.assign(file, start < file.size() ? start : file.size(), whole * len);
  for (std::size_t k = 0; k < whole; ++k) {
    descrambleBytes(reinterpret_cast<std::uint8_t*>(d->records.data() + k * len), len, static_cast<int>(k + 1));
  }

  d->dic = plat::fileOpen(withExtension(d, u".DIC"), "rb");
  if (!d->dic) return kJpDicOpenError;
  std::string data;
  bool noMemory = plat::failPointHit(kJpTreeFailPoint);
  if (!noMemory) {
    try {
      char buf[8192];
      std::size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, d->dic)) > 0) data.append(buf, n);
      if (std::ferror(d->dic)) return kJpDicReadError;
      d->tree.clear();
      d->tree.push_back(JpTreeNode{-1, -1, -1, {}});
      TreeParser parser{data, 0, d->tree};
      int top = parser.parse(0, -1, 0);
      if (parser.failed) {
        d->tree.clear();
        return parser.truncated ? kJpDicReadError : kJpDicContentError;
      }
      // The tree is the whole file: bytes behind it mean the tree read is not the one written.
      if (parser.pos != data.size()) {
        d->tree.clear();
        return kJpDicContentError;
      }
      d->tree[0].one = top;
      // A .DDB cut short is refused here, not one failed search at a time.
      if (d->records.size() + start != file.size() || !treeRecordsPresent(d)) {
        d->tree.clear();
        return kJpDdbContentError;
      }
      if (!treeFindsItsKeys(d)) {
        d->tree.clear();
        return kJpDicContentError;
      }
    } catch (const std::bad_alloc&) {
      noMemory = true;
    }
  }
  if (noMemory) {
    d->tree.clear();
    plat::messageBeep(plat::kMbIconStop);
    plat::messageBox(u"メモリ不足！", kJpDictMessageCaption, plat::kMbOk | plat::kMbIconStop);
    return kJpDictNoMemory;
  }
  plat::fileClose(d->dic);
  d->dic = nullptr;
  return kJpDictOk;
}

int readJpRecord(JpDictionary* d, int number, std::uint8_t* buffer) {
  if (!d->ddb) return kJpDdbOpenError;
  if (number < 1) return kJpDdbReadError;
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const std::size_t offset = static_cast<std::size_t>(number - 1) * len;
  if (offset + len > d->records.size()) return kJpDdbReadError;
  std::memcpy(buffer, d->records.data() + offset, len);
  return 0;
}

int searchJpDictionary(JpDictionary* d, std::string_view text, JpDictRecord* results, int capacity) {
  if (!results || capacity < 1) return kJpDictResultsFull;
  std::memset(results[0].bytes, 0, kJpRecordSlot);
  if (!d->ddb || d->tree.empty()) return kJpDdbOpenError;

  Appender out{d, results, capacity};
  const std::vector<JpTreeNode>& tree = d->tree;
  auto valid = [&](int n) { return n >= 0 && n < static_cast<int>(tree.size()); };
  // The nodes whose keys were read on the way down: a short list, a map once it is full.
  std::array<int, 32> examinedFew;
  std::size_t examinedCount = 0;
  std::vector<char> examinedMany;
  auto markExamined = [&](int n) {
    if (examinedMany.empty() && examinedCount < examinedFew.size()) {
      examinedFew[examinedCount++] = n;
      return;
    }
    if (examinedMany.empty()) {
      examinedMany.assign(tree.size(), 0);
      for (std::size_t k = 0; k < examinedCount; ++k) examinedMany[static_cast<std::size_t>(examinedFew[k])] = 1;
    }
    examinedMany[static_cast<std::size_t>(n)] = 1;
  };
  auto wasExamined = [&](int n) {
    if (!examinedMany.empty()) return examinedMany[static_cast<std::size_t>(n)] != 0;
    for (std::size_t k = 0; k < examinedCount; ++k)
      if (examinedFew[k] == n) return true;
    return false;
  };
  std::size_t lastMatch = 0;
  int rc = 0;
  std::string key;

  int x = 0;
  int z = -1;
  while (rc == 0) {
    int bit = tree[x].bit;
    if (bit > 0 && bit % 16 == 0) {
      // The smallest key below x: the one that ends at this character boundary, if any.
      int cur = x;
      int next = tree[cur].zero;
      while (valid(next) && tree[next].bit > tree[cur].bit) {
        cur = next;
        next = tree[cur].zero;
      }
      if (valid(next)) {
        markExamined(next);
        rc = out.firstKey(tree[next], key);
        if (rc == 0 && isPrefixKey(key, text)) {
          rc = out.addOwned(tree[next]);
          lastMatch = key.size();
        }
      }
    }
    if (rc != 0) break;
    int step = textBit(text, bit) ? tree[x].one : tree[x].zero;
    if (!valid(step) || tree[step].bit <= bit) {
      z = step;
      break;
    }
    x = step;
  }
  if (rc == 0 && valid(z) && !(z != 0 && wasExamined(z))) {
    rc = out.firstKey(tree[z], key);
    if (rc == 0 && isPrefixKey(key, text) && lastMatch < text.size()) rc = out.addOwned(tree[z]);
  }
  std::memset(results[out.count].bytes, 0, kJpRecordSlot);
  return rc;
}

std::u16string jpDictionaryErrorText(const JpDictionary* d, int code) {
  std::u16string text;
  bool dicFile = code == kJpDicOpenError || code == kJpDicReadError || code == kJpDicContentError;
  switch (code) {
    case kJpDdbOpenError:
    case kJpDicOpenError:
    case kJpDdbReadError:  // nothing here writes: a failed read is a reading error
    case kJpDicReadError:
      text = u"辞書(%s)の 読み込みでエラーが発生しました！";
      break;
    case kJpDictNoMemory:
    case kJpDictResultsFull:
      return u"メモリ不足！";
    default:
      text = u"辞書(%s)の ファイル内容が不正です！";
      break;
  }
  std::u16string file = withExtension(d, dicFile ? u".DIC" : u".DDB");
  std::size_t at = text.find(u"%s");
  text.replace(at, 2, file);
  return text;
}

void showJpDictionaryError(JpDictionary* d, int code) {
  closeJpDictionary(d);
  std::u16string text = jpDictionaryErrorText(d, code);
  plat::messageBeep(plat::kMbIconExclamation);
  plat::messageBox(text, kJpDictMessageCaption, plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace jc
