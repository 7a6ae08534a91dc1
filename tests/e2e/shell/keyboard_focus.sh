#!/usr/bin/env bash
# The keyboard user's view, judged by pixels: the focus is drawn from the start, every Tab stop
# shows it plainly (the list a ring around it), and Tab goes through the controls in layout
# order, top to bottom and left to right along the top row, then round again.
source "$(dirname "$0")/session.sh" "$1"

# The Tab stops in layout order, as name and rectangle of the client area that shows them
# (the option boxes as far as they are not clipped, the sliders without their tick marks).
stops=(
  "RePe 15 35 45 17"
  "BackSkip 60 1 55 60"
  "PauseBtn 117 1 43 60"
  "NextBtn 161 1 54 60"
  "AutFaseOut 220 10 86 17"
  "AutoDown 220 40 86 17"
  "ListBox 0 70 304 30"
  "MusicTrackBar 4 128 300 24"
  "TrackBarVolume 32 201 240 24"
)

mkdir -p "$HOME/Documents/Kalvio"
# Repeat on: the piece that ends during the test starts again and the list stays as it is.
printf '[SaundSeting]\nRepeat=1\n' >"$HOME/Documents/Kalvio/Kalvio.Ini"
start_kalvio
window=$(wait_for_window Kalvio)
xdotool mousemove 1200 1000  # no tooltip over the window
xdotool windowactivate --sync "$window"
sleep 1

# The picture after <n> Tabs, once the window shows what the last Tab changed (the window is
# drawn in one go: a changed picture is the whole change).
take_picture() {  # <n>
  local n=$1
  import -window "$window" "$work/tab$n.png"
  ((n > 0)) || return 0
  for _ in $(seq 30); do
    [ "$(compare -metric AE "$work/tab$((n - 1)).png" "$work/tab$n.png" null: 2>&1)" != 0 ] && return 0
    sleep 0.1
    import -window "$window" "$work/tab$n.png"
  done
}

for tabs in $(seq 0 ${#stops[@]}); do
  take_picture "$tabs"
  xdotool key Tab
done

# Pixels of a stop that differ clearly (by more than 10 %) between the pictures after <a> and
# after <b> Tabs.
changed() {  # <a> <b> <stop>
  local name x y w h
  read -r name x y w h <<<"$3"
  compare -metric AE -fuzz 10% "$work/tab$1.png[${w}x${h}+${x}+${y}]" \
    "$work/tab$2.png[${w}x${h}+${x}+${y}]" null: 2>&1 || true
}

# Each Tab takes the focus from one stop to the next: those two change and nothing else does.
# A focus mark of fewer than 60 pixels would be no mark to see.
count=${#stops[@]}
for ((t = 0; t < count; t++)); do
  for ((s = 0; s < count; s++)); do
    pixels=$(changed $t $((t + 1)) "${stops[$s]}")
    if ((s == t || s == (t + 1) % count)); then
      ((pixels >= 60)) || fail "Tab $((t + 1)): ${stops[$s]%% *} changed by $pixels pixels only"
    else
      ((pixels < 60)) || fail "Tab $((t + 1)): ${stops[$s]%% *} changed by $pixels pixels"
    fi
  done
done
# The list's ring is seen at a glance: at least 15 % of its pixels.
pixels=$(changed 6 7 "${stops[6]}")
((pixels * 100 >= 15 * 304 * 30)) || fail "the list's focus changes $pixels pixels of $((304 * 30))"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
