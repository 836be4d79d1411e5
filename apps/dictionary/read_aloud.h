// Reading a text aloud through the speech reader. The viewer asks through this one seam: a
// request, and the reader's word that the reading has ended.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/window.h"

namespace dict {

class ReadAloud {
 public:
  virtual ~ReadAloud() = default;
  // Asks the reader to read the text once; requester gets the reader's messages.
  virtual void speak(plat::Hwnd requester, std::u16string_view text) = 0;
  // The reader said the reading has ended.
  virtual void finished() = 0;
};

inline constexpr char16_t kReaderWindow[] = u"TALVENRO_VOCRA";
inline constexpr char16_t kReadingMutex[] = u"Vocra_Reading";

// The requester: the mutex, the request file in the program folder, the reader found or started
// with the speech data folder (a device path) as its command line.
std::unique_ptr<ReadAloud> makeReaderRequester(std::u16string speechDataFolder);

}  // namespace dict
