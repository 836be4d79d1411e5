// Test helper: records message boxes and beeps and answers them.
#pragma once
#include "platform/core/notify.h"

#include <string>
#include <vector>

namespace plat {

struct RecordedMessage {
  std::u16string text;
  std::u16string caption;
  unsigned flags;
};

class NotifyRecorder {
 public:
  explicit NotifyRecorder(int answer = kIdOk) : answer_(answer) {
    NotifyHook h;
    h.messageBox = [this](const std::u16string& t, const std::u16string& c, unsigned f) {
      messages.push_back({t, c, f});
      return answer_;
    };
    h.beep = [this](unsigned type) { beeps.push_back(type); };
    previous_ = setNotifyHook(h);
  }
  ~NotifyRecorder() { setNotifyHook(previous_); }
  NotifyRecorder(const NotifyRecorder&) = delete;
  NotifyRecorder& operator=(const NotifyRecorder&) = delete;

  void setAnswer(int answer) { answer_ = answer; }

  std::vector<RecordedMessage> messages;
  std::vector<unsigned> beeps;

 private:
  int answer_;
  NotifyHook previous_;
};

}  // namespace plat
