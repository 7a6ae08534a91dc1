#include "mixer/MixerControlType.h"

#include "multimedia/mixerapi.h"

TMixerControlType ControlTypeOf(mm::DWORD controlType) {
  using namespace mm;
  switch (controlType) {
    case MIXERCONTROL_CONTROLTYPE_CUSTOM:
      return ctCustom;
    case MIXERCONTROL_CONTROLTYPE_BASS:
      return ctBass;
    case MIXERCONTROL_CONTROLTYPE_EQUALIZER:
      return ctEqualizer;
    case MIXERCONTROL_CONTROLTYPE_FADER:
      return ctFader;
    case MIXERCONTROL_CONTROLTYPE_TREBLE:
      return ctTreble;
    case MIXERCONTROL_CONTROLTYPE_VOLUME:
      return ctVolume;
    case MIXERCONTROL_CONTROLTYPE_MIXER:
      return ctMixer;
    case MIXERCONTROL_CONTROLTYPE_MULTIPLESELECT:
      return ctMultipleSelect;
    case MIXERCONTROL_CONTROLTYPE_MUX:
      return ctMux;
    case MIXERCONTROL_CONTROLTYPE_SINGLESELECT:
      return ctSingleSelect;
    case MIXERCONTROL_CONTROLTYPE_BOOLEANMETER:
      return ctBooleanMeter;
    case MIXERCONTROL_CONTROLTYPE_PEAKMETER:
      return ctPeakMeter;
    case MIXERCONTROL_CONTROLTYPE_SIGNEDMETER:
      return ctSignedMeter;
    case MIXERCONTROL_CONTROLTYPE_UNSIGNEDMETER:
      return ctUnsignedMeter;
    case MIXERCONTROL_CONTROLTYPE_DECIBELS:
      return ctDecibels;
    case MIXERCONTROL_CONTROLTYPE_PERCENT:
      return ctPercent;
    case MIXERCONTROL_CONTROLTYPE_SIGNED:
      return ctSigned;
    case MIXERCONTROL_CONTROLTYPE_UNSIGNED:
      return ctUnsigned;
    case MIXERCONTROL_CONTROLTYPE_PAN:
      return ctPan;
    case MIXERCONTROL_CONTROLTYPE_QSOUNDPAN:
      return ctQsoundPan;
    case MIXERCONTROL_CONTROLTYPE_SLIDER:
      return ctSlider;
    case MIXERCONTROL_CONTROLTYPE_BOOLEAN:
      return ctBoolean;
    case MIXERCONTROL_CONTROLTYPE_BUTTON:
      return ctButton;
    case MIXERCONTROL_CONTROLTYPE_LOUDNESS:
      return ctLoudness;
    case MIXERCONTROL_CONTROLTYPE_MONO:
      return ctMono;
    case MIXERCONTROL_CONTROLTYPE_MUTE:
      return ctMute;
    case MIXERCONTROL_CONTROLTYPE_ONOFF:
      return ctOnOff;
    case MIXERCONTROL_CONTROLTYPE_STEREOENH:
      return ctStereoEnh;
    case MIXERCONTROL_CONTROLTYPE_MICROTIME:
      return ctMicroTime;
    case MIXERCONTROL_CONTROLTYPE_MILLITIME:
      return ctMilliTime;
    default:
      return ctUnknown;
  }
}
