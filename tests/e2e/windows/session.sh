# Sourced by the Windows end-to-end tests: kalvio.exe under wine64 on wine's desktop on a private
# display, a clean Documents folder, the window probe, and helpers. Everything started here is
# stopped on exit.
# Usage: source session.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
set -euo pipefail

kalvio=$(realpath "${1:?kalvio.exe}")
probe_program=$(realpath "${2:?window-probe.exe}")
screenshots=$(realpath -m "${3:?screenshot dir}")
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)
source "$scripts/lib/wine-desktop"

work=$(mktemp -d)
# wine's sound goes to the PulseAudio server in XDG_RUNTIME_DIR: none here, unless a test starts
# its own (playback_session.sh).
unset PULSE_SERVER
export XDG_RUNTIME_DIR=$work/no-sound
mkdir -m 700 "$XDG_RUNTIME_DIR"
started=0
end_session() {
  wine_desktop_stop
  rm -rf "$work"
}
trap end_session EXIT
wine_desktop_start "$work/desktop"
mkdir -p "$screenshots"

"$scripts/lib/wine-run" cmd /c exit >/dev/null 2>&1 </dev/null  # makes the prefix on first use
documents=$(realpath "$WINEPREFIX/drive_c/users/$(id -un)/Documents")
settings=$documents/Kalvio/Kalvio.Ini
rm -rf "$documents/Kalvio" "$documents/test"

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/kalvio-*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }
  done
  import -window root "$screenshots/failure-$(basename "$0" .sh).png" 2>/dev/null || true
  exit 1
}

# Starts kalvio.exe in the background; its wine process id is then in $kalvio_pid.
start_kalvio() {
  "$scripts/lib/wine-run" "$kalvio" >"$work/kalvio-$started.log" 2>&1 </dev/null &
  kalvio_pid=$!
  started=$((started + 1))
}

probe() {
  "$scripts/lib/wine-run" "$probe_program" "$@" </dev/null
}

# The window of class TForm1 titled Kalvio, described (see WindowProbe.cpp); fails after 30 s.
main_window() {
  probe window TForm1 Kalvio 30 || fail "no window of class TForm1 titled Kalvio"
}

# <description> <text...>: every text must be part of a line of the description.
expect_lines() {
  local description=$1 text
  shift
  for text in "$@"; do
    grep -qF -- "$text" <<<"$description" || fail "expected '$text' in:
$description"
  done
}

# A name=x,y value of the description's first line, as "x y".
point_of() {
  head -n 1 <<<"$1" | sed -E "s/.* $2=(-?[0-9]+),(-?[0-9]+).*/\1 \2/"
}

# Waits up to 20 s for the process to end; its exit code is then in $exit_code. (Not in a
# subshell: only this shell can wait for its children.)
wait_for_exit() {
  local pid=$1
  for _ in $(seq 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && exit_code=0 || exit_code=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid did not end"
}

ended() {  # exited children linger as zombies until collected
  local state
  state=$(awk '/^State:/ {print $2}' "/proc/$1/status" 2>/dev/null || true)
  [ -z "$state" ] || [ "$state" = Z ]
}

# Exits Kalvio the way a user does: a right click on the window's bare area between the buttons
# and the list, then the menu's Exit (X). On a busy machine the menu can open after the key: then
# the window is still there seconds later (its destruction takes about 2 s), and it is tried again.
exit_through_menu() {
  local x y
  for _ in 1 2 3; do
    read -r x y < <(point_of "$(main_window)" clientAt)
    xdotool mousemove $((x + 150)) $((y + 65)) click 3
    sleep 1
    xdotool key x
    for _ in $(seq 80); do
      ended "$kalvio_pid" && return 0
      sleep 0.1
    done
  done
}
