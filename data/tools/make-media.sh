#!/usr/bin/env bash
# Makes the splash picture and the start-up sound. Not run by the build; results committed.
set -euo pipefail
cd "$(dirname "$0")/.."
convert -size 420x260 gradient:'#0b5d1e'-'#03210a' \
  -fill '#f4f0dc' -stroke '#8a8a00' -strokewidth 2 -draw 'roundrectangle 150,60 270,120 8,8' \
  -fill black -stroke none -draw 'rectangle 208,64 211,116' \
  -draw 'circle 175,80 180,80' -draw 'circle 245,100 250,100' -draw 'circle 230,75 235,75' -draw 'circle 260,75 265,75' \
  -fill '#f4f0dc' -font DejaVu-Sans-Bold -pointsize 30 -gravity south -annotate +0+70 'MORVATEL' \
  -pointsize 16 -annotate +0+45 'Dominoes 3D' -quality 88 splash.jpg
sox -n -r 11025 -c 1 -b 8 sounds/start.wav synth 0.18 pluck C5 : synth 0.18 pluck E5 : synth 0.35 pluck G5 fade 0 0.35 0.2
