#pragma once

#include <array>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "multimedia/mixerapi.h"

// A mixer system in memory for tests: devices with destinations, sources and controls built from
// a table, per-channel values, a call log, failure injection, and changes "made by another
// program" that post the change messages to the windows the device was opened with.
//
// It checks the records it is given as the system does (sizes, flags, channel and item counts)
// and answers their faults with the system's result codes. The component's own writes post
// nothing, as on the sound servers this system meets.

struct SimListItem {
  std::u16string name;
  mm::DWORD param1 = 0;
  mm::DWORD param2 = 0;
};

struct SimControl {
  mm::DWORD type = 0;  // dwControlType
  // Channel by channel (one channel when uniform), each channel's items in order; missing ones 0.
  std::vector<mm::DWORD> values{};
  mm::DWORD flags = 0;  // fdwControl; MIXERCONTROL_CONTROLF_MULTIPLE reports `items`
  std::u16string name{};
  std::vector<SimListItem> items{};
  mm::DWORD id = 0;  // 0: numbered by the simulator, from 1 per device
  std::u16string shortName{};
  std::array<mm::DWORD, 6> bounds{0, 65535};
  std::array<mm::DWORD, 6> metrics{};
};

struct SimLine {
  mm::DWORD type = 0;  // dwComponentType
  std::u16string name{};
  mm::DWORD channels = 2;
  std::vector<SimControl> controls{};
  std::vector<SimLine> sources{};  // of a destination
  mm::DWORD id = 0;                // 0: numbered by the simulator as the system does
  std::u16string shortName{};
  mm::DWORD targetType = 0;
  std::u16string targetName{};
};

struct SimDevice {
  std::u16string name;
  std::vector<SimLine> destinations{};
};

enum class MixerCall {
  GetNumDevs,
  GetDevCaps,
  Open,
  Close,
  GetLineInfo,
  GetLineControls,
  GetControlDetails,
  SetControlDetails,
};

// One call as the simulator received it. Fields the call does not have stay 0.
struct MixerCallRecord {
  MixerCall call = MixerCall::GetNumDevs;
  mm::UINT device = 0;  // device number, also of the handle's device
  mm::HMIXER handle = nullptr;
  mm::DWORD flags = 0;
  mm::DWORD_PTR callback = 0;  // Open
  mm::DWORD size = 0;          // cbStruct, or cbmxcaps of GetDevCaps
  mm::DWORD destination = 0;   // GetLineInfo
  mm::DWORD source = 0;        // GetLineInfo
  mm::DWORD lineId = 0;        // GetLineControls
  mm::DWORD controlCount = 0;  // GetLineControls
  mm::DWORD controlId = 0;     // details
  mm::DWORD channels = 0;      // details
  mm::DWORD multipleItems = 0;
  mm::DWORD detailSize = 0;         // cbDetails
  std::vector<mm::DWORD> values{};  // SetControlDetails: the values written
  mm::MMRESULT result = 0;

  bool operator==(const MixerCallRecord&) const = default;
};

std::ostream& operator<<(std::ostream& out, MixerCall call);
std::ostream& operator<<(std::ostream& out, const MixerCallRecord& record);

class SimulatedMixer : public mm::MixerApi {
 public:
  using CallFilter = std::function<bool(const MixerCallRecord&)>;

  SimulatedMixer() = default;
  explicit SimulatedMixer(std::vector<SimDevice> devices) { SetDevices(std::move(devices)); }

  // Replaces the system's devices; open handles stay open and name the same device numbers.
  void SetDevices(std::vector<SimDevice> devices);

  // Every later `call` for which `when` holds (every one when empty) answers `result` and has no
  // effect. The first matching rule wins.
  void Fail(MixerCall call, mm::MMRESULT result, CallFilter when = {});
  void ClearFailures() { FFailures.clear(); }

  const std::vector<MixerCallRecord>& Calls() const { return FCalls; }
  std::vector<MixerCallRecord> CallsOf(MixerCall call) const;
  void ClearCalls() { FCalls.clear(); }
  std::size_t OpenHandleCount() const { return FOpenHandles.size(); }

  std::vector<mm::DWORD> Values(mm::DWORD controlId, mm::UINT device = 0) const;
  // Sets the stored values without telling anyone.
  void SetValues(mm::DWORD controlId, std::vector<mm::DWORD> values, mm::UINT device = 0);
  // As another program would: sets the values, then posts MM_MIXM_CONTROL_CHANGE to every window
  // the device is open with.
  void ChangeFromOutside(mm::DWORD controlId, std::vector<mm::DWORD> values, mm::UINT device = 0);
  // Posts MM_MIXM_LINE_CHANGE for the line to every window the device is open with.
  void ChangeLineFromOutside(mm::DWORD lineId, mm::UINT device = 0);

  mm::UINT mixerGetNumDevs() override;
  mm::MMRESULT mixerGetDevCapsW(mm::UINT_PTR uMxId, mm::MIXERCAPSW* pmxcaps,
                                mm::UINT cbmxcaps) override;
  mm::MMRESULT mixerOpen(mm::HMIXER* phmx, mm::UINT uMxId, mm::DWORD_PTR dwCallback,
                         mm::DWORD_PTR dwInstance, mm::DWORD fdwOpen) override;
  mm::MMRESULT mixerClose(mm::HMIXER hmx) override;
  mm::MMRESULT mixerGetLineInfoW(mm::HMIXEROBJ hmxobj, mm::MIXERLINEW* pmxl,
                                 mm::DWORD fdwInfo) override;
  mm::MMRESULT mixerGetLineControlsW(mm::HMIXEROBJ hmxobj, mm::MIXERLINECONTROLSW* pmxlc,
                                     mm::DWORD fdwControls) override;
  mm::MMRESULT mixerGetControlDetailsW(mm::HMIXEROBJ hmxobj, mm::MIXERCONTROLDETAILS* pmxcd,
                                       mm::DWORD fdwDetails) override;
  mm::MMRESULT mixerSetControlDetails(mm::HMIXEROBJ hmxobj, mm::MIXERCONTROLDETAILS* pmxcd,
                                      mm::DWORD fdwDetails) override;

 private:
  struct OpenHandle {
    mm::UINT device;
    mm::DWORD_PTR window;  // 0 without CALLBACK_WINDOW
  };
  struct Failure {
    MixerCall call;
    mm::MMRESULT result;
    CallFilter when;
  };
  struct ControlPlace {
    const SimLine* line = nullptr;
    SimControl* control = nullptr;
  };

  mm::MMRESULT Finish(MixerCallRecord record, mm::MMRESULT result);
  const mm::MMRESULT* InjectedFailure(const MixerCallRecord& record) const;
  const OpenHandle* HandleOf(mm::HMIXEROBJ handle) const;
  const SimLine* LineOf(mm::UINT device, mm::DWORD lineId) const;
  ControlPlace ControlOf(mm::UINT device, mm::DWORD controlId);
  mm::MMRESULT CheckDetails(const MixerCallRecord& record, const ControlPlace& place) const;
  void PostToWindowsOf(mm::UINT device, mm::UINT msg, mm::DWORD id) const;

  std::vector<SimDevice> FDevices;
  std::vector<Failure> FFailures;
  std::vector<MixerCallRecord> FCalls;
  std::map<mm::HMIXER, OpenHandle> FOpenHandles;
  std::uintptr_t FNextHandle = 0x1000;
};
