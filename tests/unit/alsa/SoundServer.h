#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/MessageWindow.h"

namespace alsa_test {

// Runs a shell command; its standard output.
std::string Shell(const std::string& command);

// The default sink's raw volume per channel (65536 is 100 %) and percent as pactl reports them.
std::vector<long> SinkVolumes();
std::vector<int> SinkPercents();
bool SinkMuted();

// A PulseAudio server with a null sink of the test's own, in a fresh runtime directory under /tmp
// (its socket path must stay short), for tests that stop and start the server. Points this process
// and the tools it runs at it; not started yet.
class PrivateSoundServer {
 public:
  PrivateSoundServer();
  ~PrivateSoundServer();  // stops it, removes its directory and points back at the previous one
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

  void Start();
  void Stop();

 private:
  std::string FRuntimeDir;
  std::string FPreviousRuntimeDir;
};

// Delivers posted messages, as the UI loop would, until done() holds or the timeout passes.
bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

struct Message {
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const Message&) const = default;
};

// A callback window that keeps what it receives.
class MessageLog {
 public:
  MessageLog();
  toolkit::WindowHandle Handle() const { return FWindow.Handle(); }

  // Delivers posted messages until one satisfies the predicate or the timeout passes.
  bool WaitFor(const std::function<bool(const Message&)>& wanted,
               std::chrono::milliseconds timeout);
  // Delivers whatever arrives within the period.
  void Drain(std::chrono::milliseconds period);
  const std::vector<Message>& Received() const { return FReceived; }
  void Clear() { FReceived.clear(); }

 private:
  std::vector<Message> FReceived;
  toolkit::MessageWindow FWindow;
};

}  // namespace alsa_test
