// Drives the programs on a display for pictures of their screens, as scripts/screenshots.sh uses it:
//   screen_helper select {class id}       makes an input method current
//   screen_helper show 0|1                 lowers or raises the input panel
//   screen_helper post TITLE ID            posts a command to the program's window of that title
//   screen_helper close TITLE              asks the program's window of that title to close
//   screen_helper wait TITLE               waits (up to 20 s) until such a window exists
//   screen_helper grab FILE [W H [X Y]]    saves the display (its W × H from the top left, or from
//                                          X, Y) as a PNG
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/core/codepage.h"
#include "platform/core/input_method.h"
#include "platform/core/window.h"

namespace {

plat::Hwnd findTitled(const std::string& title) {
  std::u16string t = plat::utf8ToWide(title);
  for (plat::Hwnd h : plat::findWindows(u"", t)) return h;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s select ID | show 0|1 | post TITLE ID | close TITLE | wait TITLE | grab FILE [W H [X Y]]\n", argv[0]);
    return 2;
  }
  const std::string verb = argv[1];
  if (verb == "select" && argc == 3) {
    auto id = plat::parseClassId(std::string_view(argv[2]));
    return id && plat::selectInputMethod(*id) ? 0 : 1;
  }
  if (verb == "show" && argc == 3) return plat::setInputPanelShown(std::string(argv[2]) == "1") ? 0 : 1;
  if (verb == "post" && argc == 4) {
    plat::Hwnd h = findTitled(argv[2]);
    if (!h) return 1;
    return plat::postMessage(h, plat::kWmCommand, static_cast<std::uint32_t>(std::atoi(argv[3])), 0) ? 0 : 1;
  }
  if (verb == "close" && argc == 3) {
    plat::Hwnd h = findTitled(argv[2]);
    return h && plat::postMessage(h, plat::kWmClose, 0, 0) ? 0 : 1;
  }
  if (verb == "wait" && argc == 3) {
    for (int i = 0; i < 200; ++i) {
      if (findTitled(argv[2])) return 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 1;
  }
  if (verb == "grab" && (argc == 3 || argc == 5 || argc == 7)) {
    int one = 1;
    char name[] = "screen_helper";
    char* args[] = {name, nullptr};
    QGuiApplication app(one, args);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 1;
    QPixmap shot = screen->grabWindow(0);
    if (argc >= 5) {
      const int x = argc == 7 ? std::atoi(argv[5]) : 0, y = argc == 7 ? std::atoi(argv[6]) : 0;
      shot = shot.copy(x, y, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    return shot.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  return 2;
}
