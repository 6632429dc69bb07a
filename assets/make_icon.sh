#!/usr/bin/env bash
# Draws the program and tray icon (a white wave on a deep-sea tile) at the sizes
# Windows asks for, and packs them into Tidewave.ico. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#0B5394' -draw 'roundrectangle 8,8 247,247 48,48' \
  -fill '#1C7ED6' -draw 'roundrectangle 8,128 247,247 48,48' -draw 'rectangle 8,128 247,180' \
  -stroke white -strokewidth 22 -fill none \
  -draw 'path "M 36,150 C 76,90 116,90 128,130 S 180,170 220,106"' \
  -strokewidth 14 -draw 'path "M 36,196 C 76,150 116,150 128,180 S 180,210 220,160"' \
  "$tmp/big.png"
for s in 16 24 32 48; do convert "$tmp/big.png" -resize ${s}x${s} "$tmp/$s.png"; done
convert "$tmp/16.png" "$tmp/24.png" "$tmp/32.png" "$tmp/48.png" Tidewave.ico
