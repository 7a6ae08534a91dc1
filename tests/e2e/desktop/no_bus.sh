#!/usr/bin/env bash
# Without a session bus, and with the player's name held by another program, Kalvio starts and
# plays as it does without MPRIS.
source "$(dirname "$0")/desktop_session.sh" "$1"

plays_and_exits() {  # <what>
  start_recording "$work/start.wav"
  start_kalvio
  window=$(wait_for_window Kalvio)
  sleep 2
  stop_recording
  audible "$work/start.wav" || fail "$1: silent within 2 s of the start"
  exit_through_menu "$window"
  wait_for_exit "$kalvio_pid"
  [ "$exit_code" = 0 ] || fail "$1: exit code $exit_code"
}

/usr/bin/python3 -c '
import sys, time, dbus
bus = dbus.SessionBus()
bus.request_name("org.mpris.MediaPlayer2.kalvio", dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
print("held", flush=True)
time.sleep(120)' >"$work/holder.log" 2>&1 &
holder_pid=$!
started_pids+=("$holder_pid")
for _ in $(seq 50); do grep -q held "$work/holder.log" && break; sleep 0.1; done
grep -q held "$work/holder.log" || fail "could not take the name: $(cat "$work/holder.log")"
plays_and_exits "name taken"
kill "$holder_pid"

# An address where no bus listens: nothing to connect to, nothing started in its place.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no_bus
plays_and_exits "no bus"
echo PASS
