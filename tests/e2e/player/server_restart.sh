#!/usr/bin/env bash
# The sound server restarts while Kalvio plays: the music is heard again within 2 s of the
# server's return, a Next given while it is gone is heard once it is back, and a pause is
# silence at the sink.
source "$(dirname "$0")/player_session.sh" "$1"

silent() {  # the monitor gives nothing, or exact zeros, while nothing plays
  local level
  level=$(rms_level "$1")
  [ -z "$level" ] || [ "$level" = -inf ]
}

store_settings '[SaundSeting]' 'SaundIndex=1'
start_kalvio
window=$(wait_for_window Kalvio)
sleep 1

click_client "$window" 138 31  # PauseBtn: pause
sleep 0.2
start_recording "$work/paused.wav"
sleep 1
stop_recording
silent "$work/paused.wav" || fail "sound while paused: $(rms_level "$work/paused.wav")"
click_client "$window" 138 31  # PauseBtn: resume
sleep 0.5

"$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
sleep 3
"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
start_recording "$work/back.wav"
sleep 2
stop_recording
audible "$work/back.wav" || fail "silent within 2 s of the server's return"

label_of_piece_1=$(track_label_picture "$window")
"$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
click_client "$window" 187 31  # NextBtn
sleep 0.5
[ "$(track_label_picture "$window")" != "$label_of_piece_1" ] ||
  fail "Next did nothing while the server was gone"
"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
start_recording "$work/next.wav"
sleep 2
stop_recording
audible "$work/next.wav" || fail "the next piece silent after the server's return"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting SaundIndex)" = 2 ] || fail "stored piece $(setting SaundIndex), expected 2"
echo "PASS"
