#!/usr/bin/env bash
# Idle cost: Tidewave.exe with every panel started and its default timers, and
# the minimal window program, started side by side in one prefix and left
# alone; each one's processor time over the same seconds as a share of one
# core, read from Linux (Wine reports no times of other processes), and the
# difference. Run under Xvfb inside a Wine session:
#   bench/idle_cost.sh <bin folder> [seconds] [windows]
# With several windows of `seconds` one after another, each is printed, then
# the median and the spread of the differences.
set -euo pipefail
bin="$1" seconds="${2:-60}" windows="${3:-1}"
prefix="$(cd "$WINEPREFIX" && pwd)"

# The Linux process of the Windows program `name` started in this prefix.
unix_pid() {
  local name="$1" pid
  for _ in $(seq 1 300); do
    for pid in $(pgrep -f "$name" || true); do
      # Wine's process of the program carries the program's path as its command.
      if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" &&
         [[ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | head -1)" == *"$name" ]]; then
        echo "$pid"; return
      fi
    done
    sleep 0.1
  done
  return 1
}

# Nanoseconds on a processor of a process, all its threads: the clock ticks of
# /proc/PID/stat come in hundredths of a second, a sixth of the 0.1% asked.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {print ns}'; }

# The pointer to the screen's corner, over neither program. Xvfb puts it in the
# middle, on Tidewave's centred window and not on the baseline's; there Wine
# learns that it has left a window that asked to be told (the navigation's
# highlight does) by looking where it is every 400 ms, for as long as it rests:
# a cost of where the pointer was left, not of the program being idle.
# Wine's own SetCursorPos leaves Xvfb's pointer where it is.
python3 - <<'PARK'
import ctypes
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 6
x.XFlush.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
x.XWarpPointer(display, 0, x.XDefaultRootWindow(display), 0, 0, 0, 0, 0, 0)
x.XFlush(display)
x.XCloseDisplay(display)
PARK

wine "$bin/MinimalWindow.exe" </dev/null >/dev/null 2>&1 &
wine "$bin/Tidewave.exe" </dev/null >/dev/null 2>&1 &
base=$(unix_pid MinimalWindow.exe)
tide=$(unix_pid Tidewave.exe)
sleep 3  # past start-up: only the timers' work counts
differences=()
for window in $(seq 1 "$windows"); do
  base0=$(cpu_ns "$base") tide0=$(cpu_ns "$tide")
  sleep "$seconds"
  base1=$(cpu_ns "$base") tide1=$(cpu_ns "$tide")
  line=$(awk -v s="$seconds" -v b=$((base1 - base0)) -v t=$((tide1 - tide0)) 'BEGIN {
    tb = 100 * b / 1e9 / s; tt = 100 * t / 1e9 / s
    printf "%.3f idle over %d s, share of one core: Tidewave %.3f%%, baseline %.3f%% (same run), difference %.3f%%",
      tt - tb, s, tt, tb, tt - tb }')
  differences+=("${line%% *}")
  echo "${line#* }"
done
kill "$tide" "$base"
if [ "$windows" -gt 1 ]; then
  printf '%s\n' "${differences[@]}" | sort -g | awk '{ d[NR] = $1 } END {
    m = NR % 2 ? d[(NR + 1) / 2] : (d[NR / 2] + d[NR / 2 + 1]) / 2
    printf "median difference over %d windows: %.3f%% of a core (lowest %.3f%%, highest %.3f%%)\n", NR, m, d[1], d[NR] }'
fi
