#pragma once

#include <alsa/asoundlib.h>

#include <cstddef>
#include <string>
#include <vector>

#include "MixerConnection.h"
#include "multimedia/mixerapi.h"

namespace mm::alsa {

enum class Side { Playback, Capture };
enum class ControlKind { Volume, Mute };

struct LineLayout {
  DWORD destination = 0;
  DWORD source = 0;  // 0 for a destination
  bool isSource = false;
  DWORD lineId = 0;
  DWORD componentType = 0;
  DWORD targetType = 0;
  DWORD connections = 0;
  std::string name;
  ElementRef element;
  Side side = Side::Playback;
  std::vector<snd_mixer_selem_channel_id_t> channels;
  std::vector<DWORD> controls;  // IDs, volume before mute
};

struct ControlLayout {
  DWORD id = 0;
  std::size_t line = 0;  // position in MixerLayout::Lines()
  ControlKind kind = ControlKind::Volume;
  bool uniform = false;  // one value for all channels
  DWORD steps = 0;
};

// The lines and controls a device shows, worked out once from its ALSA elements when it is opened:
// IDs stay the same for the life of the handle, whatever happens to the device meanwhile.
//   destination 0: speakers, the playback element "Master" (else the first with a volume), with
//                  every other playback element as a source;
//   destination 1: wave-in, the capture element "Capture" (else the first with a volume), with
//                  every other capture element as a source.
// Each line has a volume control (raw 0..65535) and a mute control where its element has them.
class MixerLayout {
 public:
  static MixerLayout Of(const MixerConnection& connection);

  DWORD Destinations() const { return FDestinations; }
  const std::vector<LineLayout>& Lines() const { return FLines; }
  const std::vector<ControlLayout>& Controls() const { return FControls; }

  const LineLayout* Destination(DWORD destination) const;
  const LineLayout* Source(DWORD destination, DWORD source) const;
  const LineLayout* LineOfId(DWORD lineId) const;
  const LineLayout* LineOfComponentType(DWORD componentType) const;
  const LineLayout* LineOfTargetType(DWORD targetType) const;
  const ControlLayout* Control(DWORD controlId) const;
  const LineLayout& LineOf(const ControlLayout& control) const { return FLines[control.line]; }

 private:
  void AddDestination(DWORD componentType, DWORD targetType, Side side, snd_mixer_elem_t* element,
                      const std::vector<snd_mixer_elem_t*>& sources);
  void AddLine(LineLayout line, snd_mixer_elem_t* element);

  DWORD FDestinations = 0;
  std::vector<LineLayout> FLines;
  std::vector<ControlLayout> FControls;
};

}  // namespace mm::alsa
