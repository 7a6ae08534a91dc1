#pragma once

#include <unistd.h>

#include <utility>

namespace platform {

// An open file descriptor, closed with its owner.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : FFd(fd) {}
  ~FileDescriptor() {
    if (FFd >= 0) {
      ::close(FFd);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return FFd; }
  // The result of close(2), which reports a write that failed late.
  bool Close() { return ::close(std::exchange(FFd, -1)) == 0; }

 private:
  int FFd;
};

}  // namespace platform
