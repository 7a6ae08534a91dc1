# Sourced by the Windows playback tests: session.sh, plus a private PulseAudio null sink that
# wine's sound goes to, and the test MIDI output beside a copy of kalvio.exe, so that wine's own
# MCI sequencer plays the pieces: every message it sends is logged, its notes heard as tones.
# Usage: source playback_session.sh <kalvio.exe> <window-probe.exe> <screenshot dir>
#                                   <midimap.dll> <piece-notes.exe>
source "$(dirname "${BASH_SOURCE[0]}")/session.sh" "$1" "$2" "$3"
midi_output=$(realpath "${4:?midimap.dll}")
piece_notes_program=$(realpath "${5:?piece-notes.exe}")
pieces=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../../resources/pieces")

# The program from a folder of its own, so that the MIDI output is found beside it.
mkdir -p "$work/program"
cp "$kalvio" "$midi_output" "$work/program/"
kalvio=$work/program/$(basename "$kalvio")
export WINEDLLOVERRIDES=midimap=n
midi_log=$work/midi.log
export KALVIO_MIDI_LOG="Z:$midi_log"

# Outside $work, which end_session removes: the server's pid file must outlive it.
sound_runtime=$(mktemp -d)
"$scripts/lib/null-sink" start "$sound_runtime"
export XDG_RUNTIME_DIR=$sound_runtime
recorder_pid=""
end_playback_session() {
  [ -z "$recorder_pid" ] || kill "$recorder_pid" 2>/dev/null || true
  end_session
  "$scripts/lib/null-sink" stop "$sound_runtime"
  rm -rf "$sound_runtime"
}
trap end_playback_session EXIT

# Writes the settings file Kalvio starts with (CRLF lines, as Windows writes them).
store_settings() {
  mkdir -p "$(dirname "$settings")"
  printf '%s\r\n' "$@" >"$settings"
}

# How many plays the sequencer has started: each opens the MIDI output.
plays() {
  [ -f "$midi_log" ] || { echo 0; return; }
  grep -c ' open$' "$midi_log" || true
}

# Waits up to <seconds> for play <n> to start and play its first notes.
wait_for_play() {  # <n> <seconds>
  local tenths=$(($2 * 10))
  for _ in $(seq "$tenths"); do
    if (($(plays) >= $1)) && [ -n "$(notes_of_play "$1")" ]; then return 0; fi
    sleep 0.1
  done
  fail "play $1 did not start within $2 s ($(plays) plays)"
}

# The notes of play <n> as logged, one "9c kk" line each (note-ons of velocity above 0).
notes_of_play() {
  awk -v n="$1" '$2 == "open" {play++} play == n && $2 ~ /^9/ && $4 != "00" {print $2, $3}' \
    "$midi_log"
}

# The notes of piece <n>, in the order the sequencer plays them.
notes_of_piece() {
  [ -f "$work/piece-$1.notes" ] ||
    "$scripts/lib/wine-run" "$piece_notes_program" "Z:$pieces/RS_$1.mid" </dev/null |
    tr -d '\r' >"$work/piece-$1.notes"
  cat "$work/piece-$1.notes"
}

# Play <n> is piece <piece> from its start: every note logged so far is the piece's, in order.
expect_play_of_piece() {  # <n> <piece>
  local played expected
  played=$(notes_of_play "$1")
  expected=$(notes_of_piece "$2")
  [ -n "$played" ] || fail "play $1 has no notes"
  [[ "$expected" == "$played"* ]] || fail "play $1 is not piece $2 from its start; played:
$(head -n 5 <<<"$played")
piece $2 starts:
$(head -n 5 <<<"$expected")"
}

# Play <n> goes on within piece <piece>: its notes are a run of the piece's notes.
expect_play_within_piece() {  # <n> <piece>
  local played expected
  played=$(notes_of_play "$1")
  expected=$(notes_of_piece "$2")
  [ -n "$played" ] || fail "play $1 has no notes"
  [[ "$expected" == *"$played"* ]] || fail "play $1 is not a part of piece $2: $(head -n 5 <<<"$played")"
}

# Records the null sink's monitor for <seconds> into <file>.
record() {  # <file> <seconds>
  parecord --device=nullsink.monitor --latency-msec=20 --file-format=wav "$1" &
  recorder_pid=$!
  sleep "$2"
  kill -INT "$recorder_pid"
  wait "$recorder_pid" || true
  recorder_pid=""
}

# The peak level of a recording, of full scale (0 for silence). The MIDI output's tone has a
# fixed level, so this measures the output volume.
peak_of() {
  sox "$1" -n stats 2>&1 | awk '/Pk lev dB/ {print ($4 == "-inf") ? 0 : 10 ^ ($4 / 20)}'
}

# The window's controls, as the probe describes them.
control_line() {  # <description> <text of the line>
  grep -F -- "$2" <<<"$1" | head -n 1
}

# Clicks at a point of the main window's client area.
click_client() {  # <x> <y> [button]
  local x y
  read -r x y < <(point_of "$(main_window)" clientAt)
  xdotool mousemove $((x + $1)) $((y + $2)) click "${3:-1}"
}

# The popup menu's Jump+10 (access key J).
jump_ten() {
  click_client 150 65 3
  sleep 0.5
  xdotool key j
}
