#include "speech/engine/unit_rendering.h"

#include "speech/engine/adpcm.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace speech {

const std::array<double, 10> kPitchFactor{0.75, 0.8, 0.85, 0.9, 0.95, 1.0, 1.1, 1.2, 1.3, 1.4};
const std::array<double, 10> kSpeedFactor{0.7, 0.75, 0.8, 0.85, 0.9, 1.0, 1.2, 1.4, 1.7, 2.0};
const std::array<double, 10> kVolumeFactor{0.1, 0.3, 0.5, 0.7, 0.9, 1.0, 2.0, 3.0, 4.0, 5.0};

namespace {

using Samples = std::vector<std::int16_t>;

int factorIndex(int index) { return std::clamp(index, 0, 9); }

std::int16_t clip(double v) {
  if (v > 32767.0) return 32767;
  if (v < -32768.0) return -32768;
  return static_cast<std::int16_t>(v);
}

// The offset 0-199 at which the window continues the kept overlap best: a normalised
// cross-correlation that keeps its sign, so that a match in opposite phase never wins.
int searchOffset(const Samples& kept, const Samples& window) {
  int best = 0;
  double bestScore = 0.0;
  for (int offset = 0; offset < kSearchOffsets; ++offset) {
    double product = 0.0, energy = 0.0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      double w = window[static_cast<std::size_t>(offset) + i];
      product += kept[i] * w;
      energy += w * w;
    }
    double score = product * std::fabs(product) / (energy == 0.0 ? 1.0 : energy);
    if (offset == 0 || score > bestScore) {
      best = offset;
      bestScore = score;
    }
  }
  return best;
}

}  // namespace

int pauseSteps(int code) {
  switch (code) {
    case 4321:
    case 4322:
    case 4325: return 10;
    case 4326: return 50;
    case 4305: return 200;
    case 4300: return 300;
    case 4301: return 400;
    default: break;
  }
  if ((code >= 4302 && code <= 4304) || (code >= 4306 && code <= 4319)) return 600;
  return 150;  // 4320, 4323, 4324, 4327-4399
}

void appendPause(SampleBuffer& buffer, int steps, int speed) {
  // A faster speed shortens the pauses as it shortens the syllables.
  auto bytes = static_cast<std::int32_t>(steps * kPauseStepBytes / kSpeedFactor[static_cast<std::size_t>(factorIndex(speed))]);
  if (bytes <= 0) return;
  if (bytes & 1) ++bytes;
  if (!ensureRoom(buffer, bytes)) return;
  std::memset(buffer.data.data() + buffer.fill, 0, static_cast<std::size_t>(bytes));
  buffer.fill += bytes;
}

Samples resamplePitch(const Samples& input, double factor) {
  auto n = static_cast<std::int64_t>(input.size());
  auto m = static_cast<std::int64_t>(static_cast<double>(n) / factor);
  Samples out;
  if (n == 0 || m <= 0) return out;
  out.resize(static_cast<std::size_t>(m));
  for (std::int64_t i = 0; i < m; ++i) {
    double t = static_cast<double>(i) * static_cast<double>(n) / static_cast<double>(m);
    auto j = static_cast<std::int64_t>(t);
    double fraction = t - static_cast<double>(j);
    double a = input[static_cast<std::size_t>(j)];
    double b = j + 1 < n ? input[static_cast<std::size_t>(j + 1)] : a;  // the last sample holds
    out[static_cast<std::size_t>(i)] = clip(a + (b - a) * fraction);
  }
  return out;
}

Samples scaleTime(const Samples& input, int target) {
  Samples out;
  auto inLength = static_cast<std::int64_t>(input.size());
  if (target <= 0 || inLength == 0) return out;
  out.reserve(static_cast<std::size_t>(target));
  auto at = [&](std::int64_t p) -> std::int16_t { return p >= 0 && p < inLength ? input[static_cast<std::size_t>(p)] : 0; };

  std::int64_t h = kFrameSamples * inLength / target;
  std::int64_t window = h + kFrameSamples;
  if (h >= kFrameSamples) window /= 2;
  auto overlap = static_cast<std::size_t>(window - kFrameSamples);

  for (int i = 0; i < std::min(kFrameSamples, target); ++i) out.push_back(at(i));
  if (static_cast<std::int64_t>(out.size()) >= target) return out;
  Samples kept(overlap);
  for (std::size_t i = 0; i < overlap; ++i) kept[i] = at(kFrameSamples + static_cast<std::int64_t>(i));

  // Room for every offset the search may choose, with the frame and the overlap after it.
  Samples segment(static_cast<std::size_t>(window) + kSearchOffsets);
  std::int64_t offset = 0;
  for (std::int64_t k = 1; static_cast<std::int64_t>(out.size()) < target; ++k) {
    std::int64_t start = k * h;
    for (std::size_t i = 0; i < segment.size(); ++i) segment[i] = at(start + static_cast<std::int64_t>(i));
    offset += kFrameSamples - h;
    if (offset < 0 || offset > kSearchOffsets) {
      offset = searchOffset(kept, segment);
      if (overlap > 1) {
        for (std::size_t i = 0; i < overlap; ++i) {
          double w = static_cast<double>(i) / static_cast<double>(overlap - 1);
          auto& s = segment[static_cast<std::size_t>(offset) + i];
          s = clip(kept[i] * (1.0 - w) + s * w);
        }
      }
    }
    auto from = static_cast<std::size_t>(offset);
    std::int64_t take = std::min<std::int64_t>(kFrameSamples, target - static_cast<std::int64_t>(out.size()));
    out.insert(out.end(), segment.begin() + static_cast<std::ptrdiff_t>(from),
               segment.begin() + static_cast<std::ptrdiff_t>(from + static_cast<std::size_t>(take)));
    for (std::size_t i = 0; i < overlap; ++i) kept[i] = segment[from + kFrameSamples + i];
  }
  return out;
}

void renderRecording(UnitFile file, std::uint32_t offset, std::uint32_t length, SampleBuffer& buffer, int volume,
                     int pitch, int speed) {
  length = std::min(length, kMaxRecordingBytes);
  if (length == 0) return;
  pitch = factorIndex(pitch);
  speed = factorIndex(speed);
  volume = factorIndex(volume);
  Samples samples;
  try {
    std::vector<std::uint8_t> bytes;
    if (!readRecording(file == UnitFile::kLetters, offset, length, bytes)) return;
    samples.resize(2 * static_cast<std::size_t>(length));
    decodeAdpcm(bytes.data(), static_cast<int>(length), samples.data());
    if (pitch == kNeutralIndex && speed == kNeutralIndex) {
      if (!ensureRoom(buffer, static_cast<std::int32_t>(length) * 4 + 10)) return;
    } else {
      auto n = static_cast<double>(samples.size());
      Samples pitched = pitch == kNeutralIndex ? std::move(samples) : resamplePitch(samples, kPitchFactor[static_cast<std::size_t>(pitch)]);
      // The target length comes from the unscaled recording: speed alone decides it.
      samples = scaleTime(pitched, static_cast<int>(n / kSpeedFactor[static_cast<std::size_t>(speed)]));
      if (samples.empty() || !ensureRoom(buffer, static_cast<std::int32_t>(samples.size() * 2))) return;
    }
  } catch (const std::bad_alloc&) {
    return;
  }

  if (volume != kNeutralIndex) {
    double factor = kVolumeFactor[static_cast<std::size_t>(volume)];
    for (auto& s : samples) s = clip(s * factor);
  }
  auto count = static_cast<std::int64_t>(samples.size());
  std::int64_t k = std::min<std::int64_t>(kFadeSamples, count);
  for (std::int64_t i = 0; i < k; ++i) {
    auto& head = samples[static_cast<std::size_t>(i)];
    head = static_cast<std::int16_t>(head * i / k);
    auto& tail = samples[static_cast<std::size_t>(count - 1 - i)];
    tail = static_cast<std::int16_t>(tail * i / k);
  }
  std::memcpy(buffer.data.data() + buffer.fill, samples.data(), samples.size() * 2);
  buffer.fill += static_cast<std::int32_t>(samples.size() * 2);
}

bool chooseVariant(const std::vector<SpeechUnit>& units, int index, int syllableCode, std::uint32_t& offset,
                   std::uint32_t& length) {
  int count = syllableVariantCount(syllableCode);
  if (count <= 0) return false;
  int variant = 0;
  if (count > 1) {
    const SpeechUnit& s = units[static_cast<std::size_t>(index)];
    if (s.posInWord == 0) {
      variant = 0;
    } else if (s.wordLength >= 2 && s.posInWord + 1 == s.wordLength) {
      variant = 2;
    } else {
      variant = 1;
    }
    if (count == 6) {
      variant *= 2;
      if (index > 0 && units[static_cast<std::size_t>(index) - 1].code % 5 >= 2) variant += 1;
    }
  }
  // A variant beyond the table, or one without a recording, falls back to the first that has one.
  if (variant < count && syllableVariant(syllableCode, variant, offset, length) && length > 0) return true;
  for (int v = 0; v < count; ++v) {
    if (syllableVariant(syllableCode, v, offset, length) && length > 0) return true;
  }
  return false;
}

int renderUnits(const std::vector<SpeechUnit>& units, int first, int count, SampleBuffer& buffer) {
  count = std::min(count, static_cast<int>(units.size()));
  for (int i = std::max(first, 0); i < count; ++i) {
    const SpeechUnit& s = units[static_cast<std::size_t>(i)];
    int code = s.code;
    std::uint32_t offset = 0, length = 0;
    if (code >= kPauseCodeFirst && code <= kPauseCodeLast) {
      appendPause(buffer, pauseSteps(code), s.speed);
      continue;
    }
    if (code >= kLetterCodeFirst && code <= kLetterCodeLast) {
      if (letterRecording(code - kLetterCodeFirst, offset, length)) {
        renderRecording(UnitFile::kLetters, offset, length, buffer, s.volume, s.pitch, s.speed);
      }
      continue;
    }
    bool greek = code >= kGreekCodeFirst && code <= kGreekCodeLast;
    if (!greek && code >= kLetterCodeFirst) continue;  // no sound
    if (greek) {
      if (letterRecording(code - kGreekEntryShift, offset, length)) {
        renderRecording(UnitFile::kLetters, offset, length, buffer, s.volume, s.pitch, s.speed);
      }
    } else {
      int syllable = code >= kSyllableShareFirst ? code - kSyllableShareFirst : code;
      if (chooseVariant(units, i, syllable, offset, length)) {
        renderRecording(UnitFile::kSyllables, offset, length, buffer, s.volume, s.pitch, s.speed);
      }
    }
    if (s.posInWord + 1 == s.wordLength) appendPause(buffer, kWordGapSteps, s.speed);
    if (buffer.fill > kBlockBytes) return i + 1;
  }
  return count;
}

void fillBlockFrom(Utterance& u, SampleBuffer& buffer, PieceSource nextPiece) {
  for (;;) {
    if (u.unitCount <= 0) {
      u.unitCount = 0;
      u.nextUnit = 0;
      if (!nextPiece || !nextPiece(u) || u.unitCount <= 0) return;
    }
    u.unitCount = std::min(u.unitCount, static_cast<std::int32_t>(u.units.size()));
    int next = renderUnits(u.units, u.nextUnit, u.unitCount, buffer);
    if (next < u.unitCount) {
      u.nextUnit = next;
      return;  // the block is full
    }
    u.current = u.pending;
    u.unitCount = 0;
    u.nextUnit = 0;
  }
}

}  // namespace speech
