#include "mixer/MixerControlStatus.h"

#include "multimedia/mixerapi.h"

TMixerControlStatus StatusOf(mm::DWORD controlFlags) {
  TMixerControlStatus status;
  if ((controlFlags & mm::MIXERCONTROL_CONTROLF_DISABLED) != 0) {
    status.Include(csDisabled);
  }
  if ((controlFlags & mm::MIXERCONTROL_CONTROLF_MULTIPLE) != 0) {
    status.Include(csMultiple);
  }
  if ((controlFlags & mm::MIXERCONTROL_CONTROLF_UNIFORM) != 0) {
    status.Include(csUniform);
  }
  return status;
}
