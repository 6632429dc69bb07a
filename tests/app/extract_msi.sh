#!/usr/bin/env bash
# Takes every file out of a Windows Installer package as Windows Installer
# would find them: its files under their install folders (msiextract) and the
# custom actions' DLL from its Binary table. The build leaves the package's
# contents in build/win32/msi-contents/ this way, for the release checks.
set -euo pipefail
package="$1" out="$2"
rm -rf "$out" && mkdir -p "$out"
msiextract -C "$out" "$package" >/dev/null
msiinfo extract "$package" Binary.MsiActions > "$out/MsiActions.dll"
