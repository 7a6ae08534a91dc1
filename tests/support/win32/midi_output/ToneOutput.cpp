#include "ToneOutput.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>
#include <vector>

namespace midi_output {
namespace {

constexpr DWORD kSampleRate = 44100;
constexpr std::size_t kBlockSamples = 1024;  // about 23 ms
constexpr std::size_t kBlocks = 4;

struct SoundingNote {
  std::uint8_t channel;
  std::uint8_t note;
  bool operator==(const SoundingNote&) const = default;
};

// Never destroyed: the tone thread reads them until the process ends, after static destructors.
struct Notes {
  std::mutex mutex;
  std::vector<SoundingNote> sounding;  // in the order they started
};
Notes& notes = *new Notes;
std::once_flag started;

// The frequency of the latest note still sounding, 0 for none.
double CurrentFrequency() {
  const std::lock_guard lock(notes.mutex);
  if (notes.sounding.empty()) {
    return 0;
  }
  return 440.0 * std::pow(2.0, (notes.sounding.back().note - 69) / 12.0);
}

class ToneWriter {
 public:
  void Fill(std::vector<std::int16_t>& block) {
    const double frequency = CurrentFrequency();
    for (auto& sample : block) {
      if (frequency == 0) {
        sample = 0;
        continue;
      }
      sample = static_cast<std::int16_t>(std::lround(kToneLevel * 32767 * std::sin(phase_)));
      phase_ =
          std::fmod(phase_ + 2 * std::numbers::pi * frequency / kSampleRate, 2 * std::numbers::pi);
    }
  }

 private:
  double phase_ = 0;
};

DWORD WINAPI Render(void*) {
  const HANDLE blockDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kSampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = kSampleRate * 2;
  HWAVEOUT output = nullptr;
  if (waveOutOpen(&output, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(blockDone), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    return 1;
  }
  ToneWriter writer;
  std::array<std::vector<std::int16_t>, kBlocks> samples;
  std::array<WAVEHDR, kBlocks> headers{};
  for (std::size_t i = 0; i < kBlocks; ++i) {
    samples[i].resize(kBlockSamples);
    headers[i].lpData = reinterpret_cast<LPSTR>(samples[i].data());
    headers[i].dwBufferLength = kBlockSamples * sizeof(std::int16_t);
    waveOutPrepareHeader(output, &headers[i], sizeof(WAVEHDR));
    headers[i].dwFlags |= WHDR_DONE;
  }
  for (;;) {
    for (std::size_t i = 0; i < kBlocks; ++i) {
      if (headers[i].dwFlags & WHDR_DONE) {
        writer.Fill(samples[i]);
        headers[i].dwFlags &= ~WHDR_DONE;
        waveOutWrite(output, &headers[i], sizeof(WAVEHDR));
      }
    }
    WaitForSingleObject(blockDone, INFINITE);
  }
}

void StartRendering() {
  std::call_once(started, [] {
    // The system frees the driver when its last client closes; the thread's code must stay.
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Render), &self);
    const HANDLE thread = CreateThread(nullptr, 0, Render, nullptr, 0, nullptr);
    if (thread != nullptr) {
      CloseHandle(thread);
    }
  });
}

}  // namespace

void NoteOn(std::uint8_t channel, std::uint8_t note) {
  StartRendering();
  const std::lock_guard lock(notes.mutex);
  std::erase(notes.sounding, SoundingNote{channel, note});
  notes.sounding.push_back({channel, note});
}

void NoteOff(std::uint8_t channel, std::uint8_t note) {
  const std::lock_guard lock(notes.mutex);
  std::erase(notes.sounding, SoundingNote{channel, note});
}

void ChannelOff(std::uint8_t channel) {
  const std::lock_guard lock(notes.mutex);
  std::erase_if(notes.sounding, [channel](const SoundingNote& n) { return n.channel == channel; });
}

void AllNotesOff() {
  const std::lock_guard lock(notes.mutex);
  notes.sounding.clear();
}

}  // namespace midi_output
