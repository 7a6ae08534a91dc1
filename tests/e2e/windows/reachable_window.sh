#!/usr/bin/env bash
# A stored position on a monitor since unplugged (Left=5000 Top=5000) brings the window whole
# into wine's desktop (1024x768), at its bottom-right corner, and the exit stores where it was
# shown; a position on the desktop was kept (stored_piece.sh).
# Usage: reachable_window.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"

mkdir -p "$(dirname "$settings")"
printf '[Window]\r\nLeft=5000\r\nTop=5000\r\n[SaundSeting]\r\nSaundIndex=1\r\n' >"$settings"

start_kalvio
window=$(main_window)
read -r left top < <(point_of "$window" at)
read -r client_left client_top < <(point_of "$window" clientAt)
# The outer frame is as wide on the right as on the left, and as high below as on the left.
border=$((client_left - left))
right=$((client_left + 306 + border))
bottom=$((client_top + 238 + border))
((left >= 0 && top >= 0)) || fail "title bar off the desktop: $window"
((right <= 1024 && bottom <= 768)) || fail "window past the desktop's edge: $window"
((right >= 1024 - 40 && bottom >= 768 - 80)) || fail "not the corner nearest where it was: $window"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
grep -qx $'Left='"$left"$'\r' "$settings" || fail "settings file: $(cat "$settings")"
grep -qx $'Top='"$top"$'\r' "$settings" || fail "settings file: $(cat "$settings")"
echo PASS
