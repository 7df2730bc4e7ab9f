#!/usr/bin/env bash
# Benchmarks tobbelin against xeyes on a virtual display with a window
# manager, and times the shaping inside the process. Prints tables.
#   scripts/bench.sh [ROUNDS] [SECONDS_PER_PHASE]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
seconds=${2:-10}
scripts/setup-debian.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBBELIN_BENCH=ON \
  -DTOBBELIN_TESTS=OFF >/dev/null
cmake --build build/bench

work=$(mktemp -d)
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
cleanup() {
  kill "${wm:-}" "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done

# The companion runs from a folder of its own, so it never finds a settings file.
cp build/bench/tobbelin "$work/"
echo "== tobbelin and xeyes on Xvfb with openbox"
build/bench/bench/desktop_bench --rounds "$rounds" --seconds "$seconds" \
  "tobbelin=$work/tobbelin" "xeyes=/usr/bin/xeyes"
echo
echo "== inside the process: shaping the window, one tick of the eyes"
build/bench/bench/shape_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
