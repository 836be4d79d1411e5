// Sernick: the dictionary viewer.
#include "apps/dictionary/dialog/dictionary_dlg.h"

int main() {
  dict::CDictionaryApp app;
  return app.initInstance() ? 0 : 1;
}
