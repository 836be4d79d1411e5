// Another program for the panel host's tests. Command line: "select {class id}", "show 0|1", or
// "place" (raises the panel at the viewer's rectangle).
// It changes the device's input method as the refresher or the viewer would, then ends.
#include "platform/core/codepage.h"
#include "platform/core/input_method.h"
#include "platform/core/process.h"

#include <sstream>
#include <string>

int main(int argc, char** argv) {
  std::istringstream words(plat::wideToUtf8(plat::processCommandLine(argc, argv)));
  std::string verb, arg;
  words >> verb >> arg;
  if (verb == "select") {
    auto id = plat::parseClassId(std::string_view(arg));
    return id && plat::selectInputMethod(*id) ? 0 : 1;
  }
  if (verb == "show") return plat::setInputPanelShown(arg == "1") ? 0 : 1;
  if (verb == "place") return plat::setInputPanelPlacement(true, {0, 121, 239, 293}, {0, 0, 239, 160}) ? 0 : 1;
  return 2;
}
