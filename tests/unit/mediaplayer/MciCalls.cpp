#include "MciCalls.h"

#include <utility>

namespace calls {

MciCall Open(WindowHandle window, std::u16string element, mm::DWORD_PTR flags,
             std::u16string deviceType) {
  return {.device = 0,
          .command = mm::MCI_OPEN,
          .flags = flags,
          .callback = window,
          .deviceType = std::move(deviceType),
          .elementName = std::move(element)};
}

MciCall Status(mm::MCIDEVICEID device, mm::DWORD item) {
  return {.device = device,
          .command = mm::MCI_STATUS,
          .flags = mm::MCI_WAIT | mm::MCI_STATUS_ITEM,
          .item = item};
}

MciCall TrackStatus(mm::MCIDEVICEID device, mm::DWORD item, mm::DWORD track) {
  return {.device = device,
          .command = mm::MCI_STATUS,
          .flags = mm::MCI_WAIT | mm::MCI_STATUS_ITEM | mm::MCI_TRACK,
          .item = item,
          .track = track};
}

MciCall Generic(mm::MCIDEVICEID device, mm::UINT command, mm::DWORD_PTR flags,
                WindowHandle window) {
  return {.device = device, .command = command, .flags = flags, .callback = window};
}

MciCall Play(mm::MCIDEVICEID device, WindowHandle window, mm::DWORD_PTR flags, mm::DWORD from,
             mm::DWORD to) {
  return {.device = device,
          .command = mm::MCI_PLAY,
          .flags = flags,
          .callback = window,
          .from = from,
          .to = to};
}

MciCall Seek(mm::MCIDEVICEID device, WindowHandle window, mm::DWORD_PTR flags, mm::DWORD to) {
  return {.device = device, .command = mm::MCI_SEEK, .flags = flags, .callback = window, .to = to};
}

MciCall SetTimeFormat(mm::MCIDEVICEID device, mm::DWORD format) {
  return {.device = device,
          .command = mm::MCI_SET,
          .flags = mm::MCI_SET_TIME_FORMAT,
          .timeFormat = format};
}

namespace {

MciCall Capability(mm::MCIDEVICEID device, mm::DWORD item) {
  return {.device = device,
          .command = mm::MCI_GETDEVCAPS,
          .flags = mm::MCI_WAIT | mm::MCI_GETDEVCAPS_ITEM,
          .item = item};
}

}  // namespace

std::vector<MciCall> DeviceInformation(mm::MCIDEVICEID device, bool setsTrackFormat) {
  std::vector<MciCall> sequence{
      Status(device, mm::MCI_STATUS_LENGTH),
      Capability(device, mm::MCI_GETDEVCAPS_CAN_PLAY),
      Capability(device, mm::MCI_GETDEVCAPS_CAN_RECORD),
      Capability(device, mm::MCI_GETDEVCAPS_CAN_EJECT),
      Capability(device, mm::MCI_GETDEVCAPS_HAS_VIDEO),
      Capability(device, mm::MCI_GETDEVCAPS_DEVICE_TYPE),
      {.device = device, .command = mm::MCI_WHERE, .flags = mm::MCI_DGV_WHERE_SOURCE},
  };
  if (setsTrackFormat) {
    sequence.push_back(SetTimeFormat(device, mm::MCI_FORMAT_TMSF));
  }
  sequence.push_back(Status(device, mm::MCI_STATUS_MODE));
  return sequence;
}

std::vector<MciCall> OpenSequence(WindowHandle window, mm::MCIDEVICEID device,
                                  std::u16string element) {
  std::vector<MciCall> sequence{Open(window, std::move(element))};
  for (MciCall& call : DeviceInformation(device)) {
    sequence.push_back(std::move(call));
  }
  return sequence;
}

}  // namespace calls
