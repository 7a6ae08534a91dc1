#!/usr/bin/env bash
# The main window: class TForm1, title Kalvio, fixed size, its controls with their texts (the
# names screen readers read: the picture buttons and the list their hints, the sliders their
# group's caption) and states at start-up (a screenshot is kept as window.png). Then a user moves
# the window, ticks RePe and moves the volume slider, and exits through the popup menu:
# Kalvio.Ini under the wine user's Documents holds those values, and the temporary folder is gone.
# Usage: window_and_exit.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"

start_kalvio
window=$(main_window)
sleep 1
import -window root "$screenshots/window.png"
expect_lines "$window" \
  "window class=TForm1 title=Kalvio iconic=0 visible=1" \
  "minimizebox=1 maximizebox=0 sizable=0 client=306x238 at=0,0" \
  "control class=Button text=Previous Music in=window at=60,1 size=55x60 enabled=1 visible=1 kind=ownerdraw" \
  "control class=Button text=一時停止 in=window at=116,1 size=45x60 enabled=1 visible=1 kind=ownerdraw" \
  "control class=Button text=Next Music in=window at=160,1 size=55x60 enabled=1 visible=1 kind=ownerdraw" \
  "control class=Button text=RePe in=window at=15,35 size=45x17 enabled=1 visible=1 kind=checkbox checked=0" \
  "control class=Button text=フェーズアウト in=window at=220,10 size=97x17 enabled=1 visible=1 kind=checkbox checked=0" \
  "control class=Button text=シャットダウン in=window at=220,40 size=97x17 enabled=1 visible=1 kind=checkbox checked=0" \
  "control class=ListBox text=リストからダイレクト・選曲できます in=window at=0,70 size=304x30 enabled=1 visible=1 rows=120 selected=0 selectedRow=ふるさと rowHeight=13" \
  "control class=Button text=Music Track in=window at=0,104 size=306x66 enabled=1 visible=1 kind=groupbox" \
  "control class=Static text=1 トラック in=Music Track at=136,8" \
  "control class=msctls_trackbar32 text=Music Track in=Music Track at=4,24 size=300x45 enabled=1 visible=1 range=1..120 position=1 selection=1..120 ticks=120 vertical=0" \
  "control class=Button text=音量 in=window at=0,169 size=306x69 enabled=1 visible=1 kind=groupbox" \
  "control class=Static text=Min in=音量 at=10,40" \
  "control class=Static text=Max in=音量 at=272,40" \
  "control class=msctls_trackbar32 text=音量 in=音量 at=32,32 size=240x34 enabled=1 visible=1 range=0..100 position=0"
# wine has no mixer: the volume slider is not bound and its label keeps its first text.
expect_lines "$window" "control class=Static text=50 in=音量 at=144,13"

# The user drags the window by its title bar, ticks RePe and clicks the volume slider's track
# near its right end, which moves it one page (2) towards the click, then presses Right three
# times.
read -r left top < <(point_of "$window" at)
read -r x y < <(point_of "$window" clientAt)
xdotool mousemove $((x + 100)) $(((top + y) / 2)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((x + 100 + step * 8)) $(((top + y) / 2 + step * 6)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
read -r x y < <(point_of "$(main_window)" clientAt)
xdotool mousemove $((x + 15 + 5)) $((y + 35 + 8)) click 1
xdotool mousemove $((x + 32 + 230)) $((y + 169 + 32 + 12)) click 1
sleep 0.3
xdotool key Right Right Right
sleep 0.5

window=$(main_window)
expect_lines "$window" \
  "control class=Button text=RePe in=window at=15,35 size=45x17 enabled=1 visible=1 kind=checkbox checked=1" \
  "control class=Static text=音量 (5) in=音量" \
  "range=0..100 position=5"
read -r moved_left moved_top < <(point_of "$window" at)
[ "$moved_left $moved_top" != "$left $top" ] || fail "the window did not move"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ -f "$settings" ] || fail "no $settings"
expected=$(printf '[Window]\nLeft=%s\nTop=%s\n[SaundSeting]\nMastarVolume=5\nSaundIndex=1\nRepeat=1' \
  "$moved_left" "$moved_top")
actual=$(tr -d '\r' <"$settings")
[ "$actual" = "$expected" ] || fail "settings file:
$actual
expected:
$expected"
[ ! -e "$documents/test" ] || fail "the temporary folder is still there: $(ls -la "$documents/test")"
echo PASS
