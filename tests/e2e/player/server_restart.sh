#!/usr/bin/env bash
# The sound server restarts while Kalvio plays: the music is heard again within 2 s of the
# server's return, each time it returns, and a pause is silence at the sink.
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

# Gone again, and back: the piece plays on once more.
"$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
sleep 1
"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
start_recording "$work/again.wav"
sleep 2
stop_recording
audible "$work/again.wav" || fail "silent after the server's second return"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting SaundIndex)" = 1 ] || fail "stored piece $(setting SaundIndex), expected 1"
echo "PASS"
