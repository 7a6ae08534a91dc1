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
  /usr/bin/python3 - "$work/window-$scale.ppm" "$images/skip-forward-$scale.bmp" "$factor" \
    <<'PY' || fail "at $factor x the Next button does not show skip-forward-$scale.bmp sharp"
import struct, sys

def ppm(path):
    data = open(path, "rb").read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[position + 1:]
    return width, height, lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])

# An 8-bit .bmp: its size and its pixels' colours, None for the background (index 0).
def indexed_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height = struct.unpack_from("<IiI", data, 14)
    palette = [tuple(data[14 + header + 4 * i:14 + header + 4 * i + 3][::-1]) for i in range(256)]
    row = (width + 3) // 4 * 4
    def colour(x, y):
        index = data[offset + (height - 1 - y) * row + x]
        return palette[index] if index != 0 else None
    return width, colour

width, height, shot = ppm(sys.argv[1])
side, colour = indexed_bmp(sys.argv[2])
factor = float(sys.argv[3])
glyph = [(x, y, colour(x, y)) for y in range(side) for x in range(side) if colour(x, y)]
# The Next button's bounds on the window, in the screen's pixels.
left, top, right, bottom = (int(v * factor) for v in (160, 1, 215, 61))
for oy in range(top, bottom - side + 1):
    for ox in range(left, right - side + 1):
        if all(shot(ox + x, oy + y) == colour for x, y, colour in glyph):
            sys.exit(0)
sys.exit(1)
PY
done
echo PASS
