# Sourced by the desktop tests: the player's private session (display, null sink, mock logind)
# plus a private session bus, and helpers to talk MPRIS on it. All of it is stopped on exit.
# Usage: source desktop_session.sh <kalvio executable>
source "$(dirname "${BASH_SOURCE[0]}")/../player/player_session.sh" "$1"

dbus-daemon --session --address="unix:path=$work/session_bus" --fork --print-pid=3 \
  3>"$work/session_bus.pid"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/session_bus

monitor_pid=""
end_desktop_session() {
  [ -z "$monitor_pid" ] || kill "$monitor_pid" 2>/dev/null || true
  kill "$(cat "$work/session_bus.pid")" 2>/dev/null || true
  end_player_session
}
trap end_desktop_session EXIT

mpris=org.mpris.MediaPlayer2.kalvio

# Calls a method of the player's MPRIS object: mpris_call <interface.method> [arguments...]
mpris_call() {
  gdbus call --session --dest "$mpris" --object-path /org/mpris/MediaPlayer2 --method "$@"
}

# A property of org.mpris.MediaPlayer2.Player as gdbus prints it, e.g. "true" or "'Paused'".
player_property() {
  mpris_call org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player "$1" |
    sed -E 's/^\(<(.*)>,\)$/\1/'
}

# Waits up to 10 s for Kalvio's name on the bus.
wait_for_mpris() {
  for _ in $(seq 100); do
    playerctl --list-all 2>/dev/null | grep -qx kalvio && return 0
    sleep 0.1
  done
  fail "no MPRIS player on the session bus"
}

# Waits up to 5 s for `playerctl <query>` to print <expected>.
wait_for_playerctl() {  # <expected> <query...>
  local expected=$1 got
  shift
  for _ in $(seq 50); do
    got=$(playerctl --player=kalvio "$@" 2>/dev/null || true)
    [ "$got" = "$expected" ] && return 0
    sleep 0.1
  done
  fail "playerctl $*: '$got', expected '$expected'"
}

# Records the player's PropertiesChanged signals into $work/signals.txt until the end.
start_signal_monitor() {
  dbus-monitor --session "type='signal',sender='$mpris',member='PropertiesChanged'" \
    >"$work/signals.txt" 2>&1 &
  monitor_pid=$!
  # A monitor reports its own name's hand-over to the bus once it listens.
  for _ in $(seq 50); do
    grep -q NameLost "$work/signals.txt" && return 0
    sleep 0.1
  done
  fail "dbus-monitor did not start"
}

# Waits up to 10 s for one more PropertiesChanged than <count> that names <property>.
wait_for_signal() {  # <count of signals before> <property>
  local before=$1 property=$2
  for _ in $(seq 100); do
    if awk -v before="$before" -v property="\"$property\"" '
        /member=PropertiesChanged/ {signals++}
        signals > before && index($0, property) {found = 1}
        END {exit !found}' "$work/signals.txt"; then
      return 0
    fi
    sleep 0.1
  done
  fail "no PropertiesChanged with $property after signal $before"
}

signal_count() {
  grep -c 'member=PropertiesChanged' "$work/signals.txt" || true
}

# The list box, the track label and the track slider, as one picture (without the tick marks
# below the slider, which are not drawn alike after every command).
track_pictures() {
  client_picture "$1" 0 70 306 95
}
