#pragma once

// One playback stream to the desktop's sound server (PulseAudio, or PipeWire's server for its
// clients), fed by a render function on the stream's own thread. The server holds a large
// buffer, so the synthesiser and the server wake rarely; whatever must be heard at once drops
// what is queued. While halted the stream is corked and nothing renders. When the server goes
// away, or refuses a call, the stream tries again every half second and plays on once it is back.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_defer_event;
struct pa_mainloop_api;
struct pa_operation;
struct pa_sink_info;

namespace sequencer {

class SoundServerStream {
 public:
  // Renders `frames` interleaved stereo frames into `samples`. Runs on the stream's thread.
  using RenderFunction = std::function<void(float* samples, std::size_t frames)>;
  using Callback = std::function<void()>;

  // Connects when a server answers within a moment, else keeps trying in the background.
  // nullptr when the stream's thread cannot start.
  static std::unique_ptr<SoundServerStream> Create();
  ~SoundServerStream();
  SoundServerStream(const SoundServerStream&) = delete;
  SoundServerStream& operator=(const SoundServerStream&) = delete;

  // The default sink's rate, if a server answered: the rate the server plays without resampling.
  std::optional<unsigned> SinkSampleRate() const { return FSinkRate; }

  // Sets what feeds the stream (before the first Play). `lost` runs when the server goes away,
  // `back` when a stream is connected again; both on the stream's thread.
  void Attach(unsigned sampleRate, RenderFunction render, Callback lost, Callback back);

  // Holds off the stream's thread: rendering and the callbacks above. Reentrant, also on that
  // thread.
  void Lock();
  void Unlock();

  // Sound from now on: rendering starts (or starts once the server is back).
  void Play();
  // Corks the stream and drops what is queued: silence within one period, nothing rendered.
  void Halt();
  bool Halted() const { return !FPlaying; }

  // Frames rendered so far, and of these the ones heard (rendered minus what is still queued).
  std::uint64_t RenderedFrames() const { return FRendered; }
  std::uint64_t HeardFrames();

  // Runs `heard` once the frame `frame` has been heard; replaces any earlier request. Halt and
  // the server's going away cancel it.
  void CallWhenHeard(std::uint64_t frame, Callback heard);

  // True while connected and playing uncorked.
  bool Running() const;

 private:
  SoundServerStream() = default;
  void FirstConnect();
  void Connect();
  void Disconnect();
  void Fail();
  void StartOver();
  // False, and failed, when the call was refused.
  bool Issued(pa_operation* operation);
  void ScheduleRetry();
  void CreateStream();
  void WriteAvailable();
  void ApplyCork();
  void CheckHeard();
  void CancelWhenHeard();
  void ArmTimer(pa_time_event*& event, std::uint64_t microseconds,
                void (*callback)(pa_mainloop_api*, pa_time_event*, const struct timeval*, void*));
  std::uint64_t EstimateHeard();

  static void OnContextState(pa_context* context, void* self);
  static void OnSinkInfo(pa_context* context, const pa_sink_info* sink, int last, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnWriteRequest(pa_stream* stream, std::size_t bytes, void* self);

  pa_threaded_mainloop* FMainloop = nullptr;
  pa_mainloop_api* FApi = nullptr;
  pa_context* FContext = nullptr;
  pa_stream* FStream = nullptr;
  pa_defer_event* FWriteMore = nullptr;
  pa_defer_event* FStartOver = nullptr;
  pa_time_event* FRetry = nullptr;
  pa_time_event* FHeardTimer = nullptr;

  std::optional<unsigned> FSinkRate;
  bool FSettled = false;  // the first connection attempt has succeeded or failed
  unsigned FRate = 44100;
  RenderFunction FRender;
  Callback FOnLost;
  Callback FOnBack;
  bool FPlaying = false;
  bool FStreamReady = false;
  bool FStarting = false;  // nothing written since the stream was uncorked
  std::uint64_t FRendered = 0;
  std::uint64_t FLastHeard = 0;
  std::uint64_t FHeardTarget = 0;
  Callback FOnHeard;
};

}  // namespace sequencer
