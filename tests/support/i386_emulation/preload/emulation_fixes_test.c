// The preload library in an i386 program under the emulator: mappings land where asked or fail
// with EEXIST, fault handlers see the trap number of their fault, and threads keep their own
// TLS across signals. Prints each failure; exits 1 on any.
#define _GNU_SOURCE
#include <errno.h>
#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

static int failures;

static void fail(const char* what, long expected, long actual) {
  printf("FAIL %s: expected %ld, got %ld\n", what, expected, actual);
  ++failures;
}

static void test_exact_mappings(void) {
  long page = sysconf(_SC_PAGESIZE);
  int flags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE;
  char* taken = mmap(NULL, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  errno = 0;
  void* over = mmap(taken, page, PROT_READ, flags, -1, 0);
  if (over != MAP_FAILED)
    fail("mapping over a mapped page succeeds", 0, 1);
  if (errno != EEXIST)
    fail("errno of a mapping over a mapped page", EEXIST, errno);

  munmap(taken, page);
  void* free_again = mmap(taken, page, PROT_READ, flags, -1, 0);
  if (free_again != taken)
    fail("a mapping at a free address lands there", 1, 0);
  munmap(free_again, page);
}

static sigjmp_buf after_fault;
static volatile long reported_trap;

static void record_trap(int signal, siginfo_t* info, void* context) {
  (void)signal;
  (void)info;
  reported_trap = ((ucontext_t*)context)->uc_mcontext.gregs[REG_TRAPNO];
  siglongjmp(after_fault, 1);
}

static char* unmapped_page;
static char* read_only_page;
static volatile int divisor;

static void write_unmapped(void) {
  *(volatile char*)unmapped_page = 1;
}
static void write_read_only(void) {
  *(volatile char*)read_only_page = 1;
}
static void breakpoint(void) {
  __asm__ volatile("int3");
}
static void divide_by_zero(void) {
  divisor = 100 / divisor;
}

static void test_trap_numbers(void) {
  static const struct {
    const char* fault;
    void (*cause)(void);
    long trap;
  } cases[] = {
      {"page fault on an unmapped page", write_unmapped, 14},
      {"page fault on a read-only page", write_read_only, 14},
      {"breakpoint", breakpoint, 3},
      {"divide error", divide_by_zero, 0},
  };
  read_only_page = mmap(NULL, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  unmapped_page = mmap(NULL, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  munmap(unmapped_page, 4096);
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_sigaction = record_trap;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigaction(SIGSEGV, &action, NULL);
  sigaction(SIGTRAP, &action, NULL);
  sigaction(SIGFPE, &action, NULL);
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    reported_trap = -2;
    if (sigsetjmp(after_fault, 1) == 0)
      cases[i].cause();
    if (reported_trap != cases[i].trap)
      fail(cases[i].fault, cases[i].trap, reported_trap);
  }
}

static __thread volatile long own_value;

// Read afresh through %gs each time: the compiler may keep a thread's TLS address otherwise.
__attribute__((noinline)) static long read_own_value(void) {
  return own_value;
}
static pthread_barrier_t all_created;
static volatile sig_atomic_t signals_seen;

static void count_signal(int signal) {
  (void)signal;
  ++signals_seen;
}

// Each thread checks its own value after every signal; the last thread created is the one whose
// TLS the shared descriptor names.
static void* keep_value(void* value) {
  own_value = (long)value;
  pthread_barrier_wait(&all_created);
  for (int i = 0; i < 500; ++i) {
    pthread_kill(pthread_self(), SIGUSR1);
    long seen = read_own_value();
    if (seen != (long)value) {
      fail("the thread's own __thread value after a signal", (long)value, seen);
      break;
    }
  }
  return NULL;
}

static void test_thread_values(void) {
  signal(SIGUSR1, count_signal);
  pthread_barrier_init(&all_created, NULL, 3);
  pthread_t threads[2];
  for (long i = 0; i < 2; ++i)
    pthread_create(&threads[i], NULL, keep_value, (void*)(i + 1));
  keep_value((void*)100);
  for (int i = 0; i < 2; ++i)
    pthread_join(threads[i], NULL);
  if (signals_seen != 1500)
    fail("signals handled", 1500, signals_seen);
}

int main(void) {
  test_exact_mappings();
  test_trap_numbers();
  test_thread_values();
  if (failures)
    return 1;
  puts("PASS");
  return 0;
}
