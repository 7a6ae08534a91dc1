#include "mixer/MixerValueKind.h"

TMixerValueKinds ValueKindsOf(TMixerControlType controlType) {
  switch (controlType) {
    case ctBass:
    case ctFader:
    case ctTreble:
    case ctVolume:
    case ctUnsignedMeter:
    case ctPercent:
    case ctUnsigned:
    case ctMicroTime:
    case ctMilliTime:
      return {vkUnsigned};
    case ctEqualizer:
      return {vkUnsigned, vkListText};
    case ctPeakMeter:
    case ctSignedMeter:
    case ctDecibels:
    case ctSigned:
    case ctPan:
    case ctQsoundPan:
    case ctSlider:
      return {vkSigned};
    case ctBooleanMeter:
    case ctBoolean:
    case ctButton:
    case ctLoudness:
    case ctMono:
    case ctMute:
    case ctOnOff:
    case ctStereoEnh:
      return {vkBoolean};
    case ctMixer:
    case ctMultipleSelect:
    case ctMux:
    case ctSingleSelect:
      return {vkBoolean, vkListText};
    case ctCustom:
    case ctUnknown:
      break;
  }
  return {};
}
