#!/usr/bin/env bash
# Runs Tidewave under Wine (its soak build, TidewaveSoak.exe, as Tidewave.exe) (Xvfb, its own prefix build/wine/soak,
# its own folder build/soak/) for the given number of minutes (default 15),
# with every timer at its fastest: memory and processor sampling at 300 ms,
# the RAM alarm's check every 100 ms with automatic freeing of 1 MB always
# due, and the pinger pinging 127.0.0.1 on every tick of a 1 s tick (a
# soak-only setting). SoakDriver.exe works the menu every few seconds and
# samples the program once a minute; this script samples the Wine process
# from Linux as well, then prints both with their trends. Exits non-zero if
# the program died, a message box was left open or a figure kept rising.
#   scripts/soak.sh [minutes]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
minutes="${1:-15}"
# A long run on a shared machine: everyone's builds come first.
renice -n 19 $$ >/dev/null

bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" --target TidewaveSoak TidewaveHelp SoakDriver HoldDesktop -j2 >/dev/null
source "$ROOT/scripts/lib/prefix.sh"
source "$ROOT/scripts/lib/soak-settings.sh"
make_prefix soak winxp

folder="$BUILD/soak"
rm -rf "$folder"; mkdir -p "$folder"
cp "$BUILD/win32/bin/"{RTidewaveMask.skn,Ping.wav,low-memory.wav,TidewaveHelp.chm} "$folder/"
cp "$BUILD/win32/bin/TidewaveSoak.exe" "$folder/Tidewave.exe"
cp "$BUILD/win32/bin/SoakDriver.exe" "$folder/"
export WINEPREFIX="$BUILD/wine/soak" WINEDEBUG=-all
log="$folder/soak.log"
linux="$folder/linux-samples.txt"

settings() {
  soak_settings
  # The server these started has no display: it must be gone before the
  # session's starts, or the program finds no desktop to make its windows on.
  wineserver -w
}

# Each figure at the start, after the first minute (the program has made its
# panels and windows by then) and at the end, its range, its least-squares
# slope per minute after that first minute, and whether its floor rose: a leak
# lifts the lowest value of the later half of the run above that of the earlier
# half, where a block held for a moment (the RAM alarm's) only makes a spike.
trend() {
  awk '
    /^sample / {
      n++
      for (i = 2; i <= NF; i++) { split($i, kv, "="); name[i] = kv[1]; v[n, i] = kv[2] + 0 }
      fields = NF
    }
    END {
      if (n < 4) { print "  (too few samples for a trend)"; exit }
      printf "  %-14s %9s %9s %9s %9s %9s %10s  %s\n", "figure", "start", "minute 1", "last", "min", "max", "slope/min", "trend"
      half = 2 + int((n - 1) / 2)
      for (i = 3; i <= fields; i++) {
        if (name[i] == "boxes") continue
        sx = sy = sxy = sxx = 0; m = 0; min = max = v[1, i]; early = v[2, i]; late = v[half, i]
        for (k = 1; k <= n; k++) {
          y = v[k, i]
          if (y < min) min = y; if (y > max) max = y
          if (k < 2) continue
          x = v[k, 2]; m++; sx += x; sy += y; sxy += x * y; sxx += x * x
          if (k < half && y < early) early = y
          if (k >= half && y < late) late = y
        }
        d = m * sxx - sx * sx; slope = d ? (m * sxy - sx * sy) / d : 0
        tol = early * 0.02; if (tol < 2) tol = 2
        verdict = (max <= 0) ? "not readable" : (late > early + tol ? "RISING" : "steady")
        if (verdict == "RISING") rising = 1
        printf "  %-14s %9d %9d %9d %9d %9d %10.2f  %s\n", name[i], v[1, i], v[2, i], v[n, i], min, max, slope, verdict
      }
      exit rising
    }'
}

settings
set +e
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/lib/wine-session.sh" soak \
  bash "$ROOT/scripts/lib/soak-session.sh" "$folder" "$minutes" "$log" "$linux"
driver=$?
set -e

echo
echo "soak: as the program's process is seen from Windows (SoakDriver.exe)"
windows_trend=0; trend <"$log" || windows_trend=$?
echo "soak: as its Wine process is seen from Linux"
linux_trend=0; trend <"$linux" || linux_trend=$?
echo "soak: under Wine GetGuiResources, GetProcessHandleCount and PrivateUsage answer 0: GDI objects"
echo "      are counted in the program's GDI handle table, and its memory, threads and descriptors read from Linux."
if ((driver || windows_trend || linux_trend)); then
  echo "soak: FAILED (driver $driver, trends $windows_trend/$linux_trend); the log is $log"
  exit 1
fi
echo "soak: passed; the log is $log"
