#!/usr/bin/env bash
# Sets up, builds and runs every test: the native unit tests, the same under
# AddressSanitizer + UndefinedBehaviorSanitizer (with the fuzz corpora
# replayed), the fuzz targets built with libFuzzer, and the Windows build
# with its tests under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh

step() { printf '\n=== %s\n' "$*"; }

step "native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "sanitizer build and unit tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan

step "fuzz targets"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

step "Windows build and tests under Wine"
source scripts/wine-env.sh
GRELO_PRIVATE_DISPLAY=1 ensure_display
trap 'wineserver -k >/dev/null 2>&1 || true; stop_display' EXIT
wineserver -p >/dev/null 2>&1 || true
# Wine's first process starts its services, which keep whatever output they
# inherit open: start them here, not under ctest, which would wait for them.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
