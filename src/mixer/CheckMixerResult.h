#pragma once

#include "multimedia/mmtypes.h"

class TMixerCtrl;

// True for MMSYSERR_NOERROR. Any other code gives false, or, when RaiseError is set, raises
// EMixerError with the code's message followed by the control's name in parentheses.
bool CheckMixerResult(mm::MMRESULT Code, bool RaiseError, TMixerCtrl* Ctrl);
