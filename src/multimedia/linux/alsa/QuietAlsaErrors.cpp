#include <cstdarg>

// alsa/error.h declares snd_lib_error_set_local after its extern "C" block closes; included first
// and inside one, the name links to the library's C function.
extern "C" {
#include <alsa/error.h>
}

#include "QuietAlsaErrors.h"

namespace mm::alsa {
namespace {

void Ignore(const char*, int, const char*, int, const char*, va_list) {}

}  // namespace

QuietAlsaErrors::QuietAlsaErrors() : FPrevious(snd_lib_error_set_local(&Ignore)) {}

QuietAlsaErrors::~QuietAlsaErrors() {
  snd_lib_error_set_local(FPrevious);
}

}  // namespace mm::alsa
