// The font configuration and message bus libraries keep buffers they never free; the leak checker
// is told so. Programs that carry the whole layer (suite_panel_host) get this with it.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
