#!/usr/bin/env bash
# Draws the message window's icon strip, MessageIcons.bmp: twelve 16 x 16 cells
# in one 192 x 16 bitmap of 8 bits a pixel, pure green (0, 255, 0) where the
# background shows through. Cells, numbered from 1 at the left:
#   1 stop (red disc, white cross)   2 warning (yellow triangle, "!")
#   3 information (blue disc, "i")   4 question (blue disc, "?")
#   5 tick (green disc)              6 clock                7 shield
#   9, 10, 11 the close button: normal, under the mouse, pressed
#   8 and 12 are empty.
# Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# Drawn without antialiasing: every pixel is either an icon colour or exactly green.
convert -size 192x16 xc:'#00FF00' +antialias \
  -fill '#C62828' -stroke '#7F0000' -draw 'circle 7.5,7.5 7.5,0.5' \
  -stroke white -strokewidth 2 -draw 'line 5,5 10,10' -draw 'line 10,5 5,10' -strokewidth 1 \
  -fill '#FBC02D' -stroke '#8D6E00' -draw 'polygon 23.5,0.5 31,14.5 16,14.5' \
  -fill black -stroke black -draw 'rectangle 23,5 24,10' -draw 'rectangle 23,12 24,13' \
  -fill '#1E63C4' -stroke '#0D3A80' -draw 'circle 39.5,7.5 39.5,0.5' \
  -fill white -stroke white -draw 'rectangle 39,3 40,4' -draw 'rectangle 39,6 40,11' \
  -fill '#1E63C4' -stroke '#0D3A80' -draw 'circle 55.5,7.5 55.5,0.5' \
  -fill none -stroke white -strokewidth 2 -draw 'arc 52.5,2.5 58.5,8.5 180,90' -strokewidth 1 \
  -fill white -draw 'rectangle 55,8 56,10' -draw 'rectangle 55,12 56,13' \
  -fill '#2E7D32' -stroke '#1B5E20' -draw 'circle 71.5,7.5 71.5,0.5' \
  -stroke white -strokewidth 2 -draw 'line 67,8 70,11' -draw 'line 70,11 76,4' -strokewidth 1 \
  -fill white -stroke '#455A64' -draw 'circle 87.5,7.5 87.5,0.5' \
  -stroke black -draw 'line 87,3 87,8' -draw 'line 87,8 91,8' \
  -fill '#607D8B' -stroke '#263238' -draw 'polygon 96,1 103.5,0 111,1 111,7 103.5,15 96,7' \
  -fill '#B0BEC5' -stroke '#B0BEC5' -draw 'rectangle 103,3 104,11' -draw 'rectangle 99,6 108,7' \
  -fill '#ECEFF1' -stroke '#78909C' -draw 'rectangle 129,1 142,14' \
  -stroke '#37474F' -strokewidth 2 -draw 'line 132,4 139,11' -draw 'line 139,4 132,11' -strokewidth 1 \
  -fill '#E53935' -stroke '#8E0000' -draw 'rectangle 145,1 158,14' \
  -stroke white -strokewidth 2 -draw 'line 148,4 155,11' -draw 'line 155,4 148,11' -strokewidth 1 \
  -fill '#8E0000' -stroke '#4A0000' -draw 'rectangle 161,1 174,14' \
  -stroke white -strokewidth 2 -draw 'line 165,5 172,12' -draw 'line 172,5 165,12' \
  "$tmp/strip.png"
convert "$tmp/strip.png" -type Palette -compress None BMP3:MessageIcons.bmp
