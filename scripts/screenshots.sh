#!/usr/bin/env bash
# Pictures of the program as a user sees it, for the README: the home view and
# a panel shown (docs/*.png). Runs the program under Xvfb in the run prefix.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" --target Tidewave PressButton -j2
export WINEPREFIX="$BUILD/wine/run" WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  bin="$1" docs="$2"
  wine "$bin/Tidewave.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    window=$(xwininfo -root -tree 2>/dev/null | awk "/\"Tidewave\"/ {print \$1; exit}")
    [ -n "$window" ] && break; sleep 0.1
  done
  sleep 1.5
  import -window "$window" "$docs/tidewave-home.png"
  wine "$bin/PressButton.exe" "Wizard Mode" "Automatic-E" </dev/null
  sleep 0.5
  import -window "$window" "$docs/tidewave-wizard-mode.png"
  wineserver -k
' _ "$BUILD/win32/bin" "$ROOT/docs"
echo "screenshots: $ROOT/docs/tidewave-home.png $ROOT/docs/tidewave-wizard-mode.png"
