// Entry points of the parser library Synparse, bound by name ("InitJpnParse", "JpnParse",
// "TerminateJpnParse").
#pragma once

namespace synparse {

inline constexpr int kParseBufferSize = 4096;

// Parser dictionary path (a folder ending in a separator, or the data file itself); 0 = success.
using InitJpnParseFn = int (*)(const char16_t* dictionaryPath);
// (0, MORPH.TMP path, 4,096-byte parse buffer, 0); 0 when the parse text was written.
using JpnParseFn = int (*)(int mode, const char16_t* morphPath, char* buffer, int flags);
using TerminateJpnParseFn = void (*)();

enum ParseStatus {
  kParseOk = 0,
  kParseNotInitialised = -1,
  kParseOpenError = -2,
  kParseBadMorphFile = -3,
  kParseBufferTooSmall = -4,
  kParseBadArgument = -5,
  kParseBadDictionary = -6,  // the word data is there but empty, cut or unreadable
};

}  // namespace synparse
