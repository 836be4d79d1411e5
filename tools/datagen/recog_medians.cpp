#include "tools/datagen/recog_medians.h"

#include "tools/common/tool_files.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace datagen {

namespace {

constexpr int kTopInFrame = 900;
constexpr std::size_t kRecogniserStrokes = 25;

struct Cursor {
  std::string_view s;
  std::size_t i = 0;
  void skipSpace() {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  }
  bool take(char c) {
    skipSpace();
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  bool peek(char c) {
    skipSpace();
    return i < s.size() && s[i] == c;
  }
  bool number(double& v) {
    skipSpace();
    std::size_t start = i;
    while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '-' || s[i] == '.' ||
                            s[i] == 'e' || s[i] == 'E' || s[i] == '+'))
      ++i;
    if (start == i) return false;
    try {
      v = std::stod(std::string(s.substr(start, i - start)));
    } catch (...) {
      return false;
    }
    return true;
  }
};

int frameCoordinate(double v) { return std::clamp(static_cast<int>(v + 0.5), 0, kMedianFrame - 1); }

bool parsePoint(Cursor& c, RecogPoint& p) {
  double x = 0, y = 0;
  if (!c.take('[') || !c.number(x) || !c.take(',') || !c.number(y) || !c.take(']')) return false;
  p.x = frameCoordinate(x);
  p.y = frameCoordinate(kTopInFrame - y);
  return true;
}

// A list of items "[ item, item ]" read by f; false on any fault.
template <typename F>
bool parseList(Cursor& c, F f) {
  if (!c.take('[')) return false;
  if (c.take(']')) return true;
  do {
    if (!f()) return false;
  } while (c.take(','));
  return c.take(']');
}

// A small deterministic generator for the jitter.
struct Jitter {
  std::uint32_t state;
  std::uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  // Uniform in [-range, range].
  double in(double range) { return (static_cast<double>(next() % 20001) / 10000.0 - 1.0) * range; }
};

// The hanzi ranges of each dictionary type's classes: GB2312 levels 1 and 2, Big5 hanzi, JIS X 0208
// levels 1 and 2 (code page 932's vendor rows beyond them are never returned by the recogniser).
bool isHanziCode(int type, std::uint16_t code) {
  switch (type) {
    case 0: return code >= 0x1001 && code <= 0x575E;
    case 1: return code >= 0xA440 && code <= 0xF9D5;
    case 2: return (code >= 0x889F && code <= 0x9872) || (code >= 0x989F && code <= 0xEAA4);
  }
  return false;
}

}  // namespace

std::vector<RecogStroke> medianInk(const std::vector<RecogStroke>& strokes, int box, std::uint32_t seed) {
  Jitter rng{seed ? seed * 2654435761u + 1 : 1};
  bool jitter = seed != 0;
  double margin = box / 10.0;
  double scale = (box - 2 * margin) / kMedianFrame;
  double shiftX = 0, shiftY = 0;
  if (jitter) {
    double shrink = 0.9 + rng.in(0.1);
    shiftX = (1 - shrink) * (box - 2 * margin) / 2 + rng.in(margin * 0.5);
    shiftY = (1 - shrink) * (box - 2 * margin) / 2 + rng.in(margin * 0.5);
    scale *= shrink;
  }
  auto place = [&](double v, double shift) {
    return std::clamp(static_cast<int>(margin + shift + v * scale + 0.5), 1, box - 1);
  };
  std::vector<RecogStroke> out;
  for (const RecogStroke& s : strokes) {
    double sx = jitter ? rng.in(3) : 0, sy = jitter ? rng.in(3) : 0;
    RecogStroke ink;
    auto add = [&](double x, double y) {
      double nx = jitter ? rng.in(1) : 0, ny = jitter ? rng.in(1) : 0;
      ink.push_back({place(x, shiftX + sx + nx), place(y, shiftY + sy + ny)});
    };
    add(s[0].x, s[0].y);
    for (std::size_t i = 1; i < s.size(); ++i) {
      double dx = s[i].x - s[i - 1].x, dy = s[i].y - s[i - 1].y;
      double length = std::max(std::fabs(dx), std::fabs(dy)) * scale;
      int steps = std::max(1, static_cast<int>(length / 2));
      for (int k = 1; k <= steps; ++k) add(s[i - 1].x + dx * k / steps, s[i - 1].y + dy * k / steps);
    }
    out.push_back(std::move(ink));
  }
  return out;
}

std::vector<RecogStroke> distortedMedianInk(const std::vector<RecogStroke>& strokes, int box, std::uint32_t seed,
                                           double strength) {
  Jitter rng{seed * 2654435761u + 0x9E3779B9u};
  if (rng.state == 0) rng.state = 1;
  const double px = strength * box / 80.0;  // one pixel of an 80-pixel box, at full strength
  const double margin = box / 10.0;
  const double fit = (box - 2 * margin) / kMedianFrame;
  const double centre = kMedianFrame / 2.0;
  // The character's transform about the frame's centre, in frame units.
  double scaleX = 1 - strength * (0.125 + rng.in(0.175)), scaleY = 1 - strength * (0.125 + rng.in(0.175));
  double turn = strength * rng.in(10.0) * 3.14159265358979 / 180.0, shear = strength * rng.in(0.15);
  double moveX = rng.in(6 * px), moveY = rng.in(6 * px);
  double c = std::cos(turn), s = std::sin(turn);
  std::vector<RecogStroke> out;
  for (const RecogStroke& stroke : strokes) {
    double strokeScale = 1.0 + strength * rng.in(0.15);
    double strokeX = rng.in(5 * px), strokeY = rng.in(5 * px);
    double cx = 0, cy = 0;
    for (const RecogPoint& p : stroke) {
      cx += p.x;
      cy += p.y;
    }
    cx /= static_cast<double>(stroke.size());
    cy /= static_cast<double>(stroke.size());
    // Frame point to box point, before the per-point noise.
    auto place = [&](double x, double y, double& bx, double& by) {
      x = cx + (x - cx) * strokeScale - centre;
      y = cy + (y - cy) * strokeScale - centre;
      x *= scaleX;
      y *= scaleY;
      x += shear * y;
      double rx = c * x - s * y, ry = s * x + c * y;
      bx = margin + (rx + centre) * fit + moveX + strokeX;
      by = margin + (ry + centre) * fit + moveY + strokeY;
    };
    RecogStroke ink;
    auto add = [&](double bx, double by) {
      auto clampTo = [&](double v) { return std::clamp(static_cast<int>(v + rng.in(2 * px) + 0.5), 1, box - 1); };
      int x = clampTo(bx);
      int y = clampTo(by);
      ink.push_back({x, y});
    };
    double x0 = 0, y0 = 0;
    place(stroke[0].x, stroke[0].y, x0, y0);
    add(x0, y0);
    for (std::size_t i = 1; i < stroke.size(); ++i) {
      double x1 = 0, y1 = 0;
      place(stroke[i].x, stroke[i].y, x1, y1);
      double length = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
      int steps = std::max(1, static_cast<int>(length / (2 * px)));
      for (int k = 1; k <= steps; ++k) add(x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps);
      x0 = x1;
      y0 = y1;
    }
    out.push_back(std::move(ink));
  }
  return out;
}

bool parseMedians(std::string_view json, std::vector<RecogStroke>& strokes) {
  strokes.clear();
  std::size_t at = json.find("\"medians\"");
  if (at == std::string_view::npos) return false;
  Cursor c{json, at + 9};
  if (!c.take(':')) return false;
  bool ok = parseList(c, [&] {
    RecogStroke stroke;
    if (!parseList(c, [&] {
          RecogPoint p;
          if (!parsePoint(c, p)) return false;
          stroke.push_back(p);
          return true;
        }))
      return false;
    if (stroke.empty()) return false;
    strokes.push_back(std::move(stroke));
    return true;
  });
  return ok && !strokes.empty();
}

bool readMedianFolder(const std::string& folder, std::vector<MedianCharacter>& out, std::string* error) {
  out.clear();
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) {
    if (error) *error = folder + ": " + ec.message();
    return false;
  }
  for (const auto& entry : it) {
    if (entry.path().extension() != ".json") continue;
    std::string stem = entry.path().stem().string();
    // Only records named by one character (the package's own files are not).
    if (stem.empty() || static_cast<unsigned char>(stem[0]) < 0x80) continue;
    std::string text;
    MedianCharacter ch;
    ch.character = stem;
    if (!tools::readFile(entry.path().string(), text) || !parseMedians(text, ch.strokes)) {
      if (error) *error = entry.path().string() + ": no stroke medians";
      return false;
    }
    out.push_back(std::move(ch));
  }
  std::sort(out.begin(), out.end(),
            [](const MedianCharacter& a, const MedianCharacter& b) { return a.character < b.character; });
  return true;
}

RecogTemplateSet medianTemplates(int type, const std::vector<MedianCharacter>& characters) {
  RecogTemplateSet set;
  set.type = type;
  set.boxWidth = kMedianFrame;
  set.boxHeight = kMedianFrame;
  for (const MedianCharacter& ch : characters) {
    std::uint16_t code = recogCharacterCode(type, ch.character);
    if (!isHanziCode(type, code)) continue;
    RecogTemplate t;
    t.code = code;
    t.strokes.assign(ch.strokes.begin(), ch.strokes.begin() + std::min(ch.strokes.size(), kRecogniserStrokes));
    set.templates.push_back(std::move(t));
  }
  std::sort(set.templates.begin(), set.templates.end(),
            [](const RecogTemplate& a, const RecogTemplate& b) { return a.code < b.code; });
  return set;
}

}  // namespace datagen
