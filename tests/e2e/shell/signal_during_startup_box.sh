#!/usr/bin/env bash
# A logout or Ctrl+C while a box shows before the message loop runs: the second start's
# "二重起動の確認" and a start-up error box. Either process ends at once with status 0; the first
# instance is left alone, and the one whose start failed still stores its settings.
source "$(dirname "$0")/session.sh" "$1"

start_kalvio
first_pid=$kalvio_pid
wait_for_window Kalvio >/dev/null
for signal in TERM INT HUP; do
  start_kalvio
  second_pid=$kalvio_pid
  wait_for_window '二重起動の確認' >/dev/null
  kill "-$signal" "$second_pid"
  wait_for_exit "$second_pid"
  [ "$exit_code" = 0 ] || fail "SIG$signal to the second start: exit code $exit_code"
done
running "$first_pid" || fail "the first instance ended"
kill -TERM "$first_pid"
wait_for_exit "$first_pid"

# A file where the temporary folder belongs: the first piece cannot be written, and the error
# box shows before the window.
settings=$HOME/Documents/Kalvio/Kalvio.Ini
rm -f "$settings"
mkdir -p "$HOME/Documents"
rm -rf "$HOME/Documents/test"
touch "$HOME/Documents/test"
start_kalvio
wait_for_window Kalvio >/dev/null
kill -TERM "$kalvio_pid"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "SIGTERM to the start-up error box: exit code $exit_code"
grep -q '^SaundIndex=1' "$settings" || fail "the settings were not stored"
echo PASS
