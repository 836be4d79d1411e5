#include "tools/datagen/cj_grammar_writer.h"

#include "tools/datagen/cj_scramble.h"
#include "platform/core/device.h"
#include "platform/core/files.h"

#include <algorithm>
#include <cstdlib>

namespace datagen {

const std::vector<std::string>& cjGrammarGroupNames() {
  static const std::vector<std::string> names = {
      "UG1", "UG2", "UG3", "FP1", "NP1", "NP2", "NP3", "NP4", "NP5", "NP6", "Ntl1", "Ntl2", "Ntl3", "Ntl4",
      "Ntp1", "Ntp2", "Ntp3", "VP1", "VP2", "VP3", "VP4", "VP5", "UP1", "AP1", "AP2", "AP3", "S"};
  return names;
}

CjGrammar completeCjGrammar(CjGrammar grammar) {
  CjGrammar out;
  out.preamble = grammar.preamble;
  for (const std::string& name : cjGrammarGroupNames()) {
    CjGrammarGroup group{name, {}, {}};
    for (const CjGrammarGroup& g : grammar.groups) {
      if (g.name != name) continue;
      group.rules.insert(group.rules.end(), g.rules.begin(), g.rules.end());
      group.gotos.insert(group.gotos.end(), g.gotos.begin(), g.gotos.end());
    }
    bool hasStart = std::any_of(group.gotos.begin(), group.gotos.end(),
                                [](const CjGrammarGoto& e) { return std::atoi(e.state.c_str()) == 0; });
    if (!hasStart) group.gotos.insert(group.gotos.begin(), CjGrammarGoto{"0", "*", "F"});
    std::stable_sort(group.gotos.begin(), group.gotos.end(), [](const CjGrammarGoto& a, const CjGrammarGoto& b) {
      return std::atoi(a.state.c_str()) < std::atoi(b.state.c_str());
    });
    out.groups.push_back(std::move(group));
  }
  return out;
}

bool expandCjFrameLines(CjGrammar& grammar, const std::vector<CjFramedVerb>& verbs, std::string* error) {
  for (CjGrammarGroup& g : grammar.groups) {
    std::vector<CjGrammarGoto> out;
    for (const CjGrammarGoto& e : g.gotos) {
      const std::size_t at = e.symbol.find(kCjFrameMarker);
      if (at == std::string::npos) {
        out.push_back(e);
        continue;
      }
      const std::size_t from = at + kCjFrameMarker.size();
      const std::size_t close = e.symbol.find(']', from);
      if (close == std::string::npos || close == from) {
        if (error) *error = g.name + ": (" + e.state + ") " + e.target + ": frame marker without frames";
        return false;
      }
      const std::string frames = e.symbol.substr(from, close - from);
      const std::string head = e.symbol.substr(0, at), tail = e.symbol.substr(close);
      const std::size_t room = kCjGotoSymbolLimit - std::min(kCjGotoSymbolLimit, head.size() + tail.size());
      std::string list;
      auto flush = [&] {
        if (!list.empty()) out.push_back({e.state, head + list + tail, e.target});
        list.clear();
      };
      for (const CjFramedVerb& v : verbs) {
        if (v.frame == 0 || frames.find(v.frame) == std::string::npos) continue;
        if (v.word.empty() || v.word.size() > room) {
          if (error) *error = g.name + ": (" + e.state + ") " + e.target + ": a verb does not fit a goto line";
          return false;
        }
        if (!list.empty() && list.size() + 1 + v.word.size() > room) flush();
        if (!list.empty()) list += ',';
        list += v.word;
      }
      flush();
    }
    g.gotos = std::move(out);
  }
  return true;
}

std::string cjRuleFileText(const CjGrammar& grammar) {
  std::string text;
  for (const std::string& line : grammar.preamble) text += line + "\r\n";
  for (const CjGrammarGroup& g : grammar.groups) {
    text += "%<" + g.name + ">\r\n";
    for (const CjGrammarRule& r : g.rules) {
      text += r.rule + "\r\n";
      text += (r.action.rfind("->", 0) == 0 ? r.action : "->" + r.action) + "\r\n";
    }
  }
  return text;
}

std::string cjGotoFileText(const CjGrammar& grammar) {
  std::string text;
  for (const CjGrammarGroup& g : grammar.groups) {
    text += "%<" + g.name + ">\r\n";
    for (const CjGrammarGoto& e : g.gotos) text += "(" + e.state + "," + e.symbol + ") " + e.target + "\r\n";
  }
  return text;
}

bool scrambleCjGrammarText(std::string_view plain, std::string& out, std::string* error) {
  std::string crlf;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == '\n' && (i == 0 || plain[i - 1] != '\r')) crlf.push_back('\r');
    crlf.push_back(plain[i]);
  }
  return scrambleLineFile(CjScrambleKey::Grammar, crlf, out, error);
}

bool checkCjGrammarRoom(const CjGrammar& complete, std::string* error) {
  auto refuse = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  for (const CjGrammarGroup& g : complete.groups) {
    const cj::CjGrammarGroupShape* shape = nullptr;
    for (const auto& s : cj::kCjGrammarGroupShapes) {
      if ("<" + g.name + ">" == s.tag) shape = &s;
    }
    const std::string group = "grammar group " + g.name;
    if (!shape) return refuse(group + ": no such group");
    if (g.rules.size() > static_cast<std::size_t>(shape->rules))
      return refuse(group + ": " + std::to_string(g.rules.size()) + " rules, the engine holds " +
                    std::to_string(shape->rules));
    if (g.gotos.size() + 1 > static_cast<std::size_t>(shape->gotos))
      return refuse(group + ": " + std::to_string(g.gotos.size()) + " goto lines, the engine holds " +
                    std::to_string(shape->gotos - 1));
    for (std::size_t r = 0; r < g.rules.size(); ++r) {
      const std::string& rule = g.rules[r].rule;
      if (rule.substr(0, rule.find('-')).size() > cj::kCjRuleLhsLimit)
        return refuse(group + ": rule " + std::to_string(r) + ": left side over " +
                      std::to_string(cj::kCjRuleLhsLimit) + " bytes");
    }
    for (const CjGrammarGoto& e : g.gotos) {
      const std::string line = group + ": goto line (" + e.state + ") " + e.target + ": ";
      if (e.state.size() > cj::kCjGotoStateLimit || e.target.size() > cj::kCjGotoTargetLimit)
        return refuse(line + "state or target over " + std::to_string(cj::kCjGotoStateLimit) + " bytes");
      if (e.symbol.size() > cj::kCjGotoSymbolBytes)
        return refuse(line + "symbol of " + std::to_string(e.symbol.size()) + " bytes, the engine holds " +
                      std::to_string(cj::kCjGotoSymbolBytes));
    }
  }
  return true;
}

bool writeCjGrammar(std::string_view folder, const CjGrammar& grammar) {
  CjGrammar complete = completeCjGrammar(grammar);
  std::string ruc, dac;
  if (!checkCjGrammarRoom(complete)) return false;
  if (!scrambleCjGrammarText(cjRuleFileText(complete), ruc) || !scrambleCjGrammarText(cjGotoFileText(complete), dac)) {
    return false;
  }
  std::string dir(folder);
  plat::makeFolders(dir);
  return plat::writeWholeFile(dir + "transfer.ruc", ruc) && plat::writeWholeFile(dir + "transfer.dac", dac);
}

}  // namespace datagen
