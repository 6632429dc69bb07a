#!/usr/bin/env bash
# Every executable the Windows Installer package carries (the build takes them
# out into a folder, tests/app/extract_msi.sh): the program, the console
# program and the custom actions' DLL, each held to what every Windows from 95
# on exports and to the instructions a 486 has.
set -uo pipefail
contents="$1" lists="$2" xp="$3"
here="$(dirname "${BASH_SOURCE[0]}")"
status=0 count=0
while IFS= read -r -d '' executable; do
  count=$((count + 1))
  # Windows Installer brings MSI.DLL itself; no export list covers it.
  python3 "$here/check_imports.py" "$executable" --lists "$lists" --xp "$xp" --unlisted MSI.DLL || status=1
  # Like everything shipped, for a 486.
  python3 "$here/check_processor.py" "$executable" || status=1
done < <(find "$contents" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
# The custom actions choose nothing at run time, so on 9x they may call
# nothing that 9x exports without implementing (SetHandleInformation is one).
not_implemented="$lists/9x-not-implemented.txt"
for name in $(i686-w64-mingw32-objdump -p "$contents/MsiActions.dll" |
              awk '/DLL Name:/ {listing=1; next} listing && NF == 3 && $3 ~ /^[A-Za-z_]/ {print $3}'); do
  if grep -qx "$name" "$not_implemented" || { [[ "$name" == *W ]] && ! grep -qx "+$name" "$not_implemented"; }; then
    echo "MsiActions.dll: $name is exported by 9x but not implemented there"; status=1
  fi
done
[ "$count" = 3 ] || { echo "the package holds $count executables, not 3 (Tidewave.exe, tidewave-cli.exe, MsiActions.dll)"; status=1; }
exit $status
