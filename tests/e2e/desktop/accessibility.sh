#!/usr/bin/env bash
# A screen reader's view of the window through AT-SPI, on the session's own accessibility bus:
# every control is named, and the reader's actions run the controls' own handlers: Next, a piece
# chosen in the list (its item's toggle, its table's row selection) and on the slider, RePe with
# the loop status the desktop shows, the shutdown box with its confirmation and fade-out.
source "$(dirname "$0")/desktop_session.sh" "$1"

probe() {
  /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"
}

# The accessibility bus, announced on the session bus, switched on as a screen reader does.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
started_pids+=("$!")
for _ in $(seq 50); do
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
  --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null ||
  fail "no accessibility bus: $(cat "$work/atspi.log")"

store_settings '[SaundSeting]' 'SaundIndex=1'
start_kalvio
window=$(wait_for_window Kalvio)
wait_for_mpris
wait_for_playerctl 1 metadata xesam:trackNumber

probe tree >"$work/tree.txt" || fail "$(cat "$work/tree.txt")"
for expected in 'frame	Kalvio' '  push button	Next Music' '  push button	Previous Music' \
  '  push button	一時停止' '  check box	RePe' '  check box	フェーズアウト' \
  '  check box	シャットダウン' '  list	リストからダイレクト・選曲できます' \
  '    slider	Music Track' '    slider	音量'; do
  grep -qxF "$expected" "$work/tree.txt" || fail "no '$expected' in: $(cat "$work/tree.txt")"
done

# Each waits for the piece, then for the controls its notification enables again.
choose() {  # <piece> <probe arguments...>
  local piece=$1
  shift
  probe "$@" || fail "probe $*"
  wait_for_playerctl "$piece" metadata xesam:trackNumber
  sleep 0.3
}
choose 2 do 'Next Music' Press
choose 5 toggle-row 'リストからダイレクト・選曲できます' 4
choose 10 select-row 'リストからダイレクト・選曲できます' 9
choose 7 set-value 'Music Track' 7
choose 8 do 'Next Music' Press

probe do RePe Toggle
wait_for_playerctl Track loop
[ "$(probe checked RePe)" = true ] || fail "RePe not checked"

# The shutdown box asks first: refused, it stays off; confirmed, fade-out comes on with it.
probe do シャットダウン Toggle
wait_for_window 警告 >/dev/null
xdotool key Escape
sleep 0.5
[ "$(probe checked シャットダウン)" = false ] || fail "refused shutdown box checked"
[ "$(probe checked フェーズアウト)" = false ] || fail "fade-out on after a refusal"
probe do シャットダウン Toggle
wait_for_window 警告 >/dev/null
xdotool key Return
sleep 0.5
[ "$(probe checked シャットダウン)" = true ] || fail "confirmed shutdown box unchecked"
[ "$(probe checked フェーズアウト)" = true ] || fail "fade-out off after the confirmation"
probe do シャットダウン Toggle  # off again: no question
sleep 0.3
[ "$(probe checked シャットダウン)" = false ] || fail "shutdown box still checked"

mpris_call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ -z "$("$scripts/lib/mock-logind" calls "$work/logind")" ] || fail "shutdown requested"
stored="$(setting SaundIndex) $(setting Repeat)"
[ "$stored" = "8 1" ] || fail "stored piece, repeat: $stored"
echo PASS
