#pragma once

// A sequencer MCI on a real FluidSynth, files written for the test, and a callback window that
// records every notification.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "multimedia/linux/sequencer/SequencerMciApi.h"
#include "rtl/TextConversion.h"
#include "sequencer/MidiFileBuilder.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/PostedMessages.h"

namespace sequencer_test {

// The soundfont every sequencer test plays with, whatever the system's default points at: their
// sound levels and timbres are this font's.
constexpr const char* kTestSoundFontPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";

inline std::vector<sequencer::SoundFontCandidate> TestSoundFont() {
  return {{kTestSoundFontPath, "the tests' soundfont", false}};
}

struct Notification {
  mm::WPARAM code;
  mm::LPARAM device;
  bool operator==(const Notification&) const = default;
};

class SequencerFixture : public ::testing::Test {
 protected:
  explicit SequencerFixture(sequencer::AudioOutput output = sequencer::AudioOutput::kOffline,
                            std::vector<sequencer::SoundFontCandidate> soundFonts = TestSoundFont())
      : FApi(output, std::move(soundFonts)) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FFolder = std::filesystem::temp_directory_path() /
              (std::string("kalvio-sequencer-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::create_directories(FFolder);
  }
  ~SequencerFixture() override { std::filesystem::remove_all(FFolder); }

  std::filesystem::path Write(const std::string& name, const midi_test::Bytes& bytes) {
    const auto path = FFolder / name;
    midi_test::WriteFile(path, bytes);
    return path;
  }

  mm::MCIERROR Open(const std::filesystem::path& path, mm::MCIDEVICEID& device,
                    mm::DWORD flags = mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT,
                    const char16_t* type = u"") {
    const std::u16string name = Utf8ToUtf16(path.string());
    mm::MCI_OPEN_PARMSW parms{};
    parms.dwCallback = FWindow.Handle();
    parms.lpstrDeviceType = type;
    parms.lpstrElementName = name.c_str();
    const mm::MCIERROR result = Send(0, mm::MCI_OPEN, flags, parms);
    device = parms.wDeviceID;
    return result;
  }
  mm::MCIDEVICEID OpenOrFail(const std::filesystem::path& path) {
    mm::MCIDEVICEID device = 0;
    EXPECT_EQ(Open(path, device), mm::MMSYSERR_NOERROR);
    return device;
  }

  template <typename Record>
  mm::MCIERROR Send(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD flags, Record& record) {
    return FApi.mciSendCommandW(device, command, flags, reinterpret_cast<mm::DWORD_PTR>(&record));
  }

  mm::MCIERROR Play(mm::MCIDEVICEID device, mm::DWORD flags = mm::MCI_NOTIFY, mm::DWORD from = 0,
                    mm::DWORD to = 0) {
    mm::MCI_PLAY_PARMS parms{FWindow.Handle(), from, to};
    return Send(device, mm::MCI_PLAY, flags, parms);
  }
  mm::MCIERROR Generic(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD flags = mm::MCI_WAIT) {
    mm::MCI_GENERIC_PARMS parms{FWindow.Handle()};
    return Send(device, command, flags, parms);
  }
  mm::MCIERROR Seek(mm::MCIDEVICEID device, mm::DWORD flags, mm::DWORD to = 0) {
    mm::MCI_SEEK_PARMS parms{FWindow.Handle(), to};
    return Send(device, mm::MCI_SEEK, flags, parms);
  }
  mm::DWORD_PTR Status(mm::MCIDEVICEID device, mm::DWORD item, mm::DWORD extraFlags = 0,
                       mm::DWORD track = 0) {
    mm::MCI_STATUS_PARMS parms{0, 0, item, track};
    EXPECT_EQ(Send(device, mm::MCI_STATUS, mm::MCI_WAIT | mm::MCI_STATUS_ITEM | extraFlags, parms),
              mm::MMSYSERR_NOERROR);
    return parms.dwReturn;
  }
  mm::DWORD_PTR Mode(mm::MCIDEVICEID device) { return Status(device, mm::MCI_STATUS_MODE); }
  mm::DWORD_PTR Position(mm::MCIDEVICEID device) { return Status(device, mm::MCI_STATUS_POSITION); }

  // Offline output: renders the next stretch of sound and returns the left channel.
  std::vector<float> Render(int milliseconds) {
    const auto frames = static_cast<std::size_t>(milliseconds) * 441 / 10;
    std::vector<float> left(frames), right(frames);
    FApi.SynthesizerInUse()->Render(left, right);
    return left;
  }

  // Delivers the notifications posted so far and returns all received since the last call.
  std::vector<Notification> TakeNotifications() {
    toolkit::ProcessPostedMessages();
    return std::exchange(FNotifications, {});
  }

  sequencer::SequencerMciApi FApi;
  std::vector<Notification> FNotifications;
  toolkit::MessageWindow FWindow{
      [this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
        if (msg == mm::MM_MCINOTIFY) {
          FNotifications.push_back({wParam, lParam});
        }
      }};
  std::filesystem::path FFolder;
};

// A piece of `notes` quarter notes at 120 beats a minute (500 ms each), 480 ticks a quarter.
inline midi_test::Bytes Melody(int notes, int program = 0) {
  midi_test::TrackBuilder track;
  track.Program(0, 0, program);
  for (int i = 0; i < notes; ++i) {
    track.NoteOn(0, 0, 60 + i % 12).NoteOff(480, 0, 60 + i % 12);
  }
  track.End();
  return midi_test::MidiFile(0, 480, {track});
}

inline double Rms(const std::vector<float>& samples, std::size_t from = 0,
                  std::size_t to = static_cast<std::size_t>(-1)) {
  to = std::min(to, samples.size());
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) {
    sum += double{samples[i]} * samples[i];
  }
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

}  // namespace sequencer_test
