// Fonts: the handheld's faces and character sets mapped to the CJK fonts of this machine.
#include "platform/ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>

#include <map>

#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

struct FontRec {
  FontSpec spec;
  QFont font;
};

std::map<Font, FontRec>& fonts() {
  static auto* m = new std::map<Font, FontRec>;
  return *m;
}
Font gNextFont = 1;

bool contains(const QString& hay, const char16_t* needle) { return hay.contains(QString::fromUtf16(needle), Qt::CaseInsensitive); }

}  // namespace

QFont fontOf(Font f) {
  auto it = fonts().find(f);
  return it == fonts().end() ? QFont() : it->second.font;
}

bool fontExists(Font f) { return fonts().count(f) != 0; }

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

std::u16string mappedFamily(std::u16string_view face, int charSet) {
  QString f = toQ(face);
  bool serif = contains(f, u"mincho") || contains(f, u"明朝");
  bool mono = (contains(f, u"ゴシック") || contains(f, u"gothic")) && !contains(f, u"Ｐ") && !contains(f, u" P ");
  const char16_t* region = u"JP";
  if (charSet == kGb2312CharSet) region = u"SC";
  else if (charSet == kBig5CharSet) region = u"TC";
  else if (charSet == kShiftJisCharSet) region = u"JP";
  else if (contains(f, u"-GB") || contains(f, u"GB ")) region = u"SC";
  else if (contains(f, u"-B5") || contains(f, u"Big5")) region = u"TC";
  std::u16string family = serif ? u"Noto Serif CJK " : mono ? u"Noto Sans Mono CJK " : u"Noto Sans CJK ";
  return family + region;
}

Font createFont(const FontSpec& spec) {
  QFont f(toQ(mappedFamily(spec.face, spec.charSet)));
  f.setStyleStrategy(QFont::PreferMatch);
  int px = spec.height == 0 ? 12 : std::abs(spec.height);
  f.setPixelSize(std::max(1, px));
  f.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight, 100, 900)));
  f.setItalic(spec.italic);
  // Quality: 3 non-antialiased, 4 antialiased, 5 ClearType-like smoothing; others the default.
  if (spec.quality == 3) f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferMatch | QFont::NoAntialias));
  if (spec.quality == 4 || spec.quality == 5) f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferMatch | QFont::PreferAntialias));
  Font id = gNextFont++;
  fonts()[id] = FontRec{spec, f};
  return id;
}

void deleteFont(Font f) { fonts().erase(f); }

int pointsToHeight(int points) { return -((points * screenMetrics().dpi + 36) / 72); }

bool setWindowFont(Hwnd hwnd, Font f) {
  WinRec* r = rec(hwnd);
  if (!r || !r->widget || !fontExists(f)) return false;
  r->font = f;
  r->widget->setFont(fontOf(f));
  if (r->comboEdit) setWindowFont(r->comboEdit, f);
  return true;
}

Font windowFont(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  return r ? r->font : 0;
}

FontQuery queryWindowFont(Hwnd hwnd) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return {};
  QFontInfo info(w->font());
  return FontQuery{fromQ(info.family()), info.pixelSize(), info.weight()};
}

bool fontHasGlyphs(Font f, std::u16string_view text) {
  if (!fontExists(f)) return false;
  QRawFont raw = QRawFont::fromFont(fontOf(f));
  if (!raw.isValid()) return false;
  QString s = toQ(text);
  for (QChar c : s) {
    if (!raw.supportsCharacter(c)) return false;
  }
  return true;
}

int textWidth(Font f, std::u16string_view text) { return QFontMetrics(fontOf(f)).horizontalAdvance(toQ(text)); }

}  // namespace ui
