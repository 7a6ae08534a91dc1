#include "multimedia/linux/sequencer/SequencerMciApi.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>

#include "multimedia/linux/sequencer/MciErrorText.h"
#include "multimedia/linux/sequencer/StandardMidiFile.h"
#include "rtl/TextConversion.h"

namespace sequencer {

namespace {

constexpr mm::MCIDEVICEID kLastDeviceId = 0xFFFE;  // 0xFFFF names all devices

std::u16string AsciiLower(std::u16string_view text) {
  std::u16string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  });
  return lower;
}

bool IsMidiFileName(std::u16string_view name) {
  const std::u16string lower = AsciiLower(name);
  for (std::u16string_view extension : {u".mid", u".midi", u".rmi"}) {
    if (lower.size() > extension.size() && lower.ends_with(extension)) {
      return true;
    }
  }
  return false;
}

mm::MCIERROR ToMciError(smf::SmfError error) {
  switch (error) {
    case smf::SmfError::kNone:
      return mm::MMSYSERR_NOERROR;
    case smf::SmfError::kCannotOpen:
      return mm::MCIERR_FILE_NOT_FOUND;
    case smf::SmfError::kReadFailed:
      return mm::MCIERR_FILE_READ;
    default:
      return mm::MCIERR_INVALID_FILE;
  }
}

mm::MCIERROR ReadFile(std::u16string_view fileName, smf::StandardMidiFile& file) {
  const std::filesystem::path path(Utf16ToUtf8(fileName));
  return ToMciError(smf::ReadStandardMidiFile(path, file));
}

template <typename Record>
Record& RecordAt(mm::DWORD_PTR address) {
  return *reinterpret_cast<Record*>(address);
}

}  // namespace

SequencerMciApi::SequencerMciApi(AudioOutput output, std::vector<SoundFontCandidate> soundFonts)
    : FOutput(output), FSoundFonts(std::move(soundFonts)) {}

SequencerMciApi::~SequencerMciApi() = default;

void SequencerMciApi::PrepareSynthesizer() {
  if (FSynthesizer || FPreparedSynthesizer.valid()) {
    return;
  }
  FPreparedSynthesizer = std::async(std::launch::async, [this] {
    mm::MCIERROR ignored = mm::MMSYSERR_NOERROR;
    return Synthesizer::Create(FOutput, FSoundFonts, ignored);
  });
}

std::u16string SequencerMciApi::SoundFontProblem() const {
  if (ChooseSoundFont(FSoundFonts)) {
    return {};
  }
  const bool named = FSoundFonts.size() == 1 && FSoundFonts.front().namedByUser;
  return NoSoundFontText(named ? Utf8ToUtf16(FSoundFonts.front().path.string()) : u"");
}

mm::MCIERROR SequencerMciApi::mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg,
                                              mm::DWORD_PTR fdwCommand, mm::DWORD_PTR dwParam) {
  const auto flags = static_cast<mm::DWORD>(fdwCommand);
  try {
    if (uMsg == mm::MCI_OPEN) {
      return dwParam == 0 ? mm::MCIERR_NULL_PARAMETER_BLOCK
                          : Open(flags, RecordAt<mm::MCI_OPEN_PARMSW>(dwParam));
    }
    const auto found = FDevices.find(IDDevice);
    if (found == FDevices.end()) {
      return mm::MCIERR_INVALID_DEVICE_ID;
    }
    if (uMsg == mm::MCI_CLOSE) {
      FDevices.erase(found);  // silences the device and drops its pending notification
      if (dwParam != 0 && (flags & mm::MCI_NOTIFY)) {
        toolkit::postMessage(RecordAt<mm::MCI_GENERIC_PARMS>(dwParam).dwCallback, mm::MM_MCINOTIFY,
                             mm::MCI_NOTIFY_SUCCESSFUL, static_cast<std::intptr_t>(IDDevice));
      }
      return mm::MMSYSERR_NOERROR;
    }
    return Command(*found->second, uMsg, flags, dwParam);
  } catch (const std::bad_alloc&) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
}

mm::MCIERROR SequencerMciApi::Open(mm::DWORD flags, mm::MCI_OPEN_PARMSW& parms) {
  if (flags & (mm::MCI_OPEN_TYPE_ID | mm::MCI_OPEN_ELEMENT_ID)) {
    return mm::MCIERR_UNSUPPORTED_FUNCTION;
  }
  const bool typed = (flags & mm::MCI_OPEN_TYPE) != 0;
  const bool withElement = (flags & mm::MCI_OPEN_ELEMENT) != 0;
  if (typed &&
      (parms.lpstrDeviceType == nullptr || AsciiLower(parms.lpstrDeviceType) != u"sequencer")) {
    return mm::MCIERR_INVALID_DEVICE_NAME;
  }
  if (!typed && !withElement) {
    return mm::MCIERR_MISSING_PARAMETER;
  }
  const std::u16string_view element =
      withElement && parms.lpstrElementName != nullptr ? parms.lpstrElementName : u"";
  if (withElement && element.empty()) {
    return mm::MCIERR_FILENAME_REQUIRED;
  }
  if (!typed && !IsMidiFileName(element)) {
    return mm::MCIERR_EXTENSION_NOT_FOUND;
  }

  // A sequencer opened without a file holds an empty song.
  smf::StandardMidiFile file;
  if (withElement) {
    if (const auto error = ReadFile(element, file); error != mm::MMSYSERR_NOERROR) {
      return error;
    }
  }
  if (FPreparedSynthesizer.valid()) {
    FSynthesizer = FPreparedSynthesizer.get();
  }
  if (!FSynthesizer) {  // also when preparing failed: a soundfont may have come since
    mm::MCIERROR error = mm::MMSYSERR_NOERROR;
    FSynthesizer = Synthesizer::Create(FOutput, FSoundFonts, error);
    if (!FSynthesizer) {
      return error;
    }
  }
  // The piece at its level for the soundfont that plays it.
  auto song = withElement ? std::make_shared<const Song>(file, FSynthesizer->SoundFontName())
                          : std::make_shared<const Song>();
  if (FDevices.size() >= kLastDeviceId) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
  do {
    FLastId = FLastId >= kLastDeviceId ? 1 : FLastId + 1;
  } while (FDevices.contains(FLastId));
  auto& device = FDevices[FLastId];
  device = std::make_unique<SequencerDevice>(FLastId, std::move(song), *FSynthesizer);
  parms.wDeviceID = FLastId;
  device->NotifySuccess(flags, parms.dwCallback);
  return mm::MMSYSERR_NOERROR;
}

mm::MCIERROR SequencerMciApi::Command(SequencerDevice& device, mm::UINT command, mm::DWORD flags,
                                      mm::DWORD_PTR record) {
  if (record == 0 && command != mm::MCI_PAUSE && command != mm::MCI_STOP) {
    return mm::MCIERR_NULL_PARAMETER_BLOCK;
  }
  mm::MCIERROR result = mm::MMSYSERR_NOERROR;
  switch (command) {
    case mm::MCI_PLAY:
      return device.Play(flags, RecordAt<mm::MCI_PLAY_PARMS>(record));
    case mm::MCI_RESUME:
      return device.Resume(flags, RecordAt<mm::MCI_GENERIC_PARMS>(record));
    case mm::MCI_SEEK:
      result = device.Seek(flags, RecordAt<mm::MCI_SEEK_PARMS>(record));
      break;
    case mm::MCI_PAUSE:
      result = device.Pause();
      break;
    case mm::MCI_STOP:
      result = device.Stop();
      break;
    case mm::MCI_STATUS:
      result = device.Status(flags, RecordAt<mm::MCI_STATUS_PARMS>(record));
      break;
    case mm::MCI_GETDEVCAPS:
      result = device.GetDevCaps(flags, RecordAt<mm::MCI_GETDEVCAPS_PARMS>(record));
      break;
    case mm::MCI_SET:
      result = device.Set(flags, RecordAt<mm::MCI_SET_PARMS>(record));
      break;
    case mm::MCI_WHERE:
      return mm::MCIERR_UNSUPPORTED_FUNCTION;  // a sequencer shows no picture
    default:
      return mm::MCIERR_UNRECOGNIZED_COMMAND;
  }
  if (result == mm::MMSYSERR_NOERROR && record != 0) {
    device.NotifySuccess(flags, RecordAt<mm::MCI_GENERIC_PARMS>(record).dwCallback);
  }
  return result;
}

mm::BOOL SequencerMciApi::mciGetErrorStringW(mm::MCIERROR fdwError, mm::LPWSTR pszText,
                                             mm::UINT cchText) {
  if (pszText == nullptr || cchText == 0) {
    return mm::FALSE;
  }
  const std::u16string_view text = MciErrorText(fdwError);
  const std::size_t length = std::min<std::size_t>(text.size(), cchText - 1);
  std::copy_n(text.begin(), length, pszText);
  pszText[length] = u'\0';
  return text.empty() ? mm::FALSE : mm::TRUE;
}

}  // namespace sequencer

namespace mm {

namespace {

sequencer::SequencerMciApi& SystemSequencer() {
  static sequencer::SequencerMciApi api;
  return api;
}

}  // namespace

MciApi& SystemMciApi() {
  return SystemSequencer();
}

void PrepareSystemMciApi() {
  SystemSequencer().PrepareSynthesizer();
}

std::u16string SystemMciApiProblem() {
  return SystemSequencer().SoundFontProblem();
}

}  // namespace mm
