#!/usr/bin/env bash
# The Wine test harness itself: a suite's output names every test that fails,
# crashes, aborts or hangs, and the registry a dead test program changed is put
# back by the next one. Runs the disabled probes of HarnessProbes.cpp.
# Usage: check_harness.sh tidewave_wine_tests.exe  (in a prepared WINEPREFIX)
set -uo pipefail
exe="$1"
status=0

# probe <test> <line the output must hold>
probe() {
  local output rc
  output=$(TIDEWAVE_TEST_TIMEOUT=1 wine "$exe" --gtest_also_run_disabled_tests --gtest_brief=1 \
             --gtest_filter="DISABLED_HarnessProbe.$1" 2>&1 </dev/null)
  rc=$?
  if [ "$rc" -eq 0 ] || ! grep -qF -- "$2" <<<"$output"; then
    printf 'Probe %s ended with %s; expected a line with "%s" in:\n%s\n' "$1" "$rc" "$2" "$output"
    status=1
  fi
}

ttl() { wine reg query 'HKLM\System\CurrentControlSet\Services\Tcpip\Parameters' /v DefaultTTL 2>&1 </dev/null | tr -d '\r'; }

probe Fails "[  FAILED  ] DISABLED_HarnessProbe.Fails"
probe Crashes "[  CRASHED ] DISABLED_HarnessProbe.Crashes: exception 0xC0000005"
probe Aborts "[  ABORTED ] DISABLED_HarnessProbe.Aborts"
probe Hangs "[  TIMEOUT ] DISABLED_HarnessProbe.Hangs still runs after 1 s"

before=$(ttl)
probe CrashesWithTheTcpIpKeysChanged "[  CRASHED ] DISABLED_HarnessProbe.CrashesWithTheTcpIpKeysChanged"
changed=$(ttl)
next=$(wine "$exe" --gtest_filter=OsFamily.* --gtest_brief=1 2>&1 </dev/null)
after=$(ttl)
if [ "$changed" = "$before" ] || [ "$after" != "$before" ] || ! grep -q "^Put back " <<<"$next"; then
  printf 'DefaultTTL before the crash:\n%s\nafter it:\n%s\nafter the next program:\n%s\nwhich said:\n%s\n' \
    "$before" "$changed" "$after" "$next"
  status=1
fi
[ "$status" -eq 0 ] && echo "Every probe was named, and the registry put back after a crash"
exit $status
