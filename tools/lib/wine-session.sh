# Sourced by the tools: gives this shell a virtual display, a Wine prefix of the build's
# own, one running wineserver, and a null sound device, and tears them down on exit.
# Usage: wine_session_start <folder for the prefix and the session's files>

wine_session_start() {
  local home="$1"
  mkdir -p "$home"
  home="$(cd "$home" && pwd)"

  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX="$home/wineprefix"
  export WINEARCH=win64

  # Sound: ALSA's null device, so MCI opens, plays and notifies without a sound card.
  cat > "$home/alsa-null.conf" <<CONF
</usr/share/alsa/alsa.conf>
pcm.!default { type null }
ctl.!default { type hw card 0 }
CONF
  export ALSA_CONFIG_PATH="$home/alsa-null.conf"

  # One X server for the whole session, on the first free display number.
  if [ -z "${DISPLAY:-}" ] || [ "${TSUMIKI_OWN_DISPLAY:-0}" = 1 ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${TSUMIKI_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    WINE_SESSION_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  trap wine_session_stop EXIT

  # A prefix of the build's own, made once per session so that no state leaks between runs.
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  local key
  key='HKCU\Software\Wine'
  wine reg add "$key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  wine reg add "$key\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$key\\Fonts\\Replacements" /v "Microsoft Sans Serif" /d "Liberation Sans" /f >/dev/null 2>&1
  wine reg add "$key\\Fonts\\Replacements" /v "Arial" /d "Liberation Sans" /f >/dev/null 2>&1
  wine reg add "$key\\Drivers" /v Audio /d alsa /f >/dev/null 2>&1
  wineserver -w
  # Keep the server up between programs: later starts are much faster. The first program
  # starts Wine's background services; started here, they do not hold the output of a
  # test runner open.
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINE_SESSION_XVFB:-}" ]; then
    kill "$WINE_SESSION_XVFB" >/dev/null 2>&1 || true
    wait "$WINE_SESSION_XVFB" 2>/dev/null || true
  fi
}
