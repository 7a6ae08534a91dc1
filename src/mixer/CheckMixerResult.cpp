#include "mixer/CheckMixerResult.h"

#include <string>

#include "mixer/EMixerError.h"
#include "mixer/TMixerCtrl.h"
#include "multimedia/mixerapi.h"
#include "rtl/IntToStr.h"

namespace {

std::u16string MessageOf(mm::MMRESULT code) {
  switch (code) {
    case mm::MMSYSERR_BADDEVICEID:
      return u"デバイスIDは不正です";
    case mm::MMSYSERR_INVALHANDLE:
      return u"無効なハンドルです";
    case mm::MMSYSERR_NODRIVER:
      return u"デバイスドライバがありません";
    case mm::MMSYSERR_NOMEM:
      return u"メモリを割り当てられないかメモリをロックできません";
    case mm::MMSYSERR_INVALFLAG:
      return u"無効なフラグです";
    case mm::MMSYSERR_INVALPARAM:
      return u"無効なパラメータです";
    case mm::MIXERR_INVALLINE:
      return u"無効なラインです";
    case mm::MIXERR_INVALCONTROL:
      return u"無効なコントロールです";
    default:
      return u"不明なエラー:" + IntToStr(code);
  }
}

}  // namespace

bool CheckMixerResult(mm::MMRESULT Code, bool RaiseError, TMixerCtrl* Ctrl) {
  if (Code == mm::MMSYSERR_NOERROR) {
    return true;
  }
  if (!RaiseError) {
    return false;
  }
  std::u16string message = MessageOf(Code);
  if (Ctrl != nullptr) {
    message += u"(" + Ctrl->Name() + u")";
  }
  throw EMixerError(std::move(message), Code, Ctrl);
}
