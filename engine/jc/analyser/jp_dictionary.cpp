#include "engine/jc/analyser/jp_dictionary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <span>
#include <utility>

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
  std::string_view data;
  std::size_t pos = 0;
  std::vector<JpTreeNode>& tree;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> owned{};  // (node, record) as read
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
      tree.push_back(JpTreeNode{bit, -1, -1, 0, 0});
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
      owned.emplace_back(static_cast<std::uint32_t>(target), number);
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
  // The record numbers into records, node by node, each node's in the order read.
  void group(std::vector<std::uint32_t>& records) {
    for (const auto& [node, number] : owned) ++tree[node].recordCount;
    std::uint32_t at = 0;
    for (JpTreeNode& n : tree) {
      n.firstRecord = at;
      at += n.recordCount;
    }
    records.assign(owned.size(), 0);
    std::vector<std::uint32_t> filled(tree.size(), 0);
    for (const auto& [node, number] : owned) records[tree[node].firstRecord + filled[node]++] = number;
  }
};

std::span<const std::uint32_t> recordsOf(const JpDictionary* d, const JpTreeNode& n) {
  return {d->treeRecords.data() + n.firstRecord, n.recordCount};
}

// The first `size` bytes of record `number` (1-based, present), descrambled.
void recordHead(const JpDictionary* d, std::uint32_t number, std::uint8_t* out, std::size_t size) {
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  std::memcpy(out, d->records.data() + (number - 1) * len, size);
  descrambleBytes(out, size, static_cast<int>(number));
}

// Every record the tree names, and the parts of each compound head, lie inside the records read.
bool treeRecordsPresent(const JpDictionary* d) {
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const std::size_t count = d->records.size() / len;
  for (std::uint32_t r : d->treeRecords) {
    if (r > count) return false;
    if (len > kJpRecSubPos) {
      std::uint8_t rec[kJpRecordSlot];
      recordHead(d, r, rec, kJpRecSubPos + 1);
      if (rec[kJpRecPos] == static_cast<std::uint8_t>(kJpCompoundHead) && r + rec[kJpRecSubPos] > count) return false;
    }
  }
  return true;
}

// Each record list lies where the bits of its own key lead: a tree or a key that was changed after
// it was written no longer finds its records. A search for a key follows the branches its bits
// choose until a link leads back up, so it ends at a record list exactly when its bits agree with
// every branch on the way to that list: one walk down the tree checks every list against the
// branches above it.
class KeyCheck {
 public:
  explicit KeyCheck(const JpDictionary* d)
      : d_(d), keySize_(std::min<std::size_t>(kJpRecKeySize, static_cast<std::size_t>(d->recordLength))),
        found_(d->tree.size(), 0) {}

  bool run() {
    const std::vector<JpTreeNode>& tree = d_->tree;
    // The header's link is its one link (bit -1 is 1 for every key).
    down(0, tree[0].one);
    for (std::size_t n = 0; n < tree.size(); ++n)
      if (tree[n].recordCount != 0 && !found_[n]) return false;
    return true;
  }

 private:
  struct Branch {
    int bit;
    int value;
  };

  // Follows the link from node `from` to `to`.
  void down(int from, int to) {
    const std::vector<JpTreeNode>& tree = d_->tree;
    const JpTreeNode& at = tree[static_cast<std::size_t>(to)];
    if (at.bit <= tree[static_cast<std::size_t>(from)].bit) {
      if (at.recordCount != 0 && !found_[static_cast<std::size_t>(to)] && agrees(to)) found_[static_cast<std::size_t>(to)] = 1;
      return;
    }
    path_.push_back(Branch{at.bit, 0});
    down(to, at.zero);
    path_.back().value = 1;
    down(to, at.one);
    path_.pop_back();
  }

  bool agrees(int node) {
    std::uint8_t rec[kJpRecordSlot];
    recordHead(d_, recordsOf(d_, d_->tree[static_cast<std::size_t>(node)]).front(), rec, keySize_);
    const std::string_view key = boundedText(rec + kJpRecKey, keySize_);
    for (const Branch& b : path_)
      if (textBit(key, b.bit) != b.value) return false;
    return true;
  }

  const JpDictionary* d_;
  std::size_t keySize_;
  std::vector<char> found_;
  std::vector<Branch> path_;
};

bool treeFindsItsKeys(const JpDictionary* d) { return KeyCheck(d).run(); }

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
    for (std::uint32_t r : recordsOf(d, n)) {
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
    if (n.recordCount == 0) return 0;
    std::uint8_t buf[kJpRecordSlot] = {};
    int rc = readJpRecord(d, static_cast<int>(recordsOf(d, n).front()), buf);
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
  d->ddbView = plat::FileView();
  d->records = {};
  d->tree.clear();
  d->treeRecords.clear();
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
  std::vector<std::uint32_t>().swap(d->treeRecords);
  d->records = {};
  d->ddbView = plat::FileView();
}

int openJpDictionary(JpDictionary* d, std::u16string_view basePath) {
  closeJpDictionary(d);
  d->basePath = std::u16string(basePath);
  d->ddb = plat::fileOpen(withExtension(d, u".DDB"), "rb");
  if (!d->ddb) return kJpDdbOpenError;
  // The file is mapped, not copied; each record is descrambled as it is read.
  if (!plat::fileMapView(d->ddb, d->ddbView)) return kJpDdbReadError;
  const std::string_view file = d->ddbView.bytes();
  if (file.size() < static_cast<std::size_t>(kJpDdbHeaderSize)) return kJpDdbReadError;
  std::memcpy(d->header, file.data(), kJpDdbHeaderSize);
  descrambleBytes(d->header, kJpDdbHeaderSize, 0);
  d->dataStart = plat::readLe16s(d->header + kJpDdbDataStartOffset);
  d->recordLength = plat::readLe16s(d->header + kJpDdbRecordLengthOffset);
  if (d->recordLength < 1 || d->recordLength > kJpRecordSlot || d->dataStart < 0) return kJpDdbContentError;

  // Every whole record; a record cut by the end of the file is left out.
  const std::size_t len = static_cast<std::size_t>(d->recordLength);
  const std::size_t start = static_cast<std::size_t>(d->dataStart);
  const std::size_t whole = file.size() > start ? (file.size() - start) / len : 0;
  d->records = file.substr(start < file.size() ? start : file.size(), whole * len);

  d->dic = plat::fileOpen(withExtension(d, u".DIC"), "rb");
  if (!d->dic) return kJpDicOpenError;
  bool noMemory = plat::failPointHit(kJpTreeFailPoint);
  if (!noMemory) {
    try {
      plat::FileView dicView;
      if (!plat::fileMapView(d->dic, dicView)) return kJpDicReadError;
      const std::string_view data = dicView.bytes();
      d->tree.clear();
      d->treeRecords.clear();
      d->tree.push_back(JpTreeNode{-1, -1, -1, 0, 0});
      TreeParser parser{data, 0, d->tree};
      // A well-formed tree of N nodes takes 2 bytes a node and 4 bytes a record list, N+1 of them.
      d->tree.reserve(data.size() / 6 + 2);
      parser.owned.reserve(data.size() / 4);
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
      parser.group(d->treeRecords);
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
  descrambleBytes(buffer, len, number);
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
