// A second program for the two-process tests. Command line: "CLASS TITLE OBJECTNAME". It opens a
// window of that class and title and answers the messages of peer.h until its window is closed.
#include "platform/core/codepage.h"
#include "platform/core/named_mapping.h"
#include "platform/core/named_mutex.h"
#include "platform/core/process.h"
#include "platform/core/test_helpers/peer.h"
#include "platform/core/window.h"

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::u16string gObjectName;
std::unique_ptr<plat::NamedMutex> gMutex;
std::unique_ptr<plat::NamedMapping> gMapping;
int gForegroundCount = 0;

std::intptr_t peerProc(plat::Hwnd hwnd, unsigned msg, std::uint32_t w, std::int32_t l) {
  switch (msg) {
    case peer::kPing:
      return static_cast<std::intptr_t>(w) + l;
    case peer::kSendBack:
      return plat::sendMessage(w, peer::kAnswerMe, 7, 0) + 1000;
    case peer::kPostBack:
      return plat::postMessage(w, peer::kPosted, static_cast<std::uint32_t>(l), 0) ? 1 : 0;
    case peer::kForegroundCount:
      return gForegroundCount;
    case peer::kMutexOpen:
      gMutex = plat::NamedMutex::create(gObjectName);
      return gMutex ? (gMutex->alreadyExisted() ? 1 : 0) : -1;
    case peer::kMutexClose:
      gMutex.reset();
      return 1;
    case peer::kMapWrite: {
      gMapping = plat::NamedMapping::create(gObjectName, 1024);
      if (!gMapping) return -1;
      plat::MappingView v = gMapping->map(true);
      if (!v) return -1;
      std::memcpy(v.data(), &w, sizeof w);
      return gMapping->alreadyExisted() ? 1 : 0;
    }
    case peer::kMapRead: {
      if (!gMapping) return -1;
      plat::MappingView v = gMapping->map(false);
      if (!v) return -1;
      std::uint32_t value;
      std::memcpy(&value, v.data(), sizeof value);
      return value;
    }
    case peer::kMapClose:
      gMapping.reset();
      return 1;
    case plat::kWmDestroy:
      plat::postQuitMessage(peer::kExitCode);
      return 0;
    default:
      return plat::defWindowProc(hwnd, msg, w, l);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::istringstream words(plat::wideToUtf8(plat::processCommandLine(argc, argv)));
  std::string cls, title, object;
  words >> cls >> title >> object;
  gObjectName = plat::utf8ToWide(object);
  plat::registerWindowClass(plat::utf8ToWide(cls), peerProc);
  plat::Hwnd hwnd = plat::createWindow(plat::utf8ToWide(cls), plat::utf8ToWide(title));
  if (!hwnd) return 2;
  plat::setForegroundHook([hwnd](plat::Hwnd h) {
    if (h == hwnd) ++gForegroundCount;
  });
  return plat::runMessageLoop();
}
