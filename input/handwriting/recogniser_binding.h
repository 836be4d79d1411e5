// The recogniser library loaded by name: "Mel_Init" bound at selection, "Mel_Recog" and
// "Mel_Close" bound at each use. A missing library or entry point, or a failed Mel_Init, makes
// every recognition come back empty.
#pragma once
#include "input/recogniser/recogniser_api.h"
#include "platform/core/library.h"

#include <cstdint>
#include <vector>

namespace hw {

class RecogniserBinding {
 public:
  // Loads "Stroka.dll" (once; it stays loaded) and binds Mel_Init; false when either is missing.
  bool load();
  // Mel_Init with the type; its result, or -1 when it cannot be called.
  int init(int type);
  // Mel_Close when the recogniser was initialised; its result, or -1.
  int close();
  // Mel_Recog; -1 when it cannot be called or nothing is loaded, else its result.
  int recognise(recog::StrokeInput& input, const std::vector<std::uint16_t>& x, const std::vector<std::uint16_t>& y,
                recog::RecogResult& result);
  bool ready() const { return initialised_; }

 private:
  plat::LibraryHandle lib_ = nullptr;
  recog::MelInitFn melInit_ = nullptr;
  bool initialised_ = false;
};

}  // namespace hw
