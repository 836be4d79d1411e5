// Pages go to the HTML control through a buffer of 1,023 characters: each full buffer is one
// piece of source text.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace dict {

// What the HTML control is asked to do.
class HtmlSink {
 public:
  virtual ~HtmlSink() = default;
  virtual void clear() = 0;
  virtual void addText(std::u16string_view piece) = 0;
  virtual void endSource() = 0;
};

// Keeps what it was given: the pieces and the page they make.
class RecordingHtmlSink : public HtmlSink {
 public:
  void clear() override {
    pieces.clear();
    ended = false;
    ++clears;
  }
  void addText(std::u16string_view piece) override { pieces.emplace_back(piece); }
  void endSource() override { ended = true; }
  std::u16string text() const {
    std::u16string all;
    for (const auto& p : pieces) all += p;
    return all;
  }

  std::vector<std::u16string> pieces;
  bool ended = false;
  int clears = 0;
};

class HtmlWriter {
 public:
  static constexpr size_t kBufferSize = 1023;

  explicit HtmlWriter(HtmlSink& sink) : sink_(sink) {}
  void beginPage();
  void writeHtml(std::u16string_view text);
  void endPage();

 private:
  void flush();

  HtmlSink& sink_;
  std::u16string buffer_;
};

}  // namespace dict
