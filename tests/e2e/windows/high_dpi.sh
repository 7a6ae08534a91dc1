#!/usr/bin/env bash
# At 144 DPI (LogPixels 144, 150 % scaling) the program, aware of the system DPI, lays its window
# out at 150 %: the client area, the controls and the list's rows grow by half, and the Next
# button shows the picture drawn for 150 % pixel for pixel. At 96 DPI nothing changes
# (window_and_exit.sh).
# Usage: high_dpi.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"
images=$(cd "$(dirname "$0")/../../../resources/images" && pwd)

set_log_pixels() {  # <value>, or nothing to remove it
  if [ -n "${1:-}" ]; then
    "$scripts/lib/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
      /d "$1" /f
  else
    "$scripts/lib/wine-run" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f
  fi >/dev/null 2>&1 </dev/null || true
}
# The prefix is shared with the other tests: they run at 96 DPI.
end_high_dpi() {
  set_log_pixels
  end_session
}
trap end_high_dpi EXIT
set_log_pixels 144

start_kalvio
window=$(main_window)
sleep 1
expect_lines "$window" \
  "client=459x357" \
  "control class=Button text=Next Music in=window at=240,2 size=83x90 enabled=1 visible=1 kind=ownerdraw" \
  "rowHeight=20"
read -r x y < <(point_of "$window" clientAt)
import -window root -depth 8 "$work/screen.ppm"
convert "$work/screen.ppm" "$screenshots/high-dpi.png"
"$(dirname "$0")/../find_glyph.py" "$work/screen.ppm" "$images/skip-forward-150.bmp" \
  $((x + 240)) $((y + 2)) $((x + 323)) $((y + 92)) ||
  fail "the Next button does not show skip-forward-150.bmp sharp"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
