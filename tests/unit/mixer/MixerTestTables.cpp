#include "MixerTestTables.h"

#include "rtl/TextConversion.h"

using namespace mm;

SimControl VolumeControl(std::vector<DWORD> values, DWORD flags, DWORD id) {
  return {.type = MIXERCONTROL_CONTROLTYPE_VOLUME,
          .values = std::move(values),
          .flags = flags,
          .name = u"Volume",
          .id = id};
}

SimControl MuteControl(std::vector<DWORD> values, DWORD id) {
  return {.type = MIXERCONTROL_CONTROLTYPE_MUTE,
          .values = std::move(values),
          .name = u"Mute",
          .id = id};
}

SimControl ControlOfType(DWORD type, std::u16string name, DWORD id) {
  return {.type = type, .name = std::move(name), .id = id};
}

SimLine Destination(DWORD type, std::u16string name, std::vector<SimControl> controls,
                    std::vector<SimLine> sources) {
  return {.type = type,
          .name = std::move(name),
          .controls = std::move(controls),
          .sources = std::move(sources)};
}

SimLine Source(DWORD type, std::u16string name, std::vector<SimControl> controls) {
  return {.type = type, .name = std::move(name), .controls = std::move(controls)};
}

SimDevice SoundCard(std::u16string name) {
  return {
      std::move(name),
      {Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, u"Speakers",
                   {VolumeControl({32768, 32768}), MuteControl()},
                   {Source(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, u"Wave",
                           {VolumeControl({65535, 65535}), MuteControl()}),
                    Source(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, u"SW Synth",
                           {VolumeControl({65535, 65535})}),
                    Source(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, u"CD",
                           {VolumeControl(), MuteControl()}),
                    Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, u"Mic",
                           {VolumeControl(), MuteControl()})}),
       Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, u"Recording",
                   {ControlOfType(MIXERCONTROL_CONTROLTYPE_MUX, u"Select")},
                   {Source(MIXERLINE_COMPONENTTYPE_SRC_LINE, u"Line In", {VolumeControl()}),
                    Source(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, u"Mic", {VolumeControl()})})}};
}

std::vector<std::string> Describe(const TMixer& mixer) {
  std::vector<std::string> picture;
  for (std::int32_t d = 0; d < mixer.Count(); ++d) {
    const TMixerDev* dev = mixer.Devs(d);
    picture.push_back("dev " + Utf16ToUtf8(dev->Name()));
    for (std::int32_t i = 0; i < dev->Count(); ++i) {
      const TMixerItem* item = dev->Items(i);
      std::string line = item->IsDestination() ? "" : "  ";
      line += Utf16ToUtf8(item->Name());
      line += '[';
      for (std::int32_t c = 0; c < item->Count(); ++c) {
        line += c > 0 ? "," : "";
        line += Utf16ToUtf8(ControlTypeNames[item->Ctrls(c)->ControlType()]);
      }
      picture.push_back(line + "]");
    }
  }
  return picture;
}
