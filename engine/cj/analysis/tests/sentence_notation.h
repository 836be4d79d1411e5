// A compact text notation that builds an analysed sentence without the earlier stages, and a dump
// of a sentence's tree. Header-only, for the tests of every stage that works on a sentence.
//
// Items are separated by new lines or ';', tokens by spaces:
//   w TEXT CAT [FIELD=VALUE ...] [+L[:FEATURE=VALUE,...] ...]
//       a word (nodes 1, 2, ... in order). TEXT is UTF-8 Chinese (converted to engine code),
//       "-" for an empty text, "$key" for the first word of a word-table key and "$key#n" for its
//       word n (from 0), "\xHH" for a raw byte. FIELD=VALUE sets the node's own fields: any feature
//       name (M_SEM=A, NEG=y, ...), span=, class=, sub=, rule=, mark=, role=, REPF=, CATYNUM=.
//       Each +L adds a sense with category letter L and the listed features.
//   p FIRST LAST CAT [FIELD=VALUE ...]
//       a phrase node over nodes FIRST..LAST of one chain (builtnewnode); takes the next index.
//   l HEAD DEPENDENT LABEL
//       a role link (addRoleLink).
// Malformed notation fails the current test through ADD_FAILURE and yields what was built.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "tools/datagen/word_table_writer.h"

namespace cjtest {

// UTF-8 text (with \xHH raw bytes) in engine code.
inline std::string engineText(std::string_view utf8) {
  std::string out, run;
  auto flush = [&] {
    if (run.empty()) return;
    std::string gb = plat::wideToMultiByte(936, plat::utf8ToWide(run));
    cj::gbToInternal(cj::ConversionTables{}, gb);
    out += gb;
    run.clear();
  };
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\\' && i + 3 < utf8.size() && utf8[i + 1] == 'x') {
      flush();
      out.push_back(static_cast<char>(std::stoi(std::string(utf8.substr(i + 2, 2)), nullptr, 16)));
      i += 3;
      continue;
    }
    run.push_back(utf8[i]);
  }
  flush();
  return out;
}

// Fills every registered word-table key with distinct synthetic words; false when refused.
inline bool loadSyntheticWords() {
  std::string text =
      datagen::wordTableText(datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys())));
  return cj::loadWordTableText(text) == cj::kWordTableLoaded;
}

// Engine-code text as UTF-8, for messages and dumps.
inline std::string readableText(std::string_view engine) {
  std::string gb;
  cj::internalToGb(cj::ConversionTables{}, gb, engine);
  return plat::wideToUtf8(plat::multiByteToWide(936, gb));
}

inline bool setFeature(cj::CjFeatures& f, std::string_view name, std::string_view value) {
  const char byte = value.empty() ? 0 : value[0];
#define CJ_TEXT(field)    \
  if (name == #field) {   \
    f.field = value;      \
    return true;          \
  }
#define CJ_BYTE(field)    \
  if (name == #field) {   \
    f.field = byte;       \
    return true;          \
  }
  CJ_TEXT(M_SEM) CJ_TEXT(S_SEM) CJ_BYTE(CLAS_M_FIX) CJ_BYTE(CLAS_YN) CJ_TEXT(LOC) CJ_BYTE(SEX) CJ_BYTE(NUM)
  CJ_BYTE(PER) CJ_BYTE(PROP) CJ_BYTE(TIME) CJ_BYTE(NEG) CJ_BYTE(NEG2) CJ_BYTE(VOI) CJ_BYTE(TEN) CJ_BYTE(ASP)
  CJ_TEXT(C_SUB_SEM) CJ_TEXT(C_OBJ_SEM) CJ_TEXT(NO_C_OBJ_SEM) CJ_TEXT(REPEAT) CJ_TEXT(PRE_OBJ) CJ_TEXT(C_VAL)
  CJ_TEXT(V_RES) CJ_TEXT(V_TWO) CJ_BYTE(MOD) CJ_BYTE(DEG) CJ_BYTE(FUNC1) CJ_BYTE(CONJ) CJ_BYTE(CONJ_FIX)
  CJ_BYTE(MODIFY) CJ_BYTE(SENT_YN) CJ_BYTE(WHAT) CJ_BYTE(WHO) CJ_BYTE(DOM_P) CJ_BYTE(CERT) CJ_BYTE(ATTR1)
  CJ_BYTE(CONJ_YN) CJ_BYTE(LOGIC) CJ_BYTE(PREP_YN) CJ_BYTE(COMBINE) CJ_BYTE(PRE_POST) CJ_BYTE(SV_CONJ)
  CJ_BYTE(ADD) CJ_BYTE(ATTR2) CJ_TEXT(S_CAT)
#undef CJ_TEXT
#undef CJ_BYTE
  if (name == "letter") {
    f.catLetter = byte;
    return true;
  }
  return false;
}

inline bool setNodeField(cj::CjNode& n, std::string_view name, std::string_view value) {
  const char byte = value.empty() ? 0 : value[0];
  if (name == "span") n.spanMark = byte;
  else if (name == "class") n.structureClass = byte;
  else if (name == "sub") n.subtype = byte;
  else if (name == "mark") n.predicateMark = byte;
  else if (name == "rule") n.ruleNumber = std::stoi(std::string(value));
  else if (name == "role") n.roleLabel = value;
  else if (name == "REPF") n.REPF = value;
  else if (name == "CATYNUM") n.CATYNUM = value;
  else if (name == "SYS") n.SYS = value;
  else return setFeature(n.features, name, value);
  return true;
}

inline std::vector<std::string> splitTokens(std::string_view text, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text) {
    if (c == sep || (sep == ' ' && (c == '\t' || c == '\r'))) {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

inline std::string wordText(const std::string& token) {
  if (token == "-") return "";
  if (token[0] != '$') return engineText(token);
  std::string key = token.substr(1);
  std::size_t n = 0;
  if (auto hash = key.find('#'); hash != std::string::npos) {
    n = std::stoul(key.substr(hash + 1));
    key = key.substr(0, hash);
  }
  const auto& words = cj::listedWords(key);
  if (n >= words.size()) {
    ADD_FAILURE() << "no word " << n << " under " << key;
    return "";
  }
  return words[n];
}

// Sets FIELD=VALUE tokens and +senses from token k on.
inline void applyFields(cj::CjNode& node, const std::vector<std::string>& t, std::size_t k) {
  for (; k < t.size(); ++k) {
    if (t[k][0] == '+') {
      cj::CjSense sense;
      sense.catLetter = t[k].size() > 1 ? t[k][1] : 0;
      if (auto colon = t[k].find(':'); colon != std::string::npos) {
        for (const std::string& kv : splitTokens(std::string_view(t[k]).substr(colon + 1), ',')) {
          auto eq = kv.find('=');
          if (eq == std::string::npos || !setFeature(sense, kv.substr(0, eq), kv.substr(eq + 1)))
            ADD_FAILURE() << "bad sense feature " << kv;
        }
      }
      node.senses.push_back(sense);
      continue;
    }
    auto eq = t[k].find('=');
    if (eq == std::string::npos || !setNodeField(node, t[k].substr(0, eq), t[k].substr(eq + 1)))
      ADD_FAILURE() << "bad field " << t[k];
  }
}

inline std::unique_ptr<cj::CjSentence> buildFromNotation(std::string_view notation) {
  std::vector<std::vector<std::string>> items;
  std::string lines(notation);
  for (char& c : lines) {
    if (c == '\n') c = ';';
  }
  int words = 0;
  for (const std::string& item : splitTokens(lines, ';')) {
    auto t = splitTokens(item, ' ');
    if (t.empty()) continue;
    if (t[0] == "w") ++words;
    items.push_back(std::move(t));
  }
  auto s = cj::buildSentence(words);
  if (!s) {
    ADD_FAILURE() << "no sentence";
    return s;
  }
  s->engine = &cjtest::engine();
  int next = 1;
  for (const auto& t : items) {
    if (t[0] == "w" && t.size() >= 3) {
      cj::CjNode& n = s->nodes[next++];
      n.CHI = wordText(t[1]);
      n.CAT = t[2] == "-" ? "" : t[2];
      applyFields(n, t, 3);
    } else if (t[0] == "p" && t.size() >= 4) {
      int p = cj::builtnewnode(*s, std::stoi(t[1]), std::stoi(t[2]));
      if (!p) {
        ADD_FAILURE() << "no phrase over " << t[1] << ".." << t[2];
        continue;
      }
      s->nodes[p].CAT = t[3];
      applyFields(s->nodes[p], t, 4);
    } else if (t[0] == "l" && t.size() == 4) {
      cj::addRoleLink(*s, std::stoi(t[1]), std::stoi(t[2]), t[3]);
    } else {
      ADD_FAILURE() << "bad notation item starting " << t[0];
    }
  }
  return s;
}

// The tree below node i: a word as TEXT/CAT (an empty text as "_"), a phrase as [CAT child ...].
inline std::string dumpNode(const cj::CjSentence& s, int i, int depth = 0) {
  if (i < 1 || i >= cj::kMaxNodes || depth > cj::kMaxNodes) return "?";
  const cj::CjNode& n = s.nodes[i];
  if (cj::isWordNode(s, i)) {
    std::string text = n.CHI.empty() ? "_" : readableText(n.CHI.view());
    return text + "/" + n.CAT.str();
  }
  std::string out = "[" + n.CAT.str();
  int steps = 0;
  for (int k = n.firstChild; k != 0 && steps < cj::kMaxNodes; k = s.nodes[k].next, ++steps) {
    out += " " + dumpNode(s, k, depth + 1);
  }
  return out + "]";
}

// The top-level chain, nodes separated by spaces.
inline std::string dumpSentence(const cj::CjSentence& s) {
  std::string out;
  int steps = 0;
  for (int k = s.firstTop; k != 0 && steps < cj::kMaxNodes; k = s.nodes[k].next, ++steps) {
    if (!out.empty()) out += " ";
    out += dumpNode(s, k);
  }
  return out;
}

// The role links in list order: "HEAD>DEPENDENT:LABEL".
inline std::string dumpRoleLinks(const cj::CjSentence& s) {
  std::string out;
  for (const cj::CjRoleLink& l : s.roleLinks) {
    if (!out.empty()) out += " ";
    out += std::to_string(l.head) + ">" + std::to_string(l.dependent) + ":" + l.label.str();
  }
  return out;
}

}  // namespace cjtest
