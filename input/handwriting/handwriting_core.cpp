#include "input/handwriting/handwriting_core.h"

#include "platform/core/notify.h"

namespace hw {

namespace {

int recogniserType(std::uint32_t charset) { return charset != 0 ? 1 : 0; }

}  // namespace

HandwritingCore::HandwritingCore(PanelHost& host, std::vector<PanelKey> keys, std::u16string initErrorCaption)
    : host_(host), keys_(std::move(keys)), initErrorCaption_(std::move(initErrorCaption)) {}

void HandwritingCore::select(int dotsPerInch) {
  dpi_ = dotsPerInch < 1 ? 96 : dotsPerInch;
  charset_ = readCharset();
  int rc = recogniser_.load() ? recogniser_.init(fixedType_ >= 0 ? fixedType_ : recogniserType(charset_)) : -1;
  if (rc != 0) {
    plat::messageBeep(0);
    plat::messageBox(u"初期化エラー\n", initErrorCaption_, plat::kMbOk);
  }
  tables_ = locateCodeTables();
}

void HandwritingCore::deselect() { recogniser_.close(); }

std::uint32_t HandwritingCore::readCharset() {
  std::uint32_t value = 0;
  host_.readSetting("Charset", value);
  return value;
}

bool HandwritingCore::switchCharset(std::uint32_t charset) {
  if (fixedType_ >= 0 || (charset != 0) == (charset_ != 0)) {
    charset_ = charset;
    return false;
  }
  recogniser_.close();
  recogniser_.init(recogniserType(charset));
  charset_ = charset;
  return true;
}

std::vector<std::uint16_t> HandwritingCore::recogniseInk(int boxWidth, int boxHeight) {
  std::vector<std::uint16_t> codes;
  if (ink_.strokeCount() == 0) return codes;
  recog::StrokeInput input{};
  input.strokeCount = static_cast<std::uint8_t>(ink_.strokeCount());
  for (int i = 0; i < ink_.strokeCount(); ++i) input.pointCounts[i] = ink_.strokePoints()[i];
  input.boxWidth = static_cast<std::uint16_t>(boxWidth);
  input.boxHeight = static_cast<std::uint16_t>(boxHeight);
  input.classMask = traditional() && fixedType_ < 0 ? static_cast<std::uint8_t>(classMask_ >> 2) : classMask_;
  // The open stroke's points are not passed: only closed strokes count.
  std::vector<std::uint16_t> x(ink_.x().begin(), ink_.x().end() - ink_.openStrokePoints());
  std::vector<std::uint16_t> y(ink_.y().begin(), ink_.y().end() - ink_.openStrokePoints());
  recog::RecogResult result{};
  if (recogniser_.recognise(input, x, y, result) != 0) return codes;
  for (int i = 0; i < result.count && i < recog::kMaxCandidates; ++i) codes.push_back(result.candidates[i].code);
  return codes;
}

bool HandwritingCore::accepted(InkStatus status) {
  switch (status) {
    case InkStatus::Ok:
      return true;
    case InkStatus::TooManyStrokes:
      plat::messageBox(kTooManyStrokesText, kInkErrorCaption, plat::kMbOk);
      return false;
    case InkStatus::TooManyPoints:
      // Once per stroke: the pen keeps moving while the box is up.
      if (!pointLimitShown_) plat::messageBox(kTooManyPointsText, kInkErrorCaption, plat::kMbOk);
      pointLimitShown_ = true;
      return false;
  }
  return false;
}

HalfWidthKeys HandwritingCore::halfWidthKeys() const {
  HalfWidthKeys k;
  for (const PanelKey& key : keys_) {
    if (!(key.flags & kKeyPressed)) continue;
    if (key.role == KeyRole::HalfWidth) k.halfWidth = true;
    if (key.role == KeyRole::ClassKey && (key.flags & kKeyClassBits) == 0x40) k.symbols = true;
    if (key.role == KeyRole::ClassKey && (key.flags & kKeyClassBits) == 0x18) k.letters = true;
  }
  return k;
}

void HandwritingCore::releaseLatched(PanelKey& key) {
  key.flags &= ~kKeyPressed;
  if (key.role == KeyRole::ClassKey) classMask_ = kAllClasses;
  host_.repaint(key.flags & kKeyRepaint ? PanelArea::WholePanel : PanelArea::Keys);
}

void HandwritingCore::pressClassKey(int index) {
  for (int i = 0; i < static_cast<int>(keys_.size()); ++i) {
    if (i != index && keys_[i].role == KeyRole::ClassKey) keys_[i].flags &= ~kKeyPressed;
  }
  classMask_ = static_cast<std::uint8_t>(keys_[index].flags & kKeyClassBits);
}

void HandwritingCore::releaseMomentaryKeys() {
  bool any = false;
  for (PanelKey& k : keys_) {
    if ((k.flags & kKeyPressed) && !(k.flags & kKeyLatching)) {
      k.flags &= ~kKeyPressed;
      any = true;
    }
  }
  if (any) host_.repaint(PanelArea::Keys);
}

}  // namespace hw
