#include "multimedia/linux/sequencer/SoundServerProbe.h"

#include <pulse/simple.h>

namespace sequencer {

bool SoundServerAcceptsPlayback(unsigned sampleRate) {
  const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, sampleRate, 2};
  int error = 0;
  pa_simple* stream = pa_simple_new(nullptr, "Kalvio", PA_STREAM_PLAYBACK, nullptr, "Kalvio",
                                    &format, nullptr, nullptr, &error);
  if (stream == nullptr) {
    return false;
  }
  pa_simple_free(stream);
  return true;
}

}  // namespace sequencer
