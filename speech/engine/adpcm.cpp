#include "speech/engine/adpcm.h"

namespace speech {

namespace {

constexpr int kStepTable[49] = {16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,  45,   50,   55,   60,   66,  73,
                                80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209, 230,  253,  279,  307,  337, 371,
                                408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
constexpr int kIndexShift[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

struct DecoderState {
  int predicted = 0;  // 12 bits
  int index = 0;

  std::int16_t next(unsigned nibble) {
    int step = kStepTable[index];
    int diff = step / 8;
    if (nibble & 1) diff += step / 4;
    if (nibble & 2) diff += step / 2;
    if (nibble & 4) diff += step;
    if (nibble & 8) diff = -diff;
    predicted += diff;
    if (predicted > 2047) predicted = 2047;
    if (predicted < -2048) predicted = -2048;
    index += kIndexShift[nibble & 7];
    if (index < 0) index = 0;
    if (index > 48) index = 48;
    return static_cast<std::int16_t>(predicted * 16);
  }
};

}  // namespace

int decodeAdpcm(const std::uint8_t* bytes, int length, std::int16_t* samples) {
  DecoderState state;
  for (int i = 0; i < length; ++i) {
    samples[2 * i] = state.next(bytes[i] >> 4);
    samples[2 * i + 1] = state.next(bytes[i] & 0x0F);
  }
  return length > 0 ? length * 4 : 0;
}

}  // namespace speech
