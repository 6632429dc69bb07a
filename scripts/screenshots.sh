#!/usr/bin/env bash
# Pictures of the program as a user sees it: the home view and every panel.
# Runs the program under Xvfb in the run prefix, from a copy of its folder
# under build/screenshots/program/, so that the backups the pictures need are
# written there and not beside the built program.
#
#   scripts/screenshots.sh                  # at 96 DPI, into docs/ (the README's pictures)
#   scripts/screenshots.sh --dpi 96 120 144 # at each DPI, into build/screenshots/dpi<N>/
#
# Each run also saves every page of the step-by-step editor: into
# build/screenshots/pages96/ for docs/, else build/screenshots/dpi<N>/pages/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
dpis=(96) into_docs=1
if [ "${1:-}" = "--dpi" ]; then
  shift
  [ $# -gt 0 ] || { echo "screenshots: --dpi takes one or more numbers" >&2; exit 2; }
  dpis=("$@") into_docs=0
fi
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD/win32" --target Tidewave TidewaveHelp PressButton -j2
export WINEPREFIX="$BUILD/wine/run" WINEDEBUG=-all
# The screen's DPI as Windows reads it; put back to 96 when done.
trap 'wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1; wineserver -w' EXIT
for dpi in "${dpis[@]}"; do
  folder="$BUILD/screenshots/program"
  rm -rf "$folder"; mkdir -p "$folder"
  if [ "$into_docs" = 1 ]; then
    docs="$ROOT/docs" pages="$BUILD/screenshots/pages96"
  else
    docs="$BUILD/screenshots/dpi$dpi" pages="$BUILD/screenshots/dpi$dpi/pages"
  fi
  rm -rf "$pages"; mkdir -p "$docs" "$pages"
  cp "$BUILD/win32/bin/"{Tidewave.exe,RTidewaveMask.skn,Ping.wav,low-memory.wav,TidewaveHelp.chm} "$folder/"
  # The server must be gone before the program starts under Xvfb, or its windows go to no display.
  wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    folder="$1" press="$2" docs="$3" pages="$4"
    wine "$folder/Tidewave.exe" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 1 900); do
      window=$(xwininfo -root -tree 2>/dev/null | awk "/\"Tidewave\"/ {print \$1; exit}")
      [ -n "$window" ] && break; sleep 0.1
    done
    # Without a window id, import would wait for a click that never comes.
    [ -n "$window" ] || { echo "screenshots: Tidewave showed no window" >&2; wineserver -k; exit 1; }
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
    # Every page of the editor, for a look at what each shows.
    for page in 3 4 5 6 7 8; do
      wine "$press" "Next>>" </dev/null
      sleep 0.5; import -window "$window" "$pages/page-$page.png"
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
  ' _ "$folder" "$BUILD/win32/bin/PressButton.exe" "$docs" "$pages"
  echo "screenshots: at $dpi DPI, the home view and every panel in $docs, the editor's pages 3 to 8 in $pages"
done
