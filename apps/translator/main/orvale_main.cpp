// Orvale, the translator program.
#include <cstdio>
#include <memory>

#include "apps/translator/single_instance.h"
#include "apps/translator/translator_app.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/ui/app.h"

int main() {
  if (!ui::initApplication()) {
    std::fprintf(stderr, "Orvale: no display (set DISPLAY, or QT_QPA_PLATFORM=vnc, or run under xvfb-run)\n");
    return 1;
  }
  std::unique_ptr<plat::NamedMutex> instance;
  if (!orvale::claimSingleInstance(plat::utf8ToWide(plat::programFolder() + "/Orvale"), instance)) return 0;
  orvale::CTranslatorApp app;
  app.InitInstance();
  return app.ExitInstance();
}
