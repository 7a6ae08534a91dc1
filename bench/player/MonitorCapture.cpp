#include "MonitorCapture.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using Clock = MonitorCapture::Clock;

constexpr int kRate = 44100;
constexpr std::size_t kFramesPerRead = 64;  // 1.5 ms
constexpr int kFramesPerMillisecond = kRate / 1000;

Clock::duration FramesToDuration(std::size_t frames) {
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(frames) / kRate));
}

}  // namespace

MonitorCapture::MonitorCapture() {
  const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, kRate, 2};
  pa_buffer_attr attributes{};
  attributes.maxlength = static_cast<std::uint32_t>(-1);
  attributes.fragsize = kFramesPerRead * 4;
  int error = 0;
  FStream = pa_simple_new(nullptr, "kalvio-bench", PA_STREAM_RECORD, "nullsink.monitor", "monitor",
                          &sampleFormat, nullptr, &attributes, &error);
  if (FStream != nullptr) {
    FThread = std::thread([this] { Record(); });
  }
}

MonitorCapture::~MonitorCapture() {
  if (FStream == nullptr) {
    return;
  }
  {
    const std::lock_guard guard(FLock);
    FStop = true;
  }
  FThread.join();
  pa_simple_free(FStream);
}

void MonitorCapture::Record() {
  std::vector<std::int16_t> frames(kFramesPerRead * 2);
  for (;;) {
    int error = 0;
    if (pa_simple_read(FStream, frames.data(), frames.size() * sizeof(std::int16_t), &error) < 0) {
      return;
    }
    Block block{Clock::now(), {}};
    block.left.reserve(kFramesPerRead);
    for (std::size_t i = 0; i < kFramesPerRead; ++i) {
      block.left.push_back(frames[2 * i]);
    }
    const std::lock_guard guard(FLock);
    if (FStop) {
      return;
    }
    FBlocks.push_back(std::move(block));
  }
}

std::optional<MonitorCapture::Clock::time_point> MonitorCapture::FirstSoundAfter(
    Clock::time_point from) const {
  const std::lock_guard guard(FLock);
  for (auto block = Since(from); block != FBlocks.end(); ++block) {
    for (std::size_t i = 0; i < block->left.size(); ++i) {
      if (block->left[i] != 0) {
        return block->arrival - FramesToDuration(block->left.size() - 1 - i);
      }
    }
  }
  return std::nullopt;
}

std::optional<MonitorCapture::Clock::time_point> MonitorCapture::SilenceAfter(
    Clock::time_point from) const {
  constexpr std::size_t kSilentMilliseconds = 100;
  const auto peaks = PeaksAfter(from, 1500);
  std::size_t silentSince = 0;
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    if (peaks[i].second != 0) {
      silentSince = i + 1;
    } else if (i + 1 - silentSince >= kSilentMilliseconds) {
      return peaks[silentSince].first;
    }
  }
  return std::nullopt;
}

std::vector<MonitorCapture::Block>::const_iterator MonitorCapture::Since(
    Clock::time_point from) const {
  return std::ranges::lower_bound(FBlocks, from, {}, &Block::arrival);
}

std::vector<std::pair<MonitorCapture::Clock::time_point, int>> MonitorCapture::PeaksAfter(
    Clock::time_point from, std::size_t count) const {
  const std::lock_guard guard(FLock);
  std::vector<std::pair<Clock::time_point, int>> peaks;
  int frame = 0;
  for (auto block = Since(from); block != FBlocks.end(); ++block) {
    for (std::size_t i = 0; i < block->left.size(); ++i, ++frame) {
      if (frame % kFramesPerMillisecond == 0) {
        if (peaks.size() == count) {
          return peaks;
        }
        peaks.emplace_back(block->arrival - FramesToDuration(block->left.size() - 1 - i), 0);
      }
      peaks.back().second = std::max(peaks.back().second, std::abs(int{block->left[i]}));
    }
  }
  return peaks;
}

std::optional<MonitorCapture::Clock::time_point> MonitorCapture::FirstPeakOf(
    int level, Clock::time_point from) const {
  constexpr std::size_t kSearchedMilliseconds = 1500;
  for (const auto& [time, peak] : PeaksAfter(from, kSearchedMilliseconds)) {
    if (peak >= level) {
      return time;
    }
  }
  return std::nullopt;
}
