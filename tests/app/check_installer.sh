#!/usr/bin/env bash
# The installer's round trip in a prefix of its own, made fresh each run: a
# silent install puts the program, its files, a Start-menu shortcut and an
# uninstall entry in place and applies the preset it is given, after a backup;
# one given an unknown preset ends with the command line's code for that, one
# given a name holding quotes or installing over a running tidewave-cli.exe
# ends with 2; the installed program starts and closes; a silent uninstall takes all of that
# away again, with the start-up entry and the settings, and keeps the backups
# (the answer a silent uninstall gives).
# Before any of that, without MSVCRT.DLL (Windows 95 as first shipped), it
# installs nothing and ends with status 8.
# The install (with the console program it runs), the program and the
# uninstall run under BreakOnLater, which ends when every process it started
# has: every instruction of a later
# processor than the 486 that check_processor.py finds in the program's and
# the console program's code gets a one-shot breakpoint, and none may be
# reached; each entry point gets one too, which each must reach. The installer
# and the uninstaller are NSIS's prebuilt stub, built for the Pentium Pro like
# the runtime once was, and no source to build it again is to be had here:
# their entry points are watched, and what their code holds is only counted.
set -uo pipefail
setup="$1" setup_without_runtime="$2" press="$3" prefix="$4" breakonlater="$5"
export WINEDEBUG=-all
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
bin="$(dirname "$press")"
report="$prefix.breakpoints" list="$prefix.later-instructions"
rm -f "$report" "$list"
later() { python3 "$(dirname "$0")/check_processor.py" --list "$@" >>"$list"; }
# An image whose entry is watched but whose later instructions are not.
entry_only() {
  python3 "$(dirname "$0")/check_processor.py" --list "$1" | cut -d' ' -f1-3 >>"$list"
  echo "$(basename "$1"): $(python3 "$(dirname "$0")/check_processor.py" "$1" | grep -c ': 0x') instructions of later processors in NSIS's stub"
}
# `wine PROGRAM ARGUMENTS...` under BreakOnLater.
run() {
  local program="$1"; shift
  [ -e "$program" ] && program=$(winepath -w "$program" 2>/dev/null)
  wine "$breakonlater" "$(winepath -w "$report")" "$(winepath -w "$list")" "$program" "$@"
}
later "$bin/Tidewave.exe" --map "$bin/../Tidewave.map"
later "$bin/tidewave-cli.exe" --map "$bin/../tidewave-cli.map"
entry_only "$setup"
has_key() { wine reg query "$1" ${2:+/v "$2"} </dev/null >/dev/null 2>&1; }

source "$(dirname "$0")/../../scripts/lib/prefix.sh"
fresh_prefix "$prefix" winxp "$bin/HoldDesktop.exe"

folder="$prefix/drive_c/Program Files/Tidewave"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewave'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shortcuts() { find "$prefix/drive_c" -type d -path '*Start Menu/Programs/Tidewave' 2>/dev/null; }

# Without the system's C runtime (Windows 95 as first shipped) nothing is
# installed. Wine cannot run without MSVCRT.DLL, so this installer is the same
# one looking for a runtime that no system has.
wine "$setup_without_runtime" /S </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 8 ] || fail "without its runtime the installer ended with status $status, not 8"
[ -e "$folder/Tidewave.exe" ] && fail "the installer installed Tidewave without its runtime"

files="Tidewave.exe tidewave-cli.exe RTidewaveMask.skn TidewaveHelp.chm Ping.wav Uninstall.exe"
run "$setup" /S /PRESET=Automatic-E </dev/null >/dev/null 2>&1 || fail "the installer ended with status $?"
for file in $files; do
  [ -s "$folder/$file" ] || fail "$file was not installed"
done
ttl=$(wine reg query 'HKLM\System\CurrentControlSet\Services\Tcpip\Parameters' /v DefaultTTL </dev/null 2>/dev/null |
      tr -d '\r' | awk '$1 == "DefaultTTL" {print $3}')
[ "$ttl" = 0x40 ] || fail "/PRESET=Automatic-E did not set DefaultTTL to 64 (it holds ${ttl:-nothing})"
[ -s "$folder/Backups/001.BCK" ] || fail "the preset was applied without a backup in the installed Backups folder"
wine "$setup" /S /PRESET=Automatic-Z </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 3 ] || fail "an unknown preset ended the installer with status $status, not tidewave-cli's 3"
[ -e "$folder/Backups/002.BCK" ] && fail "an unknown preset wrote a backup"
# The name reaches tidewave-cli as one argument, however it is quoted, and never as an option.
wine "$setup" /S "/PRESET=Windows default" </dev/null >/dev/null 2>&1 || fail "\"/PRESET=Windows default\" ended the installer with status $?"
[ -s "$folder/Backups/002.BCK" ] || fail "\"/PRESET=Windows default\", quoted whole, was not applied"
wine "$setup" /S /PRESET=--help </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 3 ] || fail "/PRESET=--help ended the installer with status $status, not 3 (no preset has that name)"
wine "$setup" /S '/PRESET=Automatic-E" "--help' </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 2 ] || fail "a preset's name holding quotes ended the installer with status $status, not 2"
[ -e "$folder/Backups/003.BCK" ] && fail "a refused preset's name wrote a backup"

# A running tidewave-cli.exe (held by the debugger before its first instruction) cannot be replaced.
# The debugger waits for commands while the pipe it reads stays open.
mkfifo "$prefix/commands"
wine winedbg 'C:\Program Files\Tidewave\tidewave-cli.exe' < "$prefix/commands" > "$prefix/winedbg.txt" 2>&1 &
debugger=$!
exec 3> "$prefix/commands"
for _ in $(seq 1 150); do grep -q 'Wine-dbg>' "$prefix/winedbg.txt" 2>/dev/null && break; sleep 0.2; done
wine "$setup" /S </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 2 ] || fail "installing over a running tidewave-cli.exe ended with status $status, not 2"
exec 3>&-
kill "$debugger" 2>/dev/null; wait "$debugger" 2>/dev/null
cmp -s "$(dirname "$press")/Tidewave.exe" "$folder/Tidewave.exe" || fail "the installed Tidewave.exe is not the one built"
menu=$(shortcuts)
[ -n "$menu" ] && [ -f "$menu/Tidewave.lnk" ] || fail "no Start-menu shortcut"
has_key "$uninstall_key" UninstallString || fail "no uninstall entry"

# Start the installed program and close it the way a user does.
run 'C:\Program Files\Tidewave\Tidewave.exe' </dev/null >/dev/null 2>&1 &
program=$!
closed=0
for _ in $(seq 1 300); do
  if wine "$press" Close </dev/null >/dev/null 2>&1; then closed=1; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
[ "$closed" = 1 ] || fail "the installed program showed no main window to close"
wait "$program" || fail "the installed program ended with status $?"

# What the program leaves behind by use: a backup, the start-up entry, its settings.
mkdir -p "$folder/Backups" && echo kept > "$folder/Backups/1.BCK"
wine reg add "$run_key" /v TidewaveRun /d '"C:\Program Files\Tidewave\Tidewave.exe"' /f </dev/null >/dev/null 2>&1
wine reg add 'HKLM\SOFTWARE\Marlpit\Tidewave\Settings\MainSettings' /v chkRunAtStartup /d 1 /f </dev/null >/dev/null 2>&1

entry_only "$folder/Uninstall.exe"
run 'C:\Program Files\Tidewave\Uninstall.exe' /S </dev/null >/dev/null 2>&1 || fail "the uninstaller ended with status $?"
for file in $files; do
  [ -e "$folder/$file" ] && fail "$file was left behind"
done
[ -f "$folder/Backups/1.BCK" ] || fail "a silent uninstall removed the backups"
[ -z "$(shortcuts)" ] || fail "the Start-menu shortcuts were left behind"
has_key "$uninstall_key" && fail "the uninstall entry was left behind"
has_key "$run_key" TidewaveRun && fail "the TidewaveRun start-up entry was left behind"
has_key 'HKLM\SOFTWARE\Marlpit\Tidewave' && fail "the settings were left behind"
has_key 'HKLM\SOFTWARE\Marlpit' && fail "the maker's key was left behind, empty"

grep '^reached ' "$report" | sed 's/^/FAILED: an instruction a 486 does not have ran: /'
grep -q '^reached ' "$report" && failures=$((failures + 1))
for image in "$(basename "$setup")" tidewave-cli.exe Tidewave.exe Uninstall.exe; do
  grep -qx "entry $image" "$report" || fail "$image never reached its entry point under BreakOnLater"
done
echo "under BreakOnLater: $(grep -c '^entry ' "$report") processes, $(awk 'NF > 3 {n += NF - 3} END {print n + 0}' "$list") breakpoints on instructions of later processors, $(grep -c '^reached ' "$report") reached"

[ "$failures" = 0 ] && echo "installed with a preset, started, closed and uninstalled: everything in place and taken away again"
exit $((failures > 0))
