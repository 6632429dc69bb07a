#!/usr/bin/env bash
# Inside an X server: start the program, wait for its main window, save a
# picture of that window, then end the program.
# Usage: screenshot.sh program.exe picture.png
set -uo pipefail
exe="$1" picture="$2"
wine "$exe" </dev/null >/dev/null 2>&1 &
window=""
for _ in $(seq 1 300); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Tidewave"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: Tidewave's main window did not appear" >&2
  wineserver -k; exit 1
fi
sleep 1.5  # let it finish painting
import -window "$window" "$picture"
echo "run: Tidewave started under Xvfb; screenshot of its main window: $picture"
wineserver -k
