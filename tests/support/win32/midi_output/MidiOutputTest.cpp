// The test MIDI output through its entry points, as the system calls them: what it logs, and
// that odd input (running status, system-exclusive messages of any length, a reset while notes
// sound, bad parameters) neither crashes it nor loses a message.
#include <windows.h>

#include <mmsystem.h>

#include <mmddk.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ModMessage = DWORD(WINAPI*)(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

std::vector<UINT> callbacks;

void CALLBACK Record(HMIDIOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
  callbacks.push_back(message);
}

class MidiOutputTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    logPath_ = std::filesystem::temp_directory_path() / "kalvio-midi-output-test.log";
    std::filesystem::remove(logPath_);
    SetEnvironmentVariableW(L"KALVIO_MIDI_LOG", logPath_.c_str());
    // Under another name: wine would give its own mapper for one named midimap.dll.
    const auto copy = std::filesystem::temp_directory_path() / "kalvio-midi-output-test.dll";
    std::filesystem::copy_file(KALVIO_MIDI_OUTPUT, copy,
                               std::filesystem::copy_options::overwrite_existing);
    library_ = LoadLibraryW(copy.c_str());
    ASSERT_NE(library_, nullptr);
    modMessage_ = reinterpret_cast<ModMessage>(
        reinterpret_cast<void*>(GetProcAddress(library_, "modMessage")));
    ASSERT_NE(modMessage_, nullptr);
  }

  void SetUp() override {
    callbacks.clear();
    MIDIOPENDESC description{};
    description.dwCallback = reinterpret_cast<DWORD_PTR>(&Record);
    ASSERT_EQ(Send(MODM_OPEN, reinterpret_cast<DWORD_PTR>(&description), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    linesBefore_ = Lines().size();
  }

  void TearDown() override { Send(MODM_CLOSE, 0, 0); }

  // The open is given where to store the driver's instance; every later message gets it.
  DWORD Send(UINT message, DWORD_PTR param1, DWORD_PTR param2) {
    const DWORD_PTR user =
        message == MODM_OPEN ? reinterpret_cast<DWORD_PTR>(&instance_) : instance_;
    return modMessage_(0, message, user, param1, param2);
  }

  DWORD SendLong(std::vector<char>& bytes, MIDIHDR& header) {
    header.lpData = bytes.data();
    header.dwBufferLength = static_cast<DWORD>(bytes.size());
    header.dwFlags = MHDR_PREPARED;
    return modMessage_(0, MODM_LONGDATA, instance_, reinterpret_cast<DWORD_PTR>(&header),
                       sizeof header);
  }

  // The log's lines without their times.
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    std::ifstream file(logPath_);
    for (std::string line; std::getline(file, line);) {
      lines.push_back(line.substr(line.find(' ') + 1));
    }
    return lines;
  }

  std::vector<std::string> NewLines() const {
    const auto lines = Lines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(linesBefore_), lines.end()};
  }

  inline static std::filesystem::path logPath_;
  inline static HMODULE library_ = nullptr;
  inline static ModMessage modMessage_ = nullptr;
  DWORD_PTR instance_ = 0;
  std::size_t linesBefore_ = 0;
};

TEST_F(MidiOutputTest, OneDeviceThatOpensAndClosesWithCallbacks) {
  EXPECT_EQ(modMessage_(0, MODM_GETNUMDEVS, 0, 0, 0), 1u);
  MIDIOUTCAPSW caps{};
  ASSERT_EQ(modMessage_(0, MODM_GETDEVCAPS, 0, reinterpret_cast<DWORD_PTR>(&caps), sizeof caps),
            MMSYSERR_NOERROR);
  EXPECT_STREQ(caps.szPname, L"Kalvio test MIDI output");
  EXPECT_EQ(callbacks, std::vector<UINT>{MOM_OPEN});
  EXPECT_EQ(Lines().back(), "open");
}

TEST_F(MidiOutputTest, RunningStatusIsResolvedAndRealTimeLeavesItAlone) {
  Send(MODM_DATA, 0x643C90, 0);  // note on 3C
  Send(MODM_DATA, 0x00503E, 0);  // running status: note on 3E
  Send(MODM_DATA, 0xF8, 0);      // clock
  Send(MODM_DATA, 0x004040, 0);  // running status again: note on 40
  Send(MODM_DATA, 0x05C1, 0);    // program change, one data byte
  Send(MODM_DATA, 0x07, 0);      // running status of the program change
  Send(MODM_DATA, 0xF6, 0);      // tune request: cancels running status
  Send(MODM_DATA, 0x0102, 0);    // data with no status
  EXPECT_EQ(NewLines(), (std::vector<std::string>{"90 3C 64", "90 3E 50", "F8", "90 40 40", "C1 05",
                                                  "C1 07", "F6", "02 01"}));
}

TEST_F(MidiOutputTest, SystemExclusiveOfAnyLengthIsLoggedWholeAndReturned) {
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{6}, std::size_t{70000}}) {
    SCOPED_TRACE(size);
    std::vector<char> bytes(size, 0x11);
    if (size >= 2) {
      bytes.front() = static_cast<char>(0xF0);
      bytes.back() = static_cast<char>(0xF7);
    }
    MIDIHDR header{};
    callbacks.clear();
    ASSERT_EQ(SendLong(bytes, header), MMSYSERR_NOERROR);
    EXPECT_TRUE(header.dwFlags & MHDR_DONE);
    EXPECT_EQ(callbacks, std::vector<UINT>{MOM_DONE});
    const auto lines = NewLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.back().size(), size == 0 ? 0 : size * 3 - 1);
    linesBefore_ = Lines().size();
  }
  MIDIHDR unprepared{};
  EXPECT_EQ(modMessage_(0, MODM_LONGDATA, instance_, reinterpret_cast<DWORD_PTR>(&unprepared),
                        sizeof unprepared),
            static_cast<DWORD>(MIDIERR_UNPREPARED));
  EXPECT_EQ(modMessage_(0, MODM_LONGDATA, instance_, 0, 0),
            static_cast<DWORD>(MMSYSERR_INVALPARAM));
}

TEST_F(MidiOutputTest, ResetWhileNotesSoundSilencesThemAndCancelsRunningStatus) {
  Send(MODM_DATA, 0x7F4591, 0);
  Send(MODM_DATA, 0x7F4791, 0);
  EXPECT_EQ(Send(MODM_RESET, 0, 0), MMSYSERR_NOERROR);
  Send(MODM_DATA, 0x0048, 0);  // no running status after the reset
  Send(MODM_DATA, 0x004581, 0);
  EXPECT_EQ(NewLines(),
            (std::vector<std::string>{"91 45 7F", "91 47 7F", "reset", "48 00", "81 45 00"}));
}

TEST_F(MidiOutputTest, UnknownMessagesAndBadOpensAreRefused) {
  EXPECT_EQ(Send(MODM_PREPARE, 0, 0), static_cast<DWORD>(MMSYSERR_NOTSUPPORTED));
  EXPECT_EQ(Send(0x7FFF, 0, 0), static_cast<DWORD>(MMSYSERR_NOTSUPPORTED));
  EXPECT_EQ(modMessage_(0, MODM_OPEN, 0, 0, 0), static_cast<DWORD>(MMSYSERR_INVALPARAM));
  EXPECT_EQ(modMessage_(0, MODM_GETDEVCAPS, 0, 0, 0), static_cast<DWORD>(MMSYSERR_INVALPARAM));
}

}  // namespace
