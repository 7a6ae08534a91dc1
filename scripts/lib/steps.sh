# Bookkeeping for scripts/test: checks and ctest runs add to one pass/fail count.
passed=0
failed=0
failures=()

check() {  # <name> <command...>: one check, counted once
  local name=$1; shift
  echo "== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "!! $name failed"
  fi
}

# A command that ctest runs under (it runs ctest as its last arguments); none by default.
ctest_launcher=()

run_ctest() {  # <build dir> [ctest options...]: counts every test case
  echo "== ctest $*"
  ctest_into_log "$@"
  count_ctest "$1"
}

ctest_into_log() {  # <build dir> [ctest options...]: runs ctest into <build dir>/ctest.log
  local dir=$1; shift
  [ -f "$dir/CTestTestfile.cmake" ] || return 0
  (cd "$dir" && "${ctest_launcher[@]}" ctest --output-on-failure --timeout 600 "$@") \
    >"$dir/ctest.log" 2>&1
}

count_ctest() {  # <build dir>: adds the cases of its last ctest.log to the count
  local dir=$1
  local log="$dir/ctest.log"
  if [ ! -f "$dir/CTestTestfile.cmake" ]; then
    failed=$((failed + 1)); failures+=("ctest $dir: not built"); return
  fi
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    tail -n 30 "$log"
    failed=$((failed + 1)); failures+=("ctest $dir: no result"); return
  fi
  bad=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  if ((bad)); then
    grep -E '^\s+[0-9]+ - ' "$log" | sed "s|^|   $dir: |"
    failures+=("ctest $dir: $bad failed")
  fi
  echo "   $line"
}

summary() {
  if ((${#failures[@]})); then
    printf 'failed: %s\n' "${failures[@]}"
  fi
  echo "$passed passed, $failed failed"
  ((failed == 0))
}
