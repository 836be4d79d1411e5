// A recording host, the recogniser library from the build's program folder, and dictionaries
// written from templates into a temporary device.
#pragma once
#include "input/handwriting/panel_host.h"
#include "tools/recogniser_dicgen/template_features.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace hwtest {

struct CharEvent {
  unsigned virtualKey;
  unsigned keyState;
  char16_t character;
  bool operator==(const CharEvent&) const = default;
};

// What the panel sent, in order: strings as they are, key events as "<vk>".
class RecordingHost : public hw::PanelHost {
 public:
  void sendString(std::u16string_view text) override {
    strings.emplace_back(text);
    log.emplace_back(text);
  }
  void sendCharEvents(unsigned vk, unsigned state, char16_t ch) override {
    events.push_back({vk, state, ch});
    std::u16string entry = u"<";
    for (char c : std::to_string(vk)) entry.push_back(static_cast<char16_t>(c));
    log.push_back(entry + u">");
  }
  bool readSetting(std::string_view name, std::uint32_t& value) override {
    auto it = settings.find(std::string(name));
    if (it == settings.end()) return false;
    value = it->second;
    return true;
  }
  void startTimer(unsigned ms) override {
    timerMs = static_cast<int>(ms);
    ++timerStarts;
  }
  void stopTimer() override { timerMs = -1; }
  void repaint(hw::PanelArea area) override { ++repaints[static_cast<int>(area)]; }

  std::vector<std::u16string> strings;
  std::vector<CharEvent> events;
  std::vector<std::u16string> log;
  std::map<std::string, std::uint32_t> settings;
  int timerMs = -1;  // -1: not running
  int timerStarts = 0;
  std::map<int, int> repaints;
};

inline std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Message boxes recorded, answered OK.
struct Boxes {
  std::vector<std::pair<std::u16string, std::u16string>> shown;  // text, caption
  plat::NotifyHook previous;
  Boxes() {
    plat::NotifyHook hook;
    hook.messageBox = [this](const std::u16string& text, const std::u16string& caption, unsigned) {
      shown.emplace_back(text, caption);
      return static_cast<int>(plat::kIdOk);
    };
    hook.beep = [](unsigned) {};
    previous = plat::setNotifyHook(hook);
  }
  ~Boxes() { plat::setNotifyHook(previous); }
};

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    previousFolder_ = plat::programFolder();
    plat::setProgramFolder(bin);
    datagen::registerConversionTables();
  }
  void TearDown() override { plat::setProgramFolder(previousFolder_); }

  // Writes the dictionary of a template text at the device root.
  void writeDictionary(const std::string& templates) {
    std::string file;
    int type = 0;
    std::string error;
    ASSERT_TRUE(recog::dictionaryFromTemplates(templates, file, type, &error)) << error;
    ASSERT_TRUE(device_.write(std::string("\\") + recog::dictionaryFileName(type), file));
  }
  void writeSampleDictionary(const char* name) { writeDictionary(readText(std::string(HW_SAMPLE_DIR) + "/" + name)); }

  datagen::TempDevice device_;
  RecordingHost host_;
  Boxes boxes_;
  std::string previousFolder_;
};

}  // namespace hwtest
