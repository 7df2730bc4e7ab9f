#!/usr/bin/env bash
# Runs the companion on a virtual display, moves the pointer around the head,
# and writes docs/demo.gif (the eyes following the pointer) and
# docs/screenshot.png. The pictures in the README are made by this script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tobbelin

source scripts/lib/virtual-display.sh
work=$(mktemp -d)
cleanup() {
  kill "${app:-}" 2>/dev/null || true
  stop_virtual_display
  rm -rf "$work"
}
trap cleanup EXIT

# A small screen: the head sits at its top edge, centred.
width=480
height=300
start_virtual_display "$width" "$height"
# A desktop to see through the cut-out (xsetroot's colour does not show in
# Xvfb screenshots here; a root picture does).
/usr/bin/convert -size "${width}x${height}" gradient:'#9cc3ee'-'#3c6ea8' "$work/desktop.png"
/usr/bin/display -window root "$work/desktop.png" || true

cp build/release/tobbelin "$work/"
"$work/tobbelin" &
app=$!
for _ in $(seq 200); do xdotool search --classname tobbelin >/dev/null 2>&1 && break; sleep 0.02; done
sleep 0.5

# Around the head: a circle centred between the eyes, then a pass in front.
cx=$((width / 2))
cy=68
frame=0
# Screenshots of Xvfb hold no mouse pointer: draw one where it is.
shoot() {
  local f="$work/frame-$(printf %03d $frame).png"
  /usr/bin/import -window root "$f"
  /usr/bin/convert "$f" -fill white -stroke black -strokewidth 1 \
    -draw "polygon $1,$2 $(($1)),$(($2 + 17)) $(($1 + 4)),$(($2 + 13)) $(($1 + 7)),$(($2 + 19)) $(($1 + 9)),$(($2 + 18)) $(($1 + 6)),$(($2 + 12)) $(($1 + 11)),$(($2 + 12))" "$f"
  frame=$((frame + 1))
}
for step in $(seq 0 35); do
  read -r x y < <(awk -v s="$step" -v cx="$cx" -v cy="$cy" \
    'BEGIN { a = s * 3.14159265 / 18; printf "%d %d\n", cx + 200 * cos(a), cy + 40 + 150 * sin(a) }')
  xdotool mousemove "$x" "$y"
  sleep 0.15
  shoot "$x" "$y"
done
xdotool mousemove $((cx + 120)) 250
sleep 0.3
shoot $((cx + 120)) 250
crop="400x280+$((cx - 200))+0"
last=$(ls "$work"/frame-*.png | tail -n 1)
/usr/bin/convert "$last" -crop "$crop" +repage -strip docs/screenshot.png
/usr/bin/convert -delay 12 -loop 0 "$work"/frame-*.png -crop "$crop" +repage -layers Optimize docs/demo.gif
echo "wrote docs/demo.gif ($frame frames) and docs/screenshot.png"
