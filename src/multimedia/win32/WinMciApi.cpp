// Our record declarations come first: <windows.h> defines macros with the same names.
#include "multimedia/mci.h"

#include <windows.h>

#include <mmsystem.h>

#include <digitalv.h>

namespace mm {
namespace {

static_assert(sizeof(mm::MCI_OPEN_PARMSW) == sizeof(::MCI_OPEN_PARMSW));
static_assert(sizeof(mm::MCI_PLAY_PARMS) == sizeof(::MCI_PLAY_PARMS));
static_assert(sizeof(mm::MCI_SEEK_PARMS) == sizeof(::MCI_SEEK_PARMS));
static_assert(sizeof(mm::MCI_STATUS_PARMS) == sizeof(::MCI_STATUS_PARMS));
static_assert(sizeof(mm::MCI_GETDEVCAPS_PARMS) == sizeof(::MCI_GETDEVCAPS_PARMS));
static_assert(sizeof(mm::MCI_SET_PARMS) == sizeof(::MCI_SET_PARMS));
static_assert(sizeof(mm::MCI_DGV_RECT_PARMS) == sizeof(::MCI_DGV_RECT_PARMS));
static_assert(sizeof(mm::WCHAR) == sizeof(wchar_t));

class WinMciApi final : public MciApi {
 public:
  MCIERROR mciSendCommandW(MCIDEVICEID IDDevice, UINT uMsg, DWORD_PTR fdwCommand,
                           DWORD_PTR dwParam) override {
    return ::mciSendCommandW(IDDevice, uMsg, fdwCommand, dwParam);
  }

  BOOL mciGetErrorStringW(MCIERROR fdwError, LPWSTR pszText, UINT cchText) override {
    return ::mciGetErrorStringW(fdwError, reinterpret_cast<wchar_t*>(pszText), cchText);
  }
};

}  // namespace

MciApi& SystemMciApi() {
  static WinMciApi api;
  return api;
}

void PrepareSystemMciApi() {}

std::u16string SystemMciApiProblem() {
  return {};
}

}  // namespace mm
