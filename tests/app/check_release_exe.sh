#!/usr/bin/env bash
# The executable users download: no debug sections or symbols, within the size
# limit, and one static file that loads no MinGW runtime DLL.
set -euo pipefail
exe="$1" limit="$2"
status=0
size=$(stat -c %s "$exe")
if [ "$size" -gt "$limit" ]; then
  echo "$exe is $size bytes, over the limit of $limit"; status=1
fi
debug=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 ~ /^\.(debug|zdebug|stab)/ {print $2}')
if [ -n "$debug" ]; then
  echo "debug sections left in: $(echo $debug)"; status=1
fi
if i686-w64-mingw32-objdump -t "$exe" | grep -q '^\[ *[0-9]*\]'; then
  echo "the symbol table is still there"; status=1
fi
runtime=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' |
          grep -E '^(lib|mingw|msvcp|vcruntime)' || true)
if [ -n "$runtime" ]; then
  echo "imports runtime DLLs that are not part of Windows: $(echo $runtime)"; status=1
fi
# The version resource's dwFileOS: every 32-bit Windows (VOS__WINDOWS32), not
# NT's alone, which is what the 9x family's file properties would show.
fileos=$(python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(b"\xbd\x04\xef\xfe")
print(-1 if at < 0 else struct.unpack_from("<I", data, at + 32)[0])' "$exe")
if [ "$fileos" != 4 ]; then
  echo "the version resource gives file OS $fileos, not 4 (VOS__WINDOWS32)"; status=1
fi
# The soak's settings live in its own build only (TidewaveSoak).
if grep -qa SoakPingerTickMs "$exe"; then
  echo "the soak's tick setting SoakPingerTickMs is read by what ships"; status=1
fi
echo "$exe: $size bytes (limit $limit)"
exit $status
