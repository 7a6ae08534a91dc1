#include "multimedia/linux/sequencer/Synthesizer.h"

#include <fluidsynth.h>

#include <cmath>

#include "multimedia/linux/sequencer/SoundServerProbe.h"

namespace sequencer {

namespace {

// FluidSynth renders in blocks of this many frames; a message takes effect at a block start.
constexpr std::uint64_t kBlock = 64;
// A performance starts two blocks after the latest block the synthesiser has begun: its first
// messages go out at the reading of the block between, which even a synthesiser rendering at
// that moment has yet to reach.
constexpr std::uint64_t kStartLead = 2 * kBlock;
constexpr int kPeriodSize = 512;
// Two periods of 512 frames: about 23 ms between the synthesiser and the speakers, so that a
// pause or stop is heard at once.
constexpr int kPeriods = 2;
constexpr const char* kDrivers[] = {"pulseaudio", "pipewire", "alsa"};

}  // namespace

std::unique_ptr<Synthesizer> Synthesizer::Create(AudioOutput output, mm::MCIERROR& error) {
  std::unique_ptr<Synthesizer> synthesizer(new Synthesizer());
  error = synthesizer->Open(output);
  if (error != mm::MMSYSERR_NOERROR) {
    synthesizer.reset();
  }
  return synthesizer;
}

mm::MCIERROR Synthesizer::Open(AudioOutput output) {
  FOutput = output;
  // Errors and warnings still reach the log; which driver was picked is nobody's business.
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  FSettings = new_fluid_settings();
  if (FSettings == nullptr) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
  fluid_settings_setint(FSettings, "audio.period-size", kPeriodSize);
  fluid_settings_setint(FSettings, "audio.periods", kPeriods);
  // Samples load with the instruments that select them: the whole soundfont would hold 6 MB and
  // most of the start-up time for instruments a piece never plays.
  fluid_settings_setint(FSettings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setnum(FSettings, "synth.gain", kSynthesizerGain);
  double sampleRate = 44100;
  fluid_settings_getnum(FSettings, "synth.sample-rate", &sampleRate);
  FSampleRate = static_cast<unsigned>(std::lround(sampleRate));

  FSynth = new_fluid_synth(FSettings);
  if (FSynth == nullptr) {
    return mm::MCIERR_CANNOT_LOAD_DRIVER;
  }
  // The sequencer counts the synthesiser's samples from its registration on, before the first
  // block is rendered: its time is then a pure function of the sample clock.
  FSequencer = new_fluid_sequencer2(0);
  if (FSequencer == nullptr) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
  FSynthClient = fluid_sequencer_register_fluidsynth(FSequencer, FSynth);
  FClient = fluid_sequencer_register_client(FSequencer, "kalvio", &OnSequencerEvent, this);
  if (FSynthClient == FLUID_FAILED || FClient == FLUID_FAILED) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
  if (const auto error = CheckOutput(); error != mm::MMSYSERR_NOERROR) {
    return error;
  }
  return fluid_synth_sfload(FSynth, kSoundFontPath, 1) == FLUID_FAILED
             ? mm::MCIERR_CANNOT_LOAD_DRIVER
             : mm::MMSYSERR_NOERROR;
}

// Without sound the synthesiser is of no use, and says so at once; the output itself starts with
// the first performance (see Play). The sound server is asked directly: closing a running
// output waits for its thread, which may wait for a sleeping sink for up to 2 s. Without a
// server the other outputs are opened once and closed.
mm::MCIERROR Synthesizer::CheckOutput() {
  if (FOutput == AudioOutput::kOffline || SoundServerAcceptsPlayback(FSampleRate)) {
    return mm::MMSYSERR_NOERROR;
  }
  const auto error = StartOutput();
  if (FDriver != nullptr) {
    delete_fluid_audio_driver(FDriver);
    FDriver = nullptr;
  }
  return error;
}

mm::MCIERROR Synthesizer::StartOutput() {
  for (const char* driver : kDrivers) {
    if (fluid_settings_setstr(FSettings, "audio.driver", driver) == FLUID_OK) {
      FDriver = new_fluid_audio_driver(FSettings, FSynth);
      if (FDriver != nullptr) {
        return mm::MMSYSERR_NOERROR;
      }
    }
  }
  return mm::MCIERR_HARDWARE;
}

Synthesizer::~Synthesizer() {
  if (FDriver != nullptr) {
    delete_fluid_audio_driver(FDriver);
  }
  if (FSequencer != nullptr) {
    if (FClient != -1) {
      fluid_sequencer_unregister_client(FSequencer, FClient);
    }
    if (FSynthClient != -1) {
      fluid_sequencer_unregister_client(FSequencer, FSynthClient);
    }
    delete_fluid_sequencer(FSequencer);
  }
  if (FSynth != nullptr) {
    delete_fluid_synth(FSynth);
  }
  if (FSettings != nullptr) {
    delete_fluid_settings(FSettings);
  }
}

bool Synthesizer::IsBusy(const void* owner) const {
  std::lock_guard lock(FMutex);
  return FOwner != nullptr && FOwner != owner && !FFinished;
}

mm::MCIERROR Synthesizer::Play(const void* owner, std::shared_ptr<const Song> song,
                               std::uint64_t fromMicroseconds, std::uint64_t toMicroseconds,
                               FinishedHandler finished) {
  {
    std::lock_guard lock(FMutex);
    FFirstBatchId += FBatches.size() + 1;  // batches still queued from before are now stale
    FBatches.clear();
    FOwner = nullptr;
    FSong.reset();
    FOnFinished = nullptr;
  }
  fluid_sequencer_remove_events(FSequencer, -1, FClient, -1);
  Silence();
  fluid_synth_system_reset(FSynth);
  RestoreStateAt(*song, song->FirstMessageAt(fromMicroseconds));

  std::vector<Batch> batches = PlanBatches(*song, fromMicroseconds, toMicroseconds);
  std::vector<std::uint64_t> blocks;
  blocks.reserve(batches.size());
  for (const Batch& batch : batches) {
    blocks.push_back(batch.block);
  }
  // Planned before the clock is read: from the reading to the first message sent, the
  // synthesiser can render no more than the lead. Before the output starts nothing renders:
  // the reading after the latest is still to come.
  const bool rendering = FDriver != nullptr || FOutput == AudioOutput::kOffline;
  const std::uint64_t startSample = RenderedSamples() + (rendering ? kStartLead : kBlock);
  std::uintptr_t firstId = 0;
  {
    std::lock_guard lock(FMutex);
    FOwner = owner;
    FFinished = false;
    FSong = std::move(song);
    FBatches = std::move(batches);
    FStartSample = startSample;
    FOnFinished = std::move(finished);
    firstId = FFirstBatchId;
  }
  fluid_event_t* event = new_fluid_event();
  fluid_event_set_source(event, -1);
  fluid_event_set_dest(event, FClient);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    fluid_event_timer(event, reinterpret_cast<void*>(firstId + i));
    // Sent at the reading of the block before, it reaches the synthesiser as its block starts.
    fluid_sequencer_send_at(FSequencer, event,
                            SequencerTimeFor(startSample + blocks[i] * kBlock - kBlock), 1);
  }
  delete_fluid_event(event);
  // Started now, after the first messages are timed, a new stream carries them in its first
  // period, heard at once; a stream running since the open would have a period or two of
  // silence queued ahead of them.
  if (FDriver == nullptr && FOutput == AudioOutput::kDevice) {
    if (const auto error = StartOutput(); error != mm::MMSYSERR_NOERROR) {
      Stop(owner);
      return error;
    }
  }
  return mm::MMSYSERR_NOERROR;
}

void Synthesizer::Stop(const void* owner) {
  {
    std::lock_guard lock(FMutex);
    if (FOwner != owner) {
      return;
    }
    FFirstBatchId += FBatches.size() + 1;
    FBatches.clear();
    FOwner = nullptr;
    FSong.reset();
    FOnFinished = nullptr;
  }
  fluid_sequencer_remove_events(FSequencer, -1, FClient, -1);
  Silence();
}

std::uint64_t Synthesizer::PlayedMicroseconds() const {
  const std::uint64_t rendered = RenderedSamples();
  std::lock_guard lock(FMutex);
  if (rendered <= FStartSample) {
    return 0;
  }
  return (rendered - FStartSample) * 1000000 / FSampleRate;
}

void Synthesizer::SetEffects(bool on) {
  fluid_synth_reverb_on(FSynth, -1, on ? 1 : 0);
  fluid_synth_chorus_on(FSynth, -1, on ? 1 : 0);
}

void Synthesizer::Render(std::span<float> left, std::span<float> right) {
  fluid_synth_write_float(FSynth, static_cast<int>(left.size()), left.data(), 0, 1, right.data(), 0,
                          1);
}

void Synthesizer::OnSequencerEvent(unsigned int, fluid_event_t* event, fluid_sequencer_t*,
                                   void* data) {
  if (fluid_event_get_type(event) == FLUID_SEQ_TIMER) {
    static_cast<Synthesizer*>(data)->PlayBatch(
        reinterpret_cast<std::uintptr_t>(fluid_event_get_data(event)));
  }
}

// Audio thread.
void Synthesizer::PlayBatch(std::uintptr_t batchId) {
  std::lock_guard lock(FMutex);
  const std::uintptr_t index = batchId - FFirstBatchId;
  if (index >= FBatches.size()) {
    return;  // from a performance that has been stopped or replaced
  }
  const Batch& batch = FBatches[index];
  const auto& messages = FSong->Messages();
  for (std::size_t i = batch.firstMessage; i < batch.firstMessage + batch.messageCount; ++i) {
    Send(*FSong, messages[i]);
  }
  if (batch.endsPerformance && !FFinished) {
    fluid_synth_all_notes_off(FSynth, -1);
    FFinished = true;
    if (FOnFinished) {
      FOnFinished();
      FOnFinished = nullptr;
    }
  }
}

void Synthesizer::Send(const Song& song, const SongMessage& message) {
  const int channel = message.status & 0x0F;
  switch (message.status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(FSynth, channel, message.data1);
      break;
    case 0x90:
      if (message.data2 == 0) {
        fluid_synth_noteoff(FSynth, channel, message.data1);
      } else {
        fluid_synth_noteon(FSynth, channel, message.data1, message.data2);
      }
      break;
    case 0xA0:
      fluid_synth_key_pressure(FSynth, channel, message.data1, message.data2);
      break;
    case 0xB0:
      fluid_synth_cc(FSynth, channel, message.data1, message.data2);
      break;
    case 0xC0:
      fluid_synth_program_change(FSynth, channel, message.data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(FSynth, channel, message.data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(FSynth, channel, message.data1 | message.data2 << 7);
      break;
    case 0xF0: {
      const auto bytes = song.SysExBytes(message);
      fluid_synth_sysex(FSynth, reinterpret_cast<const char*>(bytes.data()),
                        static_cast<int>(bytes.size()), nullptr, nullptr, nullptr, 0);
      break;
    }
  }
}

// Programs, controllers, pitch bends and SysEx settings in force at a message: everything
// before it but the notes, sent in order.
void Synthesizer::RestoreStateAt(const Song& song, std::size_t messageIndex) {
  const auto& messages = song.Messages();
  for (std::size_t i = 0; i < messageIndex; ++i) {
    if (!messages[i].IsNote() && (messages[i].status & 0xF0) != 0xA0) {
      Send(song, messages[i]);
    }
  }
}

void Synthesizer::Silence() {
  fluid_synth_all_notes_off(FSynth, -1);
  fluid_synth_all_sounds_off(FSynth, -1);
}

// A message reaches the synthesiser at the start of a block and sounds from the next one on.
// The sequencer sees the sample clock in whole milliseconds, one reading per block start; as a
// block lasts longer than a millisecond, each block has a reading of its own. Sending each
// message at the reading of the block before the block boundary nearest to its exact time puts
// its onset within half a block (0.73 ms at 44.1 kHz) of that time.
std::vector<Synthesizer::Batch> Synthesizer::PlanBatches(const Song& song,
                                                         std::uint64_t fromMicroseconds,
                                                         std::uint64_t toMicroseconds) const {
  const auto& messages = song.Messages();
  auto nearestBlockOf = [&](std::uint64_t microseconds) {
    const std::uint64_t offset =
        ((microseconds - fromMicroseconds) * FSampleRate + 500000) / 1000000;
    return (offset + kBlock / 2) / kBlock;
  };
  std::vector<Batch> batches;
  for (std::size_t i = song.FirstMessageAt(fromMicroseconds);
       i < messages.size() && messages[i].microseconds < toMicroseconds; ++i) {
    const std::uint64_t block = nearestBlockOf(messages[i].microseconds);
    if (batches.empty() || batches.back().block != block) {
      batches.push_back({i, 0, false, block});
    }
    ++batches.back().messageCount;
  }
  const std::uint64_t endBlock = nearestBlockOf(toMicroseconds);
  if (batches.empty() || batches.back().block != endBlock) {
    batches.push_back({messages.size(), 0, false, endBlock});
  }
  batches.back().endsPerformance = true;
  return batches;
}

// The sequencer's reading at the start of the block that begins at `sample`.
unsigned Synthesizer::SequencerTimeFor(std::uint64_t sample) const {
  return static_cast<unsigned>(sample * 1000 / FSampleRate);
}

// Frames rendered so far, told by the sequencer's reading of the latest block start.
std::uint64_t Synthesizer::RenderedSamples() const {
  const std::uint64_t milliseconds = fluid_sequencer_get_tick(FSequencer);
  const std::uint64_t block = (milliseconds * FSampleRate + kBlock * 1000 - 1) / (kBlock * 1000);
  return (block + 1) * kBlock;
}

}  // namespace sequencer
