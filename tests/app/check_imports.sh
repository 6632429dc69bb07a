#!/usr/bin/env bash
# Windows XP's loader refuses a program that imports a function XP lacks, and
# Wine cannot show that (it exports everything). Every import must be on the
# reviewed list, and the PE subsystem version must be 5.1 or lower.
set -euo pipefail
exe="$1" allowed="$2"
dump=$(i686-w64-mingw32-objdump -p "$exe")
imports=$(awk '/DLL Name:/ {dll=tolower($3)} /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ && dll {print dll "!" $3}' <<<"$dump" | sort -u)
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$allowed" | sort -u))
subsystem=$(awk '/MajorSubsystemVersion/ {maj=$2} /MinorSubsystemVersion/ {min=$2} END {print maj "." min}' <<<"$dump")
status=0
if [ -n "$unknown" ]; then
  echo "Imports not on the reviewed Windows XP list ($allowed):"
  echo "$unknown" | sed 's/^/  /'
  status=1
fi
case "$subsystem" in
  4.*|5.0|5.1) ;;
  *) echo "PE subsystem version $subsystem is newer than Windows XP (5.1)"; status=1 ;;
esac
echo "$(echo "$imports" | wc -l) imports checked, subsystem version $subsystem"
exit $status
