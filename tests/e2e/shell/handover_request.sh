#!/usr/bin/env bash
# The running instance's hand-over socket lets only its own fixed request restore the window:
# other data, or the request with more after it, changes nothing.
source "$(dirname "$0")/session.sh" "$1"

start_kalvio
window=$(wait_for_window Kalvio)
socket=$XDG_RUNTIME_DIR/5D152778-BC5B-4A96-BA22-6288355A042B.socket
[ -S "$socket" ] || fail "no hand-over socket"
[ "$(stat -c %a "$socket")" = 700 ] || fail "the socket is open to other users"
xdotool windowminimize --sync "$window"

send() {  # <bytes as a Python literal>
  python3 -c "import socket, sys
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.connect(sys.argv[1]); s.sendall($1); s.close()" "$socket"
}
for request in "b'hello\n'" "b'activate\nactivate\n'" "b'ACTIVATE\n'" "b'\0' * 4096"; do
  send "$request"
  sleep 0.5
  [ "$(window_state "$window")" = Iconic ] || fail "restored by $request"
done
kill -0 "$kalvio_pid" || fail "the instance ended"

send "b'activate\n'"
for _ in $(seq 50); do
  [ "$(window_state "$window")" = Normal ] && break
  sleep 0.1
done
[ "$(window_state "$window")" = Normal ] || fail "not restored by the request"

exit_through_menu "$window"
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
echo PASS
