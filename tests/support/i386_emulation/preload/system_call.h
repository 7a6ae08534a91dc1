// System calls made directly through the i386 gate: this library links against nothing and some
// of its calls run before a thread's own TLS is in place.
#ifndef KALVIO_I386_SYSTEM_CALL_H
#define KALVIO_I386_SYSTEM_CALL_H

enum {
  kSysGetpid = 20,
  kSysMunmap = 91,
  kSysModifyLdt = 123,
  kSysSchedYield = 158,
  kSysRtSigprocmask = 175,
  kSysGettid = 224,
  kSysSetThreadArea = 243,
  kSysTgkill = 270,
};

enum { kEexist = 17, kEsrch = 3 };

static inline long system_call(long number, long a, long b, long c, long d) {
  long result;
  __asm__ volatile("int $0x80"
                   : "=a"(result)
                   : "0"(number), "b"(a), "c"(b), "d"(c), "S"(d)
                   : "memory");
  return result;
}

// What the dynamic loader and C library of the process provide.
#define RTLD_NEXT ((void*)-1)
void* dlsym(void* handle, const char* name);
int* __errno_location(void);

#endif
