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

// The tone thread and what stops it; never destroyed, like the notes.
struct Rendering {
  std::mutex mutex;
  HANDLE thread = nullptr;
  HANDLE stop = nullptr;
};
Rendering& rendering = *new Rendering;

DWORD WINAPI Render(void* stop) {
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
    CloseHandle(blockDone);
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
  const std::array<HANDLE, 2> events{static_cast<HANDLE>(stop), blockDone};
  do {
    for (std::size_t i = 0; i < kBlocks; ++i) {
      if (headers[i].dwFlags & WHDR_DONE) {
        writer.Fill(samples[i]);
        headers[i].dwFlags &= ~WHDR_DONE;
        waveOutWrite(output, &headers[i], sizeof(WAVEHDR));
      }
    }
  } while (WaitForMultipleObjects(2, events.data(), FALSE, INFINITE) != WAIT_OBJECT_0);
  waveOutReset(output);
  for (auto& header : headers) {
    waveOutUnprepareHeader(output, &header, sizeof(WAVEHDR));
  }
  waveOutClose(output);
  CloseHandle(blockDone);
  return 0;
}

void StartRendering() {
  const std::lock_guard lock(rendering.mutex);
  if (rendering.thread != nullptr) {
    return;
  }
  // The system frees the driver when its last client closes; the thread's code must stay.
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&Render), &self);
  rendering.stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  rendering.thread = CreateThread(nullptr, 0, Render, rendering.stop, 0, nullptr);
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

// The wave output is closed before the process ends: a process ending while a thread of its own
// is inside the sound output can crash wine.
void StopTones() {
  const std::lock_guard lock(rendering.mutex);
  if (rendering.thread == nullptr) {
    return;
  }
  SetEvent(rendering.stop);
  WaitForSingleObject(rendering.thread, 5000);
  CloseHandle(rendering.thread);
  CloseHandle(rendering.stop);
  rendering.thread = nullptr;
  rendering.stop = nullptr;
}

}  // namespace midi_output
