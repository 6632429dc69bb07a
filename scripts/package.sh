#!/usr/bin/env bash
# What a user downloads: Tidewave-Setup.exe (installer), Tidewave-<version>.msi
# (the Windows Installer package, for Group Policy and management tools) and
# Tidewave-<version>.zip (the program and its files in one folder, for users who
# want no installer). All end up in build/win32/dist/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build/win32"
bash "$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target Tidewave tidewave-cli TidewaveHelp TidewaveSetup TidewaveMsi -j2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
dist="$BUILD/dist" stage="$BUILD/dist/Tidewave"
rm -rf "$stage" "$dist/Tidewave-$version.zip"
mkdir -p "$stage"
for file in Tidewave.exe tidewave-cli.exe RTidewaveMask.skn TidewaveHelp.chm Ping.wav low-memory.wav; do
  if [ -f "$BUILD/bin/$file" ]; then
    cp "$BUILD/bin/$file" "$stage/"
  elif [ "$file" != low-memory.wav ]; then
    echo "package: $file is missing from $BUILD/bin" >&2; exit 1
  fi
done
(cd "$dist" && zip -q -9 -r -X "Tidewave-$version.zip" Tidewave)
rm -rf "$stage"
echo "package: $dist/Tidewave-Setup.exe"
echo "package: $dist/Tidewave-$version.msi"
echo "package: $dist/Tidewave-$version.zip"
