#!/usr/bin/env bash
# wine-session.sh prefix|start|stop BUILD_DIR
# Keeps one Xvfb display and one persistent wineserver alive for a build tree,
# with a private Wine prefix in BUILD_DIR/wine/prefix (created once, reused).
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
state=$build/wine
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$state"

start_display() {
  if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    return
  fi
  rm -f "$state/display"
  exec 3>"$state/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  exec 3>&-
  for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
  [ -s "$state/display" ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
}

# The controls' font, "MS Sans Serif" 8 pt, is a bitmap font with Windows'
# metrics. Wine ships its own (package fonts-wine) but does not look for it
# where Debian puts it, and falls back to a wider font that cuts the labels
# off. Its fonts go into the prefix once, also into prefixes made earlier.
install_wine_fonts() {
  local fonts=/usr/share/wine/fonts marker=$WINEPREFIX/.norvane-fonts
  [ -f "$marker" ] && return
  if [ ! -f "$fonts/sserife.fon" ]; then
    echo "wine-session: $fonts/sserife.fon is missing (package fonts-wine): labels will be cut off" >&2
    return
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp "$fonts"/*.fon "$fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  touch "$marker"
}

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-session: creating the Wine prefix (once per build tree)"
    wineboot -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: unmanaged windows get Wine's own frame and
    # close at once (a managed window waits about 2 s for a manager that
    # never answers).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  install_wine_fonts
}

case $action in
prefix)
  prepare_prefix
  ;;
start)
  start_display
  export DISPLAY=:$(tr -d '\n' <"$state/display")
  prepare_prefix
  # Persistent: stays up between test programs until "stop" (fails harmlessly
  # when it is already running).
  wineserver -p 2>/dev/null || true
  # Wait until the prefix answers, so the first test does not pay for it.
  wine cmd /c exit >/dev/null 2>&1 || true
  echo "wine-session: display $DISPLAY, prefix $WINEPREFIX"
  ;;
stop)
  wineserver -k 2>/dev/null || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  ;;
*)
  echo "usage: wine-session.sh prefix|start|stop BUILD_DIR" >&2
  exit 2
  ;;
esac
