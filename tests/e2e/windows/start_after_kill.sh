#!/usr/bin/env bash
# A start after an instance was killed while it held the single-instance mutex: the mutex is
# abandoned, not owned, and the new instance runs normally with its own window.
# Usage: start_after_kill.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"

start_kalvio
main_window >/dev/null
kill -9 "$kalvio_pid"
for _ in $(seq 100); do
  [ "$(probe count TForm1 Kalvio)" = 0 ] && break
  sleep 0.2
done
[ "$(probe count TForm1 Kalvio)" = 0 ] || fail "the killed instance's window remains"

start_kalvio
expect_lines "$(main_window)" "window class=TForm1 title=Kalvio iconic=0 visible=1"
if probe dialog 二重起動の確認 >/dev/null; then fail "the new start took itself for a second one"; fi
exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
