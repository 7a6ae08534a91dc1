#!/usr/bin/env bash
# The shortest piece (71, 47 s) stored with repeat on plays to its end and starts again by
# itself; with repeat then off, its end starts piece 72, and the list and the track slider
# follow. On the way the volume slider drives wine's mixer: it starts at the stored 40 and the
# tone at the monitor follows it linearly (the ratio at 50 against 100 is printed), and fade-out
# lowers it one step at every piece start. The exit stores where the run ended (and, with
# fade-out on, no volume).
# Usage: natural_end.sh <kalvio.exe> <window-probe.exe> <screenshot dir> <midimap.dll>
#                       <piece-notes.exe>
source "$(dirname "$0")/playback_session.sh" "$@"

store_settings '[SaundSeting]' 'SaundIndex=71' 'Repeat=1'
start_kalvio
wait_for_play 1 30
expect_play_of_piece 1 71
expect_lines "$(main_window)" "selected=70 " "range=1..120 position=71 " \
  "text=RePe in=window at=15,35 size=45x17 enabled=1 visible=1 kind=checkbox checked=1" \
  "range=0..100 position=40 " "text=音量 (40)"

# The tone has a quarter of full scale: the mixer's volume scales it.
# <percent>: the peak at the monitor is that share of the tone, within 5 %.
expect_volume() {
  local peak
  record "$work/volume-$1.wav" 1.5
  peak=$(peak_of "$work/volume-$1.wav")
  awk -v peak="$peak" -v percent="$1" 'BEGIN {
    expected = 0.25 * percent / 100
    exit !(peak > expected * 0.95 && peak < expected * 1.05) }' ||
    fail "peak $peak at volume $1, expected $(awk -v p="$1" 'BEGIN {print 0.25 * p / 100}')"
  echo "$peak"
}
expect_volume 40 >/dev/null
click_client 262 213  # the volume slider, then its End key
xdotool key End
sleep 1
full=$(expect_volume 100)
xdotool key --delay 20 --repeat 50 Left
sleep 1.5  # what wine had queued at the old volume has played out
half=$(expect_volume 50)
expect_lines "$(main_window)" "range=0..100 position=50 " "text=音量 (50)"
echo "peak at 50 % / peak at 100 %: $(awk -v a="$half" -v b="$full" 'BEGIN {printf "%.3f", a / b}')"

click_client 225 18  # フェーズアウト
wait_for_play 2 60
expect_play_of_piece 2 71
first_note=$(awk '$2 ~ /^9/ && $4 != "00" {print $1; exit}' "$midi_log")
second_open=$(awk '$2 == "open" {n++} n == 2 {print $1; exit}' "$midi_log")
echo "piece 71 (47.4 s in its file) ended by itself after $(((second_open - first_note) / 100))" \
  "tenths of a second of sound"
expect_lines "$(main_window)" "selected=70 " "range=1..120 position=71 " "range=0..100 position=49 "

click_client 20 43  # RePe off
wait_for_play 3 60
expect_play_of_piece 3 72
sleep 0.5
import -window root "$screenshots/natural_end.png"
expect_lines "$(main_window)" "selected=71 " "range=1..120 position=72 " "text=72 トラック" \
  "range=0..100 position=48 "

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
stored=$(tr -d '\r' <"$settings" | grep -E '^(SaundIndex|MastarVolume|Repeat)=' | sort | tr '\n' ' ')
# With fade-out on, the lowered volume is not stored.
[ "$stored" = "Repeat=0 SaundIndex=72 " ] || fail "settings: $stored"
echo PASS
