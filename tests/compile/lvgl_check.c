/* Reads LVGL fonts through their structures as the format's public description gives them, and
   checks them against each other and against what the program said of the glyphs:
   - LVGL's own converter's compressed fonts decode to its plain ones (the decoder is right);
   - our 8-bit glyphs are the coverage lvgl_coverage.txt lists, box for box; our 4 and 2-bit
     glyphs are that coverage rounded, compressed or not;
   - our 1-bit glyphs are the GFX font's glyphs of the same run, and every advance is the GFX one;
   - the A V pair is kerned, and a character beyond the first map is found in a sparse map.
   Prints what it checked; exits with the number of failures. */
#include "lvgl.h"

#include <stdio.h>
#include <string.h>

extern const lv_font_t font_b1, font_b2, font_b4, font_b8, font_b2z, font_b4z;
extern const lv_font_t ref_2, ref_2z, ref_4, ref_4z;

/* LVGL's functions the fonts name; this program reads the structures itself. */
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t *f, void *g, uint32_t a, uint32_t b) {
    return (void)f, (void)g, (void)a, (void)b, false;
}
const void *lv_font_get_bitmap_fmt_txt(const lv_font_t *f, uint32_t a) {
    return (void)f, (void)a, NULL;
}

#include "gfxfont.h"
#include GFX_FONT

typedef struct {
    int advance, width, height, left, top; /* left and top from the origin on the baseline */
    unsigned char pixels[256 * 256];
} Glyph;

static int failures;
static void fail(const char *what, unsigned code) {
    printf("U+%04X: %s\n", code, what);
    ++failures;
}

static unsigned bitsAt(const uint8_t *data, size_t at, int count) {
    unsigned value = 0;
    for (; count > 0; --count, ++at)
        value = value << 1 | ((data[at / 8] >> (7 - at % 8)) & 1);
    return value;
}

/* The glyph id of a code point: the first map whose range holds it, by its place there. */
static int glyphId(const lv_font_fmt_txt_dsc_t *font, uint32_t code, int *sparse) {
    unsigned m, i;
    for (m = 0; m < font->cmap_num; ++m) {
        const lv_font_fmt_txt_cmap_t *map = &font->cmaps[m];
        uint32_t offset = code - map->range_start;
        if (code < map->range_start || offset >= map->range_length) continue;
        *sparse = map->type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY;
        if (!*sparse) return map->glyph_id_start + offset;
        for (i = 0; i < map->list_length; ++i)
            if (map->unicode_list[i] == offset) return map->glyph_id_start + i;
    }
    return 0;
}

/* Compressed pixels: a pixel as it is; after a pixel that repeats the one before, 1 bits for
   further repeats until a 0 bit and the next pixel; the eleventh 1 bit is followed by a 6-bit
   count of the repeats from it on, then the next pixel, taken as it is. Then each row XOR-ed
   with the decoded row above it. */
static void decompress(const uint8_t *data, int bpp, int width, int n, unsigned char *out) {
    enum { single, repeating, counting, literal } state = single;
    size_t at = 0;
    int i, ones = 0, left = 0;
    for (i = 0; i < n; ++i) {
        if (state == repeating && bitsAt(data, at++, 1)) {
            out[i] = out[i - 1];
            if (++ones < 11) continue;
            left = (int)bitsAt(data, at, 6) - 1, at += 6;
            state = left > 0 ? counting : literal;
            if (left < 0) --i; /* a count of 0: this pixel is the one that follows */
            continue;
        }
        if (state == counting) {
            out[i] = out[i - 1];
            if (--left == 0) state = literal;
            continue;
        }
        out[i] = (unsigned char)bitsAt(data, at, bpp), at += bpp;
        state = state == single && i > 0 && out[i] == out[i - 1] ? repeating : single;
        ones = 0;
    }
    for (i = width; i < n; ++i)
        out[i] ^= out[i - width];
}

static int decode(const lv_font_t *font, uint32_t code, Glyph *glyph, int *sparse) {
    const lv_font_fmt_txt_dsc_t *dsc = font->dsc;
    const lv_font_fmt_txt_glyph_dsc_t *entry;
    int i, id = glyphId(dsc, code, sparse), n;
    if (!id) return 0;
    entry = &dsc->glyph_dsc[id];
    glyph->advance = entry->adv_w;
    glyph->width = entry->box_w, glyph->height = entry->box_h, n = entry->box_w * entry->box_h;
    glyph->left = entry->ofs_x, glyph->top = -(entry->ofs_y + entry->box_h);
    if (dsc->bitmap_format == 1)
        decompress(dsc->glyph_bitmap + entry->bitmap_index, dsc->bpp, glyph->width, n,
                   glyph->pixels);
    else
        for (i = 0; i < n; ++i)
            glyph->pixels[i] = (unsigned char)bitsAt(dsc->glyph_bitmap + entry->bitmap_index,
                                                     (size_t)i * dsc->bpp, dsc->bpp);
    return 1;
}

/* A pixel at (x, y) from the origin on the baseline; 0 outside the box. */
static int pixelAt(const Glyph *glyph, int x, int y) {
    x -= glyph->left, y -= glyph->top;
    if (x < 0 || y < 0 || x >= glyph->width || y >= glyph->height) return 0;
    return glyph->pixels[y * glyph->width + x];
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
    const lv_font_t *depths[] = {&font_b2, &font_b4},
                    *all[] = {&font_b1, &font_b2, &font_b4, &font_b8, &font_b2z, &font_b4z};
    const GFXglyph *gfx = &gfx_run.glyph[code - gfx_run.first];
    int d, x, y, sparse = 0;
    if (!sameGlyph(&font_b2, &font_b2z, code) || !sameGlyph(&font_b4, &font_b4z, code))
        fail("a compressed glyph decodes to another than the plain one", code);
    for (d = 0; d < 6; ++d)
        if (!decode(all[d], code, &one, &sparse) || one.advance != gfx->xAdvance * 16)
            fail("an advance is not the GFX font's", code);
    for (d = 0; d < 3; ++d) {
        int top = d == 2 ? 255 : d ? 15 : 3;
        decode(d == 2 ? &font_b8 : depths[d], code, &one, &sparse);
        for (y = listed->top - 1; y <= listed->top + listed->height; ++y)
            for (x = listed->left - 1; x <= listed->left + listed->width; ++x)
                if (pixelAt(&one, x, y) != (pixelAt(listed, x, y) * top + 127) / 255)
                    fail(d == 2 ? "an 8-bit pixel is not the coverage"
                                : "a 2 or 4-bit pixel is not the coverage rounded",
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
        if (!sameGlyph(&ref_2, &ref_2z, code) || !sameGlyph(&ref_4, &ref_4z, code))
            fail("LVGL's converter's compressed glyph decodes to another", code);
    printf("the converter's 2 and 4-bit fonts: the compressed glyphs decode to the plain ones\n");
    while (list && fscanf(list, "%x %d %d %d %d", &code, &listed.left, &listed.top, &listed.width,
                          &listed.height) == 5) {
        for (i = 0; i < (unsigned)(listed.width * listed.height); ++i)
            listed.pixels[i] = (unsigned char)(fscanf(list, "%u", &value) == 1 ? value : 999);
        checkGlyph(code, &listed);
        ++glyphs;
    }
    printf("%u glyphs at 1, 2, 4 and 8 bits, plain and compressed: as listed, as GFX draws\n",
           glyphs);
    for (i = 0; pairs && i < pairs->pair_cnt && !pairs->glyph_ids_size; ++i) {
        const uint8_t *ids = (const uint8_t *)pairs->glyph_ids + 2 * i;
        if (ids[0] == a && ids[1] == v && pairs->values[i] < 0)
            kerned = pairs->values[i] * dsc->kern_scale / 16;
    }
    kerned ? printf("A V kerned by %d/16 pixels\n", kerned) : fail("A V not kerned", 'A');
    if (!decode(&font_b4, 0xC5, &one, &sparse) || !sparse) fail("not in a sparse map", 0xC5);
    return glyphs == 97 ? failures : failures + 1;
}
