#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (the end of the session, Ctrl+C, a closed terminal) end Kalvio as
# Exit(X) does: status 0, the run's piece and repeat option stored, the temporary file and its
# folder removed.
source "$(dirname "$0")/player_session.sh" "$1"

for signal in TERM INT HUP; do
  store_settings '[SaundSeting]' 'SaundIndex=5'
  start_kalvio
  window=$(wait_for_window Kalvio)
  sleep 0.5
  [ -f "$HOME/Documents/test/test.mid" ] || fail "SIG$signal: no temporary file while playing"
  click_client "$window" 187 31  # NextBtn: piece 6
  click_client "$window" 25 43   # RePe
  sleep 0.5
  kill "-$signal" "$kalvio_pid"
  wait_for_exit "$kalvio_pid"
  [ "$exit_code" = 0 ] || fail "SIG$signal: exit code $exit_code"
  stored="$(setting SaundIndex) $(setting Repeat)"
  [ "$stored" = "6 1" ] || fail "SIG$signal: stored piece and repeat '$stored'"
  [ ! -e "$HOME/Documents/test" ] || fail "SIG$signal: the temporary folder is left"
done
echo PASS
