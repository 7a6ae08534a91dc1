#!/usr/bin/env bash
# A settings file with "SaundIndex=0x1A" (hexadecimal 26): the player starts piece 26, so list
# row 25 is selected, the track slider stands at 26 and its label reads "26 トラック"; the
# stored window position and repeat option apply too. The exit writes the number back in decimal.
# Usage: stored_piece.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
source "$(dirname "$0")/session.sh" "$@"

mkdir -p "$(dirname "$settings")"
printf '[Window]\r\nLeft=120\r\nTop=90\r\n[SaundSeting]\r\nSaundIndex=0x1A\r\nRepeat=2\r\n' \
  >"$settings"

start_kalvio
window=$(main_window)
expect_lines "$window" \
  "window class=TForm1 title=Kalvio iconic=0 visible=1" "at=120,90" \
  "rows=120 selected=25 selectedRow=$(sed -n 26p "$(dirname "$0")/../../../resources/titles.txt")" \
  "control class=Static text=26 トラック in=Music Track" \
  "range=1..120 position=26 selection=1..120" \
  "control class=Button text=RePe in=window at=15,35 size=45x17 enabled=1 visible=1 kind=checkbox checked=1"

exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
grep -qx $'SaundIndex=26\r' "$settings" || fail "settings file: $(cat "$settings")"
grep -qx $'MastarVolume=40\r' "$settings" || fail "settings file: $(cat "$settings")"
echo PASS
