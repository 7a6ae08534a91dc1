#!/usr/bin/env bash
# Started with a soundfont path that does not exist: one warning box names what to install and
# KALVIO_SOUNDFONT, and the standard error says why there is no sound. Once the box is dismissed
# the window works without sound: MPRIS reports "Stopped", the volume slider still sets the sink's
# volume, "RePe" still checks, nothing reaches the sink, and the exit keeps the settings.
source "$(dirname "$0")/desktop_session.sh" "$1"
export KALVIO_SOUNDFONT=$work/missing.sf2

store_settings '[Window]' 'Left=40' 'Top=50' '[SaundSeting]' 'MastarVolume=60' 'SaundIndex=7' \
  'Repeat=0'
start_recording "$work/sound.wav"
start_kalvio
box=$(wait_for_window Kalvio)
[ "$(xdotool search --onlyvisible --pid "$kalvio_pid" | wc -l)" = 1 ] ||
  fail "the main window shows beside the box"
xdotool windowactivate --sync "$box"
xdotool key ctrl+c
sleep 0.3
copied=$(xclip -o -selection clipboard)
for part in timgm6mb-soundfont fluid-soundfont-gm KALVIO_SOUNDFONT "$KALVIO_SOUNDFONT"; do
  grep -qF -- "$part" <<<"$copied" || fail "the box does not name $part: $copied"
done
grep -qxE 'OK +' <<<"$copied" || fail "buttons: $copied"
xdotool key Return

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --pid "$kalvio_pid" --name '^Kalvio$' 2>/dev/null |
    grep -vx "$box" | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no main window after the box"
wait_for_mpris
wait_for_playerctl Stopped status
sleep 1
[ "$(xdotool search --onlyvisible --pid "$kalvio_pid" | wc -l)" = 1 ] || fail "another box came"

playerctl -p kalvio volume 0.3
wait_for_sink_volume 30
playerctl -p kalvio loop Track
wait_for_playerctl Track loop
wait_for_playerctl Stopped status

# Quit runs Exit(X) itself; the menu's key or mouse release would also reach the list, whose
# command finds no device.
mpris_call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
stop_recording
! audible "$work/sound.wav" || fail "sound reached the sink"
grep -q "^kalvio: no sound: $KALVIO_SOUNDFONT" "$work"/kalvio-*.log ||
  fail "standard error does not say why there is no sound"
[ "$(setting MastarVolume)" = 30 ] || fail "MastarVolume $(setting MastarVolume)"
[ "$(setting SaundIndex)" = 7 ] || fail "SaundIndex $(setting SaundIndex)"
[ "$(setting Repeat)" = 1 ] || fail "Repeat $(setting Repeat)"
[ -n "$(setting Left)" ] || fail "the window position was not written"
echo PASS
