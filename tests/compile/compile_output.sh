#!/bin/bash
# Real compilers as clients of the generated source in the samples folder: the ANSI C file
# must compile as strict C89 and hold exactly the frames' bytes, and so must the C51 file with
# its storage keyword mapped; a glyph in pages of 8 rows and in rows with the high bit first
# must draw as it was painted, a 16-bit colour picture must read back in 5-6-5; SDCC must
# accept the C51 file for the 8051, and the 8051
# assembler of MCU 8051 IDE must assemble the ASM file into exactly the frames' bytes; LVGL fonts
# must compile for LVGL 8 and 9 and read back as the glyphs they were made of.
set -u
samples=$1 tool=${2:-$1/../lv_font_conv}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$samples"/frames_* "$samples"/glyph* "$samples"/colours_565.* "$samples"/named_* \
    "$samples"/gfx_sans.* "$samples"/u8g2_* "$samples"/lvgl_* "$work"/ && cd "$work" || exit 1
# the bytes output_test paints: byte i of the three frames of 600 bytes
python3 -c 'print("\n".join("%02x" % ((i * 7 + i // 600) % 256) for i in range(1800)))' \
    >expected.txt
failures=0
fail() { echo "$1"; failures=$((failures + 1)); }

c89() { gcc -std=c89 -pedantic-errors -Wall -Werror -o "$1" "$2" "${@:3}"; }
for source in frames_ansi.c frames_c51.c; do
    # the C51 storage keyword mapped for gcc; the ANSI C file needs nothing
    map=$([ $source = frames_c51.c ] && echo -Dcode=const)
    c89 print.bin "$here/read_frames.c" $map -DSOURCE="\"$work/$source\"" ||
        { fail "gcc rejected $source"; continue; }
    ./print.bin | cmp -s - expected.txt && echo "$source: compiled, the same bytes" ||
        fail "$source holds other bytes"
done
for order in pages rows; do
    source=glyph_$order.c
    c89 draw.bin "$here/read_frames.c" -DGLYPH -D"${order^^}" -DSOURCE="\"$work/$source\"" &&
        ./draw.bin | cmp -s - glyph.txt && echo "$source: drawn as painted" ||
        fail "$source draws another glyph"
done
c89 rgb.bin "$here/read_frames.c" -DRGB565 -DSOURCE="\"$work/colours_565.c\"" &&
    ./rgb.bin | cmp -s - colours_565.txt && echo "colours_565.c: read as 5-6-5 colours" ||
    fail "colours_565.c holds other colours"
# two arrays of other names, one with a comment naming each frame, linked into one program
printf 'extern const unsigned char CODE_MATRIX[], LOGO[];\nint main(void) { return CODE_MATRIX[0] > LOGO[0]; }\n' >link.c
c89 linked.bin link.c frames_ansi.c named_ansi.c && echo "frames_ansi.c and named_ansi.c: linked" ||
    fail "frames_ansi.c and named_ansi.c do not link into one program"
c89 gfx.bin "$here/draw_gfx.c" -DFONT="\"$work/gfx_sans.h\"" && ./gfx.bin | cmp -s - gfx_sans.txt &&
    echo "gfx_sans.h: draws what GDI draws" || fail "gfx_sans.h draws other dots than GDI"
# a u8g2 font alone, and after a U8G2_FONT_SECTION of u8g2.h's kind
for section in "" "-DU8G2_FONT_SECTION(name)=__attribute__((section(\".progmem.\" name)))"; do
    gcc -std=c99 -pedantic-errors -Wall -Werror ${section:+"$section"} -c u8g2_dejavu.c -o u8g2.o &&
        echo "u8g2_dejavu.c: compiled${section:+ with the section}" ||
        fail "u8g2_dejavu.c does not compile${section:+ with the section}"
done
# LVGL fonts: each compiles against the stand-in declarations of LVGL 8 and of LVGL 9, and the
# client reads them back (LVGL's own converter's fonts beside them prove its decoder)
# LVGL's own converter (the npm package lv_font_conv 1.5.3) makes DejaVu Sans at 16 pixels,
# 0x20-0x7E, at 2 and 4 bits a pixel, plain and compressed
command -v npm >/dev/null || { apt-get update -qq >/dev/null 2>&1 &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null 2>&1; }
converter=$tool/node_modules/.bin/lv_font_conv
[ -x "$converter" ] || (mkdir -p "$tool" && cd "$tool" &&
    timeout 300 npm install --silent lv_font_conv@1.5.3 >/dev/null 2>&1) ||
    fail "lv_font_conv could not be installed"
for bits in 2 4; do
    for options in "--no-compress --no-prefilter" ""; do
        name=ref_$bits${options:+p}
        timeout 120 "$converter" --font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf --size 16 \
            --bpp $bits --range 0x20-0x7E --format lvgl --lv-font-name $name -o $name.c $options \
            >/dev/null || fail "lv_font_conv did not make $name.c"
    done
done
for version in 8 9; do
    for font in lvgl_b1 lvgl_b4 lvgl_b8 lvgl_b4z ref_2 ref_2p ref_4 ref_4p; do
        gcc -std=c99 -pedantic-errors -Wall -Werror -DLVGL_VERSION_MAJOR=$version \
            -DLV_LVGL_H_INCLUDE_SIMPLE -DLV_USE_FONT_COMPRESSED=1 -I"$here/lvgl" -c $font.c \
            -o $font.o || fail "$font.c does not compile for LVGL $version"
    done
done
# LVGL leaves compressed fonts out by default: the build stops with the advice, not a blank font
gcc -std=c99 -DLV_LVGL_H_INCLUDE_SIMPLE -I"$here/lvgl" -c lvgl_b4z.c -o /dev/null 2>&1 |
    grep -q "set LV_USE_FONT_COMPRESSED to 1" || fail "lvgl_b4z.c builds without LVGL's decoder"
gcc -std=c99 -Wall -Werror -I"$here/lvgl" -DGFX_FONT="\"$work/lvgl_gfx.h\"" \
    "$here/lvgl_check.c" lvgl_b*.o ref_*.o -o lvgl_check.bin && ./lvgl_check.bin lvgl_coverage.txt ||
    fail "the LVGL fonts read back otherwise"
# SDCC 4.2 rejects the bare keyword; its spelling is __code
for source in frames_c51.c named_c51.c; do
    sdcc -mmcs51 -Dcode=__code -c $source -o "${source%.c}.rel" >sdcc.log 2>&1 &&
        echo "$source: accepted by sdcc" || { cat sdcc.log; fail "sdcc rejected $source"; }
done

timeout 120 mcu8051ide --compile frames_asm.asm >asm.log 2>&1 </dev/null
# the Intel HEX output as one byte a line
objcopy -I ihex -O binary frames_asm.hex frames_asm.bin 2>/dev/null &&
    od -An -v -tx1 -w1 frames_asm.bin | tr -d ' ' | cmp -s - expected.txt &&
    echo "frames_asm.asm: assembled for the 8051, the same bytes" ||
    { tail -5 asm.log; fail "the 8051 assembler rejected frames_asm.asm or made other bytes"; }
exit $failures
