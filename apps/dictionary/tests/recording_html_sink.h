// Test helper: an HTML control that keeps the pieces it was given.
#pragma once
#include "apps/dictionary/html_writer.h"

#include <string>
#include <vector>

namespace dict {

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

}  // namespace dict
