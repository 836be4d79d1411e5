// Pages go to the HTML control through a buffer of 1,023 characters: each full buffer is one
// piece of source text.
#pragma once
#include <string>
#include <string_view>

namespace dict {

// What the HTML control is asked to do.
class HtmlSink {
 public:
  virtual ~HtmlSink() = default;
  virtual void clear() = 0;
  virtual void addText(std::u16string_view piece) = 0;
  virtual void endSource() = 0;
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
