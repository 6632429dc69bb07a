#!/usr/bin/env bash
# The Wine test harness itself: a suite's output names every test that fails,
# crashes, aborts or hangs, and the next test program puts back the registry a
# dead one changed and ends the Tidewave.exe it left running. Runs the disabled
# probes of HarnessProbes.cpp.
# Usage: check_harness.sh tidewave_wine_tests.exe  (in a prepared WINEPREFIX)
set -uo pipefail
exe="$1"
status=0
# Output goes through a file: a program a probe leaves running holds on to it,
# and a pipe would wait for that program's end.
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# probe <test> <line the output must hold> [seconds before a test counts as hung]
# Only the hang waits for the watchdog; the others have time to start a
# program on a busy machine.
probe() {
  local output rc
  TIDEWAVE_TEST_TIMEOUT="${3:-60}" wine "$exe" --gtest_also_run_disabled_tests --gtest_brief=1 \
    --gtest_filter="DISABLED_HarnessProbe.$1" </dev/null >"$log" 2>&1
  rc=$?
  output=$(cat "$log")
  if [ "$rc" -eq 0 ] || ! grep -qF -- "$2" <<<"$output"; then
    printf 'Probe %s ended with %s; expected a line with "%s" in:\n%s\n' "$1" "$rc" "$2" "$output"
    status=1
  fi
}

ttl() { wine reg query 'HKLM\System\CurrentControlSet\Services\Tcpip\Parameters' /v DefaultTTL 2>&1 </dev/null | tr -d '\r'; }

probe Fails "[  FAILED  ] DISABLED_HarnessProbe.Fails"
probe Crashes "[  CRASHED ] DISABLED_HarnessProbe.Crashes: exception 0xC0000005"
probe Aborts "[  ABORTED ] DISABLED_HarnessProbe.Aborts"
probe Hangs "[  TIMEOUT ] DISABLED_HarnessProbe.Hangs still runs after 1 s" 1

before=$(ttl)
probe CrashesWithTheTcpIpKeysChangedAndTidewaveRunning "[  CRASHED ] DISABLED_HarnessProbe.CrashesWithTheTcpIpKeysChangedAndTidewaveRunning"
changed=$(ttl)
# Start-up fails while another Tidewave.exe runs in the prefix.
wine "$exe" --gtest_filter=Startup.* --gtest_brief=1 </dev/null >"$log" 2>&1
rc=$?
next=$(cat "$log")
after=$(ttl)
if [ "$changed" = "$before" ] || [ "$after" != "$before" ] || [ "$rc" -ne 0 ] ||
   ! grep -q "^Put back " <<<"$next" || ! grep -q "^Ended a Tidewave.exe" <<<"$next"; then
  printf 'DefaultTTL before the crash:\n%s\nafter it:\n%s\nafter the next program:\n%s\nwhich said:\n%s\n' \
    "$before" "$changed" "$after" "$next"
  status=1
fi
[ "$status" -eq 0 ] && echo "Every probe was named; after a crash the registry was put back and the program ended"
exit $status
