#include "platform/core/library.h"

#include "platform/core/process.h"

#include <dlfcn.h>

#include <cerrno>

namespace plat {
namespace {

thread_local std::string tLibraryError;

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace

LibraryHandle loadLibrary(std::string_view name) {
  auto pos = name.find_last_of("\\/");
  std::string file(pos == std::string_view::npos ? name : name.substr(pos + 1));
  std::string base = file;
  if (lower(base).ends_with(".dll")) base.resize(base.size() - 4);
  std::string path = detail::findInProgramFolder({file, base + ".so", "lib" + base + ".so", base});
  if (path.empty()) {
    detail::setLastError(ENOENT);
    tLibraryError = "no library " + file + " in the program folder";
    return nullptr;
  }
  void* lib = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    detail::setLastError(ENOEXEC);
    const char* err = ::dlerror();
    tLibraryError = err ? err : "cannot load " + path;
  }
  return lib;
}

void* libraryFunction(LibraryHandle lib, const char* name) {
  if (!lib || !name) return nullptr;
  ::dlerror();
  void* f = ::dlsym(lib, name);
  if (!f) {
    const char* err = ::dlerror();
    tLibraryError = err ? err : std::string("no function ") + name;
  }
  return f;
}

bool freeLibrary(LibraryHandle lib) { return lib && ::dlclose(lib) == 0; }

std::string libraryErrorText() { return tLibraryError; }

}  // namespace plat
