#pragma once

#include <string>
#include <vector>

#include "multimedia/mci.h"
#include "support/RecordingMciApi.h"
#include "toolkit/MessageWindow.h"

// The commands the media player sends, as the recording device sees them.
namespace calls {

using toolkit::WindowHandle;

constexpr mm::DWORD_PTR kWaitFlags = mm::MCI_WAIT;
constexpr mm::DWORD_PTR kNotifyFlags = mm::MCI_NOTIFY;
constexpr mm::DWORD_PTR kOpenElementFlags = mm::MCI_WAIT | mm::MCI_OPEN_ELEMENT;

MciCall Open(WindowHandle window, std::u16string element, mm::DWORD_PTR flags = kOpenElementFlags,
             std::u16string deviceType = u"");
// MCI_WAIT and MCI_STATUS_ITEM, no callback.
MciCall Status(mm::MCIDEVICEID device, mm::DWORD item);
// MCI_WAIT, MCI_STATUS_ITEM and MCI_TRACK, no callback.
MciCall TrackStatus(mm::MCIDEVICEID device, mm::DWORD item, mm::DWORD track);
// Close, pause and resume: a generic record.
MciCall Generic(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD_PTR flags, WindowHandle window);
MciCall Play(mm::MCIDEVICEID device, WindowHandle window, mm::DWORD_PTR flags = kNotifyFlags,
             mm::DWORD from = 0, mm::DWORD to = 0);
MciCall Seek(mm::MCIDEVICEID device, WindowHandle window, mm::DWORD_PTR flags, mm::DWORD to = 0);
MciCall SetTimeFormat(mm::MCIDEVICEID device, mm::DWORD format);

// What a successful open sends after MCI_OPEN: length, the five capability queries, the
// display size, the time format for track-based media, and the mode.
std::vector<MciCall> DeviceInformation(mm::MCIDEVICEID device, bool setsTrackFormat = false);

// MCI_OPEN of `element` followed by the device information.
std::vector<MciCall> OpenSequence(WindowHandle window, mm::MCIDEVICEID device,
                                  std::u16string element);

}  // namespace calls
