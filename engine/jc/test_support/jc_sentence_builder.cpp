#include "engine/jc/test_support/jc_sentence_builder.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/common/dbcs_text.h"

namespace jc {

namespace {

struct Candidate {
  std::string chinese, valency, extra;
};

struct Morpheme {
  std::string surface, base, pos, sub = "0", type = "0", form = "0", sem, slot17;
  char kind = 0;
  std::vector<Candidate> candidates;
};

struct Phrase {
  int first = 0, last = 0;
  std::string head, label, usage, j, s, ab, hm, tpl;
  char classChar = 0, kind = 0;
};

struct Link {
  bool relation;
  std::string governor, dependent, label;
  int flag;
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string text(std::string_view v) {
  if (!v.empty() && v[0] == '@') return rendering(v.substr(1));
  std::string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (dbcs::isLeadByte(static_cast<unsigned char>(v[i])) && i + 1 < v.size()) {
      out.append(v.substr(i, 2));
      ++i;
      continue;
    }
    if (v[i] == '\\' && i + 3 < v.size() && v[i + 1] == 'x' && hexDigit(v[i + 2]) >= 0 && hexDigit(v[i + 3]) >= 0) {
      out.push_back(static_cast<char>(hexDigit(v[i + 2]) * 16 + hexDigit(v[i + 3])));
      i += 3;
    } else {
      out.push_back(v[i]);
    }
  }
  return out;
}

// "S1,S2" -> "|S1|S2|".
std::string barList(std::string_view v) {
  std::string out = "|";
  std::size_t start = 0;
  while (start <= v.size()) {
    std::size_t comma = v.find(',', start);
    std::string_view item = v.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (!item.empty()) out += std::string(item) + "|";
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

bool isNumber(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool splitPair(std::string_view v, char sep, std::string& a, std::string& b) {
  std::size_t at = v.find(sep);
  if (at == std::string_view::npos) {
    a = std::string(v);
    return false;
  }
  a = std::string(v.substr(0, at));
  b = std::string(v.substr(at + 1));
  return true;
}

bool fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

}  // namespace

bool buildJcSentence(JcSentence* record, std::string_view notation, std::string* error) {
  std::vector<Morpheme> morphemes;
  std::vector<Phrase> phrases;
  std::vector<Link> links;

  std::string normalised(notation);
  for (char& c : normalised)
    if (c == ';') c = '\n';
  std::istringstream lines(normalised);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    std::istringstream in(line);
    std::vector<std::string> tok;
    for (std::string t; in >> t;) tok.push_back(t);
    if (tok.empty() || tok[0][0] == '#') continue;
    std::string where = "line " + std::to_string(lineNo) + ": ";
    auto keyValue = [](const std::string& t, std::string& k, std::string& v) { return splitPair(t, '=', k, v); };
    if (tok[0] == "m") {
      if (tok.size() < 2) return fail(error, where + "m needs a surface");
      Morpheme m;
      m.surface = text(tok[1]);
      for (std::size_t i = 2; i < tok.size(); ++i) {
        std::string k, v;
        if (!keyValue(tok[i], k, v)) return fail(error, where + "expected key=value: " + tok[i]);
        if (k == "base") m.base = text(v);
        else if (k == "pos") splitPair(v, '/', m.pos, m.sub);
        else if (k == "conj") splitPair(v, '/', m.type, m.form);
        else if (k == "sem") m.sem = text(v);
        else if (k == "slot17") m.slot17 = text(v);
        else if (k == "kind") m.kind = v.empty() ? 0 : v[0];
        else if (k == "zh") {
          Candidate c;
          std::string rest, more;
          splitPair(v, ':', c.chinese, rest);
          splitPair(rest, ':', c.valency, c.extra);
          c.chinese = text(c.chinese);
          m.candidates.push_back(c);
        } else {
          return fail(error, where + "unknown morpheme field " + k);
        }
      }
      if (m.pos.empty()) return fail(error, where + "a morpheme needs pos=");
      if (m.base.empty()) m.base = m.surface;
      morphemes.push_back(std::move(m));
    } else if (tok[0] == "p") {
      Phrase p;
      std::string a, b;
      if (tok.size() < 2 || !splitPair(tok[1], '-', a, b) || !isNumber(a) || !isNumber(b))
        return fail(error, where + "p needs <first>-<last>");
      p.first = std::stoi(a);
      p.last = std::stoi(b);
      for (std::size_t i = 2; i < tok.size(); ++i) {
        std::string k, v;
        if (!keyValue(tok[i], k, v)) return fail(error, where + "expected key=value: " + tok[i]);
        if (k == "head") p.head = v;
        else if (k == "label") p.label = v;
        else if (k == "usage") p.usage = v;
        else if (k == "j") p.j = v;
        else if (k == "s") p.s = barList(v);
        else if (k == "ab") p.ab = barList(v);
        else if (k == "class") p.classChar = v.empty() ? 0 : v[0];
        else if (k == "kind") p.kind = v.empty() ? 0 : v[0];
        else if (k == "hm") p.hm = v;
        else if (k == "tpl") p.tpl = text(v);
        else return fail(error, where + "unknown phrase field " + k);
      }
      phrases.push_back(std::move(p));
    } else if (tok[0] == "d" || tok[0] == "r") {
      if (tok.size() < 4) return fail(error, where + "a link needs governor, dependent and label");
      links.push_back({tok[0] == "r", tok[1], tok[2], tok[3], tok.size() > 4 ? std::atoi(tok[4].c_str()) : 0});
    } else {
      return fail(error, where + "unknown item " + tok[0]);
    }
  }

  const int m = static_cast<int>(morphemes.size());
  const int total = m + static_cast<int>(phrases.size());
  if (total >= kJcMaxNodes) return fail(error, "more than 299 nodes");
  auto ref = [&](const std::string& r) -> int {
    if (r.size() > 1 && r[0] == 'p' && isNumber(r.substr(1))) {
      int k = std::stoi(r.substr(1));
      return k >= 1 && k <= static_cast<int>(phrases.size()) ? m + k : -1;
    }
    if (!isNumber(r)) return -1;
    int n = std::stoi(r);
    return n >= 0 && n <= total ? n : -1;
  };

  zeroJcSentence(record);
  if (initJcSentence(record) != kJcInitOk) return fail(error, "no memory");
  JcSentence& s = *record;

  for (int i = 1; i <= m; ++i) {
    const Morpheme& mo = morphemes[static_cast<std::size_t>(i - 1)];
    JcNode& n = s.nodes[i];
    n.surface = mo.surface;
    n.baseForm = mo.base;
    n.pos = mo.pos;
    n.subPos = mo.sub;
    n.conjType = mo.type;
    n.conjForm = mo.form;
    n.semCodes = mo.sem;
    for (const Candidate& c : mo.candidates)
      if (!appendCandidate(record, i, c.chinese, c.valency, c.extra)) return fail(error, "no memory");
    if (!mo.slot17.empty()) setTargetSlot(s.targets[i], 17, mo.slot17);
    s.targets[i].kind = mo.kind;
  }

  if (phrases.empty()) {
    s.lastNode = m;
    s.firstTop = m > 0 ? 1 : 0;
    s.lastTop = m;
    if (m > 0) s.nodes[m].nextSibling = 0;
  } else {
    s.firstTop = m > 0 ? m + 1 : 0;
    for (std::size_t k = 0; k < phrases.size(); ++k) {
      const Phrase& p = phrases[k];
      int q = m + 1 + static_cast<int>(k);
      if (p.first < 1 || p.last > m || p.first > p.last)
        return fail(error, "phrase p" + std::to_string(k + 1) + " covers no morphemes");
      JcNode& n = s.nodes[q];
      n.isPhrase = 1;
      n.classChar = p.classChar;
      n.firstChild = p.first;
      n.lastChild = p.last;
      n.head = p.last;
      if (!p.hm.empty()) {
        int h = ref(p.hm);
        if (h < p.first || h > p.last) return fail(error, "hm= of p" + std::to_string(k + 1) + " is no child");
        n.head = h;
      }
      for (int c = p.first; c <= p.last; ++c) s.nodes[c].parent = q;
      s.nodes[p.first].prevSibling = 0;
      s.nodes[p.last].nextSibling = 0;
      n.prevSibling = k == 0 ? 0 : q - 1;
      n.nextSibling = k + 1 == phrases.size() ? 0 : q + 1;
      n.usageCode = p.usage;
      n.jCode = p.j;
      n.sFeatures = p.s;
      n.abFeatures = p.ab;
      s.targets[q].templateText = p.tpl;
      s.targets[q].kind = p.kind;
    }
    s.lastNode = s.lastTop = total;
    for (std::size_t k = 0; k < phrases.size(); ++k) {
      const Phrase& p = phrases[k];
      int q = m + 1 + static_cast<int>(k);
      JcNode& n = s.nodes[q];
      if (p.head.empty()) {
        s.rootPhrase = q;
        continue;
      }
      int h = ref(p.head);
      if (h <= 0) return fail(error, "bad head= of p" + std::to_string(k + 1));
      std::string label = p.label.empty() ? "D1" : p.label;
      n.headPhrase = h;
      n.depLabel = label;
      int slot = labelHeadIndex(label);
      if (slot >= 0) n.labelHeads[slot] = h;
      if (!addDependencyLink(record, h, q, label, 0)) return fail(error, "no memory");
    }
  }
  for (const Link& l : links) {
    int g = ref(l.governor), d = ref(l.dependent);
    if (g < 0 || d < 0) return fail(error, "bad node in link " + l.governor + " " + l.dependent);
    bool ok = l.relation ? addRelation(record, g, d, l.label) : addDependencyLink(record, g, d, l.label, l.flag);
    if (!ok) return fail(error, "no memory");
  }

  // The last leaf of the last top node bounds the rule scans.
  int leaf = s.lastTop;
  while (leaf > 0 && s.nodes[leaf].lastChild) leaf = s.nodes[leaf].lastChild;
  s.lastMorpheme = leaf;

  s.lastTarget = s.lastNode;
  s.firstTopTarget = s.firstTop;
  s.lastTopTarget = s.lastTop;
  s.defaultRelationTarget = s.rootPhrase;
  for (int i = 0; i <= s.lastTarget; ++i) {
    JcTargetNode& t = s.targets[i];
    const JcNode& n = s.nodes[i];
    if (!t.parent) t.parent = n.parent;
    if (!t.firstChild) t.firstChild = n.firstChild;
    if (!t.lastChild) t.lastChild = n.lastChild;
    if (!t.prevSibling) t.prevSibling = n.prevSibling;
    if (!t.nextSibling) t.nextSibling = n.nextSibling;
    if (!t.headChild) t.headChild = n.head;
  }
  return true;
}

JcSentenceHolder::JcSentenceHolder() : record_(new JcSentence) {
  zeroJcSentence(record_.get());
  initJcSentence(record_.get());
}

JcSentenceHolder::~JcSentenceHolder() { releaseJcSentence(record_.get()); }

bool JcSentenceHolder::build(std::string_view notation, std::string* error) {
  releaseJcSentence(record_.get());
  return buildJcSentence(record_.get(), notation, error);
}

}  // namespace jc
