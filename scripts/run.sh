#!/usr/bin/env bash
# Installs what is missing, builds, and starts the companion on your desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/tobbelin
