# Sourced by the other scripts: the Wine prefix, the locale, the silent audio
# device, and a display (the user's, or a private Xvfb).
grelo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${GRELO_WINEPREFIX:-$grelo_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Wine's ANSI code page follows the locale; C gives 1252.
export LANG=C LC_ALL=C
# Wine's media player wants an audio device; a silent ALSA one does.
export ALSA_CONFIG_PATH="$grelo_root/build/alsa-null.conf"

prepare_wine_prefix() {
  mkdir -p "$grelo_root/build"
  printf '<confdir:alsa.conf>\npcm.!default { type null }\nctl.!default { type hw card 0 }\n' \
    > "$ALSA_CONFIG_PATH"
  local marker="$WINEPREFIX/.grelo-ready-2"
  if [ ! -f "$marker" ]; then
    echo "setup: preparing the Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    # Debian's Wine does not load its own fonts: copy them into the prefix so
    # that "MS Sans Serif" and "MS Shell Dlg" are real and dialog units right.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # A crash must never wait for a click on a headless display.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1 || true
    # Xvfb has no window manager: managed windows would wait two seconds for
    # one at every hide or destroy. Wine draws the frames itself either way.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    touch "$marker"
  fi
}

# Starts a private Xvfb unless DISPLAY already names a working one (or when
# asked to with GRELO_PRIVATE_DISPLAY=1). Sets grelo_xvfb_pid when it started one.
grelo_xvfb_pid=""
ensure_display() {
  if [ "${GRELO_PRIVATE_DISPLAY:-0}" != 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then
    return 0
  fi
  local number
  for number in $(seq 91 120); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
      Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      grelo_xvfb_pid=$!
      export DISPLAY=":$number"
      local tries
      for tries in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && return 0
        sleep 0.1
      done
      echo "could not start Xvfb on :$number" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}

xdpyinfo_ok() {
  xdotool getdisplaygeometry >/dev/null 2>&1
}

stop_display() {
  if [ -n "$grelo_xvfb_pid" ]; then
    kill "$grelo_xvfb_pid" 2>/dev/null || true
    wait "$grelo_xvfb_pid" 2>/dev/null || true
    grelo_xvfb_pid=""
  fi
}
