#!/usr/bin/env bash
# MPRIS on a private session bus, driven by playerctl as a desktop drives it: next, previous,
# play-pause, loop and volume move the player as its own controls do; the metadata names the
# piece; the player signals its changes; while paused next is refused; a Set it cannot carry out
# is refused with the properties interface's errors; Raise does what a second start does; Quit is
# the orderly exit.
source "$(dirname "$0")/desktop_session.sh" "$1"

# What the list and the track slider show for piece 2, from a run that starts there.
store_settings '[SaundSeting]' 'SaundIndex=2'
start_kalvio
window=$(wait_for_window Kalvio)
wait_for_mpris
sleep 0.5
pictures_of_piece_2=$(track_pictures "$window")
mpris_call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code after Quit"

store_settings '[SaundSeting]' 'SaundIndex=1'
start_kalvio
window=$(wait_for_window Kalvio)
wait_for_mpris
sleep 0.5
pictures_of_piece_1=$(track_pictures "$window")
wait_for_playerctl Playing status
[ "$(playerctl -p kalvio metadata xesam:title)" = "$(sed -n 1p "$(dirname "$0")/../../../resources/titles.txt")" ] ||
  fail "title $(playerctl -p kalvio metadata xesam:title)"
[ "$(playerctl -p kalvio metadata xesam:trackNumber)" = 1 ] || fail "not track 1"
length=$(playerctl -p kalvio metadata mpris:length)
((length > 10000000)) || fail "length $length us"
[ "$(playerctl -p kalvio metadata mpris:trackid)" = "'/org/kalvio/piece/1'" ] ||
  fail "track id $(playerctl -p kalvio metadata mpris:trackid)"

start_signal_monitor
signals=$(signal_count)
playerctl -p kalvio next
wait_for_playerctl 2 metadata xesam:trackNumber
wait_for_signal "$signals" Metadata
sleep 0.3
[ "$(track_pictures "$window")" = "$pictures_of_piece_2" ] || fail "list and slider not at piece 2"
[ "$(playerctl -p kalvio metadata mpris:length)" != "$length" ] || fail "piece 2 has piece 1's length"

playerctl -p kalvio previous
wait_for_playerctl 1 metadata xesam:trackNumber
sleep 0.3
[ "$(track_pictures "$window")" = "$pictures_of_piece_1" ] || fail "list and slider not at piece 1"

playerctl -p kalvio play-pause
wait_for_playerctl Paused status
[ "$(player_property CanGoNext)" = false ] || fail "CanGoNext $(player_property CanGoNext) while paused"
[ "$(player_property CanPause)" = true ] || fail "CanPause $(player_property CanPause) while paused"
! playerctl -p kalvio next 2>/dev/null || fail "playerctl offered next while paused"
mpris_call org.mpris.MediaPlayer2.Player.Next >/dev/null  # past playerctl's check: refused too
sleep 0.5
[ "$(playerctl -p kalvio metadata xesam:trackNumber)" = 1 ] || fail "next moved on while paused"
[ "$(playerctl -p kalvio status)" = Paused ] || fail "next resumed"
playerctl -p kalvio play-pause
wait_for_playerctl Playing status
[ "$(player_property CanGoNext)" = true ] || fail "CanGoNext $(player_property CanGoNext) after resume"

playerctl -p kalvio loop Track
wait_for_playerctl Track loop
playerctl -p kalvio next
sleep 0.5
wait_for_playerctl 1 metadata xesam:trackNumber  # RePe plays the piece again

signals=$(signal_count)
playerctl -p kalvio volume 0.3
wait_for_sink_volume 30
wait_for_playerctl 0.300000 volume
signals=$(signal_count)
pactl set-sink-volume nullsink 55%
wait_for_signal "$signals" Volume
wait_for_playerctl 0.550000 volume

# A Set the player cannot carry out is answered with the properties interface's own errors, and
# changes nothing.
while read -r expected interface property value; do
  answer=$(mpris_call org.freedesktop.DBus.Properties.Set "org.mpris.MediaPlayer2${interface#-}" \
    "$property" "$value" 2>&1 </dev/null) || true
  got=$(sed -nE 's/.*org\.freedesktop\.DBus\.Error\.([A-Za-z]+).*/\1/p' <<<"$answer")
  [ -n "$got" ] || got=none
  [ "$got" = "$expected" ] || fail "Set $interface $property $value: $got, expected $expected"
done <<'CASES'
PropertyReadOnly .Player PlaybackStatus <'Paused'>
PropertyReadOnly .Player Position <int64 0>
PropertyReadOnly .Player CanGoNext <false>
PropertyReadOnly - Identity <'Other'>
UnknownProperty .Player Tempo <1.0>
UnknownProperty - Volume <0.1>
InvalidArgs .Player Volume <'loud'>
InvalidArgs .Player Volume <1>
InvalidArgs .Player LoopStatus <'Shuffle'>
InvalidArgs .Player LoopStatus <true>
InvalidArgs .Player Rate <2.0>
InvalidArgs .Player Shuffle <true>
none .Player Rate <1.0>
none .Player Shuffle <false>
CASES
[ "$(playerctl -p kalvio volume) $(playerctl -p kalvio loop)" = "0.550000 Track" ] ||
  fail "a refused Set changed volume or loop: $(playerctl -p kalvio volume) $(playerctl -p kalvio loop)"

xdotool windowminimize --sync "$window"
mpris_call org.mpris.MediaPlayer2.Raise >/dev/null
for _ in $(seq 50); do
  [ "$(window_state "$window")" = Normal ] && break
  sleep 0.1
done
[ "$(window_state "$window")" = Normal ] || fail "Raise left the window $(window_state "$window")"

mpris_call org.mpris.MediaPlayer2.Quit >/dev/null
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code after Quit"
# The volume the slider set, not the one another program set after it.
stored="$(setting SaundIndex) $(setting Repeat) $(setting MastarVolume)"
[ "$stored" = "1 1 30" ] || fail "stored piece, repeat, volume: $stored"
echo PASS
