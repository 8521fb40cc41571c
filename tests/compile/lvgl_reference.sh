#!/bin/bash
# LVGL's own converter (the npm package lv_font_conv 1.5.3, installed into a scratch folder of
# the build) makes DejaVu Sans at 16 pixels, 0x20-0x7E, at 2 and 4 bits a pixel, plain and
# compressed, into the folder given: the fonts that prove the client's decoder.
set -u
out=$1 tool=$2
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
mkdir -p "$out" "$tool" || exit 1
if ! command -v npm >/dev/null; then
    apt-get update -qq >/dev/null 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null 2>&1 || exit 1
fi
converter=$tool/node_modules/.bin/lv_font_conv
[ -x "$converter" ] || (cd "$tool" && timeout 300 npm install --silent lv_font_conv@1.5.3 \
    >/dev/null 2>&1) || { echo "lv_font_conv could not be installed" >&2; exit 1; }
convert() { # NAME BITS [OPTIONS...]
    timeout 120 "$converter" --font "$font" --size 16 --bpp "$2" --range 0x20-0x7E --format lvgl \
        --lv-font-name "$1" -o "$out/$1.c" "${@:3}" >/dev/null
}
for bits in 2 4; do
    convert ref_$bits $bits --no-compress --no-prefilter && convert ref_${bits}z $bits || exit 1
done
