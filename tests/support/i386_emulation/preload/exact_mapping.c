// A mapping asked for with MAP_FIXED_NOREPLACE lands where it was asked for or not at all: the
// emulator takes the address as a hint and maps elsewhere, which wine reads as success.
#include <stddef.h>

#include "system_call.h"

enum { kMapFixedNoreplace = 0x100000 };
#define MAP_FAILED ((void*)-1)

static void* only_where_asked(void* wanted, void* mapped, size_t length, int flags) {
  if (!(flags & kMapFixedNoreplace) || mapped == MAP_FAILED || mapped == wanted)
    return mapped;
  system_call(kSysMunmap, (long)mapped, (long)length, 0, 0);
  *__errno_location() = kEexist;
  return MAP_FAILED;
}

void* mmap(void* address, size_t length, int protection, int flags, int fd, long offset) {
  typedef void* (*Map)(void*, size_t, int, int, int, long);
  static Map real;
  if (!real)
    real = (Map)dlsym(RTLD_NEXT, "mmap");
  return only_where_asked(address, real(address, length, protection, flags, fd, offset), length,
                          flags);
}

void* mmap64(void* address, size_t length, int protection, int flags, int fd, long long offset) {
  typedef void* (*Map64)(void*, size_t, int, int, int, long long);
  static Map64 real;
  if (!real)
    real = (Map64)dlsym(RTLD_NEXT, "mmap64");
  return only_where_asked(address, real(address, length, protection, flags, fd, offset), length,
                          flags);
}
