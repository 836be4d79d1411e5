// The engine the tests of a program share: started on a test folder by the fixtures, and the
// engine every sentence of the notation is translated by.
#pragma once
#include "engine/cj/analysis/engine_data.h"

namespace cjtest {

inline cj::CjEngine& engine() {
  static cj::CjEngine e;
  return e;
}

}  // namespace cjtest
