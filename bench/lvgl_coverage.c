/* The 8-bit coverage of the same characters from this program's LVGL font (ours) and LVGL's own
   converter's (theirs), glyph for glyph, each pixel placed by its glyph's offsets from the
   origin on the baseline: the share of the pixels either inks that lie within one 4-bit level,
   exactly equal, and the glyphs whose boxes match. Usage: lvgl_coverage FIRST LAST STEP */
#include "lvgl_decode.h"

#include <stdio.h>
#include <stdlib.h>

extern const lv_font_t ours, theirs;

static Glyph mine, other;

int main(int argc, char **argv) {
    unsigned first = argc > 3 ? strtoul(argv[1], NULL, 0) : 0x4E00;
    unsigned last = argc > 3 ? strtoul(argv[2], NULL, 0) : 0x9FA5;
    unsigned step = argc > 3 ? strtoul(argv[3], NULL, 0) : 104, code;
    long inked = 0, close = 0, equal = 0, glyphs = 0, boxes = 0;
    int sparse, x, y;
    for (code = first; code <= last; code += step) {
        if (!decode(&ours, code, &mine, &sparse) || !decode(&theirs, code, &other, &sparse))
            continue;
        ++glyphs;
        boxes += mine.left == other.left && mine.top == other.top && mine.width == other.width &&
                 mine.height == other.height;
        for (y = -64; y < 64; ++y)
            for (x = -64; x < 64; ++x) {
                int a = pixelAt(&mine, x, y), b = pixelAt(&other, x, y);
                if (!a && !b) continue;
                ++inked;
                close += abs((a * 15 + 127) / 255 - (b * 15 + 127) / 255) <= 1;
                equal += a == b;
            }
    }
    printf("%ld characters, %ld pixels inked by either: %.1f%% within one 4-bit level, %.1f%% "
           "equal; %ld glyph boxes the same\n",
           glyphs, inked, 100.0 * close / inked, 100.0 * equal / inked, boxes);
    return glyphs ? 0 : 1;
}
