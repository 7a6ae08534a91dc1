#!/usr/bin/env bash
# On a display scaled by Qt (QT_SCALE_FACTOR 1.5 and 2), the Next button shows the picture drawn
# for that scale pixel for pixel, not the 100 % one scaled up with soft edges: every pixel of the
# glyph in the screenshot is the drawing's own colour.
# Usage: sharp_glyphs.sh <kalvio> <folder of the button pictures>
source "$(dirname "$0")/session.sh" "$1"
images=$(realpath "${2:?images folder}")

for scale in 150 200; do
  factor=$(awk -v s="$scale" 'BEGIN {print s / 100}')
  QT_SCALE_FACTOR=$factor start_kalvio
  window=$(wait_for_window Kalvio)
  sleep 1
  import -window "$window" -depth 8 "$work/window-$scale.ppm"
  exit_through_menu "$window"
  wait_for_exit "$kalvio_pid"
  # The Next button's bounds on the window, in the screen's pixels.
  read -r left top right bottom < <(awk -v f="$factor" 'BEGIN {
    print int(160 * f), int(1 * f), int(215 * f), int(61 * f) }')
  "$(dirname "$0")/../find_glyph.py" "$work/window-$scale.ppm" \
    "$images/skip-forward-$scale.bmp" "$left" "$top" "$right" "$bottom" ||
    fail "at $factor x the Next button does not show skip-forward-$scale.bmp sharp"
done
echo PASS
