// The three entry points of the shared library Synparse.
#include "platform/synparse/parse_text.h"

extern "C" {

__attribute__((visibility("default"))) int InitJpnParse(const char16_t* dictionaryPath) {
  return synparse::initParser(dictionaryPath);
}

__attribute__((visibility("default"))) int JpnParse(int, const char16_t* morphPath, char* buffer, int) {
  return synparse::parseMorphFile(morphPath, buffer);
}

__attribute__((visibility("default"))) void TerminateJpnParse() { synparse::terminateParser(); }

}  // extern "C"
