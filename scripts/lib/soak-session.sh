#!/usr/bin/env bash
# Inside the soak's Wine session (scripts/soak.sh): starts the program, samples
# its Wine process from Linux once a minute and lets SoakDriver.exe work it.
# Usage: soak-session.sh folder minutes driver-log linux-log
set -uo pipefail
folder="$1" minutes="$2" log="$3" linux="$4"

# VmRSS, VmData, threads and open descriptors of the program's Wine process.
sample_linux() {
  local pid="$1" minute=0
  while kill -0 "$pid" 2>/dev/null; do
    awk -v m="$minute" -v fds="$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)" \
      '/^VmRSS:/ {rss=$2} /^VmData:/ {data=$2} /^Threads:/ {t=$2}
       END {printf "sample minute=%d vmrss_kb=%d vmdata_kb=%d threads=%d fds=%d\n", m, rss, data, t, fds}' \
      "/proc/$pid/status" 2>/dev/null || break
    minute=$((minute + 1))
    sleep 60
  done
}

# What Wine says of the program, and how it ended, are kept beside the log.
{ wine "$folder/Tidewave.exe" </dev/null >"$folder/tidewave-wine.log" 2>&1
  echo "Tidewave.exe ended with status $?" >>"$folder/tidewave-wine.log"; } &
# The program's Wine process as Linux sees it: its command line holds the
# program's path, with either kind of slash.
pattern="${folder//\//.}.Tidewave\.exe"
pid="" sampler=""
for _ in $(seq 1 3000); do
  pid="$(pgrep -f "$pattern" | head -1)"
  [ -n "$pid" ] && break
  sleep 0.1
done
if [ -n "$pid" ]; then
  sample_linux "$pid" >"$linux" &
  sampler=$!
else
  echo "soak: the program's Wine process was not found; no Linux samples" >&2
fi
wine "$folder/SoakDriver.exe" "$minutes" 3000 </dev/null 2>&1 | tr -d '\r' | tee "$log"
status=${PIPESTATUS[0]}
[ -n "$sampler" ] && kill "$sampler" 2>/dev/null
exit "$status"
