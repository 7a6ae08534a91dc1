#include "LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace catalogue {

LoudnessMeter::LoudnessMeter(unsigned sampleRate)
    : FState(
          ebur128_init(2, sampleRate, EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_TRUE_PEAK)) {
  if (FState == nullptr) {
    throw std::bad_alloc();
  }
}

LoudnessMeter::~LoudnessMeter() {
  ebur128_destroy(&FState);
}

void LoudnessMeter::Add(std::span<const float> left, std::span<const float> right) {
  const std::size_t frames = std::min(left.size(), right.size());
  if (frames > FFrameCapacity) {
    FFrames = std::make_unique<float[]>(2 * frames);
    FFrameCapacity = frames;
  }
  for (std::size_t i = 0; i < frames; ++i) {
    FFrames[2 * i] = left[i];
    FFrames[2 * i + 1] = right[i];
  }
  ebur128_add_frames_float(FState, FFrames.get(), frames);
}

double LoudnessMeter::IntegratedLufs() const {
  double lufs = -HUGE_VAL;
  ebur128_loudness_global(FState, &lufs);
  return lufs;
}

double LoudnessMeter::ShortTermLufs() const {
  double lufs = -HUGE_VAL;
  ebur128_loudness_shortterm(FState, &lufs);
  return lufs;
}

double LoudnessMeter::TruePeakDb() const {
  double peak = 0;
  for (unsigned channel = 0; channel < 2; ++channel) {
    double channelPeak = 0;
    ebur128_true_peak(FState, channel, &channelPeak);
    peak = std::max(peak, channelPeak);
  }
  return 20 * std::log10(peak);
}

}  // namespace catalogue
