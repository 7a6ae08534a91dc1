// Our record declarations come first: <windows.h> defines macros with the same names.
#include "multimedia/mixerapi.h"

#include <windows.h>

#include <mmsystem.h>

namespace mm {
namespace {

static_assert(sizeof(mm::MIXERCAPSW) == sizeof(::MIXERCAPSW));
static_assert(sizeof(mm::MIXERLINEW) == sizeof(::MIXERLINEW));
static_assert(sizeof(mm::MIXERCONTROLW) == sizeof(::MIXERCONTROLW));
static_assert(sizeof(mm::MIXERLINECONTROLSW) == sizeof(::MIXERLINECONTROLSW));
static_assert(sizeof(mm::MIXERCONTROLDETAILS) == sizeof(::MIXERCONTROLDETAILS));
static_assert(sizeof(mm::MIXERCONTROLDETAILS_LISTTEXTW) == sizeof(::MIXERCONTROLDETAILS_LISTTEXTW));

::HMIXEROBJ SystemObject(mm::HMIXEROBJ object) {
  return static_cast<::HMIXEROBJ>(object);
}

class WinMixerApi final : public MixerApi {
 public:
  UINT mixerGetNumDevs() override { return ::mixerGetNumDevs(); }

  MMRESULT mixerGetDevCapsW(UINT_PTR uMxId, mm::MIXERCAPSW* pmxcaps, UINT cbmxcaps) override {
    return ::mixerGetDevCapsW(uMxId, reinterpret_cast<::MIXERCAPSW*>(pmxcaps), cbmxcaps);
  }

  MMRESULT mixerOpen(mm::HMIXER* phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR dwInstance,
                     DWORD fdwOpen) override {
    return ::mixerOpen(reinterpret_cast<::HMIXER*>(phmx), uMxId, dwCallback, dwInstance, fdwOpen);
  }

  MMRESULT mixerClose(mm::HMIXER hmx) override { return ::mixerClose(static_cast<::HMIXER>(hmx)); }

  MMRESULT mixerGetLineInfoW(mm::HMIXEROBJ hmxobj, mm::MIXERLINEW* pmxl, DWORD fdwInfo) override {
    return ::mixerGetLineInfoW(SystemObject(hmxobj), reinterpret_cast<::MIXERLINEW*>(pmxl),
                               fdwInfo);
  }

  MMRESULT mixerGetLineControlsW(mm::HMIXEROBJ hmxobj, mm::MIXERLINECONTROLSW* pmxlc,
                                 DWORD fdwControls) override {
    return ::mixerGetLineControlsW(SystemObject(hmxobj),
                                   reinterpret_cast<::MIXERLINECONTROLSW*>(pmxlc), fdwControls);
  }

  MMRESULT mixerGetControlDetailsW(mm::HMIXEROBJ hmxobj, mm::MIXERCONTROLDETAILS* pmxcd,
                                   DWORD fdwDetails) override {
    return ::mixerGetControlDetailsW(SystemObject(hmxobj),
                                     reinterpret_cast<::MIXERCONTROLDETAILS*>(pmxcd), fdwDetails);
  }

  MMRESULT mixerSetControlDetails(mm::HMIXEROBJ hmxobj, mm::MIXERCONTROLDETAILS* pmxcd,
                                  DWORD fdwDetails) override {
    return ::mixerSetControlDetails(SystemObject(hmxobj),
                                    reinterpret_cast<::MIXERCONTROLDETAILS*>(pmxcd), fdwDetails);
  }
};

}  // namespace

MixerApi& SystemMixerApi() {
  static WinMixerApi api;
  return api;
}

void PrepareSystemMixerApi() {}

}  // namespace mm
