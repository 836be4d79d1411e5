// Starts the peer program of test_helpers in the current runtime folder and finds its window.
#pragma once
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/process.h"
#include "platform/core/window.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

class PeerProgram {
 public:
  PeerProgram() {
    const char* bin = std::getenv("SUITE_BIN_DIR");
    plat::setProgramFolder(bin ? bin : "");
  }
  ~PeerProgram() {
    if (info.pid) {
      plat::terminateProcess(info);
      plat::waitForProcess(info, -1);
    }
    plat::setProgramFolder("");
  }
  PeerProgram(const PeerProgram&) = delete;
  PeerProgram& operator=(const PeerProgram&) = delete;

  // Starts "platform_core_peer CLASS TITLE OBJECT" and waits (real time, at most 10 s) for its window.
  bool start(const std::string& cls, const std::string& title, const std::string& object = "none") {
    if (!plat::startProgram("platform_core_peer", plat::utf8ToWide(cls + " " + title + " " + object), &info)) {
      return false;
    }
    for (int i = 0; i < 1000 && hwnd == 0; ++i) {
      hwnd = plat::findWindow(plat::utf8ToWide(cls), plat::utf8ToWide(title));
      if (hwnd == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return hwnd != 0;
  }

  // Kills the peer and reaps it.
  void kill() {
    plat::terminateProcess(info);
    plat::waitForProcess(info, -1);
  }

  plat::ProcessInfo info;
  plat::Hwnd hwnd = 0;
};
