#!/usr/bin/env bash
# Every executable the Windows Installer package carries (the build takes them
# out into a folder, tests/app/extract_msi.sh): the program, the console
# program and the custom actions' DLL, each held to what every Windows from 95
# on exports.
set -uo pipefail
contents="$1" lists="$2" xp="$3"
here="$(dirname "${BASH_SOURCE[0]}")"
status=0 count=0
while IFS= read -r -d '' executable; do
  count=$((count + 1))
  # Windows Installer brings MSI.DLL itself; no export list covers it.
  python3 "$here/check_imports.py" "$executable" --lists "$lists" --xp "$xp" --unlisted MSI.DLL || status=1
done < <(find "$contents" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
[ "$count" = 3 ] || { echo "the package holds $count executables, not 3 (Tidewave.exe, tidewave-cli.exe, MsiActions.dll)"; status=1; }
exit $status
