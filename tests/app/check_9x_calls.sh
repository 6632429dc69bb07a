#!/usr/bin/env bash
# Windows 95, 98 and ME export many functions they do not implement (most wide
# "W" functions, TryEnterCriticalSection, ...): the loader is satisfied and the
# call fails. Wine implements them all, so only a trace shows a call. This runs
# the program (its soak build, which differs only in reading a shorter pinger
# tick) in a 9x prefix with Wine's relay log on, while SoakDriver
# works it for a round (every panel, a preset applied, its backup restored,
# backups deleted, the about view, then "Close"), a step every 300 ms, with the
# pinger pinging 127.0.0.1 as often and the RAM alarm freeing memory at every check.
# Then every call from the program's own code into a system library is held
# to the list of what 9x does not implement. It runs in a prefix of its own,
# made fresh, so it needs no other test's prefix and can run beside them.
# Usage: check_9x_calls.sh bin-folder source-folder prefix <win98|win95>
set -euo pipefail
bin="$1" src="$2" prefix="$3" version="$4"
work="$(dirname "$bin")/trace-$version"
rm -rf "$work"; mkdir -p "$work"
cp "$bin/"{tidewave-cli.exe,RTidewaveMask.skn,Ping.wav,low-memory.wav,SoakDriver.exe} "$work/"
cp "$bin/TidewaveSoak.exe" "$work/Tidewave.exe"
source "$src/scripts/lib/prefix.sh"
fresh_prefix "$prefix" "$version" "$bin/HoldDesktop.exe"
export WINEDEBUG=-all
source "$src/scripts/lib/soak-settings.sh"
soak_settings 300

WINEDEBUG=+relay,+loaddll wine "$work/Tidewave.exe" </dev/null >/dev/null 2>"$work/relay.log" &
program=$!
status=0
WINEDEBUG=-all wine "$work/SoakDriver.exe" 2 300 1 </dev/null >"$work/driver.log" 2>&1 || status=$?
wait "$program" || true
tr -d '\r' <"$work/driver.log"
if grep -q "wrote no backup\|no backup to restore\|did not come" "$work/driver.log"; then
  echo "the round did not apply a preset and restore its backup: the trace covers less"
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "the driver failed ($status): the round did not complete"
  exit 1
fi
list="$src/tests/app/windows-exports/9x-not-implemented.txt"
python3 "$src/tests/app/check_9x_calls.py" "$work/relay.log" "$list" "$work/Tidewave.exe" || status=1

# The console program: each of its commands, traced the same way.
for command in "list" "show Automatic-C" "apply Automatic-C" "restore newest" "list --json"; do
  WINEDEBUG=+relay,+loaddll wine "$work/tidewave-cli.exe" $command </dev/null >/dev/null 2>>"$work/relay-cli.log" ||
    { echo "tidewave-cli $command ended with status $?"; status=1; }
done
python3 "$src/tests/app/check_9x_calls.py" "$work/relay-cli.log" "$list" "$work/tidewave-cli.exe" || status=1
exit "$status"
