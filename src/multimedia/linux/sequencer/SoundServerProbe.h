#pragma once

// Whether the desktop's sound server (PulseAudio, or PipeWire speaking its protocol) takes a
// playback stream of the synthesiser's format: one is opened and closed again, nothing played.

namespace sequencer {

bool SoundServerAcceptsPlayback(unsigned sampleRate);

}  // namespace sequencer
