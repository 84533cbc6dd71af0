# Sourced by the tools after wine-session.sh: runs a command in a Wine prefix of its own
# whose screen is at another DPI. Wine reads the DPI from HKCU\Control Panel\Desktop
# LogPixels when a program starts, so the setting goes in before the command runs.
# Usage: run_at_dpi <dpi> <folder for the prefix and its files> <command> [arguments...]
# With TSUMIKI_OWN_DISPLAY=1 the run gets a virtual display of its own (TSUMIKI_SCREEN
# sets its size); otherwise it shares the caller's.

run_at_dpi() {
  local dpi="$1" home="$2"
  shift 2
  (
    # The session torn down at the end of this subshell is its own, not the caller's.
    unset WINE_SESSION_XVFB
    wine_session_start "$home"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$@"
  )
}
