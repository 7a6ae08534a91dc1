#include "multimedia/linux/sequencer/Synthesizer.h"

#include <fluidsynth.h>

#include <cmath>

namespace sequencer {

namespace {

// FluidSynth renders in blocks of this many frames; a message takes effect at a block start.
constexpr std::uint64_t kBlock = 64;
// A performance starts two blocks after the latest block the synthesiser has begun: its first
// messages go out at the reading of the block between, which even a synthesiser rendering at
// that moment has yet to reach.
constexpr std::uint64_t kStartLead = 2 * kBlock;
// Without a server to ask, the rate most soundfonts are sampled at.
constexpr unsigned kDefaultSampleRate = 44100;

}  // namespace

std::unique_ptr<Synthesizer> Synthesizer::Create(AudioOutput output,
                                                 std::span<const SoundFontCandidate> soundFonts,
                                                 mm::MCIERROR& error) {
  std::unique_ptr<Synthesizer> synthesizer(new Synthesizer());
  error = synthesizer->Open(output, soundFonts);
  if (error != mm::MMSYSERR_NOERROR) {
    synthesizer.reset();
  }
  return synthesizer;
}

mm::MCIERROR Synthesizer::Open(AudioOutput output, std::span<const SoundFontCandidate> soundFonts) {
  FOutput = output;
  // Errors and warnings still reach the log.
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  FSettings = new_fluid_settings();
  if (FSettings == nullptr) {
    return mm::MCIERR_OUT_OF_MEMORY;
  }
  // Samples load with the instruments that select them: the whole soundfont would hold 6 MB
  // (TimGM6mb) to 148 MB (FluidR3_GM) and most of the start-up time for instruments a piece
  // never plays.
  fluid_settings_setint(FSettings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setnum(FSettings, "synth.gain", kSynthesizerGain);
  if (output == AudioOutput::kDevice) {
    // Rendered at the sink's own rate, the server has nothing to resample.
    FOutputStream = SoundServerStream::Create();
    if (!FOutputStream) {
      return mm::MCIERR_CANNOT_LOAD_DRIVER;
    }
    FSampleRate = FOutputStream->SinkSampleRate().value_or(kDefaultSampleRate);
    fluid_settings_setnum(FSettings, "synth.sample-rate", FSampleRate);
  } else {
    double sampleRate = kDefaultSampleRate;
    fluid_settings_getnum(FSettings, "synth.sample-rate", &sampleRate);
    FSampleRate = static_cast<unsigned>(std::lround(sampleRate));
  }

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
  if (!LoadSoundFont(soundFonts)) {
    return mm::MCIERR_CANNOT_LOAD_DRIVER;
  }
  if (FOutputStream) {
    FOutputStream->Attach(
        FSampleRate,
        [this](float* samples, std::size_t frames) {
          fluid_synth_write_float(FSynth, static_cast<int>(frames), samples, 0, 2, samples, 1, 2);
        },
        [this] { OnOutputLost(); }, [this] { OnOutputBack(); });
  }
  return mm::MMSYSERR_NOERROR;
}

bool Synthesizer::LoadSoundFont(std::span<const SoundFontCandidate> soundFonts) {
  for (const SoundFontCandidate& candidate : soundFonts) {
    const std::optional<SoundFont> font = IdentifySoundFont(candidate);
    if (font && fluid_synth_sfload(FSynth, font->path.c_str(), 1) != FLUID_FAILED) {
      FSoundFontName = font->knownName;
      ReportSoundFontChoice(SoundFontChoiceLine(font, soundFonts));
      return true;
    }
  }
  ReportSoundFontChoice(SoundFontChoiceLine(std::nullopt, soundFonts));
  return false;
}

Synthesizer::OutputLock::OutputLock(SoundServerStream* output) : FOutputStream(output) {
  if (FOutputStream != nullptr) {
    FOutputStream->Lock();
  }
}

Synthesizer::OutputLock::~OutputLock() {
  if (FOutputStream != nullptr) {
    FOutputStream->Unlock();
  }
}

Synthesizer::~Synthesizer() {
  FOutputStream.reset();  // its thread renders no more
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

void Synthesizer::Play(const void* owner, std::shared_ptr<const Song> song,
                       std::uint64_t fromMicroseconds, std::uint64_t toMicroseconds,
                       FinishedHandler finished) {
  const OutputLock lock(FOutputStream.get());
  {
    std::lock_guard guard(FMutex);
    FOrigin = fromMicroseconds;
  }
  Start(owner, std::move(song), fromMicroseconds, toMicroseconds, std::move(finished), 0);
}

void Synthesizer::Start(const void* owner, std::shared_ptr<const Song> song,
                        std::uint64_t fromMicroseconds, std::uint64_t toMicroseconds,
                        FinishedHandler finished, std::uint64_t played) {
  {
    std::lock_guard lock(FMutex);
    FFirstBatchId += FBatches.size() + 1;  // batches still queued from before are now stale
    ++FGeneration;
    FBatches.clear();
    FOwner = nullptr;
    FSong.reset();
    FOnFinished = nullptr;
    FReplayPending = false;
  }
  if (FOutputStream) {
    FOutputStream->Halt();  // what is queued of the old sound is dropped, and nothing renders
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
  // Nothing renders between the reading and the first message sent (the output is halted, or
  // rendered offline on this thread), so the lead is all the first message needs.
  const std::uint64_t startSample = RenderedSamples() + kStartLead;
  std::uintptr_t firstId = 0;
  {
    std::lock_guard lock(FMutex);
    FOwner = owner;
    FFinished = false;
    FEndRendered = false;
    FSong = std::move(song);
    FBatches = std::move(batches);
    FStartSample = startSample;
    FTo = toMicroseconds;
    FPlayedBefore = played;
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
  if (FOutputStream) {
    FOutputStream->Play();
  }
}

void Synthesizer::Stop(const void* owner) {
  const OutputLock outputLock(FOutputStream.get());
  {
    std::lock_guard lock(FMutex);
    if (FOwner != owner) {
      return;
    }
    FFirstBatchId += FBatches.size() + 1;
    ++FGeneration;
    FBatches.clear();
    FOwner = nullptr;
    FSong.reset();
    FOnFinished = nullptr;
    FReplayPending = false;
  }
  fluid_sequencer_remove_events(FSequencer, -1, FClient, -1);
  Silence();
  if (FOutputStream) {
    FOutputStream->Halt();
  }
}

std::uint64_t Synthesizer::PlayedMicroseconds() const {
  const OutputLock outputLock(FOutputStream.get());
  const std::uint64_t heard = FOutputStream ? FOutputStream->HeardFrames() : RenderedSamples();
  std::lock_guard lock(FMutex);
  return FReplayPending ? FPlayedAtLoss : PlayedAt(heard);
}

// FMutex held.
std::uint64_t Synthesizer::PlayedAt(std::uint64_t heardSample) const {
  if (heardSample <= FStartSample) {
    return FPlayedBefore;
  }
  return FPlayedBefore + (heardSample - FStartSample) * 1000000 / FSampleRate;
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
  std::uint64_t endSample = 0;
  std::uint64_t generation = 0;
  {
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
    if (!batch.endsPerformance || FEndRendered) {
      return;
    }
    fluid_synth_all_notes_off(FSynth, -1);
    FEndRendered = true;
    endSample = FStartSample + batch.block * kBlock;
    generation = FGeneration;
  }
  if (FOutputStream) {
    FOutputStream->CallWhenHeard(endSample, [this, generation] { EndHeard(generation); });
  } else {
    EndHeard(generation);  // offline, rendered is heard
  }
}

// Audio thread.
void Synthesizer::EndHeard(std::uint64_t generation) {
  {
    std::lock_guard lock(FMutex);
    if (generation != FGeneration || FFinished) {
      return;
    }
    FFinished = true;
    if (FOnFinished) {
      FOnFinished();
      FOnFinished = nullptr;
    }
  }
  if (FOutputStream) {
    FOutputStream->Halt();  // the rest is silence: nothing renders until the next play
  }
}

// Audio thread: the server went away. The performance stands still at what was heard.
void Synthesizer::OnOutputLost() {
  const std::uint64_t heard = FOutputStream->HeardFrames();
  std::lock_guard lock(FMutex);
  if (FOwner == nullptr || FFinished || FReplayPending) {
    return;
  }
  FPlayedAtLoss = PlayedAt(heard);
  FReplayPending = true;
}

// Audio thread: a stream is connected again; the performance goes on from what was heard.
void Synthesizer::OnOutputBack() {
  const void* owner = nullptr;
  std::shared_ptr<const Song> song;
  FinishedHandler finished;
  std::uint64_t played = 0;
  std::uint64_t from = 0;
  std::uint64_t to = 0;
  {
    std::lock_guard lock(FMutex);
    if (!FReplayPending) {
      return;
    }
    owner = FOwner;
    song = FSong;
    finished = std::move(FOnFinished);
    played = FPlayedAtLoss;
    to = FTo;
    from = std::min(FOrigin + played, to);
  }
  Start(owner, std::move(song), from, to, std::move(finished), played);
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
