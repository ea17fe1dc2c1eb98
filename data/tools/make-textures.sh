#!/bin/sh
# Makes the JPEG textures of the shipped themes in data/themes/textures with ImageMagick.
# Not run by the build: the pictures are kept in the tree. Run it again after changing a
# recipe; fixed seeds make the pictures the same on every run.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/../themes/textures"
mkdir -p "$out"

size=128x128
jpeg="-strip -quality 70 -sampling-factor 2x2"

# Wood: a column of noise stretched across the picture gives the grain, a wave bends it,
# then it is tinted between two browns.
wood() { # name seed dark light
    convert -size 6x128 -seed "$2" xc: +noise Random -channel G -separate +channel \
        -resize "$size!" -wave 3x90 -gravity center -crop "$size+0+0" +repage \
        -blur 0x0.7 -normalize -colorspace sRGB -type TrueColor \
        +level-colors "$3","$4" $jpeg "$out/$1"
}

# Clouded plasma, made grey and tinted between two blues.
plasma() { # name seed dark light
    convert -size "$size" -seed "$2" plasma:fractal -colorspace Gray -blur 0x1 -normalize \
        -colorspace sRGB -type TrueColor +level-colors "$3","$4" $jpeg "$out/$1"
}

# Ivory or pale tile faces: a light, fine noise.
face() { # name seed dark light
    convert -size "$size" -seed "$2" xc: +noise Random -channel G -separate +channel \
        -blur 0x2 -normalize -colorspace sRGB -type TrueColor +level-colors "$3","$4" $jpeg "$out/$1"
}

wood wood_table.jpg 11 "#3b2410" "#8a5a2b"
face wood_face.jpg 12 "#e8dcc0" "#fffaf0"
wood wood_back.jpg 13 "#24140a" "#5a3719"

plasma midnight_table.jpg 21 "#050a30" "#1c2c70"
face midnight_face.jpg 22 "#d0dcf0" "#f4f8ff"
plasma midnight_back.jpg 23 "#0a1440" "#2a3c90"

ls -l "$out"
