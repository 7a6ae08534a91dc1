#!/usr/bin/env bash
# The main window: its title, fixed client size and title-bar buttons, and the popup menu that a
# right click over the list box opens, whose Exit entry ends Kalvio with exit code 0.
source "$(dirname "$0")/session.sh" "$1"

start_kalvio
window=$(wait_for_window Kalvio)

[ "$(xdotool getwindowname "$window")" = Kalvio ] || fail "title"
geometry=$(xwininfo -id "$window")
grep -q 'Width: 306$' <<<"$geometry" || fail "client width: $geometry"
grep -q 'Height: 238$' <<<"$geometry" || fail "client height: $geometry"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'minimum size: 306 by 238' <<<"$hints" || fail "minimum size: $hints"
grep -q 'maximum size: 306 by 238' <<<"$hints" || fail "maximum size: $hints"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q _NET_WM_ACTION_MINIMIZE <<<"$actions" || fail "cannot minimise: $actions"
! grep -q _NET_WM_ACTION_MAXIMIZE <<<"$actions" || fail "can maximise: $actions"
! grep -q _NET_WM_ACTION_RESIZE <<<"$actions" || fail "can resize: $actions"

# Right click over the list box (client 0,70 to 304,100) opens the popup menu.
open_popup_menu "$window" 150 85
xdotool key x  # Exit(&X)

wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
