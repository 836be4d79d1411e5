// The contract between the input-panel host and the panels it loads: in-process objects with
// reference counts, reached through the library's DllGetClassObject and a class factory. The
// slots keep the handheld's order; the layout is plain C++ virtual tables.
#pragma once
#include <cstdint>

#include "platform/core/input_method.h"
#include "platform/ui/types.h"

namespace ui {

using HResult = std::int32_t;
inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kENotImpl = static_cast<HResult>(0x80004001u);
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
inline constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult kClassENoAggregation = static_cast<HResult>(0x80040110u);

using Guid = plat::ClassId;
// Interface ids: the unknown object, the class factory, the input method, the host's callback.
Guid iidUnknown();
Guid iidClassFactory();
Guid iidInputMethod();
Guid iidImCallback();

class UnknownObject {
 public:
  virtual HResult QueryInterface(const Guid& iid, void** out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  ~UnknownObject() = default;
};

class ClassFactory : public UnknownObject {
 public:
  virtual HResult CreateInstance(UnknownObject* outer, const Guid& iid, void** out) = 0;
  virtual HResult LockServer(int lock) = 0;

 protected:
  ~ClassFactory() = default;
};

// What a panel tells the host about itself, and what the host tells the panel.
inline constexpr std::uint32_t kSipfOn = 1;
inline constexpr std::uint32_t kSipfDocked = 2;
struct ImInfo {
  std::uint32_t cbSize = sizeof(ImInfo);
  int wideImageList = 0;    // image lists of drawing.h
  int narrowImageList = 0;
  int narrowIndex = 0;
  int wideIndex = 0;
  std::uint32_t flags = 0;
  Rect sipRect;             // at 96 dots per inch
};
struct SipInfo {
  std::uint32_t cbSize = sizeof(SipInfo);
  std::uint32_t flags = 0;
  Rect visibleDesktop;
  Rect sipRect;             // in pixels of the screen
  std::uint32_t imDataSize = 0;
  void* imData = nullptr;
};

// Key-state flags of SendCharEvents and SendVirtualKey.
inline constexpr std::uint32_t kKeyStateDown = 0x0001;
inline constexpr std::uint32_t kKeyStateUp = 0x0000;
inline constexpr std::uint32_t kKeyStateControl = 0x0008;
inline constexpr std::uint32_t kKeyEventKeyUp = 0x0002;

// The host's side, handed to the panel by RegisterCallback.
class ImCallback : public UnknownObject {
 public:
  virtual HResult SetImInfo(ImInfo* info) = 0;
  // A virtual key pressed (flags 0) or released (kKeyEventKeyUp).
  virtual HResult SendVirtualKey(std::uint8_t vk, std::uint32_t flags) = 0;
  // Characters with their key state; a down state types them.
  virtual HResult SendCharEvents(std::uint32_t vk, std::uint32_t keyFlags, std::uint32_t count,
                                 const std::uint32_t* shiftStates, const std::uint32_t* chars) = 0;
  virtual HResult SendString(const char16_t* text, std::uint32_t count) = 0;

 protected:
  ~ImCallback() = default;
};

class InputMethod : public UnknownObject {
 public:
  virtual HResult Select(Hwnd parent) = 0;
  virtual HResult Deselect() = 0;
  virtual HResult Showing() = 0;
  virtual HResult Hiding() = 0;
  virtual HResult GetInfo(ImInfo* info) = 0;
  virtual HResult ReceiveSipInfo(SipInfo* info) = 0;
  virtual HResult RegisterCallback(ImCallback* callback) = 0;
  virtual HResult GetImData(std::uint32_t size, void* data) = 0;
  virtual HResult SetImData(std::uint32_t size, void* data) = 0;
  virtual HResult UserOptionsDlg(Hwnd owner) = 0;

 protected:
  ~InputMethod() = default;
};

// The export a panel library carries, found by the name "DllGetClassObject".
using DllGetClassObjectFn = HResult (*)(const Guid& clsid, const Guid& iid, void** out);

}  // namespace ui
