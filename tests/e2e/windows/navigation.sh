#!/usr/bin/env bash
# Piece 1 plays at the start, its notes those of its file in order, and the monitor hears it.
# Then each command through the window starts the piece it names, checked by the notes the MIDI
# output receives: Next, previous, Jump+10, a click on the list's row above the selected one, pause and resume
# (the piece goes on, or wine's second notification at the resume starts the next), Jump+10 while paused (the resume plays the jump's piece). Exit(X) still
# ends the program and stores the piece.
# Usage: navigation.sh <kalvio.exe> <window-probe.exe> <screenshot dir> <midimap.dll>
#                      <piece-notes.exe>
source "$(dirname "$0")/playback_session.sh" "$@"

start_kalvio
wait_for_play 1 30
record "$work/start.wav" 1.5
[ "$(peak_of "$work/start.wav")" != 0 ] || fail "the monitor is silent while piece 1 plays"
expect_play_of_piece 1 1

play=1
# <command...> <piece>: the command starts the next play, which is <piece> from its start.
expect_command_plays() {
  local piece=${*: -1}
  "${@:1:$#-1}"
  play=$((play + 1))
  wait_for_play "$play" 15
  sleep 1
  expect_play_of_piece "$play" "$piece"
  expect_lines "$(main_window)" "position=$piece selection=1..120" "selected=$((piece - 1)) "
}

expect_command_plays click_client 187 31 2  # Next
expect_command_plays click_client 85 31 1   # previous
expect_command_plays jump_ten 11
expect_command_plays click_client 100 76 10  # the list's first row, above the selected one

# The pause closes the sequencer's output. wine posts no notification at the pause and two at
# once at the resume: the piece goes on, or the second notification starts the next one; no more.
click_client 138 31
sleep 1
[ "$(plays)" = "$play" ] || fail "a play started while paused"
click_client 138 31
sleep 2.5
piece=$(main_window | grep -o 'range=1..120 position=[0-9]*' | grep -o '[0-9]*$')
resumed=$(plays)
((resumed == play + 1 || resumed == play + 2)) || fail "$((resumed - play)) plays after the resume"
case $piece in
  10) expect_play_within_piece "$resumed" 10 ;;
  11) expect_play_of_piece "$resumed" 11 ;;
  *) fail "piece $piece after the resume of piece 10" ;;
esac
play=$resumed

pause_and_jump() {
  click_client 138 31
  sleep 0.5
  jump_ten
  sleep 0.5
  click_client 138 31
}
expect_command_plays pause_and_jump $((piece + 10))
sleep 2
[ "$(plays)" = "$play" ] || fail "plays went on by themselves: $(plays) after $play"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
grep -qx "SaundIndex=$((piece + 10))"$'\r' "$settings" || fail "settings file: $(cat "$settings")"
echo PASS
