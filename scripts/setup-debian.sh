#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing. Run as root, or as a user who may sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev file desktop-file-utils
  libgtest-dev libgmock-dev
  libx11-dev libxext-dev libxrandr-dev libxtst-dev
  clang-format clang-tidy clang libclang-rt-14-dev valgrind
  xvfb openbox x11-utils x11-xserver-utils xdotool imagemagick x11-apps
  libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64
)

missing=()
for p in "${packages[@]}"; do
  [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) == *"install ok installed"* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
