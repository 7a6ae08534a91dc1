#include "support/RecordingMciApi.h"

#include <algorithm>
#include <ostream>

#include "rtl/TextConversion.h"
#include "toolkit/MessageWindow.h"

namespace {

std::u16string TextOrEmpty(mm::LPCWSTR text) {
  return text ? std::u16string(text) : u"";
}

template <typename Record>
Record& RecordAt(mm::DWORD_PTR address) {
  return *reinterpret_cast<Record*>(address);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const MciCall& call) {
  out << "{device " << call.device << ", command 0x" << std::hex << call.command << ", flags 0x"
      << call.flags << std::dec << ", callback " << call.callback;
  if (!call.deviceType.empty()) {
    out << ", type \"" << Utf16ToUtf8(call.deviceType) << '"';
  }
  if (!call.elementName.empty()) {
    out << ", element \"" << Utf16ToUtf8(call.elementName) << '"';
  }
  if (call.hasAlias) {
    out << ", alias";
  }
  return out << ", from " << call.from << ", to " << call.to << ", item " << call.item << ", track "
             << call.track << ", timeFormat " << call.timeFormat << '}';
}

mm::MCIERROR RecordingMciApi::ResultFor(mm::UINT command) {
  auto& queued = FQueuedResults[command];
  if (!queued.empty()) {
    const mm::MCIERROR result = queued.front();
    queued.pop_front();
    return result;
  }
  const auto sticky = FResults.find(command);
  return sticky == FResults.end() ? 0 : sticky->second;
}

mm::DWORD_PTR RecordingMciApi::ReturnFor(mm::UINT command, mm::DWORD item) {
  auto& queued = FQueuedReturns[{command, item}];
  if (!queued.empty()) {
    const mm::DWORD_PTR value = queued.front();
    queued.pop_front();
    return value;
  }
  const auto sticky = FReturns.find({command, item});
  return sticky == FReturns.end() ? 0 : sticky->second;
}

mm::MCIERROR RecordingMciApi::mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg,
                                              mm::DWORD_PTR fdwCommand, mm::DWORD_PTR dwParam) {
  MciCall call{.device = IDDevice, .command = uMsg, .flags = fdwCommand};
  if (dwParam != 0) {
    call.callback = RecordAt<mm::MCI_GENERIC_PARMS>(dwParam).dwCallback;
  }
  const mm::MCIERROR result = ResultFor(uMsg);
  switch (uMsg) {
    case mm::MCI_OPEN: {
      auto& open = RecordAt<mm::MCI_OPEN_PARMSW>(dwParam);
      call.deviceType = TextOrEmpty(open.lpstrDeviceType);
      call.elementName = TextOrEmpty(open.lpstrElementName);
      call.hasAlias = open.lpstrAlias != nullptr;
      if (result == 0) {
        open.wDeviceID = FNextDeviceId++;
      }
      break;
    }
    case mm::MCI_PLAY: {
      const auto& play = RecordAt<mm::MCI_PLAY_PARMS>(dwParam);
      call.from = play.dwFrom;
      call.to = play.dwTo;
      break;
    }
    case mm::MCI_SEEK:
      call.to = RecordAt<mm::MCI_SEEK_PARMS>(dwParam).dwTo;
      break;
    case mm::MCI_STATUS: {
      auto& status = RecordAt<mm::MCI_STATUS_PARMS>(dwParam);
      call.item = status.dwItem;
      call.track = status.dwTrack;
      status.dwReturn = ReturnFor(uMsg, status.dwItem);
      break;
    }
    case mm::MCI_GETDEVCAPS: {
      auto& caps = RecordAt<mm::MCI_GETDEVCAPS_PARMS>(dwParam);
      call.item = caps.dwItem;
      caps.dwReturn = static_cast<mm::DWORD>(ReturnFor(uMsg, caps.dwItem));
      break;
    }
    case mm::MCI_SET:
      call.timeFormat = RecordAt<mm::MCI_SET_PARMS>(dwParam).dwTimeFormat;
      break;
    case mm::MCI_WHERE:
      RecordAt<mm::MCI_DGV_RECT_PARMS>(dwParam).rc = FWhereRect;
      break;
    default:
      break;
  }
  if ((fdwCommand & mm::MCI_NOTIFY) != 0) {
    FNotifyWindow = call.callback;
    FNotifyDevice = uMsg == mm::MCI_OPEN && result == 0
                        ? RecordAt<mm::MCI_OPEN_PARMSW>(dwParam).wDeviceID
                        : IDDevice;
  }
  FCalls.push_back(std::move(call));
  return result;
}

mm::BOOL RecordingMciApi::mciGetErrorStringW(mm::MCIERROR fdwError, mm::LPWSTR pszText,
                                             mm::UINT cchText) {
  FErrorStringRequests.emplace_back(fdwError, cchText);
  const auto text = FErrorTexts.find(fdwError);
  if (text == FErrorTexts.end() || cchText == 0) {
    return mm::FALSE;
  }
  const std::size_t length = std::min<std::size_t>(text->second.size(), cchText - 1);
  std::copy_n(text->second.begin(), length, pszText);
  pszText[length] = 0;
  return mm::TRUE;
}

bool RecordingMciApi::PostNotification(mm::WPARAM code) {
  return PostNotification(code, FNotifyDevice);
}

bool RecordingMciApi::PostNotification(mm::WPARAM code, mm::MCIDEVICEID device) {
  return toolkit::postMessage(FNotifyWindow, mm::MM_MCINOTIFY, code,
                              static_cast<mm::LPARAM>(device));
}
