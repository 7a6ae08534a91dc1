#!/usr/bin/env bash
# A second start while the first instance runs, its window minimised or visible: the second
# shows "二重起動の確認" with its text and only OK, Return dismisses it, the first window is then
# restored and active, and the second process ends with exit code 0 without a window of its own.
# Usage: second_start.sh <kalvio> minimised|visible
source "$(dirname "$0")/session.sh" "$1"
first_state=${2:?minimised or visible}

start_kalvio
first_pid=$kalvio_pid
first=$(wait_for_window Kalvio)
if [ "$first_state" = minimised ]; then
  xdotool windowminimize --sync "$first"
  [ "$(window_state "$first")" = Iconic ] || fail "the first window did not minimise"
fi

start_kalvio
second_pid=$kalvio_pid
box=$(wait_for_window '二重起動の確認')
[ "$(xdotool search --all --pid "$second_pid" --name '^Kalvio$' | wc -l)" = 0 ] ||
  fail "the second start opened a main window"

# The box copies its caption, text and buttons with Ctrl+C.
xdotool windowactivate --sync "$box"
xdotool key ctrl+c
sleep 0.3
copied=$(xclip -o -selection clipboard)
grep -qx '二重起動の確認' <<<"$copied" || fail "caption: $copied"
grep -qx 'すでにKalvioは起動されています。' <<<"$copied" || fail "text: $copied"
grep -qxE 'OK +' <<<"$copied" || fail "buttons: $copied"

xdotool key Return
wait_for_exit "$second_pid"
[ "$exit_code" = 0 ] || fail "exit code of the second start: $exit_code"

for _ in $(seq 50); do
  [ "$(window_state "$first")" = Normal ] && [ "$(xdotool getactivewindow)" = "$first" ] && break
  sleep 0.1
done
[ "$(window_state "$first")" = Normal ] || fail "the first window was not restored"
[ "$(xdotool getactivewindow)" = "$first" ] || fail "the first window is not active"
kill -0 "$first_pid" || fail "the first instance ended"

exit_through_menu "$first"
wait_for_exit "$first_pid"
[ "$exit_code" = 0 ] || fail "exit code of the first instance: $exit_code"
echo PASS
