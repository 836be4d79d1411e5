// A temporary runtime folder (sockets, window files, named objects) for one test, removed
// afterwards. Messaging of this process starts again in it.
#pragma once
#include <string>

namespace datagen {

class TempRuntime {
 public:
  TempRuntime();
  ~TempRuntime();
  TempRuntime(const TempRuntime&) = delete;
  TempRuntime& operator=(const TempRuntime&) = delete;

  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  std::string previous_;
  bool hadPrevious_ = false;
};

}  // namespace datagen
