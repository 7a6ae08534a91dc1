#!/usr/bin/env bash
# The automatic shutdown: "シャットダウン" confirmed with Yes (which ticks fade-out too), the
# volume slider at 0, and the next piece start asks the system to shut down. In the private
# prefix wine's ExitWindowsEx only ends that prefix's session: Kalvio's process ends with no
# Exit(X), and wine's desktop ends with it (a crash of Kalvio alone would leave the desktop). The
# session's end still stores the run.
# Usage: automatic_shutdown.sh <kalvio.exe> <window-probe.exe> <screenshot dir> <midimap.dll>
#                              <piece-notes.exe>
source "$(dirname "$0")/playback_session.sh" "$@"

start_kalvio
wait_for_play 1 30
click_client 225 48  # シャットダウン
probe dialog 警告 30 >/dev/null || fail "no box titled 警告"
xdotool key y
sleep 0.5
click_client 262 213  # the volume slider, then its Home key
xdotool key Home
sleep 0.5
expect_lines "$(main_window)" "text=フェーズアウト in=window at=220,10 size=97x17 enabled=1 visible=1 kind=checkbox checked=1" \
  "text=シャットダウン in=window at=220,40 size=97x17 enabled=1 visible=1 kind=checkbox checked=1" \
  "range=0..100 position=0 "
[ -f "$documents/test/test.mid" ] || fail "no temporary file while playing: $(ls -R "$documents")"
xdotool search --name 'Wine desktop' >/dev/null || fail "no wine desktop window"
click_client 187 31  # Next: a piece start
wait_for_exit "$kalvio_pid"
for _ in $(seq 50); do
  xdotool search --name 'Wine desktop' >/dev/null || break
  sleep 0.1
done
! xdotool search --name 'Wine desktop' >/dev/null || fail "the session goes on: wine's desktop is still there"
[ -f "$settings" ] || fail "the session's end wrote no settings file"
# The temporary file is removed when wine's sequencer has let go of it by then, which under wine
# it often has not (the piece was opened a moment before): not checked here.
echo PASS
