# Sourced by end-to-end scripts: waiting for the processes they start. The caller defines fail.

running() {  # exited children linger as zombies until collected
  local state
  state=$(awk '/^State:/ {print $2}' "/proc/$1/status" 2>/dev/null || true)
  [ -n "$state" ] && [ "$state" != Z ]
}

# Waits up to 20 s for a process started here to end; its exit code is then in $exit_code.
# Call it directly, not in $(...): only this shell can collect the code of its children.
wait_for_exit() {
  local pid=$1
  for _ in $(seq 200); do
    if ! running "$pid"; then
      exit_code=0
      wait "$pid" || exit_code=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid did not end"
}
