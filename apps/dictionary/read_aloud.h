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

// The speech reader's requester, with the speech data folder (a device path) as the command line
// of a reader it starts.
std::unique_ptr<ReadAloud> makeReaderRequester(std::u16string speechDataFolder);

}  // namespace dict
