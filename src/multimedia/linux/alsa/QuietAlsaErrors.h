#pragma once

#include <cstdarg>

namespace mm::alsa {

// ALSA prints to stderr whenever a device cannot be opened, for instance each time a stopped sound
// server is probed again. Our callers get result codes instead, so this thread stays quiet while
// the object lives.
class QuietAlsaErrors {
 public:
  QuietAlsaErrors();
  ~QuietAlsaErrors();
  QuietAlsaErrors(const QuietAlsaErrors&) = delete;
  QuietAlsaErrors& operator=(const QuietAlsaErrors&) = delete;

 private:
  using Handler = void (*)(const char*, int, const char*, int, const char*, va_list);
  Handler FPrevious;
};

}  // namespace mm::alsa
