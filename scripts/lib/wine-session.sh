#!/usr/bin/env bash
# Runs a command with a warm, persistent wineserver in each named prefix, then
# stops the servers. Warming up detached from the caller's pipes matters: a Wine
# service that inherits a test's stdout makes CTest wait for ever, and a cold
# start costs every test ~2.4 s.
# Usage: wine-session.sh "xp 98" command args...
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEDEBUG=-all
prefixes="$1"; shift
stop() { for p in $prefixes; do WINEPREFIX="$ROOT/build/wine/$p" wineserver -k </dev/null >/dev/null 2>&1; done; }
trap stop EXIT
for p in $prefixes; do
  WINEPREFIX="$ROOT/build/wine/$p" wineserver -p60 </dev/null >/dev/null 2>&1
  WINEPREFIX="$ROOT/build/wine/$p" wine cmd /c exit </dev/null >/dev/null 2>&1
done
"$@"
