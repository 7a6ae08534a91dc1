#!/usr/bin/env bash
# Keys mean what the user pressed: Tab through the window leaves the piece playing on; Jump+10
# by its access key plays the piece ten on; Exit(X) by its access key, taken late by a busy
# process (stopped around the key), stores the piece that plays. MPRIS tells the piece and the
# position as the desktop sees them.
source "$(dirname "$0")/desktop_session.sh" "$1"

position_ms() {
  playerctl -p kalvio position | awk '{printf "%d", $1 * 1000}'
}

store_settings '[SaundSeting]' 'SaundIndex=5'
start_kalvio
window=$(wait_for_window Kalvio)
wait_for_mpris
wait_for_playerctl 5 metadata xesam:trackNumber
sleep 2
xdotool windowactivate --sync "$window"
before=$(position_ms)
for _ in $(seq 6); do
  xdotool key --delay 150 Tab
done
sleep 0.3
after=$(position_ms)
[ "$(playerctl -p kalvio metadata xesam:trackNumber)" = 5 ] ||
  fail "Tab changed the piece to $(playerctl -p kalvio metadata xesam:trackNumber)"
((after > before)) || fail "Tab restarted the piece: position $before ms, then $after ms"

open_popup_menu "$window" 150 85
xdotool key j
wait_for_playerctl 15 metadata xesam:trackNumber
sleep 1
[ "$(playerctl -p kalvio metadata xesam:trackNumber)" = 15 ] ||
  fail "after Jump+10: piece $(playerctl -p kalvio metadata xesam:trackNumber)"
start_recording "$work/jumped.wav"
sleep 1
stop_recording
audible "$work/jumped.wav" || fail "silent after Jump+10"

# Press and release queue up while the process is stopped: the press chooses Exit(X) in the
# menu, and the release then meets the window's focused control.
open_popup_menu "$window" 150 85
kill -STOP "$kalvio_pid"
xdotool key x
sleep 0.2
kill -CONT "$kalvio_pid"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting SaundIndex)" = 15 ] || fail "stored piece $(setting SaundIndex), expected 15"
echo PASS
