#include "multimedia/linux/sequencer/SoundServerStream.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace sequencer {

namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);
// What the server keeps queued: the synthesiser and the server wake about every refill.
constexpr pa_usec_t kBufferMicroseconds = 400000;
constexpr pa_usec_t kRefillMicroseconds = 150000;
// Rendered and sent one at a time, so the first of them is heard while the rest render. The
// first after a start is shorter still: the server starts playing as soon as it has it.
constexpr std::size_t kChunkFrames = 1024;
constexpr std::size_t kFirstChunkFrames = 256;
constexpr pa_usec_t kRetryMicroseconds = 500000;
// The first connection's answer is waited for this long at most.
constexpr pa_usec_t kFirstAnswerMicroseconds = 2000000;
// A heard-check sooner than this is not worth a wake-up.
constexpr pa_usec_t kShortestCheckMicroseconds = 5000;

SoundServerStream* Self(void* self) {
  return static_cast<SoundServerStream*>(self);
}

}  // namespace

std::unique_ptr<SoundServerStream> SoundServerStream::Create() {
  std::unique_ptr<SoundServerStream> stream(new SoundServerStream());
  stream->FMainloop = pa_threaded_mainloop_new();
  if (stream->FMainloop == nullptr) {
    return nullptr;
  }
  stream->FApi = pa_threaded_mainloop_get_api(stream->FMainloop);
  pa_threaded_mainloop_set_name(stream->FMainloop, "kalvio-sound");
  if (pa_threaded_mainloop_start(stream->FMainloop) < 0) {
    pa_threaded_mainloop_free(stream->FMainloop);
    stream->FMainloop = nullptr;
    return nullptr;
  }
  stream->FirstConnect();
  return stream;
}

void SoundServerStream::FirstConnect() {
  Lock();
  FWriteMore = FApi->defer_new(
      FApi,
      [](pa_mainloop_api* api, pa_defer_event* event, void* self) {
        api->defer_enable(event, 0);
        Self(self)->WriteAvailable();
      },
      this);
  FApi->defer_enable(FWriteMore, 0);
  FStartOver = FApi->defer_new(
      FApi,
      [](pa_mainloop_api* api, pa_defer_event* event, void* self) {
        api->defer_enable(event, 0);
        Self(self)->StartOver();
      },
      this);
  FApi->defer_enable(FStartOver, 0);
  pa_time_event* firstAnswer = nullptr;
  ArmTimer(firstAnswer, kFirstAnswerMicroseconds,
           [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
             Self(self)->FSettled = true;
             pa_threaded_mainloop_signal(Self(self)->FMainloop, 0);
           });
  Connect();
  while (!FSettled) {
    pa_threaded_mainloop_wait(FMainloop);
  }
  FApi->time_free(firstAnswer);
  Unlock();
}

SoundServerStream::~SoundServerStream() {
  if (FMainloop == nullptr) {
    return;
  }
  Lock();
  Disconnect();
  for (pa_time_event* event : {FRetry, FHeardTimer}) {
    if (event != nullptr) {
      FApi->time_free(event);
    }
  }
  FApi->defer_free(FWriteMore);
  FApi->defer_free(FStartOver);
  Unlock();
  pa_threaded_mainloop_stop(FMainloop);
  pa_threaded_mainloop_free(FMainloop);
}

void SoundServerStream::Attach(unsigned sampleRate, RenderFunction render, Callback lost,
                               Callback back) {
  Lock();
  FRate = sampleRate;
  FRender = std::move(render);
  FOnLost = std::move(lost);
  FOnBack = std::move(back);
  if (FContext != nullptr && pa_context_get_state(FContext) == PA_CONTEXT_READY &&
      FStream == nullptr) {
    CreateStream();
  }
  Unlock();
}

// The stream's own thread holds the lock whenever it runs our code.
void SoundServerStream::Lock() {
  if (pa_threaded_mainloop_in_thread(FMainloop) == 0) {
    pa_threaded_mainloop_lock(FMainloop);
  }
}

void SoundServerStream::Unlock() {
  if (pa_threaded_mainloop_in_thread(FMainloop) == 0) {
    pa_threaded_mainloop_unlock(FMainloop);
  }
}

void SoundServerStream::Play() {
  Lock();
  FPlaying = true;
  ApplyCork();
  Unlock();
}

void SoundServerStream::Halt() {
  Lock();
  FPlaying = false;
  CancelWhenHeard();
  ApplyCork();
  if (FStreamReady) {
    Issued(pa_stream_flush(FStream, nullptr, nullptr));
  }
  FLastHeard = FRendered;  // nothing is queued any more
  Unlock();
}

bool SoundServerStream::Running() const {
  return FStreamReady && FPlaying;
}

std::uint64_t SoundServerStream::HeardFrames() {
  Lock();
  const std::uint64_t heard = EstimateHeard();
  Unlock();
  return heard;
}

void SoundServerStream::CallWhenHeard(std::uint64_t frame, Callback heard) {
  Lock();
  FHeardTarget = frame;
  FOnHeard = std::move(heard);
  CheckHeard();
  Unlock();
}

void SoundServerStream::Connect() {
  pa_proplist* properties = pa_proplist_new();
  pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Kalvio");
  pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "kalvio");
  pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
  FContext = pa_context_new_with_proplist(FApi, "Kalvio", properties);
  pa_proplist_free(properties);
  if (FContext == nullptr) {
    Fail();
    return;
  }
  pa_context_set_state_callback(FContext, &OnContextState, this);
  if (pa_context_connect(FContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    Fail();
  }
}

void SoundServerStream::Disconnect() {
  FStreamReady = false;
  if (FStream != nullptr) {
    pa_stream_set_state_callback(FStream, nullptr, nullptr);
    pa_stream_set_write_callback(FStream, nullptr, nullptr);
    pa_stream_disconnect(FStream);
    pa_stream_unref(FStream);
    FStream = nullptr;
  }
  if (FContext != nullptr) {
    pa_context_set_state_callback(FContext, nullptr, nullptr);
    pa_context_disconnect(FContext);
    pa_context_unref(FContext);
    FContext = nullptr;
  }
}

// The server went away or refused a call: what was heard is kept and the stream is used no more.
// The connection is dropped on the loop's next turn, outside libpulse's callbacks, which may
// still be using it.
void SoundServerStream::Fail() {
  EstimateHeard();
  CancelWhenHeard();
  FStreamReady = false;
  FApi->defer_enable(FStartOver, 1);
}

// Whoever plays is told, and a new connection is tried in a moment.
void SoundServerStream::StartOver() {
  const bool hadStream = FStream != nullptr;
  Disconnect();
  FSettled = true;
  pa_threaded_mainloop_signal(FMainloop, 0);
  if (hadStream && FOnLost) {
    FOnLost();
  }
  ScheduleRetry();
}

bool SoundServerStream::Issued(pa_operation* operation) {
  if (operation == nullptr) {
    Fail();
    return false;
  }
  pa_operation_unref(operation);
  return true;
}

void SoundServerStream::ScheduleRetry() {
  ArmTimer(
      FRetry, kRetryMicroseconds,
      [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) { Self(self)->Connect(); });
}

void SoundServerStream::OnContextState(pa_context* context, void* self) {
  auto& stream = *Self(self);
  switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
      if (!stream.FSettled && !stream.Issued(pa_context_get_sink_info_by_name(
                                  context, "@DEFAULT_SINK@", &OnSinkInfo, self))) {
        break;
      }
      if (stream.FRender) {
        stream.CreateStream();
      }
      break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
      stream.Fail();
      break;
    default:
      break;
  }
}

void SoundServerStream::OnSinkInfo(pa_context*, const pa_sink_info* sink, int last, void* self) {
  auto& stream = *Self(self);
  if (sink != nullptr) {
    stream.FSinkRate = sink->sample_spec.rate;
  }
  if (last != 0) {
    stream.FSettled = true;
    pa_threaded_mainloop_signal(stream.FMainloop, 0);
  }
}

void SoundServerStream::CreateStream() {
  const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, FRate, 2};
  FStream = pa_stream_new(FContext, "Kalvio", &format, nullptr);
  if (FStream == nullptr) {
    Fail();
    return;
  }
  pa_stream_set_state_callback(FStream, &OnStreamState, this);
  pa_stream_set_write_callback(FStream, &OnWriteRequest, this);
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<std::uint32_t>(-1);
  buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kBufferMicroseconds, &format));
  buffer.prebuf = static_cast<std::uint32_t>(kFirstChunkFrames * kFrameBytes);
  buffer.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kRefillMicroseconds, &format));
  buffer.fragsize = static_cast<std::uint32_t>(-1);
  const auto flags =
      static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING |
                                     PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
  if (pa_stream_connect_playback(FStream, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
    Fail();
  }
}

void SoundServerStream::OnStreamState(pa_stream* stream, void* self) {
  auto& output = *Self(self);
  switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
      output.FStreamReady = true;
      output.ApplyCork();
      if (output.FOnBack) {
        output.FOnBack();
      }
      break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
      // The server refused the stream (no sink takes it): start over with a new connection.
      output.Fail();
      break;
    default:
      break;
  }
}

void SoundServerStream::OnWriteRequest(pa_stream*, std::size_t, void* self) {
  Self(self)->WriteAvailable();
}

void SoundServerStream::ApplyCork() {
  if (!FStreamReady || !Issued(pa_stream_cork(FStream, FPlaying ? 0 : 1, nullptr, nullptr))) {
    return;
  }
  if (FPlaying) {
    FStarting = true;
    FApi->defer_enable(FWriteMore, 1);
  }
}

void SoundServerStream::WriteAvailable() {
  if (!FStreamReady || !FPlaying || !FRender) {
    return;
  }
  const std::size_t writable = pa_stream_writable_size(FStream);
  if (writable == static_cast<std::size_t>(-1)) {
    Fail();
    return;
  }
  const std::size_t chunk = FStarting ? kFirstChunkFrames : kChunkFrames;
  std::size_t bytes = std::min(writable, chunk * kFrameBytes) / kFrameBytes * kFrameBytes;
  if (bytes == 0) {
    return;
  }
  EstimateHeard();  // kept for the moment the server goes away
  void* samples = nullptr;
  if (pa_stream_begin_write(FStream, &samples, &bytes) < 0 || samples == nullptr) {
    Fail();
    return;
  }
  const std::size_t frames = bytes / kFrameBytes;
  FRender(static_cast<float*>(samples), frames);
  if (pa_stream_write(FStream, samples, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
    Fail();
    return;
  }
  FRendered += frames;
  FStarting = false;
  if (writable > frames * kFrameBytes) {
    FApi->defer_enable(FWriteMore, 1);
  }
}

std::uint64_t SoundServerStream::EstimateHeard() {
  if (!FStreamReady || !FPlaying) {
    return FLastHeard;
  }
  pa_usec_t latency = 0;
  int negative = 0;
  if (pa_stream_get_latency(FStream, &latency, &negative) == 0) {
    const std::uint64_t queued = negative != 0 ? 0 : latency * FRate / 1000000;
    FLastHeard = FRendered > queued ? FRendered - queued : 0;
  }
  return FLastHeard;
}

void SoundServerStream::CheckHeard() {
  if (!FOnHeard) {
    return;
  }
  const std::uint64_t heard = EstimateHeard();
  if (heard >= FHeardTarget) {
    Callback heardNow = std::move(FOnHeard);
    FOnHeard = nullptr;
    heardNow();
    return;
  }
  if (Running()) {
    const pa_usec_t wait = (FHeardTarget - heard) * 1000000 / FRate;
    ArmTimer(FHeardTimer, std::max(wait, kShortestCheckMicroseconds),
             [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
               Self(self)->CheckHeard();
             });
  }
}

void SoundServerStream::CancelWhenHeard() {
  FOnHeard = nullptr;
  if (FHeardTimer != nullptr) {
    FApi->time_free(FHeardTimer);
    FHeardTimer = nullptr;
  }
}

void SoundServerStream::ArmTimer(pa_time_event*& event, std::uint64_t microseconds,
                                 void (*callback)(pa_mainloop_api*, pa_time_event*, const timeval*,
                                                  void*)) {
  timeval due{};
  pa_gettimeofday(&due);
  pa_timeval_add(&due, microseconds);
  if (event != nullptr) {
    FApi->time_restart(event, &due);
  } else {
    event = FApi->time_new(FApi, &due, callback, this);
  }
}

}  // namespace sequencer
