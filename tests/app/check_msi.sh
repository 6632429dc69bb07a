#!/usr/bin/env bash
# The Windows Installer package in a prefix of its own, made fresh each run:
# a preset tidewave-cli refuses fails the installation and leaves nothing
# behind; the package installs over an older one with a preset, replacing its
# files and keeping the backups; the older package then refuses to go over it;
# a running Tidewave.exe stops the removal; and removal takes everything away
# but the backups.
set -uo pipefail
package="$1" older="$2" press="$3" prefix="$4"
bin="$(dirname "$press")"
export WINEDEBUG=-all
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
has_key() { wine reg query "$1" ${2:+/v "$2"} </dev/null >/dev/null 2>&1; }
value() { wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {print $3}'; }
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }

source "$(dirname "$0")/../../scripts/lib/prefix.sh"
fresh_prefix "$prefix" winxp "$bin/HoldDesktop.exe"

folder="$prefix/drive_c/Program Files/Tidewave"
log="$prefix/drive_c/msi.log"
tcpip='HKLM\System\CurrentControlSet\Services\Tcpip\Parameters'
settings='HKLM\SOFTWARE\Marlpit\Tidewave'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
files="Tidewave.exe tidewave-cli.exe RTidewaveMask.skn TidewaveHelp.chm Ping.wav low-memory.wav"
menu() { find "$prefix/drive_c" -type d -path '*Start Menu/Programs/Tidewave' 2>/dev/null; }
# Add/Remove Programs' entries named Tidewave, as "<key> <version> <publisher>".
entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ {key=$0} $1 == "DisplayName" && $3 == "Tidewave" {named[key]=1}
         $1 == "DisplayVersion" {version[key]=$3} $1 == "Publisher" {publisher[key]=$3}
         END {for (k in named) print k, version[k], publisher[k]}'
}
ttl_before=$(value "$tcpip" DefaultTTL)

# A preset the console program refuses: the installation fails, names the
# cause in its log, and takes back all it did.
msiexec /i "$package" /qn PRESET=Automatic-Z /l*v 'C:\msi.log' && fail "an unknown preset did not fail the installation"
grep -q 'tidewave-cli exit code 3' "$log" 2>/dev/null ||
  fail "the log does not say that tidewave-cli refused the preset (exit code 3)"
[ -e "$folder" ] && fail "a refused preset left $(ls "$folder" | tr '\n' ' ')in the install folder"
[ -z "$(menu)" ] || fail "a refused preset left the Start-menu folder"
[ -z "$(entries)" ] || fail "a refused preset left an entry in Add/Remove Programs"
has_key "$settings" && fail "a refused preset left the settings key"
[ "$(value "$tcpip" DefaultTTL)" = "$ttl_before" ] || fail "a refused preset changed DefaultTTL"

# An older package, and a backup made with it.
msiexec /i "$older" /qn || fail "the older package did not install"
mkdir -p "$folder/Backups" && echo kept > "$folder/Backups/1.BCK"

# This package over it, with a preset.
msiexec /i "$package" /qn PRESET=Automatic-E || fail "the package did not install over the older one with PRESET=Automatic-E"
for file in $files; do
  cmp -s "$bin/$file" "$folder/$file" || fail "$file is not the package's own"
done
for shortcut in Tidewave.lnk "Tidewave Help.lnk" "Uninstall Tidewave.lnk"; do
  [ -n "$(menu)" ] && [ -f "$(menu)/$shortcut" ] || fail "no Start-menu shortcut $shortcut"
done
found=$(entries)
[ "$(echo "$found" | wc -l)" = 1 ] && [ "$(echo "$found" | cut -d' ' -f2-)" = "$(basename "$package" .msi |
  sed 's/^Tidewave-\([0-9]*\.[0-9]*\)\.[0-9]*\.\([0-9]*\)$/\1.\2/') Marlpit" ] ||
  fail "Add/Remove Programs does not hold one Tidewave of the package's version by Marlpit: ${found:-none}"
[ "$(value "$tcpip" DefaultTTL)" = 0x40 ] || fail "PRESET=Automatic-E did not set DefaultTTL to 64"
# 1.BCK counts as the first backup, so the preset's is the second.
[ -s "$folder/Backups/002.BCK" ] || fail "the preset was applied without a backup in the installed Backups folder"
[ -f "$folder/Backups/1.BCK" ] || fail "the upgrade lost the backups"
# Known difference: Wine removes the older package without telling it that it
# is being replaced (no UPGRADINGPRODUCTCODE), so there it takes the settings
# and the start-up entry with it as a plain removal does; Windows keeps them.

msiexec /i "$older" /qn && fail "the older package installed over the newer one"
cmp -s "$bin/RTidewaveMask.skn" "$folder/RTidewaveMask.skn" || fail "the refused older package changed the files"

# Removing a running program is refused, and says why.
wine 'C:\Program Files\Tidewave\Tidewave.exe' </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 150); do
  wine "$press" </dev/null >/dev/null 2>&1 && break
  sleep 0.2
done
msiexec /x "$package" /qn /l*v 'C:\msi.log' && fail "the package was removed while Tidewave ran"
grep -q 'Tidewave is running' "$log" 2>/dev/null || fail "the log does not say that Tidewave is running"
[ -f "$folder/Tidewave.exe" ] || fail "a refused removal took Tidewave.exe away"
closed=0
for _ in $(seq 1 50); do
  if wine "$press" Close </dev/null >/dev/null 2>&1; then closed=1; break; fi
  sleep 0.2
done
[ "$closed" = 1 ] || fail "the running program showed no Close button"
wait "$program"

# What the program leaves behind by use: its settings, the start-up entry.
wine reg add "$settings\\Settings\\MainSettings" /v chkRunAtStartup /d 1 /f </dev/null >/dev/null 2>&1
wine reg add "$run_key" /v TidewaveRun /d '"C:\Program Files\Tidewave\Tidewave.exe"' /f </dev/null >/dev/null 2>&1
msiexec /x "$package" /qn || fail "the package was not removed"
for file in $files; do
  [ -e "$folder/$file" ] && fail "$file was left behind"
done
[ -f "$folder/Backups/1.BCK" ] && [ -f "$folder/Backups/002.BCK" ] || fail "removal took the backups"
[ -z "$(menu)" ] || fail "the Start-menu folder was left behind"
[ -z "$(entries)" ] || fail "the Add/Remove Programs entry was left behind"
has_key "$run_key" TidewaveRun && fail "the TidewaveRun start-up entry was left behind"
has_key "$settings" && fail "the settings were left behind"
has_key 'HKLM\SOFTWARE\Marlpit' && fail "the maker's key was left behind, empty"

[ "$failures" = 0 ] && echo "refused a bad preset, upgraded with a preset, refused a downgrade and a removal while running, removed: all as it should"
exit $((failures > 0))
