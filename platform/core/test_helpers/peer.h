// Messages understood by the peer program that the two-process tests start.
#pragma once

namespace peer {

enum : unsigned {
  kPing = 0x400,         // returns wParam + lParam
  kSendBack = 0x401,     // sends kAnswerMe (7, 0) to window wParam, returns its result + 1000
  kPostBack = 0x402,     // posts kPosted (lParam, 0) to window wParam
  kForegroundCount = 0x404,  // how often this window was brought to the front
  kMutexOpen = 0x405,    // opens the named mutex and keeps it: 1 when it already existed, else 0
  kMutexClose = 0x406,   // closes it
  kMapWrite = 0x407,     // opens the mapping (1,024 bytes), writes wParam at offset 0: 1 when it existed
  kMapRead = 0x408,      // returns the 32-bit value at offset 0 of the mapping
  kMapClose = 0x409,     // closes the mapping
  kAnswerMe = 0x410,
  kPosted = 0x411,
};

// Exit code of the peer when its window was closed.
inline constexpr int kExitCode = 42;

}  // namespace peer
