#!/usr/bin/env bash
# Renders icons/brindle.svg into the PNG sizes of the hicolor icon theme (icons/NxN/brindle.png).
# The PNGs are committed, so that neither the build nor CI needs an SVG renderer; run this after
# changing the SVG. Needs rsvg-convert (Debian package librsvg2-bin) or ImageMagick with SVG support.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
SVG="$HERE/icons/brindle.svg"

for size in 16 32 48 64 128 256; do
    out="$HERE/icons/${size}x${size}/brindle.png"
    mkdir -p "$(dirname "$out")"
    if command -v rsvg-convert >/dev/null; then
        rsvg-convert -w "$size" -h "$size" "$SVG" -o "$out"
    else
        convert -background none -density 384 "$SVG" -resize "${size}x${size}" "$out"
    fi
    echo "$out"
done
