#include "tools/datagen/cwcjdic_writer.h"

#include "tools/datagen/cj_scramble.h"
#include "engine/common/dbcs_text.h"

namespace datagen {
namespace {


// A '\', CR, LF or NUL at a character boundary would end the field or the line early.
bool fieldIsStorable(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (dbcs::isLeadByte(b) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (b == '\\' || b == '\r' || b == '\n' || b == 0) return false;
  }
  return true;
}

}  // namespace

std::string cwcjdicLineText(const CjDicLine& line, bool continuation) {
  std::string s;
  if (continuation) s += '*';
  s += line.kind;
  s += ',';
  s += line.text;
  s += '\\';
  s += line.code;
  if (line.frame || line.frame2) {
    s += '\\';
    s += line.frame ? line.frame : ' ';
    s += ',';
    if (line.frame2) s += line.frame2;
  }
  return s;
}

bool cwcjdicRawFile(const std::vector<std::string>& lines, std::string& out, std::vector<long>& offsets,
                    std::string* error) {
  std::string plain;
  offsets.clear();
  for (const std::string& l : lines) {
    offsets.push_back(static_cast<long>(plain.size()));
    plain += l;
    plain += "\r\n";
  }
  return scrambleLineFile(CjScrambleKey::CjDicLine, plain, out, error);
}

bool cwcjdicFile(const std::vector<CjDicEntry>& entries, std::string& out,
                 std::map<std::string, std::int32_t>& references, std::string* error) {
  std::vector<std::string> lines;
  std::vector<std::size_t> firstLine;
  for (const CjDicEntry& e : entries) {
    if (e.lines.empty()) {
      if (error) *error = "entry without lines";
      return false;
    }
    firstLine.push_back(lines.size());
    for (std::size_t k = 0; k < e.lines.size(); ++k) {
      const CjDicLine& l = e.lines[k];
      if (!fieldIsStorable(l.text) || !fieldIsStorable(l.code) || l.code.size() > 5 || l.kind == '*' ||
          l.kind == 0) {
        if (error) *error = "line " + std::to_string(lines.size()) + " cannot be stored";
        return false;
      }
      lines.push_back(cwcjdicLineText(l, k > 0));
      if (lines.back().size() + 2 >= kCwcjdicMaxLine) {
        if (error) *error = "line " + std::to_string(lines.size() - 1) + " is 128 bytes or longer";
        return false;
      }
    }
  }
  std::vector<long> offsets;
  if (!cwcjdicRawFile(lines, out, offsets, error)) return false;
  references.clear();
  for (std::size_t e = 0; e < entries.size(); ++e) {
    references[entries[e].word] = static_cast<std::int32_t>(offsets[firstLine[e]] + 1);
  }
  return true;
}

}  // namespace datagen
