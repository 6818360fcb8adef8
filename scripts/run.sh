#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine. Uses the desktop's
# display when there is one; otherwise starts a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows -Wno-dev --log-level=WARNING >/dev/null
cmake --build --preset windows --target norvane
build=$PWD/build/windows
export WINEPREFIX=$build/wine/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${DISPLAY:-}" ]; then
  bash scripts/wine-session.sh prefix "$build"
else
  bash scripts/wine-session.sh start "$build"
  export DISPLAY=:$(tr -d '\n' <"$build/wine/display")
  echo "No desktop display: Norvane runs on the virtual display $DISPLAY."
fi
cd "$build"
exec wine app/norvane.exe
