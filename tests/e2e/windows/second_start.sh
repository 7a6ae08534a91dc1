#!/usr/bin/env bash
# A second start while the first instance runs, its window minimised or visible: the second
# shows "二重起動の確認" with its text, only OK and no icon, owned by its own hidden application
# window; Return dismisses it; the second ends with exit code 0 without a main window, and the
# first window is restored and in front.
# Usage: second_start.sh <kalvio.exe> <window-probe.exe> <screenshot dir> minimised|visible
source "$(dirname "$0")/session.sh" "$1" "$2" "$3"
first_state=${4:?minimised or visible}

start_kalvio
first_pid=$kalvio_pid
main_window >/dev/null
if [ "$first_state" = minimised ]; then
  probe minimize TForm1 Kalvio
  expect_lines "$(main_window)" "window class=TForm1 title=Kalvio iconic=1"
fi

start_kalvio
second_pid=$kalvio_pid
box=$(probe dialog 二重起動の確認 30) || fail "no box titled 二重起動の確認"
import -window root "$screenshots/second_start_$first_state.png"
expect_lines "$box" \
  "dialog class=#32770 title=二重起動の確認 iconic=0 visible=1" \
  "owner=TApplication" \
  "control class=Static text=すでにKalvioは起動されています。"
buttons=$(grep -c '^control class=Button .* visible=1' <<<"$box" || true)
[ "$buttons" = 1 ] || fail "$buttons buttons shown:
$box"
expect_lines "$box" "control class=Button text=OK "
if grep -q 'visible=1 icon=1' <<<"$box"; then fail "the box shows an icon:
$box"; fi
[ "$(probe count TForm1 Kalvio)" = 1 ] || fail "the second start opened a main window"

xdotool mousemove 600 500 key Return
wait_for_exit "$second_pid"
[ "$exit_code" = 0 ] || fail "exit code of the second start: $exit_code"

for _ in $(seq 30); do
  window=$(main_window)
  grep -q 'iconic=0 visible=1 foreground=1' <<<"$window" && break
  sleep 0.2
done
expect_lines "$window" "window class=TForm1 title=Kalvio iconic=0 visible=1 foreground=1"
kill -0 "$first_pid" || fail "the first instance ended"

exit_through_menu
wait_for_exit "$first_pid"
[ "$exit_code" = 0 ] || fail "exit code of the first instance: $exit_code"
echo PASS
