#!/usr/bin/env bash
# Ticking "シャットダウン" asks first: the warning "警告" with its question, a warning icon and
# the buttons "はい(&Y)" and "いいえ(&N)"; the access key N answers No, which leaves both option
# boxes unticked. (Yes is not given here: with no piece ever ending under wine it would change
# nothing observable, and a shutdown request must never be risked.)
# Usage: shutdown_warning.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"

start_kalvio
read -r x y < <(point_of "$(main_window)" clientAt)
xdotool mousemove $((x + 220 + 5)) $((y + 40 + 8)) click 1
box=$(probe dialog 警告 30) || fail "no box titled 警告"
import -window root "$screenshots/shutdown_warning.png"
expect_lines "$box" \
  "dialog class=#32770 title=警告 iconic=0 visible=1" \
  "control class=Static text=本当に自動シャットダウン設定しますか？" \
  "control class=Button text=はい(&Y) " \
  "control class=Button text=いいえ(&N) " \
  "visible=1 icon=1"

xdotool key n
for _ in $(seq 30); do
  probe dialog 警告 >/dev/null || break
  sleep 0.2
done
expect_lines "$(main_window)" \
  "control class=Button text=フェーズアウト in=window at=220,10 size=97x17 enabled=1 visible=1 kind=checkbox checked=0" \
  "control class=Button text=シャットダウン in=window at=220,40 size=97x17 enabled=1 visible=1 kind=checkbox checked=0"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
