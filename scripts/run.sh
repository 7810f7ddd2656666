#!/usr/bin/env bash
# Sets up, builds, packs the example text quiz and starts it under Wine: on
# your display when there is one, otherwise on a private Xvfb, leaving a
# screenshot.
#
#   scripts/run.sh [QUIZ.toml | QUIZ.exe]   (default: examples/texte/quiz.toml)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target grelo host_tools

quiz="${1:-examples/texte/quiz.toml}"
case "$quiz" in
  *.toml)
    name="$(basename "$(dirname "$quiz")")"
    mkdir -p build/quizzes
    program="build/quizzes/$name.exe"
    build/windows/host-tools/authoring/grelo-pack build "$quiz" -o "$program" \
      --player build/windows/bin/grelo.exe
    ;;
  *) program="$quiz" ;;
esac
# The answers file goes beside the program, in its folder.
cd "$(dirname "$program")"
program="$(basename "$program")"
source "$OLDPWD/scripts/wine-env.sh"
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
mkdir -p "$grelo_root/build/screenshots"
shot="$grelo_root/build/screenshots/grelo.png"
import -window root "$shot"
echo "No display: Grelo ran on a private Xvfb ($DISPLAY). Screenshot: $shot"
