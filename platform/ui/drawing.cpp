// Bitmaps, image lists, painters, and the windows of the programs' own classes (they draw
// themselves on a picture and hear the pen as mouse messages).
#include "platform/ui/drawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QResizeEvent>

#include <map>

#include "platform/core/resources.h"
#include "platform/ui/fonts.h"
#include "platform/ui/window_impl.h"

namespace ui {

struct Painter::Impl {
  QImage* target = nullptr;
  QPainter painter;
};

struct PainterAccess {
  static Painter* make(QImage* image) {
    auto* p = new Painter(0);
    p->impl_->target = image;
    p->impl_->painter.begin(image);
    return p;
  }
};

}  // namespace ui

namespace ui::impl {
namespace {

struct ImageList {
  QImage strip;
  int width = 0;
  Color mask;
};

std::map<int, QImage>& bitmaps() {
  static auto* m = new std::map<int, QImage>;
  return *m;
}
std::map<int, ImageList>& imageLists() {
  static auto* m = new std::map<int, ImageList>;
  return *m;
}
int gNextBitmap = 1;
std::map<Hwnd, Painter*> gWindowPainters;
int gNextList = 1;
Hwnd gCapture = 0;

QColor qc(Color c) { return QColor(c.r, c.g, c.b); }

class GenericWidget : public QWidget {
 public:
  GenericWidget(Hwnd h, QWidget* parent) : QWidget(parent, parent ? Qt::Widget : Qt::Window), hwnd_(h) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    WinRec* r = rec(hwnd_);
    if (!r) return;
    QImage pic(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    pic.fill(Qt::white);
    if (!r->picture.isNull()) {
      QPainter cp(&pic);
      cp.drawImage(0, 0, r->picture);
    }
    {
      std::unique_ptr<Painter> painter(painterOn(&pic));
      gWindowPainters[hwnd_] = painter.get();
      plat::sendMessage(hwnd_, kWmPaint, 0, 0);
      gWindowPainters.erase(hwnd_);
    }
    if (!(r = rec(hwnd_))) return;
    r->picture = pic;
    QPainter p(this);
    p.drawImage(0, 0, pic);
  }
  void mousePressEvent(QMouseEvent* e) override { mouse(kWmLButtonDown, e); }
  void mouseReleaseEvent(QMouseEvent* e) override { mouse(kWmLButtonUp, e); }
  void mouseMoveEvent(QMouseEvent* e) override { mouse(kWmMouseMove, e); }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    if (rec(hwnd_)) plat::sendMessage(hwnd_, kWmSize, 0, makeLParam(width(), height()));
  }

 private:
  void mouse(unsigned msg, QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::NoButton) return;
    QPoint at = e->position().toPoint();
    Hwnd target = hwnd_;
    if (gCapture && gCapture != hwnd_) {
      if (QWidget* cw = widgetOf(gCapture)) {
        target = gCapture;
        at = cw->mapFromGlobal(e->globalPosition().toPoint());
      }
    }
    unsigned keys = (e->buttons() & Qt::LeftButton) ? 1 : 0;
    plat::sendMessage(target, msg, keys, makeLParam(at.x(), at.y()));
  }

  Hwnd hwnd_;
};

}  // namespace

QWidget* makeGenericWidget(WinRec& r, QWidget* parent) {
  auto* w = new GenericWidget(r.hwnd, parent);
  w->setVisible(false);
  return w;
}

Painter* painterOn(QImage* image) { return PainterAccess::make(image); }
void releasePainter(Painter* p) { delete p; }

QImage* bitmapImage(Bitmap b) {
  auto it = bitmaps().find(b);
  return it == bitmaps().end() ? nullptr : &it->second;
}

Bitmap storeBitmap(QImage image) {
  int id = gNextBitmap++;
  bitmaps()[id] = image.convertToFormat(QImage::Format_RGB32);
  return id;
}

QImage imageListImage(int list, int index) {
  auto it = imageLists().find(list);
  if (it == imageLists().end() || index < 0) return {};
  const ImageList& l = it->second;
  if (l.width <= 0 || (index + 1) * l.width > l.strip.width()) return {};
  QImage img = l.strip.copy(index * l.width, 0, l.width, l.strip.height()).convertToFormat(QImage::Format_ARGB32);
  QRgb mask = qRgb(l.mask.r, l.mask.g, l.mask.b);
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if ((img.pixel(x, y) & 0xFFFFFF) == (mask & 0xFFFFFF)) img.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
  }
  return img;
}


}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

Bitmap createBitmap(int width, int height, Color fill) {
  if (width <= 0 || height <= 0) return 0;
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(qc(fill));
  return storeBitmap(img);
}

Bitmap loadBitmap(std::string_view bytes) {
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP")) return 0;
  return storeBitmap(img);
}

Bitmap loadBitmapResource(unsigned id) {
  plat::ResourceData d = plat::findResource("BITMAP", id);
  return d ? loadBitmap(d.bytes()) : 0;
}

Point bitmapSize(Bitmap b) {
  QImage* img = bitmapImage(b);
  return img ? Point{img->width(), img->height()} : Point{};
}

Color bitmapPixel(Bitmap b, int x, int y) {
  QImage* img = bitmapImage(b);
  if (!img || !img->valid(x, y)) return {};
  QRgb p = img->pixel(x, y);
  return Color{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)), static_cast<std::uint8_t>(qBlue(p))};
}

void deleteBitmap(Bitmap b) { bitmaps().erase(b); }

int createImageList(Bitmap strip, int imageWidth, Color mask) {
  QImage* img = bitmapImage(strip);
  if (!img || imageWidth <= 0) return 0;
  int id = gNextList++;
  imageLists()[id] = ImageList{*img, imageWidth, mask};
  return id;
}

int imageCount(int list) {
  auto it = imageLists().find(list);
  if (it == imageLists().end() || it->second.width <= 0) return 0;
  return it->second.strip.width() / it->second.width;
}

Bitmap imageListBitmap(int list, int index) {
  QImage img = imageListImage(list, index);
  if (img.isNull()) return 0;
  QImage out(img.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  p.drawImage(0, 0, img);
  p.end();
  return storeBitmap(out);
}

bool imageTransparent(int list, int index, int x, int y) {
  QImage img = imageListImage(list, index);
  return !img.isNull() && img.valid(x, y) && qAlpha(img.pixel(x, y)) == 0;
}

Painter::Painter(Bitmap target) : impl_(std::make_unique<Impl>()) {
  if (QImage* img = bitmapImage(target)) {
    impl_->target = img;
    impl_->painter.begin(img);
  }
}

Painter::~Painter() {
  if (impl_->painter.isActive()) impl_->painter.end();
}

void Painter::fillRect(Rect r, Color c) {
  if (impl_->target) impl_->painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), qc(c));
}

void Painter::frameRect(Rect r, Color c) {
  if (!impl_->target) return;
  impl_->painter.setPen(qc(c));
  impl_->painter.setBrush(Qt::NoBrush);
  impl_->painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

void Painter::invertRect(Rect r) {
  if (!impl_->target) return;
  QPainter::CompositionMode old = impl_->painter.compositionMode();
  impl_->painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  impl_->painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), Qt::white);
  impl_->painter.setCompositionMode(old);
}

void Painter::drawLine(Point a, Point b, Color c, int width) {
  if (!impl_->target) return;
  impl_->painter.setPen(QPen(qc(c), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  impl_->painter.drawLine(a.x, a.y, b.x, b.y);
}

void Painter::fillPolygon(const Point* points, int count, Color c) {
  if (!impl_->target || count < 3) return;
  QPolygon poly;
  for (int i = 0; i < count; ++i) poly << QPoint(points[i].x, points[i].y);
  impl_->painter.setPen(qc(c));
  impl_->painter.setBrush(qc(c));
  impl_->painter.drawPolygon(poly);
}

void Painter::setPixel(Point p, Color c) {
  if (impl_->target && impl_->target->valid(p.x, p.y)) {
    impl_->painter.end();
    impl_->target->setPixel(p.x, p.y, qRgb(c.r, c.g, c.b));
    impl_->painter.begin(impl_->target);
  }
}

void Painter::drawText(Rect r, std::u16string_view text, Font font, Color c, int align) {
  if (!impl_->target) return;
  if (fontExists(font)) impl_->painter.setFont(fontOf(font));
  impl_->painter.setPen(qc(c));
  int flags = Qt::AlignVCenter | (align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft);
  impl_->painter.drawText(QRect(r.left, r.top, r.width(), r.height()), flags, toQ(text));
}

void Painter::drawBitmap(Point at, Bitmap b) {
  if (QImage* img = bitmapImage(b); img && impl_->target) impl_->painter.drawImage(at.x, at.y, *img);
}

void Painter::drawBitmapScaled(Rect to, Bitmap b) {
  if (QImage* img = bitmapImage(b); img && impl_->target)
    impl_->painter.drawImage(QRect(to.left, to.top, to.width(), to.height()), *img);
}

void Painter::drawImage(Point at, int imageList, int index) {
  QImage img = imageListImage(imageList, index);
  if (!img.isNull() && impl_->target) impl_->painter.drawImage(at.x, at.y, img);
}

Painter* windowPainter(Hwnd hwnd) {
  auto it = gWindowPainters.find(hwnd);
  if (it != gWindowPainters.end()) return it->second;
  return nullptr;
}

void setCapture(Hwnd hwnd) {
  gCapture = hwnd;
  if (QWidget* w = widgetOf(hwnd)) w->grabMouse();
}

void releaseCapture() {
  if (QWidget* w = widgetOf(gCapture)) w->releaseMouse();
  gCapture = 0;
}

}  // namespace ui
