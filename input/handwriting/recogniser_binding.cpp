#include "input/handwriting/recogniser_binding.h"

namespace hw {

bool RecogniserBinding::load() {
  if (!lib_) lib_ = plat::loadLibrary("Stroka.dll");
  if (!lib_) return false;
  melInit_ = plat::bindFunction<recog::MelInitFn>(lib_, "Mel_Init");
  return melInit_ != nullptr;
}

int RecogniserBinding::init(int type) {
  if (!melInit_) return -1;
  int rc = melInit_(type);
  initialised_ = rc == 0;
  return rc;
}

int RecogniserBinding::close() {
  if (!lib_ || !initialised_) return -1;
  initialised_ = false;
  auto melClose = plat::bindFunction<recog::MelCloseFn>(lib_, "Mel_Close");
  return melClose ? melClose() : -1;
}

int RecogniserBinding::recognise(recog::StrokeInput& input, const std::vector<std::uint16_t>& x,
                                 const std::vector<std::uint16_t>& y, recog::RecogResult& result) {
  if (!lib_ || !initialised_ || x.empty() || x.size() != y.size()) return -1;
  auto melRecog = plat::bindFunction<recog::MelRecogFn>(lib_, "Mel_Recog");
  if (!melRecog) return -1;
  return melRecog(&input, x.data(), y.data(), &result);
}

}  // namespace hw
