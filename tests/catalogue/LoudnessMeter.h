#pragma once

#include <ebur128.h>

#include <memory>
#include <span>

namespace catalogue {

// Loudness as ITU-R BS.1770 measures it (K-weighting, gating; libebur128) of a stereo signal fed
// in blocks, with its true peak.
class LoudnessMeter {
 public:
  explicit LoudnessMeter(unsigned sampleRate);
  ~LoudnessMeter();
  LoudnessMeter(const LoudnessMeter&) = delete;
  LoudnessMeter& operator=(const LoudnessMeter&) = delete;

  void Add(std::span<const float> left, std::span<const float> right);

  // Gated loudness of everything added, in LUFS (-HUGE_VAL for silence).
  double IntegratedLufs() const;
  // Ungated loudness of the latest 3 s, in LUFS.
  double ShortTermLufs() const;
  // The highest true peak of either channel, in dB relative to full scale (1.0).
  double TruePeakDb() const;

 private:
  ebur128_state* FState;
  std::unique_ptr<float[]> FFrames;
  std::size_t FFrameCapacity = 0;
};

}  // namespace catalogue
