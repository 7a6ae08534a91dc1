#!/usr/bin/env bash
# The Debian package as its tools judge it: lintian with no error or warning, the desktop entry
# and the AppStream metainfo valid; and what it holds: the program, the icon drawn at each size
# of the icon theme, the version in the metainfo, and the run-time dependencies that no library
# link reveals.
# Usage: deb_contents.sh <kalvio_version_amd64.deb> <version>
set -euo pipefail
deb=$(realpath "${1:?deb}")
version=${2:?version}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# lintian prints nothing when all is well; errors and warnings make it fail.
lintian --fail-on error,warning --pedantic "$deb" || fail "lintian"

dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr
desktop-file-validate "$root/share/applications/kalvio.desktop" || fail "desktop entry"
metainfo=$root/share/metainfo/io.github.kalvio.Kalvio.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "metainfo"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo names no release $version"

[ -x "$root/bin/kalvio" ] || fail "no /usr/bin/kalvio"
for size in 16 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/kalvio.png
  file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
    fail "icon ${size}x${size}: $(file "$icon")"
done
zcat "$root/share/man/man1/kalvio.1.gz" | grep -q '^\.TH KALVIO 1' || fail "manual page"
grep -q '^License: CC0-1.0' "$root/share/doc/kalvio/copyright" || fail "copyright lacks CC0"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in sf2-soundfont-gm fonts-ipafont-gothic libasound2-plugins libfluidsynth3 libqt6gui6; do
  grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
echo PASS
