// Registers input panels as an installer does: loads each named library of the program folder
// and calls its DllRegisterServer.
//   regpanel Quillpin [Brusca Lookra]
#include <cstdio>
#include <string>

#include "input/panel-common/com_frame.h"
#include "platform/core/library.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <panel library>...\n", argv[0]);
    return 2;
  }
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    plat::LibraryHandle lib = plat::loadLibrary(argv[i]);
    auto reg = plat::bindFunction<com::HResult (*)()>(lib, "DllRegisterServer");
    if (!reg) {
      std::fprintf(stderr, "regpanel: %s: %s\n", argv[i], lib ? "no DllRegisterServer" : plat::libraryErrorText().c_str());
      ++failures;
      continue;
    }
    com::HResult hr = reg();
    if (hr != com::kSOk) {
      std::fprintf(stderr, "regpanel: %s: registration failed (0x%08X)\n", argv[i], static_cast<unsigned>(hr));
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
