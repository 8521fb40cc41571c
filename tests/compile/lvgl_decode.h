/* A reader of LVGL fonts written from the format's public description: a code point's glyph id
 * through the character maps, its descriptor, and its pixels, plain or compressed. For the C
 * client of the tests and the benchmark's comparison with LVGL's own converter. */
#ifndef LVGL_DECODE_H
#define LVGL_DECODE_H
#include "lvgl.h"

#include <string.h>

typedef struct {
    int advance, width, height, left, top; /* left and top from the origin on the baseline */
    unsigned char pixels[256 * 256];
} Glyph;

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
 * further repeats until a 0 bit and the next pixel; the eleventh 1 bit is followed by a 6-bit
 * count of the repeats from it on, then the next pixel, taken as it is. Then each row XOR-ed
 * with the decoded row above it. */
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

#endif
