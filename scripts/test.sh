#!/usr/bin/env bash
# Builds everything and runs every test: native (with sanitizers) and under
# Wine in both the XP and the 98 prefix (the end-to-end apply also in Windows 7,
# 95, NT 4.0 and 2000 ones, a traced run in fresh 98 and 95 ones), the checks of
# the release files, and every fuzz target over its seeds, as one CTest run.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/native" -j2
cmake --build "$BUILD/win32" -j2
# The fuzz targets run once over their seeds as native tests, so they keep building.
cmake --build "$BUILD/fuzz" -j2
printf 'subdirs("native")\nsubdirs("win32")\n' > "$BUILD/CTestTestfile.cmake"
cd "$BUILD"
# Three at once on two cores: the Wine tests wait on windows, timers and
# other processes about as long as they compute. The tests' costs order them
# (each prefix's queue first), not the last run's timings, which would start
# the few long tests first and leave a queue for the tail.
rm -f "$BUILD/Testing/Temporary/CTestCostData.txt"
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash "$ROOT/scripts/lib/wine-session.sh" "xp 98 win7 win95 nt40 win2k" ctest -j3 --output-on-failure "$@"
