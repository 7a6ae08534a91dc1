// Fault handlers see the processor's trap number, as the kernel reports it: the emulator leaves
// it at -1, and wine then takes every page fault for an illegal instruction. The handlers the
// program installs for SIGTRAP, SIGBUS, SIGFPE and SIGSEGV are called through one that fills it
// in from the signal and its si_code.
#include "system_call.h"

enum { kSigtrap = 5, kSigbus = 7, kSigfpe = 8, kSigsegv = 11, kSignals = 12 };
enum { kSaSiginfo = 4 };
enum { kSiKernel = 0x80 };
// Offsets in the i386 ucontext: uc_mcontext.gregs begins after flags, link and stack.
enum { kGregsOffset = 20, kRegTrapno = 12 };

struct SignalInfo {
  int signo;
  int error;
  int code;
};

typedef void (*InfoHandler)(int, struct SignalInfo*, void*);

struct Action {
  InfoHandler handler;
  unsigned long mask[32];
  int flags;
  void (*restorer)(void);
};

static InfoHandler program_handlers[kSignals];

static long trap_number(int signal, int code) {
  switch (signal) {
    case kSigsegv:
      if (code == 1 || code == 2)
        return 14;  // page fault: SEGV_MAPERR, SEGV_ACCERR
      if (code == kSiKernel)
        return 13;  // general protection
      break;
    case kSigbus:
      if (code == 1)
        return 17;  // alignment check: BUS_ADRALN
      if (code == 2 || code == 3)
        return 14;  // page fault beyond a file: BUS_ADRERR, BUS_OBJERR
      if (code == kSiKernel)
        return 11;  // segment not present
      break;
    case kSigfpe:
      if (code == 1)
        return 0;  // divide error: FPE_INTDIV
      if (code == 2)
        return 4;  // overflow: FPE_INTOVF
      if (code >= 3 && code <= 8)
        return 16;  // x87 floating-point error
      break;
    case kSigtrap:
      if (code >= 1 && code <= 4)
        return 1;  // debug: TRAP_BRKPT, TRAP_TRACE, ..., TRAP_HWBKPT
      if (code == kSiKernel)
        return 3;  // int3
      break;
  }
  return -1;
}

static void call_with_trap_number(int signal, struct SignalInfo* info, void* context) {
  long* trapno = (long*)((char*)context + kGregsOffset) + kRegTrapno;
  if (*trapno == -1)
    *trapno = trap_number(signal, info->code);
  program_handlers[signal](signal, info, context);
}

static int is_fault_signal(int signal) {
  return signal == kSigtrap || signal == kSigbus || signal == kSigfpe || signal == kSigsegv;
}

int sigaction(int signal, const struct Action* action, struct Action* previous) {
  typedef int (*SetAction)(int, const struct Action*, struct Action*);
  static SetAction real;
  if (!real)
    real = (SetAction)dlsym(RTLD_NEXT, "sigaction");
  if (!is_fault_signal(signal))
    return real(signal, action, previous);

  InfoHandler replaced = program_handlers[signal];
  struct Action wrapped;
  const struct Action* given = action;
  if (action && (action->flags & kSaSiginfo)) {
    // Set before it is installed: a signal may arrive as soon as it is.
    program_handlers[signal] = action->handler;
    wrapped = *action;
    wrapped.handler = call_with_trap_number;
    given = &wrapped;
  }
  int result = real(signal, given, previous);
  if (result != 0)
    program_handlers[signal] = replaced;
  if (result == 0 && previous && previous->handler == call_with_trap_number) {
    previous->handler = replaced;
  }
  return result;
}
