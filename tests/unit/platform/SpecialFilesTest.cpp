#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>

#include "TempFolder.h"
#include "platform/FileSystem.h"
#include "rtl/Exception.h"

namespace {

using namespace std::chrono_literals;

// A FIFO or socket where the piece goes is refused with the file-creation error, at once: the
// open must not wait for a reader that never comes.
TEST(FileSystem, RefusesAFifoOrSocketAtTheFilesPlaceWithoutWaiting) {
  TempFolder temp;
  const auto fifo = temp / "fifo.mid";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const auto socketPath = temp / "socket.mid";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.native().size(), sizeof(address.sun_path));
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

  for (const auto& planted : {fifo, socketPath}) {
    SCOPED_TRACE(planted.string());
    const std::byte piece[] = {std::byte{'M'}, std::byte{'T'}, std::byte{'h'}, std::byte{'d'}};
    // Run aside: a blocking open would hang the test instead of failing it.
    auto write = std::async(std::launch::async, [&] {
      platform::SystemFileSystem().WriteNewContent(TempFolder::Text(planted), piece);
    });
    if (write.wait_for(5s) != std::future_status::ready) {
      const int reader = ::open(planted.c_str(), O_RDONLY | O_NONBLOCK);  // lets it go on
      write.wait();
      ::close(reader);
      FAIL() << "the open waited for a reader";
    }
    try {
      write.get();
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message().rfind(
                    u"ファイル \"" + TempFolder::Text(planted) + u"\" を作成できません。", 0),
                0u);
    }
  }
  ::close(listener);
}

}  // namespace
