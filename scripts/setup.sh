#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, testing
# and running Grelo need, and prepares the Wine prefix. Safe to run again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64 wine wine64 fonts-wine
  xvfb xauth xdotool imagemagick
  libtomlplusplus-dev libpng-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  python3
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
prepare_wine_prefix
