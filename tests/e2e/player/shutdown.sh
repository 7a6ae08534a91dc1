#!/usr/bin/env bash
# With the slider at 0, turning the automatic shutdown on and answering はい(&Y) makes the next
# handled notification ask logind (here a mock on a private system bus) to power off, once; the
# SIGTERM that the power-off then sends ends Kalvio with its settings written.
source "$(dirname "$0")/player_session.sh" "$1"

store_settings '[SaundSeting]' 'MastarVolume=0'
start_kalvio
window=$(wait_for_window Kalvio)
wait_for_sink_volume 0

click_client "$window" 228 48  # シャットダウン
wait_for_window 警告 >/dev/null
sleep 0.3
xdotool key Return  # はい(&Y), the default button of the focused dialog
sleep 0.5
[ -z "$("$scripts/lib/mock-logind" calls "$work/logind")" ] || fail "asked before a notification"

click_client "$window" 187 31  # NextBtn: its notification is handled at volume 0
for _ in $(seq 50); do
  calls=$("$scripts/lib/mock-logind" calls "$work/logind")
  [ -n "$calls" ] && break
  sleep 0.1
done
[ "$calls" = '[<true>]' ] || fail "PowerOff calls: '$calls'"

# The power-off ends the session's programs with SIGTERM, as systemd does: Kalvio's own exit.
kill -TERM "$kalvio_pid"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ "$(setting SaundIndex)" = 2 ] || fail "stored piece '$(setting SaundIndex)'"
[ ! -e "$HOME/Documents/test" ] || fail "the temporary folder is left"
echo PASS
