# Sourced by the tools: the Wine environment of this checkout's build folder.
HALTIQO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$HALTIQO_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

# The Wine session of STATE_DIR (tools/wine-session.sh) is stopped when the calling script
# exits, however it exits.
wine_session_stop_on_exit() {
  trap "\"$HALTIQO_ROOT/tools/wine-session.sh\" stop \"$1\" >/dev/null 2>&1 || true" EXIT
}

# Starts the Wine session of STATE_DIR for the calling script, stopped when it exits, and
# points DISPLAY at its display.
wine_session_open() {
  wine_session_stop_on_exit "$1"
  "$HALTIQO_ROOT/tools/wine-session.sh" start "$1" >/dev/null
  export DISPLAY=":$(cat "$1/display")"
}
