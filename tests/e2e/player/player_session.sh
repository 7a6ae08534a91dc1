# Sourced by the player's end-to-end tests: the shell tests' private display and user session,
# plus a private PulseAudio null sink that Kalvio plays into and a private system bus on which a
# mock logind records shutdown requests. All of it is stopped on exit.
# Usage: source player_session.sh <kalvio executable>
source "$(dirname "${BASH_SOURCE[0]}")/../shell/session.sh" "$1"

"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
"$scripts/lib/mock-logind" start "$work/logind"
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/logind/system_bus

recorder_pid=""
end_player_session() {
  [ -z "$recorder_pid" ] || kill "$recorder_pid" 2>/dev/null || true
  "$scripts/lib/mock-logind" stop "$work/logind"
  "$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
  end_session
}
trap end_player_session EXIT

settings=$HOME/Documents/Kalvio/Kalvio.Ini

# Writes the settings file Kalvio starts with.
store_settings() {
  mkdir -p "$(dirname "$settings")"
  printf '%s\n' "$@" >"$settings"
}

# The value of a key in the settings file.
setting() {
  tr -d '\r' <"$settings" | awk -F= -v key="$1" 'tolower($1) == tolower(key) {print $2}'
}

# Records what the null sink plays into <file> until stop_recording.
start_recording() {
  parecord --device=nullsink.monitor --latency-msec=20 --file-format=wav "$1" &
  recorder_pid=$!
}

stop_recording() {
  kill -INT "$recorder_pid"
  wait "$recorder_pid" || true
  recorder_pid=""
}

# The RMS level of a recording in dBFS, "-inf" for digital silence, "" for no samples at all.
rms_level() {
  sox "$1" -n stats 2>&1 | awk '/RMS lev dB/ {print $4}'
}

# Not silent: the null sink's monitor gives exact zeros while nothing plays (and drops leading
# silence), so any signal is Kalvio's music. A quiet passage at 40 % lies near -65 dBFS.
audible() {
  local level
  level=$(rms_level "$1")
  [ -n "$level" ] && [ "$level" != -inf ]
}

# The null sink's volume in percent (the left channel; Kalvio keeps both equal).
sink_volume() {
  pactl get-sink-volume nullsink | grep -o '[0-9]*%' | head -n 1 | tr -d %
}

# Waits up to 5 s for the sink's volume to become <percent>.
wait_for_sink_volume() {
  for _ in $(seq 50); do
    [ "$(sink_volume)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "sink volume $(sink_volume)%, expected $1%"
}

# A picture of a rectangle of the window's client area, as text for comparison.
client_picture() {  # <window> <x> <y> <width> <height>
  import -window "$1" -crop "${4}x${5}+${2}+${3}" +repage ppm:- | md5sum | cut -d' ' -f1
}

# Label4, "N トラック", in the group box "Music Track".
track_label_picture() {
  client_picture "$1" 136 112 80 13
}

click_client() {  # <window> <x> <y>
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
