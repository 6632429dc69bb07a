#!/usr/bin/env bash
# Every executable the Windows Installer package carries, taken out of it as
# Windows Installer would find them: its files (the program and the console
# program) and the custom actions' DLL in its Binary table. They are left in
# the given folder for the other release checks, and each is held to what
# every Windows from 95 on exports.
set -uo pipefail
package="$1" lists="$2" xp="$3" out="$4"
here="$(dirname "${BASH_SOURCE[0]}")"
rm -rf "$out" && mkdir -p "$out"
msiextract -C "$out" "$package" >/dev/null || { echo "msiextract could not read $package"; exit 1; }
msiinfo extract "$package" Binary.MsiActions > "$out/MsiActions.dll" || { echo "no Binary.MsiActions in $package"; exit 1; }
status=0 count=0
while IFS= read -r -d '' executable; do
  count=$((count + 1))
  # Windows Installer ships MSI.DLL itself, on no export list here.
  python3 "$here/check_imports.py" "$executable" --lists "$lists" --xp "$xp" --unlisted MSI.DLL || status=1
done < <(find "$out" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
[ "$count" = 3 ] || { echo "the package holds $count executables, not 3 (Tidewave.exe, tidewave-cli.exe, MsiActions.dll)"; status=1; }
exit $status
