#!/usr/bin/env bash
# An instance killed with SIGKILL leaves its lock behind; the next start runs normally.
source "$(dirname "$0")/session.sh" "$1"

start_kalvio
killed_pid=$kalvio_pid
wait_for_window Kalvio >/dev/null
ls "$XDG_RUNTIME_DIR"/5D152778-BC5B-4A96-BA22-6288355A042B.lock >/dev/null || fail "no lock file"
kill -9 "$killed_pid"
wait_for_exit "$killed_pid"

start_kalvio
window=$(wait_for_window Kalvio)
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^二重起動の確認$' 2>/dev/null)" ] ||
  fail "the new start took the dead instance for a running one"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
