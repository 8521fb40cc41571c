#!/bin/bash
# Fonts at CJK scale, side by side in one run: morvex7c and LVGL's own converter (the npm package
# lv_font_conv 1.5.3) on every CJK Unified Ideograph U+4E00-U+9FA5 of DroidSansFallbackFull.ttf
# (Debian's fonts-droid-fallback, taken without installing it) at an em of 16 pixels; whole-process
# time (Wine's start included) and peak memory of each. Then the 10,240-character text file with
# the program as it was before the CJK work beside today's, and the 8-bit coverage of 200 sampled
# ideographs from both converters compared.
# Usage: bench/cjk.sh  (WINEPREFIX a booted prefix; the scratch folder is build/cjk-bench)
set -u
repo_root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$repo_root/build/cjk-bench
before=8b24f77 # the program before the CJK work
mkdir -p "$scratch" || exit 1
cd "$scratch" || exit 1
font=$scratch/droid/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf
if [ ! -f "$font" ]; then
    apt-get download fonts-droid-fallback >/dev/null 2>&1 ||
        { apt-get update -qq >/dev/null 2>&1 && apt-get download fonts-droid-fallback >/dev/null 2>&1; }
    dpkg-deb -x fonts-droid-fallback_*.deb droid || exit 1
fi
command -v npm >/dev/null || { apt-get update -qq >/dev/null 2>&1 &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null 2>&1; } || exit 1
converter=$scratch/npm/node_modules/.bin/lv_font_conv
[ -x "$converter" ] || { mkdir -p npm && (cd npm && timeout 300 npm install --silent \
    lv_font_conv@1.5.3 >/dev/null 2>&1); } || { echo "lv_font_conv could not be installed"; exit 1; }
# the program before the CJK work, built beside today's
old=$scratch/before/build/morvex7c.exe
if [ ! -f "$old" ]; then
    rm -rf before && git -C "$repo_root" worktree add -f "$scratch/before" $before >/dev/null 2>&1 &&
        cmake -S before -B before/build -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/toolchain-x86_64.cmake" >/dev/null &&
        cmake --build before/build -j "$(nproc)" --target morvex7c morvex7_bench >/dev/null ||
        exit 1
fi
now=$repo_root/build/x86_64/morvex7c.exe
windows() { echo "Z:${1//\//\\}"; }
# runs a command; prints its seconds and peak MiB
measure() {
    /usr/bin/time -o time.txt -f "%e %M" timeout 900 "$@" >/dev/null 2>&1 </dev/null ||
        { echo "failed: $*" >&2; echo "- -"; return; }
    awk '{ printf "%.2f %.0f", $1, $2 / 1024 }' time.txt
}
ours() { measure /usr/lib/wine/wine64 "$1" --range 0x4E00-0x9FA5 --font-file "$(windows "$font")" \
    --em-size 16 "${@:2}" -o "$(windows "$scratch/ours.c")"; }
theirs() { measure "$converter" --font "$font" --size 16 --range 0x4E00-0x9FA5 --format lvgl \
    -o "$scratch/theirs.c" "$@"; }
row() { # case, our figures, theirs
    read -r time memory <<<"$2"
    if [ -n "${3:-}" ]; then
        read -r their_time their_memory <<<"$3"
        printf "%-28s %7s s %5s MiB   %7s s %5s MiB   %5.1fx faster, %4.1f%% of the memory\n" \
            "$1" "$time" "$memory" "$their_time" "$their_memory" \
            "$(awk -v a="$their_time" -v b="$time" 'BEGIN { print a / b }')" \
            "$(awk -v a="$memory" -v b="$their_memory" 'BEGIN { print 100 * a / b }')"
    else
        printf "%-28s %7s s %5s MiB\n" "$1" "$time" "$memory"
    fi
}
echo "20,902 CJK ideographs, em 16 px   morvex7c              lv_font_conv 1.5.3"
row "plain C" "$(ours "$now" --style c)"
row "LVGL 1 bpp" "$(ours "$now" --style lvgl --bpp 1)" "$(theirs --bpp 1 --no-compress)"
row "LVGL 4 bpp" "$(ours "$now" --style lvgl --bpp 4)" "$(theirs --bpp 4 --no-compress)"
row "LVGL 4 bpp compressed" "$(ours "$now" --style lvgl --bpp 4 --compress)" "$(theirs --bpp 4)"
row "u8g2" "$(ours "$now" --style u8g2)"
# the text file of 10,240 printable characters: the program before the CJK work, then today's
python3 -c 'print("".join(chr(33 + i * 7 % 94) for i in range(10240)), end="")' >text.txt
echo "10,240-character text file      before                now"
for size in "16x16 --keep-repeats" "64x64 --keep-repeats" "1024x1024"; do
    text=(--text-file "$(windows "$scratch/text.txt")" --size $size -o "$(windows "$scratch/t.c")")
    read -r t1 m1 <<<"$(measure /usr/lib/wine/wine64 "$old" "${text[@]}")"
    read -r t2 m2 <<<"$(measure /usr/lib/wine/wine64 "$now" "${text[@]}")"
    printf "%-28s %7s s %5s MiB   %7s s %5s MiB\n" "${size%% *}" "$t1" "$m1" "$t2" "$m2"
done
# the same text's conversion in process, where Wine's start does not hide it ("now": the
# conversion of each build; "before": the per-character path both compare with)
for pair in "before the CJK work:$scratch/before/build" "today:$repo_root/build/x86_64"; do
    echo "${pair%%:*}"
    timeout 600 /usr/lib/wine/wine64 "${pair#*:}/bench/morvex7_bench.exe" 5 2>/dev/null </dev/null |
        tr -d '\r' | grep "text of"
done
# 200 sampled ideographs at 8 bits from both, read back by the tests' LVGL reader
list=$(python3 -c 'print(",".join(hex(c) for c in range(0x4E00, 0x9FA6, 104)))')
timeout 300 /usr/lib/wine/wine64 "$now" --range "$list" --font-file "$(windows "$font")" \
    --em-size 16 --style lvgl --bpp 8 --name ours -o "$(windows "$scratch/ours8.c")" >/dev/null 2>&1
timeout 300 "$converter" --font "$font" --size 16 --bpp 8 --range "$list" --format lvgl \
    --no-compress --no-prefilter --lv-font-name theirs -o theirs8.c >/dev/null 2>&1
include=(-I"$repo_root/tests/compile/lvgl" -I"$repo_root/tests/compile")
gcc -std=c99 -DLV_LVGL_H_INCLUDE_SIMPLE "${include[@]}" -c ours8.c -o ours8.o &&
    gcc -std=c99 -DLV_LVGL_H_INCLUDE_SIMPLE "${include[@]}" -c theirs8.c -o theirs8.o &&
    gcc -std=c99 "${include[@]}" "$repo_root/bench/lvgl_coverage.c" ours8.o theirs8.o -o coverage &&
    ./coverage 0x4E00 0x9FA5 104
