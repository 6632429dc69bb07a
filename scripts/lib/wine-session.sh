#!/usr/bin/env bash
# Runs a command with a warm, persistent wineserver in each named prefix, then
# stops the servers. Warming up detached from the caller's pipes matters: a Wine
# service that inherits a test's stdout makes CTest wait for ever, and a cold
# start costs every test ~2.4 s. The same goes for the desktop: Wine closes it a
# second after its last program ends, and the explorer.exe the next program
# starts holds that program's stdout; HoldDesktop keeps one open, started here.
# Usage: wine-session.sh "xp 98" command args...
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
HOLD="$ROOT/build/win32/bin/HoldDesktop.exe"
export WINEDEBUG=-all
prefixes="$1"; shift
stop() { for p in $prefixes; do WINEPREFIX="$ROOT/build/wine/$p" wineserver -k </dev/null >/dev/null 2>&1; done; }
trap stop EXIT
for p in $prefixes; do
  prefix="$ROOT/build/wine/$p"
  WINEPREFIX="$prefix" wineserver -p60 </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wine cmd /c exit </dev/null >/dev/null 2>&1
  if [ -f "$HOLD" ]; then
    WINEPREFIX="$prefix" wine "$HOLD" </dev/null >/dev/null 2>&1 ||
      echo "wine-session: could not hold the desktop of prefix $p open" >&2
  fi
done
"$@"
