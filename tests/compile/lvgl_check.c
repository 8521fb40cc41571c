/* Reads LVGL fonts through their structures as the format's public description gives them, and
   checks them against each other and against what the program said of the glyphs:
   - LVGL's own converter's compressed fonts decode to its plain ones (the decoder is right);
   - our 8-bit glyphs are the coverage lvgl_coverage.txt lists, box for box;
   - our 4 and 2-bit glyphs are that coverage rounded, compressed or not;
   - our 1-bit glyphs are the GFX font's glyphs of the same run, advances too;
   - the A V pair is kerned, and a character beyond the first map is found in a sparse map.
   Prints what it checked; exits with the number of failures. */
#include "lvgl.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

extern const lv_font_t font_b1, font_b2, font_b4, font_b8, font_b2z, font_b4z;
extern const lv_font_t ref_2, ref_2z, ref_4, ref_4z;

/* LVGL's functions the fonts name; this program reads the structures itself. */
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t *font, void *glyph, uint32_t letter,
                                   uint32_t next) {
    (void)font, (void)glyph, (void)letter, (void)next;
    return false;
}
const void *lv_font_get_bitmap_fmt_txt(const lv_font_t *font, uint32_t letter) {
    (void)font, (void)letter;
    return NULL;
}

typedef struct {
    unsigned short bitmapOffset;
    uint8_t width, height, xAdvance;
    signed char xOffset, yOffset;
} GFXglyph;
typedef struct {
    uint8_t *bitmap;
    GFXglyph *glyph;
    unsigned short first, last;
    uint8_t yAdvance;
} GFXfont;
#define PROGMEM
#include GFX_FONT

typedef struct {
    int id, advance, width, height, left, top; /* left and top from the origin on the baseline */
    unsigned char pixels[256 * 256];
} Glyph;

static int failures;
static void fail(const char *what, unsigned code) {
    printf("U+%04X: %s\n", code, what);
    ++failures;
}

static unsigned bitsAt(const uint8_t *data, size_t at, int count) {
    unsigned value = 0;
    int i;
    for (i = 0; i < count; ++i, ++at)
        value = value << 1 | ((data[at / 8] >> (7 - at % 8)) & 1);
    return value;
}

/* The glyph id of a code point: the first map whose range holds it, by its index there. */
static int glyphId(const lv_font_fmt_txt_dsc_t *font, uint32_t code, int *sparse) {
    unsigned m;
    for (m = 0; m < font->cmap_num; ++m) {
        const lv_font_fmt_txt_cmap_t *map = &font->cmaps[m];
        uint32_t offset = code - map->range_start;
        if (code < map->range_start || offset >= map->range_length) continue;
        *sparse = map->type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY;
        if (map->type == LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY) return map->glyph_id_start + offset;
        if (map->type == LV_FONT_FMT_TXT_CMAP_SPARSE_TINY) {
            int low = 0, high = map->list_length - 1;
            while (low <= high) {
                int middle = (low + high) / 2;
                if (map->unicode_list[middle] == offset) return map->glyph_id_start + middle;
                if (map->unicode_list[middle] < offset)
                    low = middle + 1;
                else
                    high = middle - 1;
            }
        }
    }
    return 0;
}

/* The compressed pixels: a pixel as it is; after a pixel that repeats the one before, 1 bits
   for repeats until a 0 bit and the next pixel; the eleventh 1 bit is followed by a 6-bit count
   of the repeats from it on, then the next pixel (taken as it is). Then each row XOR-ed with the
   decoded row above it. */
static void decompress(const uint8_t *data, int bpp, int width, int height, unsigned char *out) {
    enum { single, repeating, counting, literal } state = single;
    size_t at = 0;
    unsigned previous = 0;
    int i, ones = 0, left = 0, n = width * height;
    for (i = 0; i < n; ++i) {
        if (state == repeating) {
            ++ones;
            if (bitsAt(data, at++, 1)) {
                out[i] = (unsigned char)previous;
                if (ones == 11) {
                    left = (int)bitsAt(data, at, 6) - 1;
                    at += 6;
                    state = left > 0 ? counting : literal;
                    if (left < 0) --i; /* a count of 0: this pixel is the one that follows */
                }
                continue;
            }
            state = literal;
        } else if (state == counting) {
            out[i] = (unsigned char)previous;
            if (--left == 0) state = literal;
            continue;
        }
        out[i] = (unsigned char)(previous = bitsAt(data, at, bpp));
        at += bpp;
        if (state == single && i > 0 && out[i] == out[i - 1])
            state = repeating, ones = 0;
        else
            state = single;
    }
    for (i = width; i < n; ++i)
        out[i] ^= out[i - width];
}

static int decode(const lv_font_t *font, uint32_t code, Glyph *glyph, int *sparse) {
    const lv_font_fmt_txt_dsc_t *dsc = font->dsc;
    const lv_font_fmt_txt_glyph_dsc_t *entry;
    const uint8_t *data;
    int i, n;
    glyph->id = glyphId(dsc, code, sparse);
    if (!glyph->id) return 0;
    entry = &dsc->glyph_dsc[glyph->id];
    data = dsc->glyph_bitmap + entry->bitmap_index;
    glyph->advance = entry->adv_w;
    glyph->width = entry->box_w, glyph->height = entry->box_h;
    glyph->left = entry->ofs_x, glyph->top = -(entry->ofs_y + entry->box_h);
    n = glyph->width * glyph->height;
    if (dsc->bitmap_format == 1)
        decompress(data, dsc->bpp, glyph->width, glyph->height, glyph->pixels);
    else
        for (i = 0; i < n; ++i)
            glyph->pixels[i] = (unsigned char)bitsAt(data, (size_t)i * dsc->bpp, dsc->bpp);
    return 1;
}

/* A glyph's pixel at (x, y) from the origin on the baseline; 0 outside its box. */
static int pixelAt(const Glyph *glyph, int x, int y) {
    x -= glyph->left, y -= glyph->top;
    if (x < 0 || y < 0 || x >= glyph->width || y >= glyph->height) return 0;
    return glyph->pixels[y * glyph->width + x];
}

static int sameGlyph(const Glyph *a, const Glyph *b) {
    return a->advance == b->advance && a->width == b->width && a->height == b->height &&
           a->left == b->left && a->top == b->top &&
           memcmp(a->pixels, b->pixels, (size_t)a->width * a->height) == 0;
}

static Glyph one, other;

static void checkReference(const lv_font_t *plain, const lv_font_t *compressed) {
    int sparse = 0, checked = 0;
    uint32_t code;
    for (code = 0x20; code <= 0x7E; ++code, ++checked)
        if (!decode(plain, code, &one, &sparse) || !decode(compressed, code, &other, &sparse) ||
            !sameGlyph(&one, &other))
            fail("LVGL's converter's compressed glyph decodes to another", code);
    printf("the converter's %d-bit fonts: %d compressed glyphs decode to the plain ones\n",
           ((const lv_font_fmt_txt_dsc_t *)plain->dsc)->bpp, checked);
}

/* Our glyphs at every depth against the coverage listed for the code point. */
static void checkCoverage(uint32_t code, int left, int top, int width, int height,
                          const unsigned char *coverage) {
    static Glyph deeper;
    const lv_font_t *fonts[2][2] = {{&font_b2, &font_b2z}, {&font_b4, &font_b4z}};
    int levels[2] = {3, 15}, d, x, y, sparse = 0;
    if (!decode(&font_b8, code, &one, &sparse)) {
        fail("not in the 8-bit font", code);
        return;
    }
    if (one.left != left || one.top != top || one.width != width || one.height != height ||
        memcmp(one.pixels, coverage, (size_t)width * height) != 0)
        fail("the 8-bit glyph is not the coverage", code);
    for (d = 0; d < 2; ++d) {
        if (!decode(fonts[d][0], code, &other, &sparse) ||
            !decode(fonts[d][1], code, &deeper, &sparse) || !sameGlyph(&other, &deeper))
            fail("a compressed glyph decodes to another than the plain one", code);
        for (y = top - 1; y <= top + height; ++y)
            for (x = left - 1; x <= left + width; ++x)
                if (pixelAt(&other, x, y) != (pixelAt(&one, x, y) * levels[d] + 127) / 255)
                    fail(d ? "a 4-bit pixel is not the coverage rounded"
                           : "a 2-bit pixel is not the coverage rounded",
                         code);
    }
}

/* Our 1-bit glyph against the GFX font's, and every depth's advance against the GFX one. */
static void checkDots(uint32_t code) {
    const GFXglyph *gfx = &gfx_run.glyph[code - gfx_run.first];
    const lv_font_t *fonts[] = {&font_b1, &font_b2, &font_b4, &font_b8, &font_b2z, &font_b4z};
    int i, x, y, sparse = 0;
    for (i = 0; i < 6; ++i)
        if (!decode(fonts[i], code, &one, &sparse) || one.advance != gfx->xAdvance * 16)
            fail("an advance is not the GFX font's", code);
    decode(&font_b1, code, &one, &sparse);
    for (y = -40; y < 20; ++y)
        for (x = -10; x < 40; ++x) {
            int gx = x - gfx->xOffset, gy = y - gfx->yOffset, dot = 0;
            if (gx >= 0 && gy >= 0 && gx < gfx->width && gy < gfx->height) {
                int bit = gy * gfx->width + gx;
                dot = gfx_run.bitmap[gfx->bitmapOffset + bit / 8] >> (7 - bit % 8) & 1;
            }
            if (pixelAt(&one, x, y) != dot) fail("a 1-bit glyph is not the GFX font's", code);
        }
}

static void checkKerning(void) {
    const lv_font_fmt_txt_dsc_t *dsc = font_b4.dsc;
    const lv_font_fmt_txt_kern_pair_t *pairs = dsc->kern_dsc;
    int sparse = 0, a = glyphId(dsc, 'A', &sparse), v = glyphId(dsc, 'V', &sparse);
    uint32_t i;
    for (i = 0; pairs && i < pairs->pair_cnt; ++i) {
        const uint8_t *ids = (const uint8_t *)pairs->glyph_ids + 2 * i;
        if (pairs->glyph_ids_size == 0 && ids[0] == a && ids[1] == v && pairs->values[i] < 0) {
            printf("A V kerned by %d/16 pixels\n", pairs->values[i] * dsc->kern_scale / 16);
            return;
        }
    }
    fail("the A V pair is not kerned", 'A');
}

int main(int argc, char **argv) {
    static unsigned char coverage[256 * 256];
    FILE *listed = argc > 1 ? fopen(argv[1], "r") : NULL;
    unsigned code;
    int left, top, width, height, i, glyphs = 0, sparse = 0;
    checkReference(&ref_2, &ref_2z);
    checkReference(&ref_4, &ref_4z);
    if (!listed) return printf("no coverage list\n"), 1;
    while (fscanf(listed, "%x %d %d %d %d", &code, &left, &top, &width, &height) == 5) {
        for (i = 0; i < width * height; ++i) {
            unsigned value = 0;
            if (fscanf(listed, "%u", &value) != 1) return printf("a short coverage list\n"), 1;
            coverage[i] = (unsigned char)value;
        }
        checkCoverage(code, left, top, width, height, coverage);
        checkDots(code);
        ++glyphs;
    }
    fclose(listed);
    printf("%d glyphs at 1, 2, 4 and 8 bits, plain and compressed: as listed and as GFX draws\n",
           glyphs);
    checkKerning();
    if (!decode(&font_b4, 0xC5, &one, &sparse) || !sparse) fail("not in a sparse map", 0xC5);
    return failures;
}
