#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]
# Runs a Windows program of a build tree under Wine, with the tree's private
# prefix and display (see wine-session.sh; started here if not running).
set -euo pipefail
exe=$1
shift
dir=$(cd "$(dirname "$exe")" && pwd)
build=$dir
while [ ! -f "$build/CMakeCache.txt" ]; do
  [ "$build" != / ] || { echo "wine-run: $exe is not inside a build tree" >&2; exit 2; }
  build=$(dirname "$build")
done
state=$build/wine
if [ ! -s "$state/display" ] || ! kill -0 "$(cat "$state/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
  "$(dirname "$0")/wine-session.sh" start "$build" >&2
fi
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:$(tr -d '\n' <"$state/display")
exec wine "$exe" "$@"
