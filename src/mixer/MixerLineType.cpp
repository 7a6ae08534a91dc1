#include "mixer/MixerLineType.h"

#include "multimedia/mixerapi.h"

TMixerLineType LineTypeOf(mm::DWORD componentType) {
  using namespace mm;
  if (componentType <= MIXERLINE_COMPONENTTYPE_DST_LAST) {
    return static_cast<TMixerLineType>(dtUndefined + componentType);
  }
  if (componentType >= MIXERLINE_COMPONENTTYPE_SRC_FIRST &&
      componentType <= MIXERLINE_COMPONENTTYPE_SRC_LAST) {
    return static_cast<TMixerLineType>(componentType - MIXERLINE_COMPONENTTYPE_SRC_FIRST);
  }
  return ltUnknown;
}
