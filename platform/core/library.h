// Shared libraries of the program folder, loaded by name, with functions bound by name.
#pragma once
#include <string>
#include <string_view>

namespace plat {

using LibraryHandle = void*;  // nullptr: none

// Loads a library of the program folder by its name (".\Phonavel.dll", "Phonavel.dll" or
// "Phonavel"): the folder's file named so, or with ".so", or "lib" + name + ".so", without regard
// to case. Null when it is missing or cannot be loaded; lastError() and libraryErrorText() tell why.
LibraryHandle loadLibrary(std::string_view name);
// The function of that name, or null.
void* libraryFunction(LibraryHandle lib, const char* name);
template <class F>
F bindFunction(LibraryHandle lib, const char* name) {
  return reinterpret_cast<F>(libraryFunction(lib, name));
}
bool freeLibrary(LibraryHandle lib);
// The loader's text for the calling thread's last failure.
std::string libraryErrorText();

}  // namespace plat
