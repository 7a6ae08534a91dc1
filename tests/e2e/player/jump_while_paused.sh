#!/usr/bin/env bash
# Jump+10 while paused: the next press of the pause button plays the piece ten on, audibly, and
# the player goes on from there.
source "$(dirname "$0")/player_session.sh" "$1"

store_settings '[SaundSeting]' 'SaundIndex=11'
start_kalvio
window=$(wait_for_window Kalvio)
sleep 0.5
label_of_piece_11=$(track_label_picture "$window")
exit_through_menu "$window"
wait_for_exit "$kalvio_pid"

store_settings '[SaundSeting]' 'SaundIndex=1'
start_kalvio
window=$(wait_for_window Kalvio)
sleep 0.5
click_client "$window" 138 31  # PauseBtn: pause
sleep 0.3
open_popup_menu "$window" 150 85
xdotool key j  # Jump+10 Music(J)
sleep 0.3
click_client "$window" 138 31  # PauseBtn: resume
sleep 0.5
[ "$(track_label_picture "$window")" = "$label_of_piece_11" ] || fail "the label does not show piece 11"
start_recording "$work/resumed.wav"
sleep 1.5
stop_recording
audible "$work/resumed.wav" || fail "silent after the resume: $(rms_level "$work/resumed.wav")"

click_client "$window" 187 31  # NextBtn: the commands work again
sleep 0.5
[ "$(track_label_picture "$window")" != "$label_of_piece_11" ] || fail "Next did not move on"
start_recording "$work/next.wav"
sleep 1.5
stop_recording
audible "$work/next.wav" || fail "silent after Next: $(rms_level "$work/next.wav")"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting SaundIndex)" = 12 ] || fail "stored piece $(setting SaundIndex), expected 12"
echo PASS
