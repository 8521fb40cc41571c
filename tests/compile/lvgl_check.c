/* Reads LVGL fonts through their structures as the format's public description gives them, and
 * checks them against each other and against what the program said of the glyphs:
 * - LVGL's own converter's compressed fonts decode to its plain ones (the decoder is right);
 * - our 8-bit glyphs are the coverage lvgl_coverage.txt lists, box for box; our 4-bit glyphs
 *   are that coverage rounded, compressed or not;
 * - our 1-bit glyphs are the GFX font's glyphs of the same run, and every advance is the GFX one;
 * - the A V pair is kerned, and a character beyond the first map is found in a sparse map.
 * Prints what it checked; exits with the number of failures. */
#include "lvgl_decode.h"

#include <stdio.h>

extern const lv_font_t font_b1, font_b4, font_b8, font_b4z;
extern const lv_font_t ref_2, ref_2p, ref_4, ref_4p; /* p: plain, else compressed */

#include "gfxfont.h"
#include GFX_FONT

static int failures;
static void fail(const char *what, unsigned code) {
    printf("U+%04X: %s\n", code, what);
    ++failures;
}

static Glyph one, other;

/* Two fonts have the same glyph of a code point. */
static int sameGlyph(const lv_font_t *a, const lv_font_t *b, uint32_t code) {
    int sparse = 0;
    return decode(a, code, &one, &sparse) && decode(b, code, &other, &sparse) &&
           one.advance == other.advance && one.width == other.width && one.height == other.height &&
           one.left == other.left && one.top == other.top &&
           memcmp(one.pixels, other.pixels, (size_t)one.width * one.height) == 0;
}

/* Our glyphs at every depth against the coverage listed for the code point, and the GFX font. */
static void checkGlyph(uint32_t code, const Glyph *listed) {
    const lv_font_t *all[] = {&font_b1, &font_b4, &font_b8, &font_b4z};
    const GFXglyph *gfx = &gfx_run.glyph[code - gfx_run.first];
    int d, x, y, sparse = 0;
    if (!sameGlyph(&font_b4, &font_b4z, code))
        fail("a compressed glyph decodes to another than the plain one", code);
    for (d = 0; d < 4; ++d) {
        if (!decode(all[d], code, &one, &sparse) || one.advance != gfx->xAdvance * 16)
            fail("an advance is not the GFX font's", code);
        if (d == 0 || d == 3) continue; /* the 4 and 8-bit glyphs against the coverage */
        for (y = listed->top - 1; y <= listed->top + listed->height; ++y)
            for (x = listed->left - 1; x <= listed->left + listed->width; ++x)
                if (pixelAt(&one, x, y) !=
                    (pixelAt(listed, x, y) * (d == 1 ? 15 : 255) + 127) / 255)
                    fail(d == 1 ? "a 4-bit pixel is not the coverage rounded"
                                : "an 8-bit pixel is not the coverage",
                         code);
    }
    decode(&font_b1, code, &one, &sparse);
    for (y = -40; y < 20; ++y)
        for (x = -10; x < 40; ++x) {
            int gx = x - gfx->xOffset, gy = y - gfx->yOffset, bit = gy * gfx->width + gx;
            int dot = gx >= 0 && gy >= 0 && gx < gfx->width && gy < gfx->height &&
                      (gfx_run.bitmap[gfx->bitmapOffset + bit / 8] >> (7 - bit % 8) & 1);
            if (pixelAt(&one, x, y) != dot) fail("a 1-bit glyph is not the GFX font's", code);
        }
}

int main(int argc, char **argv) {
    const lv_font_fmt_txt_dsc_t *dsc = font_b4.dsc;
    const lv_font_fmt_txt_kern_pair_t *pairs = dsc->kern_dsc;
    static Glyph listed;
    FILE *list = argc > 1 ? fopen(argv[1], "r") : NULL;
    unsigned code, value, i, glyphs = 0;
    int sparse = 0, kerned = 0, a = glyphId(dsc, 'A', &sparse), v = glyphId(dsc, 'V', &sparse);
    for (code = 0x20; code <= 0x7E; ++code)
        if (!sameGlyph(&ref_2p, &ref_2, code) || !sameGlyph(&ref_4p, &ref_4, code))
            fail("LVGL's converter's compressed glyph decodes to another", code);
    printf("the converter's 2 and 4-bit fonts: the compressed glyphs decode to the plain ones\n");
    while (list && fscanf(list, "%x %d %d %d %d", &code, &listed.left, &listed.top, &listed.width,
                          &listed.height) == 5) {
        for (i = 0; i < (unsigned)(listed.width * listed.height); ++i)
            listed.pixels[i] = (unsigned char)(fscanf(list, "%u", &value) == 1 ? value : 999);
        checkGlyph(code, &listed);
        ++glyphs;
    }
    printf("%u glyphs at 1, 4 and 8 bits, plain and compressed: as listed, as GFX draws\n", glyphs);
    for (i = 0; pairs && i < pairs->pair_cnt && !pairs->glyph_ids_size; ++i) {
        const uint8_t *ids = (const uint8_t *)pairs->glyph_ids + 2 * i;
        if (ids[0] == a && ids[1] == v && pairs->values[i] < 0)
            kerned = pairs->values[i] * dsc->kern_scale / 16;
    }
    kerned ? printf("A V kerned by %d/16 pixels\n", kerned) : fail("A V not kerned", 'A');
    if (!decode(&font_b4, 0xC5, &one, &sparse) || !sparse) fail("not in a sparse map", 0xC5);
    return glyphs == 97 ? failures : failures + 1;
}
