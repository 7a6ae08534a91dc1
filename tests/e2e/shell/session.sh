# Sourced by the shell tests: a private display with a window manager and a private user session
# (runtime directory with its own sound server, home), all removed on exit, and helpers to run
# Kalvio and find its windows.
# Usage: source session.sh <kalvio executable>
# A test that needs a larger screen sets display_size (WxH) before sourcing this.
set -euo pipefail

kalvio=$(realpath "${1:?kalvio executable}")
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export LANG=C.UTF-8
# The soundfont Kalvio plays with, whatever the system's default points at.
export KALVIO_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2
# No session bus unless a test starts one: the toolkit would otherwise launch one of its own that
# outlives the test.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-session-bus

started_pids=()
end_session() {
  for pid in "${started_pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  "$scripts/lib/display" stop "$work/display"
  "$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
  rm -rf "$work"
}
trap end_session EXIT

"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
"$scripts/lib/display" start "$work/display" --window-manager --size "${display_size:-1280x1024}"
DISPLAY=$(cat "$work/display/display")
export DISPLAY

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/kalvio-*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }
  done
  exit 1
}

# Starts Kalvio in the background; its process id is then in $kalvio_pid.
start_kalvio() {
  "$kalvio" >"$work/kalvio-${#started_pids[@]}.log" 2>&1 &
  kalvio_pid=$!
  started_pids+=("$kalvio_pid")
}

# The id of the mapped window whose title is exactly <title>; fails after 20 s.
wait_for_window() {
  local title=$1 id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  fail "no window titled '$title'"
}

source "$(dirname "${BASH_SOURCE[0]}")/../processes.sh"

window_state() {  # Normal or Iconic
  xprop -id "$1" WM_STATE | awk -F': ' '/window state/ {print $2}'
}

# Right-clicks in a window of Kalvio at (x, y) and waits for the popup menu to appear.
open_popup_menu() {
  local window=$1 x=$2 y=$3 pid before
  pid=$(xprop -id "$window" _NET_WM_PID | awk '{print $3}')
  before=$(xdotool search --onlyvisible --pid "$pid" | wc -l)
  for _ in $(seq 5); do
    xdotool mousemove --window "$window" "$x" "$y" click 3
    for _ in $(seq 10); do
      [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt "$before" ] && return 0
      sleep 0.1
    done
  done
  fail "no popup menu over ($x, $y)"
}

# Exits Kalvio the way a user does: the popup menu over the list box, then Exit(&X).
exit_through_menu() {
  open_popup_menu "$1" 150 85
  xdotool key x
}
