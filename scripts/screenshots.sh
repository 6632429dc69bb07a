#!/usr/bin/env bash
# Pictures of the program as a user sees it, for the README: the home view and
# every panel (docs/*.png). Runs the program under Xvfb in the run prefix, from
# a copy of its folder under build/, so that the backups the pictures need are
# written there and not beside the built program.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" --target Tidewave TidewaveHelp PressButton -j2
folder="$BUILD/screenshots"
rm -rf "$folder"; mkdir -p "$folder"
cp "$BUILD/win32/bin/"{Tidewave.exe,RTidewaveMask.skn,Ping.wav,low-memory.wav,TidewaveHelp.chm} "$folder/"
export WINEPREFIX="$BUILD/wine/run" WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  folder="$1" press="$2" docs="$3"
  wine "$folder/Tidewave.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    window=$(xwininfo -root -tree 2>/dev/null | awk "/\"Tidewave\"/ {print \$1; exit}")
    [ -n "$window" ] && break; sleep 0.1
  done
  sleep 1.5
  shot() { sleep 0.5; import -window "$window" "$docs/$1.png"; }
  # Two applies, so that the backup list has rows to show and the home view
  # its line about the last change.
  wine "$press" "Wizard Mode" "Automatic-C" "Optimize Now" </dev/null
  wine "$press" "Wizard Mode" "Automatic-E" "Optimize Now" </dev/null
  shot tidewave-home
  wine "$press" "Wizard Mode" "Automatic-E" </dev/null
  shot tidewave-wizard-mode
  wine "$press" "Advanced Mode" "Cable Modem." "Next>>" </dev/null
  shot tidewave-advanced-mode
  # "Find" on the MTU page pings the pinger'"'"'s saved host: loopback for the
  # picture, written just before and removed after.
  pinger="HKLM\\SOFTWARE\\Marlpit\\Tidewave\\Settings\\NetPinger"
  for value in optAuto=False optManual=True txtPingHost=127.0.0.1; do
    wine reg add "$pinger" /v "${value%%=*}" /d "${value#*=}" /f </dev/null >/dev/null 2>&1
  done
  wine "$press" "<<Back" "Dial Up Connection (Modem)." "Next>>" "Find" </dev/null
  shot tidewave-mtu-find
  for value in optAuto optManual txtPingHost; do
    wine reg delete "$pinger" /v "$value" /f </dev/null >/dev/null 2>&1
  done
  wine "$press" "Backup" </dev/null
  shot tidewave-backup
  wine "$press" "System Status" </dev/null
  sleep 2  # a few samples in the histograms
  shot tidewave-system-status
  wine "$press" "Ram Configuration" </dev/null
  shot tidewave-ram-configuration
  wine "$press" "Ping Settings" </dev/null
  shot tidewave-ping-settings
  wine "$press" "Main Settings" </dev/null
  shot tidewave-main-settings
  wine "$press" "Close" </dev/null || true
  wineserver -k
' _ "$folder" "$BUILD/win32/bin/PressButton.exe" "$ROOT/docs"
for name in home wizard-mode advanced-mode mtu-find backup system-status ram-configuration ping-settings main-settings; do
  echo "screenshots: $ROOT/docs/tidewave-$name.png"
done
