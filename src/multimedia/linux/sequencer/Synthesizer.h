#pragma once

// One FluidSynth synthesiser with its sequencer: plays one song at a time, timed on the
// synthesiser's own sample clock, so timing never depends on when a thread wakes up.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "multimedia/linux/sequencer/Song.h"
#include "multimedia/linux/sequencer/SoundFontChoice.h"
#include "multimedia/linux/sequencer/SoundServerStream.h"
#include "multimedia/mci.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_sequencer_t;
struct _fluid_event_t;

namespace sequencer {

// FluidSynth's default of 0.2 leaves music some 20 dB below where players level it. At this gain
// the quietest arrangements reach about -19 LUFS at full volume; the louder ones set their own
// level (their expression), so the catalogue plays evenly and no piece comes near full scale.
constexpr double kSynthesizerGain = 3.0;

enum class AudioOutput {
  kDevice,   // the desktop's sound server: PulseAudio, or PipeWire's server for its clients
  kOffline,  // nothing plays by itself: Render() pulls the sound (tests, benchmarks)
};

class Synthesizer {
 public:
  // Loads the first of the soundfonts that loads, and says which on standard error. nullptr and
  // `error` set when none loads. Without a sound server the device still opens: its sound
  // starts once a server is there.
  static std::unique_ptr<Synthesizer> Create(AudioOutput output,
                                             std::span<const SoundFontCandidate> soundFonts,
                                             mm::MCIERROR& error);
  ~Synthesizer();
  Synthesizer(const Synthesizer&) = delete;
  Synthesizer& operator=(const Synthesizer&) = delete;

  // Runs on the audio thread once the end of a performance has been heard.
  using FinishedHandler = std::function<void()>;

  // True while a performance of another owner is under way.
  bool IsBusy(const void* owner) const;

  // Plays [from, to) of the song for `owner`, replacing any performance. The programs and
  // controllers in force at `from` are restored first. Sound starts within one audio period,
  // or once the sound server is back.
  void Play(const void* owner, std::shared_ptr<const Song> song, std::uint64_t fromMicroseconds,
            std::uint64_t toMicroseconds, FinishedHandler finished);

  // Ends the owner's performance, if it is the current one, and silences every note at once.
  // Once it returns, the performance's FinishedHandler neither runs nor will run.
  void Stop(const void* owner);

  // Song time of the current performance heard since it started (0 before its first sample).
  std::uint64_t PlayedMicroseconds() const;

  // Reverb and chorus (on by default). Without them a note's sound starts after exact silence:
  // timing measurements need that.
  void SetEffects(bool on);

  // kOffline only: renders the next frames into the two channels (same length).
  void Render(std::span<float> left, std::span<float> right);

  unsigned SampleRate() const { return FSampleRate; }

  // The name the loaded soundfont's levels go by; empty for a font the catalogue is not
  // levelled with.
  const std::string& SoundFontName() const { return FSoundFontName; }

 private:
  // Messages that start in the same synthesiser block go out together, in song order.
  struct Batch {
    std::size_t firstMessage;
    std::size_t messageCount;
    bool endsPerformance;
    std::uint64_t block;  // counted from the performance's first block
  };

  // Holds off the sound output's thread for one command.
  class OutputLock {
   public:
    explicit OutputLock(SoundServerStream* output);
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

   private:
    SoundServerStream* FOutputStream;
  };

  Synthesizer() = default;
  mm::MCIERROR Open(AudioOutput output, std::span<const SoundFontCandidate> soundFonts);
  bool LoadSoundFont(std::span<const SoundFontCandidate> soundFonts);
  // Starts song time `from` of the performance that began at FOrigin, `played` in.
  void Start(const void* owner, std::shared_ptr<const Song> song, std::uint64_t fromMicroseconds,
             std::uint64_t toMicroseconds, FinishedHandler finished, std::uint64_t played);
  void EndHeard(std::uint64_t generation);
  void OnOutputLost();
  void OnOutputBack();
  std::uint64_t PlayedAt(std::uint64_t heardSample) const;

  static void OnSequencerEvent(unsigned int time, _fluid_event_t* event, _fluid_sequencer_t* seq,
                               void* data);
  void PlayBatch(std::uintptr_t batchId);
  void Send(const Song& song, const SongMessage& message);
  void RestoreStateAt(const Song& song, std::size_t messageIndex);
  void Silence();
  std::vector<Batch> PlanBatches(const Song& song, std::uint64_t fromMicroseconds,
                                 std::uint64_t toMicroseconds) const;
  unsigned SequencerTimeFor(std::uint64_t sample) const;
  std::uint64_t RenderedSamples() const;

  _fluid_hashtable_t* FSettings = nullptr;
  _fluid_synth_t* FSynth = nullptr;
  _fluid_sequencer_t* FSequencer = nullptr;
  short FSynthClient = -1;
  short FClient = -1;
  AudioOutput FOutput = AudioOutput::kOffline;
  unsigned FSampleRate = 44100;
  std::string FSoundFontName;
  std::unique_ptr<SoundServerStream> FOutputStream;  // kDevice only

  // Shared with the audio thread. Never held while calling FluidSynth from the caller's thread:
  // the audio thread takes FluidSynth's locks before this one. Lock order: the sound output's
  // lock (OutputLock), FluidSynth's, this one, then the finished handler's own.
  mutable std::mutex FMutex;
  const void* FOwner = nullptr;
  bool FFinished = false;
  std::shared_ptr<const Song> FSong;
  std::vector<Batch> FBatches;
  std::uintptr_t FFirstBatchId = 0;
  std::uint64_t FStartSample = 0;
  std::uint64_t FGeneration = 0;  // counts performances started, also from a replay
  std::uint64_t FOrigin = 0;      // song time at which the owner's play began
  std::uint64_t FTo = 0;
  std::uint64_t FPlayedBefore = 0;  // heard before the latest (re)start
  bool FEndRendered = false;
  // The sound server went away: the performance plays on from what was heard once it is back.
  bool FReplayPending = false;
  std::uint64_t FPlayedAtLoss = 0;
  FinishedHandler FOnFinished;
};

}  // namespace sequencer
