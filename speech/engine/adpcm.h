// 4-bit ADPCM recordings of the unit files: two samples per byte, high nibble first.
#pragma once
#include <cstdint>

namespace speech {

// Decodes `length` bytes into 2 × length samples; returns the bytes written (four per byte read).
int decodeAdpcm(const std::uint8_t* bytes, int length, std::int16_t* samples);

}  // namespace speech
