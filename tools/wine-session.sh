#!/usr/bin/env bash
# Starts or stops what the Windows programs need: a private X display and the Wine server of
# the build's own prefix, prepared on first use. Several sessions may share the prefix (a test
# run beside the running program): each registers itself, and the server goes only with the
# last of them.
#   wine-session.sh start STATE_DIR   (writes STATE_DIR/display and STATE_DIR/xvfb.pid)
#   wine-session.sh stop STATE_DIR
#   wine-session.sh prepare STATE_DIR   (only the prefix, on the display already there)
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
action=$1
state=$2
mkdir -p "$state"

# Wine's own fonts (Marlett above all) draw the caption buttons, scroll-bar and spin arrows and
# check marks; without them those glyphs come out as letters. Its bitmap system fonts for East
# Asian locales (*vgasys.fon) stay out: they hold no double-byte glyphs, so the grid's "＝",
# drawn in the system font, would become a box.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return 0
  mkdir -p "$fonts"
  local f
  for f in /usr/share/wine/fonts/*; do
    case "$f" in *vgasys.fon) continue ;; esac
    cp -n "$f" "$fonts/"
  done
}

prepare_prefix() {
  if [ -f "$WINEPREFIX/.haltiqo-ready-2" ]; then
    install_wine_fonts
    return 0
  fi
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg="$state/prefix.reg"
  # The form's font is substituted by the installed Japanese gothic; crashes never open a
  # dialog that would wait for a person; programs run in a virtual desktop, which draws window
  # frames and does not wait for a window manager that Xvfb does not have.
  # Japanese Windows links Tahoma to its gothic face, so that Japanese text drawn in Tahoma
  # shows; Wine's link names faces this machine lacks, so the installed IPA P Gothic takes
  # their place.
  # A UTF-16 file (for the Japanese names) needs the version 5 header; REGEDIT4 is ANSI only.
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"ＭＳ Ｐゴシック"="IPAGothic"' '"ＭＳ ゴシック"="IPAGothic"' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]' \
    '"Tahoma"=hex(7):69,00,70,00,61,00,67,00,70,00,2e,00,74,00,74,00,66,00,2c,00,49,00,50,00,41,00,50,00,47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  wineserver -w
  install_wine_fonts
  touch "$WINEPREFIX/.haltiqo-ready-2"
}

# Each session is known by its state folder and kept alive by its display's server.
sessions="$WINEPREFIX/.haltiqo-sessions"
session="$sessions/$(cd "$state" && pwd | md5sum | cut -c1-16)"

# Whether any session besides those ended (their display gone) still holds the prefix.
sessions_left() {
  local f
  for f in "$sessions"/*; do
    [ -f "$f" ] || continue
    kill -0 "$(cat "$f")" 2>/dev/null || rm -f "$f"
  done
  [ -n "$(ls -A "$sessions" 2>/dev/null)" ]
}

case "$action" in
start)
  display=""
  for d in $(seq 91 140); do
    if [ ! -e "/tmp/.X$d-lock" ] && [ ! -e "/tmp/.X11-unix/X$d" ]; then display=$d; break; fi
  done
  [ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  echo "$display" >"$state/display"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
  export DISPLAY=":$display"
  prepare_prefix
  mkdir -p "$sessions"
  cat "$state/xvfb.pid" >"$session"
  # A persistent server, and the prefix's services started now with no terminal attached, keep
  # each program's start short and leave no process holding a caller's output open.
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
  echo "display :$display, prefix $WINEPREFIX"
  ;;
prepare)
  prepare_prefix
  ;;
stop)
  rm -f "$session"
  if ! sessions_left; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true # returns once the server has gone
  fi
  if [ -f "$state/xvfb.pid" ]; then
    pid=$(cat "$state/xvfb.pid")
    kill "$pid" >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    rm -f "$state/xvfb.pid"
  fi
  ;;
*)
  echo "usage: $0 start|stop|prepare STATE_DIR" >&2
  exit 2
  ;;
esac
