// The emulator sets LD_PRELOAD for each i386 program it starts (QEMU_SET_ENV). The program's
// native children (wine's server, shell scripts) would be told to preload an i386 library and
// complain: the variable is taken out of the environment once it has done its work.
static int is_preload_variable(const char* entry) {
  const char* name = "LD_PRELOAD=";
  while (*name && *entry == *name)
    ++entry, ++name;
  return *name == 0;
}

__attribute__((constructor)) static void forget_preload(int argc, char** argv, char** environment) {
  (void)argc;
  (void)argv;
  char** kept = environment;
  for (char** entry = environment; *entry; ++entry) {
    if (!is_preload_variable(*entry))
      *kept++ = *entry;
  }
  *kept = 0;
}
