#!/usr/bin/env bash
# Areas of src/ depend one way, from the program's assembly down to the
# platform. Each area lists the areas it may include; an include outside its
# list, or an area missing from the list, fails with the offending line.
set -uo pipefail
src="$1"
declare -A allowed=(
  [core]=""
  [platform]="core"
  [settings]="core platform ui"
  [tcpip]="core platform settings"
  [backup]="core platform settings tcpip ui"
  [ui]="core platform"
  [system]="core platform"
  [memory]="core platform settings ui"
  [pinger]="core platform settings ui"
  [tuning]="core platform settings tcpip backup ui pinger"
  [app]="core platform settings tcpip backup ui system memory pinger tuning"
)
status=0
while IFS= read -r line; do
  file="${line%%:*}"
  area="${file#"$src"/}"; area="${area%%/*}"
  # Within bash: a process a line made this the slowest native test.
  [[ "$line" =~ \#include\ \"([a-z0-9]*)/ ]] || continue
  target="${BASH_REMATCH[1]}"
  [ "$target" = "$area" ] && continue
  if [ -z "${allowed[$area]+set}" ]; then
    echo "unknown area $area: say which areas it may include ($file)"; status=1
  elif [[ " ${allowed[$area]} " != *" $target "* ]]; then
    echo "$area may not include $target: $line"; status=1
  fi
done < <(grep -rn '#include "' "$src" --include='*.h' --include='*.cpp' --include='*.in')
[ $status -eq 0 ] && echo "every include runs one way"
exit $status
