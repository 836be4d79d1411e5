#include "apps/dictionary/html_writer.h"

namespace dict {

void HtmlWriter::beginPage() {
  buffer_.clear();
  sink_.clear();
}

void HtmlWriter::writeHtml(std::u16string_view text) {
  for (char16_t c : text) {
    buffer_.push_back(c);
    if (buffer_.size() == kBufferSize) flush();
  }
}

void HtmlWriter::flush() {
  if (buffer_.empty()) return;
  // A surrogate pair stays in one piece.
  char16_t last = buffer_.back();
  if (buffer_.size() > 1 && last >= 0xD800 && last <= 0xDBFF) {
    buffer_.pop_back();
    sink_.addText(buffer_);
    buffer_.assign(1, last);
    return;
  }
  sink_.addText(buffer_);
  buffer_.clear();
}

void HtmlWriter::endPage() {
  flush();
  sink_.endSource();
}

}  // namespace dict
