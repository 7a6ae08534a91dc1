#include "platform/Shutdown.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string PowerOffCalls(const std::string& mockDir) {
  const std::string command =
      std::string(KALVIO_SOURCE_DIR) + "/scripts/lib/mock-logind calls " + mockDir;
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
      output += buffer;
    }
    ::pclose(pipe);
  }
  return output;
}

// Runs only against the mock logind on a private bus: the machine itself is never asked.
TEST(Shutdown, AsksLogindToPowerOffInteractively) {
  const char* mockDir = std::getenv("KALVIO_MOCK_LOGIND");
  ASSERT_NE(mockDir, nullptr);
  const std::string bus = "unix:path=" + std::string(mockDir) + "/system_bus";
  ASSERT_EQ(::setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.c_str(), 1), 0);
  int argc = 0;
  QCoreApplication application(argc, nullptr);

  platform::SystemShutdown().RequestShutdown();

  std::string calls;
  for (int i = 0; i < 100 && calls.empty(); ++i) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    calls = PowerOffCalls(mockDir);
  }
  EXPECT_EQ(calls, "[<true>]\n");
}

}  // namespace
