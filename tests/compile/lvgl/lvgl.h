/* Stand-in declarations of LVGL's public font structures, written from the format's public
 * description (lv_font_fmt_txt's glyph descriptors, character maps and kerning pairs): what a
 * font file needs to compile, for LVGL 8 (LVGL_VERSION_MAJOR 8, with its glyph cache) and 9. */
#ifndef LVGL_STAND_IN_H
#define LVGL_STAND_IN_H
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifndef LVGL_VERSION_MAJOR
#define LVGL_VERSION_MAJOR 9
#endif
#define LVGL_VERSION_MINOR 0
#define LV_VERSION_CHECK(x, y, z) (x == LVGL_VERSION_MAJOR && y <= LVGL_VERSION_MINOR)
#define LV_ATTRIBUTE_LARGE_CONST

typedef struct {
    uint32_t bitmap_index : 20; /* the glyph's first byte in glyph_bitmap */
    uint32_t adv_w : 12;        /* the advance in 1/16 pixel */
    uint8_t box_w, box_h;
    int8_t ofs_x, ofs_y; /* the box's left and bottom from the origin on the baseline */
} lv_font_fmt_txt_glyph_dsc_t;

/* maps of consecutive code points, or of a list of them (the full maps are not written) */
typedef enum {
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY = 2,
    LV_FONT_FMT_TXT_CMAP_SPARSE_TINY
} lv_font_fmt_txt_cmap_type_t;

typedef struct {
    uint32_t range_start;
    uint16_t range_length;
    uint16_t glyph_id_start;
    const uint16_t *unicode_list;
    const void *glyph_id_ofs_list;
    uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type;
} lv_font_fmt_txt_cmap_t;

typedef struct {
    const void *glyph_ids; /* pairs of left and right glyph ids, sorted */
    const int8_t *values;
    uint32_t pair_cnt : 30;
    uint32_t glyph_ids_size : 2; /* 0: uint8_t ids, 1: uint16_t */
} lv_font_fmt_txt_kern_pair_t;

typedef struct {
    uint32_t last_letter, last_glyph_id;
} lv_font_fmt_txt_glyph_cache_t;

typedef struct {
    const uint8_t *glyph_bitmap;
    const lv_font_fmt_txt_glyph_dsc_t *glyph_dsc;
    const lv_font_fmt_txt_cmap_t *cmaps;
    const void *kern_dsc;
    uint16_t kern_scale; /* 12.4 */
    uint16_t cmap_num : 9;
    uint16_t bpp : 4;
    uint16_t kern_classes : 1;
    uint16_t bitmap_format : 2; /* 0 plain, 1 compressed */
#if LVGL_VERSION_MAJOR == 8
    lv_font_fmt_txt_glyph_cache_t *cache;
#endif
} lv_font_fmt_txt_dsc_t;

enum { LV_FONT_SUBPX_NONE };
typedef struct lv_font_t {
    bool (*get_glyph_dsc)(const struct lv_font_t *, void *, uint32_t, uint32_t);
    const void *(*get_glyph_bitmap)(const struct lv_font_t *, uint32_t);
    int32_t line_height, base_line;
    uint8_t subpx : 2;
    int8_t underline_position, underline_thickness;
    const void *dsc;
    const struct lv_font_t *fallback;
    void *user_data;
} lv_font_t;

/* LVGL's readers of the format: the clients here read the structures themselves */
#define lv_font_get_glyph_dsc_fmt_txt NULL
#define lv_font_get_bitmap_fmt_txt NULL
#endif
