#pragma once

#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "MixerDevices.h"
#include "OpenMixer.h"
#include "multimedia/mixerapi.h"

namespace mm::alsa {

// The mixer functions over ALSA's simple mixer, with the records, flags and result codes of the
// Windows mixer. Device numbers refer to the list that the last mixerGetNumDevs found. Handles are
// never reused, so a closed one stays invalid. Safe to call from any thread.
class AlsaMixerApi final : public MixerApi {
 public:
  UINT mixerGetNumDevs() override;
  MMRESULT mixerGetDevCapsW(UINT_PTR uMxId, MIXERCAPSW* pmxcaps, UINT cbmxcaps) override;
  MMRESULT mixerOpen(HMIXER* phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR dwInstance,
                     DWORD fdwOpen) override;
  MMRESULT mixerClose(HMIXER hmx) override;
  MMRESULT mixerGetLineInfoW(HMIXEROBJ hmxobj, MIXERLINEW* pmxl, DWORD fdwInfo) override;
  MMRESULT mixerGetLineControlsW(HMIXEROBJ hmxobj, MIXERLINECONTROLSW* pmxlc,
                                 DWORD fdwControls) override;
  MMRESULT mixerGetControlDetailsW(HMIXEROBJ hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                   DWORD fdwDetails) override;
  MMRESULT mixerSetControlDetails(HMIXEROBJ hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                  DWORD fdwDetails) override;

  // Starts a scan of the devices on another thread; the next mixerGetNumDevs takes its result
  // instead of scanning again.
  void PrepareDevices();

 private:
  // Callers hold FLock.
  // The open device that an HMIXER or a device number (MIXER_OBJECTF_MIXER) names; a number opens
  // the device for this one call.
  struct Target {
    OpenMixer* mixer = nullptr;
    std::unique_ptr<OpenMixer> temporary;
    MMRESULT result = MMSYSERR_NOERROR;
  };
  Target Resolve(HMIXEROBJ object, DWORD flags);
  void Scan();
  const std::vector<MixerDevice>& Devices();
  std::unique_ptr<MixerConnection> ConnectionFor(const MixerDevice& device);
  OpenMixer* Find(HMIXER handle) const;
  MMRESULT TransferDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags, bool write);

  std::mutex FLock;
  bool FScanned = false;
  std::vector<MixerDevice> FDevices;
  // The connections the last scan opened, each kept for the next opening of its device: another
  // connection would cost another round trip to the sound server.
  std::map<std::string, std::unique_ptr<MixerConnection>> FScannedConnections;
  std::future<std::vector<FoundMixerDevice>> FPreparedDevices;
  std::map<std::uintptr_t, std::unique_ptr<OpenMixer>> FOpen;
  std::uintptr_t FLastHandle = 0x4D580000;  // clear of device numbers
};

}  // namespace mm::alsa
