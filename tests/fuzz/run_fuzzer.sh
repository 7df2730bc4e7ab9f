#!/usr/bin/env bash
# run_fuzzer.sh FUZZER SEED_DIR SECONDS: fuzzes for SECONDS from a copy of the seeds.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2/." "$work/"
"$1" -max_total_time="$3" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 "$work"
