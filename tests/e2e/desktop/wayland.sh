#!/usr/bin/env bash
# Kalvio in a Wayland session (weston's headless compositor), with XWayland and without.
#   xwayland: Kalvio runs on X11 through XWayland although Wayland is offered first by the
#             session, asks for its window at the stored position and stores where it was left.
#   native:   without XWayland Kalvio runs on Wayland; its window appears, and the stored position,
#             which a Wayland client cannot know, is kept in the settings file byte for byte.
# Either way a second start shows "二重起動の確認" and, once it is answered, ends with code 0
# while the first runs on. Answers are given through the accessibility bus, which works on both.
# Usage: wayland.sh <kalvio> xwayland|native
set -euo pipefail

kalvio=$(realpath "${1:?kalvio executable}")
mode=${2:?xwayland or native}
scripts=$(cd "$(dirname "$0")/../../../scripts" && pwd)
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export LANG=C.UTF-8 XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-kalvio
# The soundfont the tests name, whatever the system's default is.
export KALVIO_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2
unset DISPLAY QT_QPA_PLATFORM
# Qt speaks to assistive technologies only when asked to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

started_pids=()
end_session() {
  set +e  # every step, whatever the one before it did
  for pid in "${started_pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  [ -f "$work/weston.pid" ] && kill "$(cat "$work/weston.pid")" 2>/dev/null || true
  [ -f "$work/session_bus.pid" ] && kill "$(cat "$work/session_bus.pid")" 2>/dev/null || true
  "$scripts/lib/null-sink" stop "$XDG_RUNTIME_DIR"
  rm -rf "$work"
}
trap end_session EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/kalvio-*.log "$work/weston.log"; do
    [ -s "$log" ] && { echo "--- $log" >&2; tail -n 40 "$log" >&2; }
  done
  exit 1
}

"$scripts/lib/null-sink" start "$XDG_RUNTIME_DIR"
dbus-daemon --session --address="unix:path=$work/session_bus" --fork --print-pid=3 \
  3>"$work/session_bus.pid"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/session_bus

weston_options=(--backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280
  --height=1024 --idle-time=0 --debug --log="$work/weston.log")
[ "$mode" = xwayland ] && weston_options+=(--xwayland)
setsid weston "${weston_options[@]}" </dev/null >/dev/null 2>&1 &
echo $! >"$work/weston.pid"
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start"
if [ "$mode" = xwayland ]; then
  for _ in $(seq 100); do grep -q 'xserver listening on display' "$work/weston.log" && break; sleep 0.1; done
  DISPLAY=$(sed -nE 's/.*xserver listening on display (:[0-9]+).*/\1/p' "$work/weston.log")
  [ -n "$DISPLAY" ] || fail "no XWayland display"
  export DISPLAY
fi

settings=$HOME/Documents/Kalvio/Kalvio.Ini
mkdir -p "$(dirname "$settings")"
printf '[Window]\r\nLeft=200\r\nTop=150\r\n[SaundSeting]\r\nSaundIndex=1\r\n' >"$settings"

start_kalvio() {
  "$kalvio" >"$work/kalvio-${#started_pids[@]}.log" 2>&1 &
  kalvio_pid=$!
  started_pids+=("$kalvio_pid")
}

source "$(dirname "$0")/../processes.sh"

# The compositor's own account of the windows on screen.
scene() {
  weston-debug scene-graph 2>/dev/null & local reader=$!
  sleep 0.3
  kill "$reader" 2>/dev/null || true
  wait "$reader" 2>/dev/null || true
}

# Waits up to 20 s for a window of process <pid> titled <title> in the compositor's scene.
wait_for_surface() {  # <pid> <title>
  for _ in $(seq 40); do
    scene | grep -q "PID $1, .*'$2'" && return 0
    sleep 0.2
  done
  scene >"$work/scene.txt"
  fail "no window '$2' of process $1 on the compositor: $(grep 'PID' "$work/scene.txt")"
}

# Presses a button of a window of the program through the accessibility bus:
# press <window title> <button name>
press() {
  /usr/bin/python3 - "$@" <<'PY' || fail "could not press $2 in $1"
import sys, time
import pyatspi

window_title, button_name = sys.argv[1], sys.argv[2]

def find(node, matches, depth=0):
    if node is None or depth > 12:
        return None
    if matches(node):
        return node
    for child in node:
        found = find(child, matches, depth + 1)
        if found is not None:
            return found
    return None

for _ in range(100):
    desktop = pyatspi.Registry.getDesktop(0)
    window = find(desktop, lambda n: n.name == window_title and n.getRole() in
                  (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW))
    button = window and find(window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and
                             n.name.replace("&", "") == button_name)
    if button is not None:
        button.queryAction().doAction(0)
        sys.exit(0)
    time.sleep(0.2)
sys.exit(1)
PY
}

window_lines() {  # the [Window] section of the settings file, byte for byte
  head -n 3 "$settings" | od -An -tx1
}
stored_lines=$(window_lines)

start_kalvio
first_pid=$kalvio_pid
if [ "$mode" = xwayland ]; then
  # Only a program on X11 has a window that X11's tools can find.
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name '^Kalvio$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no X11 window titled Kalvio"
  # The window asks for the stored position, as a user-given one. weston's own X11 window
  # manager honours that only at times (it may place a new window by its own rule first), so
  # where it ends up on this compositor is not Kalvio's to tell.
  hints=$(xprop -id "$window" WM_NORMAL_HINTS)
  grep -q 'user specified location: 200, 150' <<<"$hints" ||
    fail "the window does not ask for the stored position: $hints"
else
  wait_for_surface "$first_pid" Kalvio
fi

start_kalvio
second_pid=$kalvio_pid
press '二重起動の確認' OK
wait_for_exit "$second_pid"
[ "$exit_code" = 0 ] || fail "exit code of the second start: $exit_code"
running "$first_pid" || fail "the first instance ended"
[ "$mode" = native ] && wait_for_surface "$first_pid" Kalvio

kill -TERM "$first_pid"
wait_for_exit "$first_pid"
[ "$exit_code" = 0 ] || fail "exit code of the first instance: $exit_code"
[ "$(window_lines)" = "$stored_lines" ] ||
  fail "the stored position changed: $(head -n 3 "$settings")"
echo PASS
