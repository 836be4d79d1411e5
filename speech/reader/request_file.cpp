#include "speech/reader/request_file.h"

#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "platform/core/runtime_folder.h"
#include "speech/reader/reading_protocol.h"

#include <cstdio>

namespace vocra {

namespace {

}  // namespace

std::string requestFilePath() { return plat::runtimeFolder() + "/" + kRequestFile; }

std::string requestFileImage(plat::Hwnd requester, std::uint32_t repeatCount, std::u16string_view text) {
  std::string image;
  plat::appendLe32(image, requester);
  plat::appendLe32(image, repeatCount);
  for (char16_t c : text) plat::appendLe16(image, c);
  image.append(2, '\0');
  return image;
}

bool writeRequestFile(plat::Hwnd requester, std::uint32_t repeatCount, std::u16string_view text) {
  std::FILE* f = plat::fileOpen(requestFilePath(), "wb");
  if (!f) return false;
  std::string image = requestFileImage(requester, repeatCount, text);
  bool written = std::fwrite(image.data(), 1, image.size(), f) == image.size();
  return plat::fileClose(f) == 0 && written;
}

bool deleteRequestFile() { return std::remove(requestFilePath().c_str()) == 0; }

RequestRead readRequestFile(ReadingRequest& out) {
  std::FILE* f = plat::fileOpen(requestFilePath(), "rb");
  if (!f) return RequestRead::kCannotOpen;
  unsigned char header[kRequestHeaderBytes];
  if (std::fread(header, 1, sizeof header, f) != sizeof header) {
    plat::fileClose(f);
    return RequestRead::kTooShort;
  }
  std::string bytes(kMaxTextBytes, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  plat::fileClose(f);

  out.requester = plat::readLe32(header);
  out.repeatCount = plat::readLe32(header + 4);
  std::size_t units = bytes.size() / 2;
  if (units == kTextBufferUnits - 1) --units;  // the zero takes the last unit's place
  out.text.assign(1, u',');
  for (std::size_t i = 0; i < units; ++i) {
    auto c = static_cast<char16_t>(plat::readLe16(bytes.data() + 2 * i));
    if (c == 0) break;
    out.text.push_back(c);
  }
  return RequestRead::kOk;
}

}  // namespace vocra
