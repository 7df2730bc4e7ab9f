#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test and check.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh

step() { printf '\n=== %s\n' "$*"; }

step "format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

step "debug build and all tests"
cmake --preset dev >/dev/null
cmake --build --preset dev
# The Wine tests run the Windows executable: cross-build it first, so that
# they never skip.
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset dev -j2

step "the program under valgrind: no memory errors, no definite leaks (X11 runs that end by double-click)"
TOBBELIN_TEST_WRAPPER="/usr/bin/valgrind -q --error-exitcode=99 --leak-check=full \
  --errors-for-leak-kinds=definite --show-leak-kinds=definite" \
  ctest --preset dev -L x11 -R 'DoubleClickTest|BadSettingsTest' -j2

step "release build (the optimiser finds other warnings)"
cmake --preset release >/dev/null
cmake --build --preset release

step "the packages: the .deb (contents; its executable runs on a virtual display) and the Windows zip"
scripts/check-package.sh build/release build/windows

step "static analysis"
git ls-files 'app/*.cpp' 'watcher/*.cpp' 'shaping/*.cpp' 'platform/*.cpp' ':!platform/win32/*' |
  xargs clang-tidy -p build/dev --quiet --extra-arg=-Wno-unknown-warning-option 2>/dev/null
# The Windows backend, as the cross compiler sees it: its target and its C++
# library headers, which clang does not find by itself.
mingw_includes=()
while read -r dir; do mingw_includes+=("--extra-arg=-isystem$dir"); done < <(
  echo | x86_64-w64-mingw32-g++ -E -x c++ - -v 2>&1 |
    sed -n '/<...> search starts here/,/End of search list/p' | grep '/include/c++')
git ls-files 'platform/win32/*.cpp' |
  xargs clang-tidy -p build/windows --quiet --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-nostdinc++ "${mingw_includes[@]}" --extra-arg=-Wno-unknown-warning-option 2>/dev/null

step "address and undefined-behaviour sanitizers"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2 -LE wine

step "fuzzing the settings file and number reading (a short run; longer by hand)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target profile_fuzz val_fuzz
ctest --preset fuzz
