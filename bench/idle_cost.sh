#!/usr/bin/env bash
# Idle cost: Tidewave.exe with every panel loaded and its default timers, and
# the minimal window program, started side by side in one prefix and left
# alone; each one's processor time over the same seconds as a share of one
# core, read from Linux (Wine reports no times of other processes), and the
# difference. Run under Xvfb inside a Wine session:
#   bench/idle_cost.sh <bin folder> [seconds]
set -euo pipefail
bin="$1" seconds="${2:-60}"
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

# Clock ticks of user and system time of a process and all its threads.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

wine "$bin/MinimalWindow.exe" </dev/null >/dev/null 2>&1 &
wine "$bin/Tidewave.exe" </dev/null >/dev/null 2>&1 &
base=$(unix_pid MinimalWindow.exe)
tide=$(unix_pid Tidewave.exe)
sleep 3  # past start-up: only the timers' work counts
base0=$(ticks "$base") tide0=$(ticks "$tide")
sleep "$seconds"
base1=$(ticks "$base") tide1=$(ticks "$tide")
hz=$(getconf CLK_TCK)
kill "$tide" "$base"
awk -v s="$seconds" -v hz="$hz" -v b=$((base1 - base0)) -v t=$((tide1 - tide0)) 'BEGIN {
  tb = 100 * b / hz / s; tt = 100 * t / hz / s
  printf "idle over %d s, share of one core: Tidewave %.3f%%, baseline %.3f%%, difference %.3f%%\n", s, tt, tb, tt - tb }'
