#include "apps/translator/single_instance.h"

#include "apps/translator/translator_app.h"
#include "platform/core/clock.h"
#include "platform/core/window.h"

namespace orvale {

std::u16string instanceMutexName(std::u16string modulePath) {
  for (char16_t& c : modulePath) c = c == u'\\' ? u'/' : c;
  return modulePath;
}

bool claimSingleInstance(const std::u16string& modulePath, std::unique_ptr<plat::NamedMutex>& holder) {
  holder = plat::NamedMutex::create(instanceMutexName(modulePath));
  if (!holder || !holder->alreadyExisted()) return true;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0) plat::sleepMs(1000);
    if (plat::Hwnd running = plat::findWindow(u"Dialog", kDialogCaption)) {
      plat::setForegroundWindow(running);
      holder.reset();
      return false;
    }
  }
  return true;
}

}  // namespace orvale
