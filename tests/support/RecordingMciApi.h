#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "multimedia/mci.h"

// One command as the device received it: the record's fields copied by value. Fields the
// command's record does not have stay zero or empty.
struct MciCall {
  mm::MCIDEVICEID device = 0;
  mm::UINT command = 0;
  mm::DWORD_PTR flags = 0;
  mm::DWORD_PTR callback = 0;
  std::u16string deviceType{};   // MCI_OPEN
  std::u16string elementName{};  // MCI_OPEN
  bool hasAlias = false;         // MCI_OPEN
  mm::DWORD from = 0;            // MCI_PLAY
  mm::DWORD to = 0;              // MCI_PLAY, MCI_SEEK
  mm::DWORD item = 0;            // MCI_STATUS, MCI_GETDEVCAPS
  mm::DWORD track = 0;           // MCI_STATUS
  mm::DWORD timeFormat = 0;      // MCI_SET

  bool operator==(const MciCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MciCall& call);

// An MCI that records every command and answers from a script: per-command results, one-shot
// results queued ahead of them, per-item dwReturn values, and notifications posted on request.
class RecordingMciApi : public mm::MciApi {
 public:
  mm::MCIERROR mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg, mm::DWORD_PTR fdwCommand,
                               mm::DWORD_PTR dwParam) override;
  mm::BOOL mciGetErrorStringW(mm::MCIERROR fdwError, mm::LPWSTR pszText, mm::UINT cchText) override;

  // Every later `command` answers `result` (0 unless set).
  void SetResult(mm::UINT command, mm::MCIERROR result) { FResults[command] = result; }
  // The next `command` answers `result`, ahead of SetResult; queued results are used in order.
  void QueueResult(mm::UINT command, mm::MCIERROR result) {
    FQueuedResults[command].push_back(result);
  }
  // dwReturn of MCI_STATUS or MCI_GETDEVCAPS for `item`.
  void SetReturn(mm::UINT command, mm::DWORD item, mm::DWORD_PTR value) {
    FReturns[{command, item}] = value;
  }
  // The next such query answers `value`, ahead of SetReturn; queued values are used in order.
  void QueueReturn(mm::UINT command, mm::DWORD item, mm::DWORD_PTR value) {
    FQueuedReturns[{command, item}].push_back(value);
  }
  void SetWhereRect(mm::RECT rect) { FWhereRect = rect; }
  void SetErrorText(mm::MCIERROR code, std::u16string text) { FErrorTexts[code] = std::move(text); }
  // Device ID the next successful MCI_OPEN returns; later opens count up from it.
  void SetNextDeviceId(mm::MCIDEVICEID id) { FNextDeviceId = id; }

  // Posts MM_MCINOTIFY with `code` to the callback window of the last command that asked for a
  // notification, naming that command's device (or `device` when given).
  bool PostNotification(mm::WPARAM code);
  bool PostNotification(mm::WPARAM code, mm::MCIDEVICEID device);

  const std::vector<MciCall>& Calls() const { return FCalls; }
  void ClearCalls() { FCalls.clear(); }
  // The error-string requests: (code, buffer length in characters).
  const std::vector<std::pair<mm::MCIERROR, mm::UINT>>& ErrorStringRequests() const {
    return FErrorStringRequests;
  }

 private:
  mm::MCIERROR ResultFor(mm::UINT command);
  mm::DWORD_PTR ReturnFor(mm::UINT command, mm::DWORD item);

  std::vector<MciCall> FCalls;
  std::vector<std::pair<mm::MCIERROR, mm::UINT>> FErrorStringRequests;
  std::map<mm::UINT, mm::MCIERROR> FResults;
  std::map<mm::UINT, std::deque<mm::MCIERROR>> FQueuedResults;
  std::map<std::pair<mm::UINT, mm::DWORD>, mm::DWORD_PTR> FReturns;
  std::map<std::pair<mm::UINT, mm::DWORD>, std::deque<mm::DWORD_PTR>> FQueuedReturns;
  std::map<mm::MCIERROR, std::u16string> FErrorTexts;
  mm::RECT FWhereRect{};
  mm::MCIDEVICEID FNextDeviceId = 1;
  mm::DWORD_PTR FNotifyWindow = 0;
  mm::MCIDEVICEID FNotifyDevice = 0;
};
