#!/usr/bin/env bash
# Kalvio plays the stored piece at once; Next changes the track label and the music goes on;
# the exit through the popup menu stores the run's piece, repeat option and window position, and
# the next start comes back with them.
source "$(dirname "$0")/player_session.sh" "$1"

# The label as piece 2 shows it, from a run that starts there.
store_settings '[SaundSeting]' 'SaundIndex=2'
start_kalvio
window=$(wait_for_window Kalvio)
sleep 0.5
label_of_piece_2=$(track_label_picture "$window")
exit_through_menu "$window"
wait_for_exit "$kalvio_pid"

store_settings '[SaundSeting]' 'SaundIndex=1'
start_recording "$work/start.wav"
start_kalvio
sleep 2
stop_recording
audible "$work/start.wav" || fail "silent within 2 s of the start: $(rms_level "$work/start.wav")"

window=$(wait_for_window Kalvio)
[ "$(track_label_picture "$window")" != "$label_of_piece_2" ] || fail "piece 2 shown before Next"
click_client "$window" 187 31  # NextBtn
sleep 0.5
[ "$(track_label_picture "$window")" = "$label_of_piece_2" ] || fail "the label does not show piece 2"
start_recording "$work/next.wav"
sleep 1.5
stop_recording
audible "$work/next.wav" || fail "silent after Next: $(rms_level "$work/next.wav")"

click_client "$window" 25 43  # RePe
xdotool windowmove "$window" 200 150
sleep 0.3
moved_to=$(xwininfo -id "$window" | grep 'Absolute upper-left')
exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
stored="$(setting SaundIndex) $(setting Repeat) $(setting Left) $(setting Top)"
[ "$stored" = "2 1 200 150" ] || fail "stored piece, repeat, left, top: $stored"

start_kalvio
window=$(wait_for_window Kalvio)
sleep 0.5
[ "$(track_label_picture "$window")" = "$label_of_piece_2" ] || fail "piece 2 not shown again"
[ "$(xwininfo -id "$window" | grep 'Absolute upper-left')" = "$moved_to" ] || fail "not where it was left"
exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
echo PASS
