// The font configuration library keeps caches it never frees; the leak checker is told so. Programs
// that carry the whole layer (suite_panel_host) get this with it.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
