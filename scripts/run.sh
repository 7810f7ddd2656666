#!/usr/bin/env bash
# Sets up, builds and starts the Grelo player under Wine: on your display
# when there is one, otherwise on a private Xvfb, leaving a screenshot.
#
#   scripts/run.sh [QUIZ.exe]     (default: the built player)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target grelo

program="${1:-build/windows/bin/grelo.exe}"
source scripts/wine-env.sh
ensure_display
if [ -z "$grelo_xvfb_pid" ]; then
  echo "Starting $program on display $DISPLAY; close its window to stop."
  exec wine "$program"
fi

trap 'wineserver -k >/dev/null 2>&1 || true; stop_display' EXIT
wine "$program" >/dev/null 2>&1 </dev/null &
# Wait for the window, then give it a moment to paint.
for _ in $(seq 1 100); do
  xdotool search --name . >/dev/null 2>&1 && break
  sleep 0.1
done
sleep "${GRELO_SHOT_DELAY:-3}"
mkdir -p build/screenshots
shot="$PWD/build/screenshots/grelo.png"
import -window root "$shot"
echo "No display: Grelo ran on a private Xvfb ($DISPLAY). Screenshot: $shot"
