#!/usr/bin/env bash
# Builds the Debian package from the release build, checks what it holds, and
# runs the executable unpacked from it (dpkg -x) on a virtual display; with a
# Windows build folder too, builds and checks the Windows zip.
#   scripts/check-package.sh [BUILD_DIR [WINDOWS_BUILD_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
windows=${2:-}
if [ -n "$windows" ]; then
  (cd "$windows" && cpack -G ZIP >/dev/null)
  zip=$(ls "$windows"/tobbelin-*-windows-x64.zip)
  listing=$(cmake -E tar tf "$zip")
  grep -qE '^tobbelin-[0-9.]+-windows-x64/tobbelin\.exe$' <<<"$listing" ||
    { echo "no tobbelin.exe at the top of $zip" >&2; exit 1; }
  echo "windows zip: $zip holds tobbelin.exe"
fi
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tobbelin_*_amd64.deb)
echo "package: $deb"
# Read whole outputs before matching: with pipefail, "cmd | grep -q" fails at
# random when grep quits early and cmd dies of SIGPIPE.
info=$(dpkg-deb -I "$deb")
grep -E '^ (Package|Version|Depends):' <<<"$info"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tobbelin ./usr/bin/tobbelin-autostart ./usr/share/applications/tobbelin.desktop \
         ./usr/share/icons/hicolor/32x32/apps/tobbelin.png ./usr/share/icons/hicolor/64x64/apps/tobbelin.png; do
  grep -qx "$f" <<<"$contents" || { echo "missing from the package: $f" >&2; exit 1; }
done
grep -q 'Depends:.*libx11-6' <<<"$info" || { echo "no libx11-6 dependency" >&2; exit 1; }

source scripts/lib/virtual-display.sh
root=$(mktemp -d)
cleanup() {
  kill "${app:-}" 2>/dev/null || true
  stop_virtual_display
  rm -rf "$root"
}
trap cleanup EXIT
dpkg -x "$deb" "$root"
grep -qx "Exec=/usr/bin/tobbelin" "$root/usr/share/applications/tobbelin.desktop"
desktop-file-validate "$root/usr/share/applications/tobbelin.desktop"

start_virtual_display 1280 800
XDG_RUNTIME_DIR="$root" "$root/usr/bin/tobbelin" &
app=$!
for _ in $(seq 250); do
  if xdotool search --onlyvisible --classname tobbelin >/dev/null 2>&1; then
    echo "the unpacked executable shows its window"
    exit 0
  fi
  sleep 0.02
done
echo "the unpacked executable showed no window within 5 s" >&2
exit 1
