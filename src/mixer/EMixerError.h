#pragma once

#include <string>

#include "multimedia/mmtypes.h"
#include "rtl/Exception.h"

class TMixerCtrl;

// The one error of the mixer component: a failed mixer call or a request that does not suit its
// control. Ctrl does not own the control and names a live one only until the next scan.
class EMixerError : public Exception {
 public:
  EMixerError(std::u16string Message, mm::MMRESULT ErrorCode, TMixerCtrl* Ctrl);

  mm::MMRESULT ErrorCode() const { return FErrorCode; }
  void SetErrorCode(mm::MMRESULT Value) { FErrorCode = Value; }
  TMixerCtrl* Ctrl() const { return FCtrl; }

 private:
  mm::MMRESULT FErrorCode;
  TMixerCtrl* FCtrl;
};
