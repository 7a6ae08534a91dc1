#include "mixer/EMixerError.h"

#include <utility>

EMixerError::EMixerError(std::u16string Message, mm::MMRESULT ErrorCode, TMixerCtrl* Ctrl)
    : Exception(std::move(Message)), FErrorCode(ErrorCode), FCtrl(Ctrl) {}
