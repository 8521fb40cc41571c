#!/bin/bash
# Installs what is missing, builds, and runs the benchmarks under wine64 with a throwaway Wine
# prefix under Xvfb (only the frame list needs the display): scripts/bench.sh [runs]. Then the
# fonts at CJK scale beside LVGL's own converter (bench/cjk.sh).
set -u
source "$(dirname "$0")/common.sh"

install_missing_packages time || exit 1
build_target x86_64 || exit 1
prefix=$(mktemp -d "$repo_root/build/x86_64/wine/bench.XXXXXX")
cleanup() {
    WINEPREFIX=$prefix timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
    rm -rf "$prefix"
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all
# a display from the start: the frame list's window needs one, and Wine's desktop is made once
start_xvfb || exit 1
# Wine's services inherit the output of the first wine process: keep it away from ours.
timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null
# a 1024 x 1024 picture as a 24-bit BMP and as a PNG, for the picture import figure
pictures="$prefix/pictures"
mkdir -p "$pictures"
convert -size 1024x1024 gradient:black-white -swirl 90 -type TrueColor "BMP3:$pictures/bench.bmp"
convert "$pictures/bench.bmp" "$pictures/bench.png"
timeout 3000 /usr/lib/wine/wine64 "$repo_root/build/x86_64/bench/morvex7_bench.exe" "${1:-3}" \
    "Z:${pictures//\//\\}" </dev/null 2>/dev/null | tr -d '\r'
# the frame list of the window
timeout 300 /usr/lib/wine/wine64 "$repo_root/build/x86_64/bench/morvex7_frame_list_bench.exe" \
    </dev/null 2>/dev/null | tr -d '\r'
"$repo_root/bench/cjk.sh"
