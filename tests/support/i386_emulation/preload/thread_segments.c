// Every thread keeps its own TLS after a signal. The emulator keeps one descriptor table for all
// threads of a process: each new thread overwrites the one TLS entry (%gs) of the C library, and
// a thread that reloads %gs on return from a signal reads another thread's __thread data. Here
// every thread gets an LDT entry of its own for %gs. Thread creation is serialised, with signals
// blocked, while the C library's clone still goes through the shared entry. The free TLS entries
// are taken too, so wine's request for one (%fs) fails and it gives each thread an LDT entry.
#include "system_call.h"

// Entries in the upper half of the LDT: wine allocates its own from 512 upwards.
enum { kFirstEntry = 4096, kEntries = 4096 };
enum { kModifyLdtWrite = 0x11 };
// user_desc flags: seg_32bit, limit_in_pages, useable.
enum { kDataSegmentFlags = 0x01 | 0x10 | 0x40 };
enum { kSigSetmask = 2, kSigsetBytes = 8 };

struct SegmentDescriptor {
  unsigned entry_number;
  unsigned base;
  unsigned limit;
  unsigned flags;
};

struct Owner {
  unsigned base;  // 0: never used
  int thread;
};

static struct Owner owners[kEntries];
static unsigned tls_entry;  // the C library's entry in the GDT
static int creating;        // the lock over creation and over owners

static unsigned read_gs(void) {
  unsigned selector;
  __asm__ volatile("movw %%gs, %w0" : "=r"(selector));
  return selector & 0xffff;
}

static void load_gs(unsigned selector) {
  __asm__ volatile("movw %w0, %%gs" : : "r"(selector) : "memory");
}

// The first word of the C library's thread descriptor points to itself: %gs's base.
static unsigned thread_base(void) {
  unsigned base;
  __asm__ volatile("movl %%gs:0, %0" : "=r"(base));
  return base;
}

static void lock_creation(void) {
  while (__atomic_exchange_n(&creating, 1, __ATOMIC_ACQUIRE)) {
    system_call(kSysSchedYield, 0, 0, 0, 0);
  }
}

static void unlock_creation(void) {
  __atomic_store_n(&creating, 0, __ATOMIC_RELEASE);
}

static int has_ended(int thread) {
  long process = system_call(kSysGetpid, 0, 0, 0, 0);
  return system_call(kSysTgkill, process, thread, 0, 0) == -kEsrch;
}

// A base seen before is the same descriptor again (the C library reuses stacks of ended
// threads); else an entry never used; else one whose thread has ended.
static int claim_entry(unsigned base, int thread) {
  int free_entry = -1;
  for (int i = 0; i < kEntries; ++i) {
    if (owners[i].base == base) {
      owners[i].thread = thread;
      return i;
    }
    if (free_entry < 0 && owners[i].base == 0)
      free_entry = i;
  }
  for (int i = 0; free_entry < 0 && i < kEntries; ++i) {
    if (has_ended(owners[i].thread))
      free_entry = i;
  }
  if (free_entry >= 0)
    owners[free_entry] = (struct Owner){base, thread};
  return free_entry;
}

static unsigned ldt_selector(int entry) {
  return ((unsigned)(kFirstEntry + entry) << 3) | 7;
}

// Called with creation locked. With every entry taken the thread stays on the shared one.
static void move_to_own_entry(void) {
  unsigned base = thread_base();
  int thread = (int)system_call(kSysGettid, 0, 0, 0, 0);
  int entry = claim_entry(base, thread);
  if (entry < 0)
    return;
  struct SegmentDescriptor descriptor = {kFirstEntry + entry, base, 0xfffff, kDataSegmentFlags};
  if (system_call(kSysModifyLdt, kModifyLdtWrite, (long)&descriptor, sizeof descriptor, 0) != 0) {
    return;
  }
  load_gs(ldt_selector(entry));
}

// The C library's clone gives the new thread the GDT entry the caller's %gs names: the caller
// goes back to it for the while, with its own base written there.
static void back_to_tls_entry(void) {
  struct SegmentDescriptor descriptor = {tls_entry, thread_base(), 0xfffff, kDataSegmentFlags};
  system_call(kSysSetThreadArea, (long)&descriptor, 0, 0, 0);
  load_gs((tls_entry << 3) | 3);
}

static void take_free_tls_entries(void) {
  for (int i = 0; i < 8; ++i) {
    struct SegmentDescriptor placeholder = {(unsigned)-1, 0, 0, 0x01 | 0x40};
    if (system_call(kSysSetThreadArea, (long)&placeholder, 0, 0, 0) != 0)
      return;
  }
}

__attribute__((constructor)) static void move_main_thread(void) {
  unsigned selector = read_gs();
  if (selector & 4)
    return;  // already in the LDT: nothing of ours to mend
  tls_entry = selector >> 3;
  take_free_tls_entries();
  lock_creation();
  move_to_own_entry();
  unlock_creation();
}

typedef void* (*ThreadStart)(void*);

struct Handover {
  ThreadStart start;
  void* argument;
  unsigned long signal_mask[2];
  int started;
};

static void* start_on_own_entry(void* data) {
  struct Handover* handover = data;
  ThreadStart start = handover->start;
  void* argument = handover->argument;
  unsigned long signal_mask[2] = {handover->signal_mask[0], handover->signal_mask[1]};
  move_to_own_entry();
  __atomic_store_n(&handover->started, 1, __ATOMIC_RELEASE);
  system_call(kSysRtSigprocmask, kSigSetmask, (long)signal_mask, 0, kSigsetBytes);
  return start(argument);
}

int pthread_create(void* thread, const void* attributes, ThreadStart start, void* argument) {
  typedef int (*Create)(void*, const void*, ThreadStart, void*);
  static Create real;
  if (!real)
    real = (Create)dlsym(RTLD_NEXT, "pthread_create");
  unsigned selector = read_gs();
  if (!(selector & 4) || tls_entry == 0)
    return real(thread, attributes, start, argument);

  struct Handover handover = {start, argument, {0, 0}, 0};
  unsigned long all_signals[2] = {~0ul, ~0ul};
  system_call(kSysRtSigprocmask, kSigSetmask, (long)all_signals, (long)handover.signal_mask,
              kSigsetBytes);
  lock_creation();
  back_to_tls_entry();
  int result = real(thread, attributes, start_on_own_entry, &handover);
  load_gs(selector);
  while (result == 0 && !__atomic_load_n(&handover.started, __ATOMIC_ACQUIRE)) {
    system_call(kSysSchedYield, 0, 0, 0, 0);
  }
  unlock_creation();
  system_call(kSysRtSigprocmask, kSigSetmask, (long)handover.signal_mask, 0, kSigsetBytes);
  return result;
}
