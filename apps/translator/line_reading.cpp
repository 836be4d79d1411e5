#include "apps/translator/line_reading.h"

#include <cstdint>
#include <string_view>

#include "apps/common/context_convert.h"
#include "apps/common/engine_code_page.h"
#include "apps/translator/translator_app.h"
#include "engine/common/code_convert.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/pinyin_annotation.h"
#include "engine/cj/transfer/cj_engine.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"

namespace orvale {
namespace {

// Bytes of annotation allowed per character of a run.
constexpr int kAnnotationPerCharacter = 12;

// Index slot of a code point in the character reading file, -1 outside its two ranges.
long hanziSlot(char32_t cp) {
  if (cp >= 0x3400 && cp <= 0x9FA5) return static_cast<long>(cp - 0x3400);
  if (cp >= 0xF900 && cp <= 0xFA2A) return static_cast<long>(cp - 0x8D00);
  return -1;
}

bool isIdeograph(char16_t c) { return (c >= 0x3400 && c <= 0x9FA5) || (c >= 0xF900 && c <= 0xFA6A); }

// Whether the character belongs to a run that the engine can annotate: printable ASCII and the
// GB2312 double bytes other than its bopomofo.
bool inGbRun(const dbcs::ConversionTables& tables, char16_t c) {
  std::string gb;
  dbcs::unicodeToGb(tables, gb, std::u16string_view(&c, 1));
  if (gb.size() == 1) {
    const auto b = static_cast<unsigned char>(gb[0]);
    if (b == '?' && c != u'?') return false;
    return b >= 0x20 && b <= 0x7E;
  }
  if (gb.size() != 2) return false;
  const auto lead = static_cast<unsigned char>(gb[0]), trail = static_cast<unsigned char>(gb[1]);
  if (lead == 0xA8 && trail >= 0xC5 && trail <= 0xE9) return false;
  return lead >= 0xA1 && lead <= 0xFE && trail >= 0xA1 && trail <= 0xFE;
}

bool isKatakana(char16_t c) { return c >= u'\u30A1' && c <= u'\u30FA'; }

// The engine's code has no long-vowel mark: its readings write the dash, shown as ー after a kana.
void appendEngineText(const CTranslatorApp& app, std::string_view bytes, int limit, std::u16string& out) {
  std::u16string wide;
  apptext::engineCodeToUnicode(app.engineCodeTables, bytes, limit, wide, 0);
  if (app.readingMode == 0) {
    for (std::size_t k = 0; k < wide.size(); ++k) {
      const char16_t before = k > 0 ? wide[k - 1] : out.empty() ? u'\0' : out.back();
      if ((wide[k] == u'\u2014' || wide[k] == u'\u2015') && isKatakana(before)) wide[k] = u'\u30FC';
    }
  }
  out += wide;
}

}  // namespace

bool hanziFileReading(std::FILE* file, char32_t codePoint, std::string& reading, int& lengthByte) {
  reading.clear();
  lengthByte = 0;
  const long slot = hanziSlot(codePoint);
  if (!file || slot < 0) return false;
  const long size = plat::fileSize(file);
  unsigned char index[4];
  if (size < 0 || (slot + 1) * 4 > size) return false;
  if (plat::fileSeek(file, slot * 4, SEEK_SET) != 0 || plat::fileRead(index, 4, file) != 4) return false;
  const std::int32_t offset = plat::readLe32s(index);
  if (offset <= 0 || offset >= size) return false;
  unsigned char record[256];
  if (plat::fileSeek(file, offset, SEEK_SET) != 0 || plat::fileRead(record, 1, file) != 1) return false;
  const int n = record[0];
  if (n < 3 || offset + n > size) return false;
  if (plat::fileRead(record + 1, static_cast<std::size_t>(n - 1), file) != static_cast<std::size_t>(n - 1)) return false;
  lengthByte = n;
  reading.assign(reinterpret_cast<const char*>(record + 3), static_cast<std::size_t>(n - 3));
  reading.resize(reading.find('\0') == std::string::npos ? reading.size() : reading.find('\0'));
  return true;
}

void readingOfLine(const CTranslatorApp& app, std::u16string& line, std::u16string& out) {
  out.clear();
  if (app.traditional) apptext::toSimplified(app.variantTables, line);
  const std::size_t n = line.size();
  bool lookedUp = false;
  std::size_t i = 0;
  while (i < n) {
    if (lookedUp) out += u' ';
    std::size_t j = i;
    while (j < n && inGbRun(app.gbTables, line[j])) ++j;
    const std::u16string_view run(line.data() + i, j - i);
    if (!run.empty()) {
      const std::string engine = cj::engineCodeOf(*app.cjEngine, run);
      std::string annotation;
      if (cj::annotatePinyinText(*app.cjEngine, engine, annotation, app.readingMode) == -1) {
        out += run;
      } else {
        const int limit = static_cast<int>(run.size()) * kAnnotationPerCharacter;
        appendEngineText(app, annotation, limit, out);
      }
    }
    if (j >= n) break;
    const char16_t c = line[j];
    i = j + 1;
    if (!isIdeograph(c)) {
      out += c;
      continue;
    }
    if (!run.empty()) out += u' ';
    std::string reading;
    int lengthByte = 0;
    if (hanziFileReading(app.cjEngine->data.hanzi, c, reading, lengthByte)) {
      if (lengthByte < 5) out += u' ';
      cj::postProcessReading(reading);
      std::string shown;
      switch (app.readingMode) {
        case 0:
          if (!reading.empty()) reading.pop_back();
          cj::mapReadingSyllables(*app.cjEngine, reading, shown);
          break;
        case 1:
          cj::toToneMarks(reading, app.readingMode);
          shown = reading;
          break;
        case 2:
          if (!reading.empty()) reading.pop_back();
          shown = reading;
          break;
        default:
          shown = reading;
          break;
      }
      appendEngineText(app, shown, -1, out);
    } else {
      out += u' ';
    }
    lookedUp = true;
  }
}

}  // namespace orvale
