// A temporary device folder with one storage card, removed afterwards.
#pragma once
#include <string>
#include <string_view>

namespace datagen {

class TempDevice {
 public:
  // Creates the folder, points the device root at it and adds the card "\Storage Card".
  explicit TempDevice(std::string_view cardName = "Storage Card");
  ~TempDevice();
  TempDevice(const TempDevice&) = delete;
  TempDevice& operator=(const TempDevice&) = delete;

  const std::string& root() const { return root_; }
  // Device path of the card ("\Storage Card").
  const std::string& card() const { return card_; }
  // Adds another storage card; returns its device path.
  std::string addCard(std::string_view name);
  // Writes a file at a device path, creating its folders; false on failure.
  bool write(std::string_view devicePath, std::string_view bytes);

 private:
  std::string root_;
  std::string card_;
  std::string previousRoot_;
  bool hadPreviousRoot_ = false;
};

}  // namespace datagen
