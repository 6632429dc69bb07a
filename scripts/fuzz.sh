#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build/fuzz and runs each for the given number
# of seconds (default 60), starting from its seeds in fuzz/corpus/<target>/.
# What a run adds goes to build/fuzz/corpus/<target>/, so the seeds in the
# repository stay small; crash inputs land in build/fuzz/crashes/<target>/.
#   scripts/fuzz.sh [seconds] [target...]
#   scripts/fuzz.sh --runs N [target...]   each target for N executions instead
#   scripts/fuzz.sh --seeds      every target once over its seeds, and stop
# Long runs belong under `nice -n 19` on a shared machine.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/build/fuzz"

seconds=60
runs=""
seeds_only=0
if [ "${1:-}" = "--seeds" ]; then seeds_only=1; shift
elif [ "${1:-}" = "--runs" ]; then runs="$2"; shift 2
elif [ -n "${1:-}" ]; then seconds="$1"; shift
fi
# A run is bounded by time or by executions; fork mode stops its jobs once
# they have made that many between them.
if [ -n "$runs" ]; then limit=(-runs="$runs"); else limit=(-max_total_time="$seconds"); fi

if [ ! -f "$OUT/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$OUT" -DTIDEWAVE_FUZZ=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$OUT" -j2 >/dev/null

targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in "$ROOT"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

failed=0
for target in "${targets[@]}"; do
  binary="$OUT/bin/$target"
  seeds="$ROOT/fuzz/corpus/$target"
  if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
    echo "fuzz: no target or no seeds for $target" >&2
    failed=1
    continue
  fi
  if ((seeds_only)); then
    if "$binary" -runs=0 "$seeds" >"$OUT/$target.seeds.log" 2>&1; then
      echo "fuzz: $target: seeds pass"
    else
      echo "fuzz: $target: FAILS on its seeds (see $OUT/$target.seeds.log)"
      tail -30 "$OUT/$target.seeds.log"
      failed=1
    fi
    continue
  fi
  corpus="$OUT/corpus/$target"
  crashes="$OUT/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  log="$OUT/$target.log"
  # Keep going past a crash so one run reports every fault it meets; each
  # crash input is kept under crashes/.
  set +e
  started=$SECONDS
  "$binary" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$crashes/" \
    -ignore_crashes=1 -fork=1 "$corpus" >"$log" 2>&1
  set -e
  elapsed=$((SECONDS - started))
  # Fork mode reports the executions of all its jobs on its progress lines.
  executions=$({ grep -oE '^#[0-9]+' "$log" || true; } | tail -1 | tr -d '#')
  found=$(find "$crashes" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  # ...and what the progress lines counted, should an input not have been kept.
  counted=$({ grep -oE 'oom/timeout/crash: [0-9]+/[0-9]+/[0-9]+' "$log" || true; } | tail -1 |
            awk -F'[ /]' '{print $4 + $5 + $6}')
  ((${counted:-0} > found)) && found=$counted
  echo "fuzz: $target: ${executions:-0} executions in ${elapsed}s, $found crash inputs in $crashes"
  ((found == 0)) || failed=1
done
exit "$failed"
