#!/usr/bin/env bash
# Benchmarks: each prints ratios against a baseline measured in the same run.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" -j2
export WINEPREFIX="$BUILD/wine/run"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/wine-session.sh" run \
  wine "$BUILD/win32/bin/startup_bench.exe" "${1:-9}"
# ApplySettings and its backup at 1, 16 and 256 interfaces; puts every key it touches back.
bash "$ROOT/scripts/lib/wine-session.sh" run wine "$BUILD/win32/bin/tuning_bench.exe" "${1:-9}"
# The balloon's shadow, pixel by pixel against one copy of the screen.
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/wine-session.sh" run \
  wine "$BUILD/win32/bin/balloon_bench.exe" "${1:-9}"
# The backup manager's list with 999 backups, sorted by date its way and the search-per-comparison way.
# It creates the real panel, so it needs a display as the others do.
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/wine-session.sh" run \
  wine "$BUILD/win32/bin/backup_list_bench.exe" "${1:-9}"
# Idle cost over three windows of 60 s: every panel started and the default timers, against the minimal window program.
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/wine-session.sh" run \
  bash "$ROOT/bench/idle_cost.sh" "$BUILD/win32/bin" 60 3
