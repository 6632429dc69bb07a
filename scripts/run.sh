#!/usr/bin/env bash
# Builds Tidewave.exe and starts it under Wine. Without a display it runs under
# Xvfb instead, saves a screenshot of the main window and prints its path.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" --target Tidewave -j2
export WINEPREFIX="$BUILD/wine/run" WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$BUILD/win32/bin/Tidewave.exe"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/screenshot.sh" \
  "$BUILD/win32/bin/Tidewave.exe" "$BUILD/tidewave.png"
