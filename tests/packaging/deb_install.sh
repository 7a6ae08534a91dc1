#!/usr/bin/env bash
# The Debian package installed as a user installs it (apt-get install ./kalvio_...deb), the
# installed /usr/bin/kalvio put through the headless check (its window on a private display, its
# sound at a private null sink, its exit through the menu), then purged: every path the package
# holds is as it was before, and no other package was added or removed.
# Needs root: it changes the system's packages. Exits 77 (skipped) otherwise.
# Usage: deb_install.sh <kalvio_version_amd64.deb>
set -euo pipefail
deb=$(realpath "${1:?deb}")
top=$(cd "$(dirname "$0")/../.." && pwd)
if ((EUID != 0)); then
  echo "SKIP: installing a package needs root"
  exit 77
fi
work=$(mktemp -d)
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -y -q -o DPkg::Lock::Timeout=900 "$@"; }
installed() { dpkg-query -W -f='${Status}' kalvio 2>/dev/null | grep -q 'install ok installed'; }
finish() {
  # Never leave the package behind, whatever failed.
  if dpkg-query -W kalvio >/dev/null 2>&1; then apt_get purge kalvio >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A run that was killed may have left it installed.
if dpkg-query -W kalvio >/dev/null 2>&1; then apt_get purge kalvio >/dev/null; fi

# Every path in the package, and whether it exists now; and the system's packages.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$work/paths"
state_of_paths() {
  while read -r path; do
    if [ -e "$path" ]; then echo "present $path"; else echo "absent $path"; fi
  done <"$work/paths"
}
system_packages() { dpkg-query -W -f='${Package}:${Architecture} ${Version} ${Status}\n' | sort; }
state_of_paths >"$work/paths-before"
system_packages >"$work/packages-before"

apt_get install "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt-get install"; }
installed || fail "kalvio is not installed after apt-get install"
[ "$(command -v kalvio)" = /usr/bin/kalvio ] || fail "kalvio is not /usr/bin/kalvio"

# The headless check, on a display and a sound server of its own, with the soundfont the package
# depends on.
mkdir -m 700 "$work/runtime"
if ! env -u DISPLAY -u WAYLAND_DISPLAY -u PULSE_SERVER XDG_RUNTIME_DIR="$work/runtime" \
  KALVIO_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2 \
  "$top/scripts/run" --program /usr/bin/kalvio --seconds 5 --output "$work/demo" >"$work/run.log" 2>&1; then
  cat "$work/run.log"
  fail "the headless check of the installed program"
fi
cat "$work/run.log"
grep -q 'window:    "Kalvio", client area 306 x 238' "$work/run.log" || fail "no window"
grep -q 'exit code 0' "$work/run.log" || fail "no clean exit"
grep -q 'sound: .* RMS level' "$work/run.log" || fail "no sound at the null sink"

apt_get purge kalvio >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "apt-get purge"; }
! dpkg-query -W kalvio >/dev/null 2>&1 || fail "dpkg still knows kalvio"
state_of_paths >"$work/paths-after"
diff "$work/paths-before" "$work/paths-after" || fail "paths differ after the purge"
system_packages >"$work/packages-after"
diff "$work/packages-before" "$work/packages-after" || fail "the system's packages changed"
echo PASS
