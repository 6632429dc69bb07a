#!/usr/bin/env bash
# Dependencies run one way: the program's assembly (src/app) sees every area,
# and no area below it includes anything from it. A panel that needs a fact
# about itself finds it lower down (the panel catalogue is in ui/Panels.h).
set -euo pipefail
src="$1"
found=$(grep -rln --include='*.h' --include='*.cpp' '#include "app/' "$src" | grep -v "^$src/app/" || true)
if [ -n "$found" ]; then
  echo "These files below src/app include it:"
  echo "$found" | sed "s|^$src/|  src/|"
  exit 1
fi
echo "no area below src/app includes it"
