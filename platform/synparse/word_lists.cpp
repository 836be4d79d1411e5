#include "platform/synparse/word_lists.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace synparse {

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> f;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = line.find('\t', start);
    f.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return f;
    start = tab + 1;
  }
}

// Double-byte text (Shift-JIS or the engine code, which share their lead bytes): every lead byte
// has its trail byte.
bool wholeCharacters(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) continue;
    if (i + 1 >= s.size()) return false;
    const auto t = static_cast<unsigned char>(s[++i]);
    if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
  }
  return true;
}

bool hasSeparator(std::string_view s) { return s.find_first_of("$ \t") != std::string_view::npos; }

// The case particles a frame may name (the parser's case phrases).
bool isCaseParticle(std::string_view s) {
  for (std::string_view c : {"が", "を", "に", "で", "と", "から", "より", "へ", "まで"})
    if (s == c) return true;
  return false;
}

// A frame line's fields after "frame"; false when one is missing or malformed. The template's
// numbers must name listed cases.
bool readFrame(const std::vector<std::string_view>& f, Frame& frame) {
  if (f.size() < 4 || f.size() > 5 || f[1].empty() || f[2].empty() || f[3].empty()) return false;
  if (hasSeparator(f[2]) || hasSeparator(f[3])) return false;
  frame = Frame{std::string(f[1]), std::string(f[2]), std::string(f[3]), {}};
  if (f.size() == 5) {
    std::size_t start = 0;
    std::string_view list = f[4];
    while (start <= list.size()) {
      std::size_t blank = list.find(' ', start);
      std::string_view c = list.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start);
      if (!c.empty()) {
        if (!isCaseParticle(c)) return false;
        frame.cases.emplace_back(c);
      }
      if (blank == std::string_view::npos) break;
      start = blank + 1;
    }
  }
  // Numbers in the template: runs of ASCII digits outside double-byte characters.
  const std::string& t = frame.templateText;
  for (std::size_t i = 0; i < t.size();) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    if (b >= 0x80) {
      i += 2;
      continue;
    }
    if (b >= '0' && b <= '9') {
      std::size_t k = 0;
      while (i < t.size() && t[i] >= '0' && t[i] <= '9') k = k * 10 + static_cast<std::size_t>(t[i++] - '0');
      if (k < 1 || k > frame.cases.size()) return false;
      continue;
    }
    ++i;
  }
  return true;
}

}  // namespace

WordLists defaultWordLists() {
  WordLists w;
  w.passive = {"れる", "られる"};
  w.causative = {"せる", "させる", "しめる"};
  w.negative = {"ない", "ぬ"};
  return w;
}

bool addWordLists(std::string_view text, WordLists& lists, std::vector<int>* badLines) {
  // What the lists already hold, so that each line is checked and added in constant time.
  std::unordered_map<std::string, std::size_t>& frameAt = lists.frameIndex;
  if (frameAt.size() != lists.frames.size()) {
    frameAt.clear();
    for (std::size_t k = 0; k < lists.frames.size(); ++k) frameAt.emplace(lists.frames[k].baseForm, k);
  }
  std::vector<std::string>* words[] = {&lists.passive, &lists.causative, &lists.negative, &lists.adverbialNi};
  std::unordered_set<std::string> held[4];
  for (int k = 0; k < 4; ++k) held[k].insert(words[k]->begin(), words[k]->end());
  bool allRead = true;
  std::size_t pos = 0;
  int number = 0;
  while (pos < text.size()) {
    ++number;
    // A line ends at LF, CR LF or a lone CR.
    const std::size_t end = text.find_first_of("\r\n", pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string_view> f = splitTabs(line);
    bool good = std::all_of(f.begin(), f.end(), wholeCharacters);
    if (good && f[0] == "frame") {
      Frame frame;
      good = readFrame(f, frame);
      if (good) {
        auto [at, added] = frameAt.emplace(frame.baseForm, lists.frames.size());
        if (added) {
          lists.frames.push_back(std::move(frame));
        } else {
          // The verb's frame of the same cases is replaced; one of other cases joins the chain.
          std::size_t k = at->second;
          while (lists.frames[k].cases != frame.cases && lists.frames[k].next >= 0)
            k = static_cast<std::size_t>(lists.frames[k].next);
          if (lists.frames[k].cases == frame.cases) {
            frame.next = lists.frames[k].next;
            lists.frames[k] = std::move(frame);
          } else {
            lists.frames[k].next = static_cast<int>(lists.frames.size());
            lists.frames.push_back(std::move(frame));
          }
        }
      }
    } else if (good) {
      const int list = f[0] == "passive"       ? 0
                       : f[0] == "causative"   ? 1
                       : f[0] == "negative"    ? 2
                       : f[0] == "adverbialNi" ? 3
                                               : -1;
      good = list >= 0 && f.size() == 2 && !f[1].empty();
      if (good && held[list].emplace(f[1]).second) words[list]->emplace_back(f[1]);
    }
    if (!good) {
      allRead = false;
      if (badLines) badLines->push_back(number);
    }
  }
  return allRead;
}

bool inList(const std::vector<std::string>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

const Frame* findFrame(const WordLists& lists, std::string_view baseForm) {
  if (lists.frameIndex.size() == lists.frames.size()) {
    const auto at = lists.frameIndex.find(std::string(baseForm));
    return at == lists.frameIndex.end() ? nullptr : &lists.frames[at->second];
  }
  for (const Frame& f : lists.frames)
    if (f.baseForm == baseForm) return &f;
  return nullptr;
}

const Frame* nextFrame(const WordLists& lists, const Frame& f) {
  if (f.next < 0 || static_cast<std::size_t>(f.next) >= lists.frames.size()) return nullptr;
  return &lists.frames[static_cast<std::size_t>(f.next)];
}

}  // namespace synparse
