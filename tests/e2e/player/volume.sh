#!/usr/bin/env bash
# The volume slider and the sink's volume follow each other: keys on the focused slider set the
# sink, a change made with pactl moves the slider. The exit stores the volume the slider set.
source "$(dirname "$0")/player_session.sh" "$1"

start_kalvio
window=$(wait_for_window Kalvio)
wait_for_sink_volume 40  # the stored default, applied at start-up

# The first control in tab order has the focus; one step back reaches the volume slider, the
# last.
xdotool key --window "$window" shift+Tab
xdotool key --window "$window" Right
wait_for_sink_volume 41
xdotool key --window "$window" Left Left Left
wait_for_sink_volume 38

pactl set-sink-volume nullsink 30%
sleep 0.5
# The slider moved to 30 without writing back; one more step goes on from there.
[ "$(sink_volume)" = 30 ] || fail "sink volume $(sink_volume)% after pactl"
xdotool key --window "$window" Right
wait_for_sink_volume 31

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting MastarVolume)" = 31 ] || fail "stored volume $(setting MastarVolume)"
echo PASS
