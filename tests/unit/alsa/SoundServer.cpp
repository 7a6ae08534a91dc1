#include "SoundServer.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <stdexcept>

#include "toolkit/PostedMessages.h"

namespace alsa_test {

std::string Shell(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) {
    throw std::runtime_error("cannot run " + command);
  }
  std::string output;
  std::array<char, 256> buffer;
  while (const auto read = fread(buffer.data(), 1, buffer.size(), pipe.get())) {
    output.append(buffer.data(), read);
  }
  return output;
}

std::vector<long> SinkVolumes() {
  // "Volume: front-left: 19660 /  30% / -31.37 dB,   front-right: 19660 /  30% / ..."
  const std::string text = Shell("pactl get-sink-volume @DEFAULT_SINK@");
  const std::regex channel(R"(: (\d+) /)");
  std::vector<long> volumes;
  for (std::sregex_iterator it(text.begin(), text.end(), channel), end; it != end; ++it) {
    volumes.push_back(std::stol((*it)[1]));
  }
  return volumes;
}

std::vector<int> SinkPercents() {
  const std::string text = Shell("pactl get-sink-volume @DEFAULT_SINK@");
  const std::regex channel(R"((\d+)%)");
  std::vector<int> percents;
  for (std::sregex_iterator it(text.begin(), text.end(), channel), end; it != end; ++it) {
    percents.push_back(std::stoi((*it)[1]));
  }
  return percents;
}

bool SinkMuted() {
  return Shell("pactl get-sink-mute @DEFAULT_SINK@").find("yes") != std::string::npos;
}

PrivateSoundServer::PrivateSoundServer() {
  std::string pattern = "/tmp/kalvio-alsa-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a runtime directory");
  }
  FRuntimeDir = pattern;
  if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) {
    FPreviousRuntimeDir = previous;
  }
  setenv("XDG_RUNTIME_DIR", FRuntimeDir.c_str(), 1);
}

PrivateSoundServer::~PrivateSoundServer() {
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(FRuntimeDir, ignored);
  if (FPreviousRuntimeDir.empty()) {
    unsetenv("XDG_RUNTIME_DIR");
  } else {
    setenv("XDG_RUNTIME_DIR", FPreviousRuntimeDir.c_str(), 1);
  }
}

void PrivateSoundServer::Start() {
  if (std::system((std::string(KALVIO_NULL_SINK) + " start " + FRuntimeDir).c_str()) != 0) {
    throw std::runtime_error("the sound server did not start");
  }
}

void PrivateSoundServer::Stop() {
  std::system((std::string(KALVIO_NULL_SINK) + " stop " + FRuntimeDir).c_str());
}

bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    toolkit::ProcessPostedMessages();
    if (done()) {
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return false;
    }
    toolkit::WaitForPostedMessage(left);
  }
}

MessageLog::MessageLog()
    : FWindow([this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
        FReceived.push_back({msg, wParam, lParam});
      }) {}

bool MessageLog::WaitFor(const std::function<bool(const Message&)>& wanted,
                         std::chrono::milliseconds timeout) {
  std::size_t seen = 0;
  return PumpMessagesUntil(
      [&] {
        for (; seen < FReceived.size(); ++seen) {
          if (wanted(FReceived[seen])) {
            return true;
          }
        }
        return false;
      },
      timeout);
}

void MessageLog::Drain(std::chrono::milliseconds period) {
  WaitFor([](const Message&) { return false; }, period);
}

}  // namespace alsa_test
