// The HTML view: the page's markup as the programs write it, link targets kept exactly, images
// asked of the dialog.
#include "platform/ui/html_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <map>

#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/fonts.h"
#include "platform/ui/shell.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

struct PageImage {
  std::u16string source;
  QImage image;
  bool asked = false;
  Point box{};  // the width and height the page gives it, in screen pixels (0: the image's own)
};

// A length in pixels of the page, on the screen: the page is written for 96 dpi.
std::u16string screenLength(const std::u16string& value, int& pixels) {
  if (value.empty() || value.size() > 6) return value;
  int n = 0;
  for (char16_t c : value) {
    if (c < u'0' || c > u'9') return value;
    n = n * 10 + (c - u'0');
  }
  const int dpi = ui::screenMetrics().dpi > 0 ? ui::screenMetrics().dpi : 96;
  pixels = n * dpi / 96;
  return QString::number(pixels).toStdU16String();
}

struct HtmlState {
  std::u16string source;
  std::vector<std::u16string> targets;
  std::vector<PageImage> images;
  std::vector<std::u16string> families;
};

std::map<Hwnd, HtmlState>& states() {
  static auto* m = new std::map<Hwnd, HtmlState>;
  return *m;
}

constexpr char16_t kLinkScheme[] = u"suitelink:";
constexpr char16_t kImageScheme[] = u"suiteimg:";

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

std::u16string lowerAll(std::u16string_view s) {
  std::u16string r;
  for (char16_t c : s) r.push_back(lower(c));
  return r;
}

struct Attr {
  std::u16string name;
  std::u16string value;
  bool hasValue = false;
};

// Parses the inside of a tag ("font size  =3 color=black"): the name, then attributes with
// blanks allowed around "=", values quoted or bare.
void parseTag(std::u16string_view in, std::u16string& name, std::vector<Attr>& attrs) {
  size_t i = 0;
  while (i < in.size() && !isSpace(in[i])) name.push_back(in[i++]);
  while (i < in.size()) {
    while (i < in.size() && isSpace(in[i])) ++i;
    if (i >= in.size()) break;
    Attr a;
    while (i < in.size() && !isSpace(in[i]) && in[i] != u'=') a.name.push_back(in[i++]);
    size_t j = i;
    while (j < in.size() && isSpace(in[j])) ++j;
    if (j < in.size() && in[j] == u'=') {
      i = j + 1;
      while (i < in.size() && isSpace(in[i])) ++i;
      a.hasValue = true;
      if (i < in.size() && (in[i] == u'"' || in[i] == u'\'')) {
        char16_t q = in[i++];
        while (i < in.size() && in[i] != q) a.value.push_back(in[i++]);
        if (i < in.size()) ++i;
      } else {
        while (i < in.size() && !isSpace(in[i])) a.value.push_back(in[i++]);
      }
    }
    if (a.name.empty()) {
      ++i;
      continue;
    }
    attrs.push_back(std::move(a));
  }
}

std::u16string escapeAttr(std::u16string_view v) {
  std::u16string out;
  for (char16_t c : v) {
    if (c == u'"') out += u"&quot;";
    else out.push_back(c);
  }
  return out;
}

// Rewrites the page for the text browser: links and images by number, faces mapped.
std::u16string preparePage(HtmlState& st) {
  const std::u16string& src = st.source;
  st.targets.clear();
  st.images.clear();
  st.families.clear();
  std::u16string out;
  size_t i = 0;
  while (i < src.size()) {
    if (src[i] != u'<') {
      out.push_back(src[i++]);
      continue;
    }
    size_t end = src.find(u'>', i);
    if (end == std::u16string::npos) {
      out.append(src, i, std::u16string::npos);
      break;
    }
    std::u16string_view inner(src.data() + i + 1, end - i - 1);
    i = end + 1;
    if (inner.empty() || inner[0] == u'/' || inner[0] == u'!') {
      out.push_back(u'<');
      out.append(inner);
      out.push_back(u'>');
      continue;
    }
    std::u16string name;
    std::vector<Attr> attrs;
    parseTag(inner, name, attrs);
    std::u16string lname = lowerAll(name);
    Point box{};
    for (Attr& a : attrs) {
      std::u16string an = lowerAll(a.name);
      if (lname == u"a" && an == u"href") {
        st.targets.push_back(a.value);
        a.value = kLinkScheme + QString::number(st.targets.size() - 1).toStdU16String();
      } else if (lname == u"img" && an == u"src") {
        st.images.push_back(PageImage{a.value, QImage(), false});
        a.value = kImageScheme + QString::number(st.images.size() - 1).toStdU16String();
      } else if (lname == u"img" && an == u"width") {
        a.value = screenLength(a.value, box.x);
      } else if (lname == u"img" && an == u"height") {
        a.value = screenLength(a.value, box.y);
      } else if (lname == u"font" && an == u"face") {
        a.value = mappedFamily(a.value, kDefaultCharSet);
        st.families.push_back(a.value);
      }
    }
    if (lname == u"img" && !st.images.empty()) st.images.back().box = box;
    out.push_back(u'<');
    out += name;
    for (const Attr& a : attrs) {
      out.push_back(u' ');
      out += a.name;
      if (a.hasValue) {
        out += u"=\"";
        out += escapeAttr(a.value);
        out.push_back(u'"');
      }
    }
    out.push_back(u'>');
  }
  return out;
}

class HtmlBrowser : public QTextBrowser {
 public:
  HtmlBrowser(Hwnd h, QWidget* parent) : QTextBrowser(parent), hwnd_(h) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    QObject::connect(this, &QTextBrowser::anchorClicked, [h](const QUrl& url) {
      QString s = url.toString();
      QString scheme = QString::fromUtf16(kLinkScheme);
      if (!s.startsWith(scheme)) return;
      bool ok = false;
      int n = s.mid(scheme.size()).toInt(&ok);
      auto it = states().find(h);
      if (!ok || it == states().end() || n < 0 || n >= static_cast<int>(it->second.targets.size())) return;
      NotifyInfo info;
      info.code = kNmHotspot;
      info.target = it->second.targets[static_cast<size_t>(n)];
      sendNotify(h, info);
    });
  }

  QVariant loadResource(int type, const QUrl& name) override {
    if (type != QTextDocument::ImageResource) return QTextBrowser::loadResource(type, name);
    QString s = name.toString();
    QString scheme = QString::fromUtf16(kImageScheme);
    auto it = states().find(hwnd_);
    if (!s.startsWith(scheme) || it == states().end()) return QVariant();
    int n = s.mid(scheme.size()).toInt();
    if (n < 0 || n >= static_cast<int>(it->second.images.size())) return QVariant();
    PageImage& img = it->second.images[static_cast<size_t>(n)];
    if (!img.asked) {
      img.asked = true;
      NotifyInfo info;
      info.code = kNmInlineImage;
      info.target = img.source;
      info.imageCookie = n;
      sendNotify(hwnd_, info);
      it = states().find(hwnd_);
      if (it == states().end()) return QVariant();
    }
    const QImage& got = it->second.images[static_cast<size_t>(n)].image;
    if (got.isNull()) return QVariant();
    return got;
  }

 private:
  Hwnd hwnd_;
};

HtmlBrowser* browser(Hwnd view) {
  WinRec* r = rec(view);
  return r && r->kind == Kind::Html ? dynamic_cast<HtmlBrowser*>(r->widget.data()) : nullptr;
}

QString selectedText(HtmlBrowser* b) {
  QString s = b->textCursor().selectedText();
  s.replace(QChar(0x2029), QStringLiteral("\r\n"));
  s.replace(QChar(0x2028), QStringLiteral("\r\n"));
  return s;
}

}  // namespace

QWidget* makeHtmlWidget(WinRec& r, QWidget* parent) {
  auto* b = new HtmlBrowser(r.hwnd, parent);
  states()[r.hwnd] = HtmlState{};
  watchGestures(b, r.hwnd);
  return b;
}

void setHtmlText(WinRec& r, std::u16string_view text) {
  htmlClear(r.hwnd);
  htmlAddText(r.hwnd, text);
  htmlEndSource(r.hwnd);
}

std::u16string htmlText(const WinRec& r) { return htmlPlainText(r.hwnd); }

void forgetHtmlView(Hwnd hwnd) { states().erase(hwnd); }

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

bool initHtmlControl() { return applicationRunning(); }

void htmlClear(Hwnd view) {
  HtmlBrowser* b = browser(view);
  if (!b) return;
  states()[view] = HtmlState{};
  b->clear();
}

void htmlAddText(Hwnd view, std::u16string_view source) {
  if (!browser(view)) return;
  states()[view].source.append(source);
}

void htmlEndSource(Hwnd view) {
  HtmlBrowser* b = browser(view);
  if (!b) return;
  HtmlState& st = states()[view];
  std::u16string page = preparePage(st);
  b->document()->clear();
  b->setHtml(toQ(page));
  // Images are asked for now, in page order.
  size_t count = states()[view].images.size();
  for (size_t n = 0; n < count; ++n) {
    if (!browser(view)) return;
    b->document()->resource(QTextDocument::ImageResource,
                            QUrl(QString::fromUtf16(kImageScheme) + QString::number(static_cast<qulonglong>(n))));
  }
  if (browser(view)) b->document()->markContentsDirty(0, b->document()->characterCount());
}

void htmlSelectAll(Hwnd view) {
  if (HtmlBrowser* b = browser(view)) b->selectAll();
}

bool htmlCopy(Hwnd view) {
  HtmlBrowser* b = browser(view);
  if (!b || !b->textCursor().hasSelection()) return false;
  return setClipboardText(fromQ(selectedText(b)));
}

std::u16string htmlSelectedText(Hwnd view) {
  HtmlBrowser* b = browser(view);
  return b ? fromQ(selectedText(b)) : std::u16string();
}

bool htmlSetImage(Hwnd view, int cookie, Bitmap bm) {
  auto it = states().find(view);
  QImage* img = bitmapImage(bm);
  if (it == states().end() || !img || cookie < 0 || cookie >= static_cast<int>(it->second.images.size())) return false;
  it->second.images[static_cast<size_t>(cookie)].image = img->copy();
  return true;
}

std::u16string htmlPlainText(Hwnd view) {
  HtmlBrowser* b = browser(view);
  return b ? fromQ(b->toPlainText()) : std::u16string();
}

std::vector<std::u16string> htmlLinkTargets(Hwnd view) {
  auto it = states().find(view);
  return it == states().end() ? std::vector<std::u16string>{} : it->second.targets;
}

std::vector<Point> htmlImageSizes(Hwnd view) {
  std::vector<Point> out;
  auto it = states().find(view);
  if (it == states().end()) return out;
  for (const PageImage& p : it->second.images) out.push_back(Point{p.image.width(), p.image.height()});
  return out;
}

std::vector<Point> htmlImageBoxes(Hwnd view) {
  std::vector<Point> out;
  auto it = states().find(view);
  if (it == states().end()) return out;
  for (const PageImage& p : it->second.images) out.push_back(p.box);
  return out;
}

std::vector<std::u16string> htmlFontFamilies(Hwnd view) {
  auto it = states().find(view);
  return it == states().end() ? std::vector<std::u16string>{} : it->second.families;
}

}  // namespace ui
