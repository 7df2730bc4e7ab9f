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

source scripts/lib/virtual-display.sh
work=$(mktemp -d)
cleanup() {
  stop_virtual_display
  rm -rf "$work"
}
trap cleanup EXIT
start_virtual_display 1920 1080

# The companion runs from a folder of its own, so it never finds a settings file.
cp build/bench/tobbelin "$work/"
echo "== tobbelin and xeyes on Xvfb with openbox"
build/bench/bench/desktop_bench --rounds "$rounds" --seconds "$seconds" \
  "tobbelin=$work/tobbelin" "xeyes=/usr/bin/xeyes"
echo
echo "== inside the process: shaping the window, one tick of the eyes"
build/bench/bench/shape_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
