#!/usr/bin/env bash
# The keyboard's media keys reach the player as its own controls: Next Track (a key on the
# display, which wine hands to the window in front as WM_APPCOMMAND), Previous Track and
# Play/Pause as WM_APPCOMMAND sent to the focused control. While paused Next does nothing; after
# the resume it plays on.
# Usage: media_keys.sh <kalvio.exe> <window-probe.exe> <screenshot dir> <midimap.dll>
#                      <piece-notes.exe>
source "$(dirname "$0")/playback_session.sh" "$@"

readonly APPCOMMAND_MEDIA_NEXTTRACK=11 APPCOMMAND_MEDIA_PREVIOUSTRACK=12
readonly APPCOMMAND_MEDIA_PLAY_PAUSE=14
app_command() {
  probe appcommand TForm1 Kalvio "$1" || fail "no window to send WM_APPCOMMAND $1 to"
}

shown_piece() {
  main_window | grep -o 'range=1..120 position=[0-9]*' | grep -o '[0-9]*$'
}

start_kalvio
wait_for_play 1 30
expect_play_of_piece 1 1

xdotool key XF86AudioNext
wait_for_play 2 15
sleep 1
expect_play_of_piece 2 2
expect_lines "$(main_window)" "position=2 selection=1..120" "selected=1 "

app_command $APPCOMMAND_MEDIA_PREVIOUSTRACK
wait_for_play 3 15
sleep 1
expect_play_of_piece 3 1

app_command $APPCOMMAND_MEDIA_PLAY_PAUSE
sleep 1
expect_lines "$(main_window)" "text=RePe" "enabled=0 visible=1 range=1..120"
app_command $APPCOMMAND_MEDIA_NEXTTRACK
sleep 1.5
[ "$(plays)" = 3 ] || fail "Next played on while paused: $(plays) plays"
[ "$(shown_piece)" = 1 ] || fail "Next moved to piece $(shown_piece) while paused"

# wine posts two notifications at the resume: the piece goes on, or the next one starts.
app_command $APPCOMMAND_MEDIA_PLAY_PAUSE
sleep 2.5
piece=$(shown_piece)
play=$(plays)
app_command $APPCOMMAND_MEDIA_NEXTTRACK
wait_for_play $((play + 1)) 15
sleep 1
expect_play_of_piece $((play + 1)) $((piece + 1))

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
