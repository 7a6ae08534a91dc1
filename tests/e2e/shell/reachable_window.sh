#!/usr/bin/env bash
# The stored window position on one screen and on two side by side (a smaller one on the left):
# a position on a screen is kept exactly, in the settings file too; one that leaves the title bar
# out of reach (a monitor since unplugged, a title bar above the screen, a corner no screen
# covers) brings the window whole into the nearest screen.
# Usage: reachable_window.sh <kalvio> one-screen|two-screens
layout=${2:?one-screen or two-screens}
if [ "$layout" = two-screens ]; then display_size=3200x1080; fi
source "$(dirname "$0")/session.sh" "$1"

if [ "$layout" = two-screens ]; then
  xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null
  xrandr --setmonitor right 1920/508x1080/286+1280+0 none >/dev/null
fi

settings=$HOME/Documents/Kalvio/Kalvio.Ini

# The window's outer bounds as "left top right bottom".
frame_of() {
  local x y width height extents
  x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}')
  y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')
  width=$(xwininfo -id "$1" | awk '/Width:/ {print $2}')
  height=$(xwininfo -id "$1" | awk '/Height:/ {print $2}')
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -E 's/.*= //; s/,//g')
  read -r l r t b <<<"$extents"
  echo "$((x - l)) $((y - t)) $((x + width + r)) $((y + height + b))"
}

# <left> <top> <expected frame as "left top right bottom", or "kept">. The first start of each
# layout keeps its position and measures the frame for the later ones.
check_start() {
  local left=$1 top=$2 expected=$3 window frame
  mkdir -p "$(dirname "$settings")"
  printf '[Window]\r\nLeft=%s\r\nTop=%s\r\n[SaundSeting]\r\nSaundIndex=1\r\n' "$left" "$top" \
    >"$settings"
  start_kalvio
  window=$(wait_for_window Kalvio)
  sleep 0.5
  frame=$(frame_of "$window")
  read -r frame_left frame_top frame_right frame_bottom <<<"$frame"
  if [ "$expected" = kept ]; then
    [ "$frame_left $frame_top" = "$left $top" ] || fail "stored at $left,$top, shown at $frame"
    frame_width=$((frame_right - frame_left)) frame_height=$((frame_bottom - frame_top))
  else
    [ "$frame" = "$expected" ] || fail "stored at $left,$top: shown at $frame, not at $expected"
  fi
  exit_through_menu "$window"
  wait_for_exit "$kalvio_pid"
  [ "$exit_code" = 0 ] || fail "exit code $exit_code"
  local stored
  stored=$(head -n 3 "$settings" | od -An -c | tr -s ' ')
  expected_lines=$(printf '[Window]\r\nLeft=%s\r\nTop=%s\r\n' "$frame_left" "$frame_top" |
    od -An -c | tr -s ' ')
  [ "$stored" = "$expected_lines" ] || fail "stored after $left,$top: $(head -n 3 "$settings")"
}

if [ "$layout" = one-screen ]; then
  check_start 300 200 kept
  check_start 5000 5000 "$((1280 - frame_width)) $((1024 - frame_height)) 1280 1024"
  check_start -3 -30 "0 0 $frame_width $frame_height"
else
  check_start 2000 600 kept
  check_start 1200 300 kept
  check_start 5000 5000 "$((3200 - frame_width)) $((1080 - frame_height)) 3200 1080"
  check_start 100 1050 "100 $((1024 - frame_height)) $((100 + frame_width)) 1024"
fi
echo PASS
