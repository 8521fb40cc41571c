// Text frames as an LVGL font: lv_font_fmt_txt's glyph bitmaps (each glyph whole, cropped to its
// ink, at 1, 2, 4 or 8 bits a pixel, plain or compressed), glyph descriptors (id 0 reserved),
// character maps, kerning pairs and the lv_font_t naming them.
#include "output/output.h"

#include "model/glyph_shades.h"
#include "output/font_source.h"
#include "output/formatted.h"
#include "output/lvgl_compression.h"

#include <algorithm>

namespace {

struct LvglGlyph {
    unsigned code = 0;
    size_t bitmapIndex = 0;
    int advance = 0, width = 0, height = 0, x = 0, y = 0; // x, y: the box's bottom left
};

struct LvglCmap {
    unsigned start = 0, length = 0, firstId = 0;
    std::vector<unsigned> offsets; // a sparse map's code points after start; none: consecutive
};

struct LvglKern {
    unsigned left, right;
    int amount;
};

struct LvglFont {
    std::vector<unsigned char> bitmap;
    std::vector<LvglGlyph> glyphs; // by code point; glyph id = index + 1
    std::vector<LvglCmap> cmaps;
    std::vector<LvglKern> kerning; // by glyph ids
    std::string problem;
};

constexpr size_t maxGlyphs = 65535;
constexpr size_t smallIndexBytes = size_t(1) << 20; // bitmap_index's 20 bits
constexpr unsigned longestMap = 65535;
constexpr unsigned consecutiveMapRun = 10; // a run this long gets a map of its own

std::string characterName(unsigned code) {
    char name[16];
    snprintf(name, sizeof name, "U+%04X", code);
    return name;
}

// The glyph's pixels at bits a pixel, over its ink: the dots, or the shades rounded.
LvglGlyph glyphOf(const FrameSet &frames, int n, unsigned code, int bits, bool compressed,
                  std::vector<unsigned char> &bitmap) {
    const int top = (1 << bits) - 1;
    auto level = [&](int x, int y) {
        if (bits == 1) return glyphDot(frames, n, x, y) ? 1u : 0u;
        return (shadeAt(frames, n, x, y) * static_cast<unsigned>(top) + 127) / 255;
    };
    unsigned char least = static_cast<unsigned char>((128 + top - 1) / top);
    InkBox ink = bits == 1 ? glyphInkBox(frames, n) : shadeInkBox(frames, n, least);
    const FrameSet::Glyph &cell = frames.glyphs[n];
    LvglGlyph glyph;
    glyph.code = code;
    glyph.bitmapIndex = bitmap.size();
    glyph.advance = cell.advance;
    glyph.width = ink.right - ink.left;
    glyph.height = ink.bottom - ink.top;
    glyph.x = glyph.width ? ink.left - cell.originX : 0;
    glyph.y = glyph.height ? cell.baseline - ink.bottom : 0;
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(glyph.width) * glyph.height);
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            pixels.push_back(static_cast<unsigned char>(level(x, y)));
    if (compressed)
        compressGlyph(pixels, glyph.width, glyph.height, bits, bitmap);
    else
        packGlyph(pixels, bits, bitmap);
    return glyph;
}

std::string glyphProblem(const LvglGlyph &glyph) {
    std::string name = characterName(glyph.code);
    if (glyph.width > 255 || glyph.height > 255)
        return "The glyph of " + name +
               " is over 255 pixels wide or high, more than an LVGL "
               "glyph holds.";
    if (glyph.x < -128 || glyph.x > 127 || glyph.y < -128 || glyph.y > 127)
        return "The glyph of " + name +
               " lies over 127 pixels from its origin, more than an "
               "LVGL glyph's offsets hold.";
    if (glyph.advance < 0 || glyph.advance > 255)
        return "The advance of " + name +
               " is outside 0 to 255 pixels, more than an LVGL glyph "
               "holds.";
    return "";
}

// Consecutive runs of code points get maps of their own; the characters between them share
// sparse maps, none longer than a map holds.
std::vector<LvglCmap> mapsOf(const std::vector<LvglGlyph> &glyphs) {
    std::vector<LvglCmap> maps;
    LvglCmap sparse;
    auto closeSparse = [&]() {
        if (sparse.offsets.empty()) return;
        sparse.length = sparse.offsets.back() + 1;
        maps.push_back(sparse);
        sparse = LvglCmap();
    };
    for (size_t at = 0; at < glyphs.size();) {
        size_t end = at + 1;
        while (end < glyphs.size() && glyphs[end].code == glyphs[end - 1].code + 1)
            ++end;
        size_t run = end - at;
        if (run >= consecutiveMapRun || run == glyphs.size()) {
            closeSparse();
            for (size_t from = at; from < end; from += longestMap)
                maps.push_back({glyphs[from].code,
                                static_cast<unsigned>(std::min<size_t>(end - from, longestMap)),
                                static_cast<unsigned>(from + 1),
                                {}});
        } else {
            for (size_t i = at; i < end; ++i) {
                if (!sparse.offsets.empty() && (glyphs[i].code - sparse.start >= longestMap ||
                                                sparse.offsets.size() >= longestMap))
                    closeSparse();
                if (sparse.offsets.empty())
                    sparse.start = glyphs[i].code, sparse.firstId = static_cast<unsigned>(i + 1);
                sparse.offsets.push_back(glyphs[i].code - sparse.start);
            }
        }
        at = end;
    }
    closeSparse();
    return maps;
}

std::vector<LvglKern> kerningOf(const FrameSet &frames, const std::vector<LvglGlyph> &glyphs) {
    auto idOf = [&](unsigned code) -> unsigned {
        auto found = std::lower_bound(glyphs.begin(), glyphs.end(), code,
                                      [](const LvglGlyph &g, unsigned c) { return g.code < c; });
        return found != glyphs.end() && found->code == code
                   ? static_cast<unsigned>(found - glyphs.begin() + 1)
                   : 0;
    };
    std::vector<LvglKern> pairs;
    for (const FrameSet::KerningPair &pair : frames.kerning) {
        unsigned left = idOf(pair.left), right = idOf(pair.right);
        // whole pixels, kept in a signed byte at a scale of 16.0
        if (left && right && pair.amount >= -128 && pair.amount <= 127 && pair.amount)
            pairs.push_back({left, right, pair.amount});
    }
    std::sort(pairs.begin(), pairs.end(), [](const LvglKern &a, const LvglKern &b) {
        return a.left != b.left ? a.left < b.left : a.right < b.right;
    });
    pairs.erase(std::unique(pairs.begin(), pairs.end(),
                            [](const LvglKern &a, const LvglKern &b) {
                                return a.left == b.left && a.right == b.right;
                            }),
                pairs.end());
    return pairs;
}

LvglFont build(const FrameSet &frames, const Settings &settings) {
    LvglFont font;
    int bits = bitsPerPixel(settings);
    if (frames.coding != 0 || !isText(frames)) {
        font.problem = "No text frames."; // refused before, as the style's row says
        return font;
    }
    if (settings.compressed && (bits == 1 || bits == 8)) {
        font.problem = "LVGL 9 decodes compressed glyphs of 2 or 4 bits a pixel only: choose 2 or "
                       "4 bits a pixel, or no compression.";
        return font;
    }
    std::vector<std::pair<unsigned, int>> order; // code points and frames, by code point
    for (int n = 0; n < frames.count; ++n)
        order.emplace_back(frameCodePoint(frames, n), n);
    std::sort(order.begin(), order.end()); // a repeated character: its first frame first
    for (const auto &[code, n] : order) {
        if (!font.glyphs.empty() && font.glyphs.back().code == code) continue;
        if (font.glyphs.size() == maxGlyphs) {
            font.problem = "It has more than 65535 characters, more than an LVGL font holds.";
            return font;
        }
        font.glyphs.push_back(
            glyphOf(frames, n, code, bits, settings.compressed != 0, font.bitmap));
        font.problem = glyphProblem(font.glyphs.back());
        if (!font.problem.empty()) return font;
    }
    font.cmaps = mapsOf(font.glyphs);
    if (font.cmaps.size() > 511)
        font.problem = "Its characters need more than 511 character maps, more than an LVGL font "
                       "holds.";
    if (settings.kerning) font.kerning = kerningOf(frames, font.glyphs);
    return font;
}

void writeBitmaps(std::string &out, const LvglFont &font) {
    out += "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        size_t from = font.glyphs[i].bitmapIndex;
        size_t to =
            i + 1 < font.glyphs.size() ? font.glyphs[i + 1].bitmapIndex : font.bitmap.size();
        if (from == to) continue;
        out += "    /* " + characterName(font.glyphs[i].code) + " */\n";
        appendHexBytes(out, font.bitmap.data() + from, to - from, 16);
    }
    if (font.bitmap.empty()) out += "    0x00, /* no glyph has ink */\n";
    out += "};\n\n";
}

void writeDescriptors(std::string &out, const LvglFont &font) {
    out += "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
           "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},"
           " /* id 0: none */\n";
    for (const LvglGlyph &glyph : font.glyphs)
        appendFormatted(
            out,
            "    {.bitmap_index = %u, .adv_w = %d, .box_w = %d, .box_h = %d, .ofs_x = %d, "
            ".ofs_y = %d}, /* %s */\n",
            static_cast<unsigned>(glyph.bitmapIndex), glyph.advance * 16, glyph.width, glyph.height,
            glyph.x, glyph.y, characterName(glyph.code).c_str());
    out += "};\n\n";
}

void writeMaps(std::string &out, const LvglFont &font) {
    for (size_t i = 0; i < font.cmaps.size(); ++i) {
        const std::vector<unsigned> &offsets = font.cmaps[i].offsets;
        if (offsets.empty()) continue;
        appendFormatted(out, "static const uint16_t unicode_list_%u[] = {\n",
                        static_cast<unsigned>(i));
        for (size_t k = 0; k < offsets.size(); ++k)
            out += (k % 12 ? " " : "    ") + std::to_string(offsets[k]) +
                   (k + 1 == offsets.size() || k % 12 == 11 ? ",\n" : ",");
        out += "};\n\n";
    }
    out += "static const lv_font_fmt_txt_cmap_t cmaps[] = {\n";
    for (size_t i = 0; i < font.cmaps.size(); ++i) {
        const LvglCmap &map = font.cmaps[i];
        bool sparse = !map.offsets.empty();
        std::string list = sparse ? "unicode_list_" + std::to_string(i) : "NULL";
        appendFormatted(out,
                        "    {.range_start = %u, .range_length = %u, .glyph_id_start = %u, "
                        ".unicode_list = %s, .glyph_id_ofs_list = NULL, .list_length = %u, .type = "
                        "LV_FONT_FMT_TXT_CMAP_%s},\n",
                        map.start, map.length, map.firstId, list.c_str(),
                        static_cast<unsigned>(map.offsets.size()),
                        sparse ? "SPARSE_TINY" : "FORMAT0_TINY");
    }
    out += "};\n\n";
}

void writeKerning(std::string &out, const LvglFont &font) {
    bool wide = font.glyphs.size() > 255;
    appendFormatted(out, "static const %s kern_pair_glyph_ids[] = {\n",
                    wide ? "uint16_t" : "uint8_t");
    std::string ids, values;
    for (size_t i = 0; i < font.kerning.size(); ++i) {
        const LvglKern &pair = font.kerning[i];
        ids += (i % 8 ? " " : "    ") + std::to_string(pair.left) + ", " +
               std::to_string(pair.right) +
               (i % 8 == 7 || i + 1 == font.kerning.size() ? ",\n" : ",");
        values += (i % 16 ? " " : "    ") + std::to_string(pair.amount) +
                  (i % 16 == 15 || i + 1 == font.kerning.size() ? ",\n" : ",");
    }
    appendFormatted(
        out,
        "%s};\n\n/* whole pixels: scaled by 16.0 */\nstatic const int8_t kern_pair_values[] = "
        "{\n%s};\n\n"
        "static const lv_font_fmt_txt_kern_pair_t kern_pairs = {\n"
        "    .glyph_ids = kern_pair_glyph_ids,\n    .values = kern_pair_values,\n"
        "    .pair_cnt = %u,\n    .glyph_ids_size = %d,\n};\n\n",
        ids.c_str(), values.c_str(), static_cast<unsigned>(font.kerning.size()), wide ? 1 : 0);
}

} // namespace

std::string lvglFontProblem(const FrameSet &frames, const Settings &settings) {
    return build(frames, settings).problem;
}

bool writeLvglFont(const FrameSet &frames, const Settings &settings, std::string &out) {
    LvglFont font = build(frames, settings);
    if (!font.problem.empty()) return false;
    out = sourceHeader(frames, settings);
    const char *name = settings.arrayName.c_str();
    int bits = bitsPerPixel(settings);
    appendFormatted(out,
                    "/* An LVGL font: %s, %d bit%s a pixel%s.\n"
                    "   LV_FONT_DECLARE(%s); lv_obj_set_style_text_font(label, &%s, 0); */\n"
                    "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n#include \"lvgl.h\"\n#else\n"
                    "#include \"lvgl/lvgl.h\"\n#endif\n\n",
                    fontDescription(settings).c_str(), bits, bits == 1 ? "" : "s",
                    settings.compressed ? ", compressed" : "", name, name);
    // a glyph beyond bitmap_index's 20 bits needs LVGL's large descriptors
    if (!font.glyphs.empty() && font.glyphs.back().bitmapIndex >= smallIndexBytes)
        appendFormatted(out,
                        "#if !LV_FONT_FMT_TXT_LARGE\n#error \"%s holds over 1 MiB of glyphs: set "
                        "LV_FONT_FMT_TXT_LARGE to 1 in lv_conf.h\"\n#endif\n\n",
                        name);
    if (settings.compressed) // LVGL's default lv_conf.h leaves the decoder out: blank text
        appendFormatted(out,
                        "#if !LV_USE_FONT_COMPRESSED\n#error \"%s is compressed: set "
                        "LV_USE_FONT_COMPRESSED to 1 in lv_conf.h\"\n#endif\n\n",
                        name);
    writeBitmaps(out, font);
    writeDescriptors(out, font);
    writeMaps(out, font);
    bool kerned = !font.kerning.empty();
    if (kerned) writeKerning(out, font);
    const FrameSet::Glyph &any = frames.glyphs[0];
    int ascent = frames.ascent ? frames.ascent : any.baseline;
    int descent = frames.ascent ? frames.descent : frames.lineHeight - any.baseline;
    appendFormatted(
        out,
        "#if LVGL_VERSION_MAJOR == 8\nstatic lv_font_fmt_txt_glyph_cache_t cache;\n#endif\n\n"
        "static const lv_font_fmt_txt_dsc_t font_dsc = {\n"
        "    .glyph_bitmap = glyph_bitmap,\n    .glyph_dsc = glyph_dsc,\n    .cmaps = cmaps,\n"
        "    .kern_dsc = %s,\n    .kern_scale = %d,\n    .cmap_num = %u,\n    .bpp = %d,\n"
        "    .kern_classes = 0,\n    .bitmap_format = %d,\n"
        "#if LVGL_VERSION_MAJOR == 8\n    .cache = &cache,\n#endif\n};\n\n"
        "const lv_font_t %s = {\n"
        "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n"
        "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,\n"
        "    .line_height = %d,\n    .base_line = %d,\n    .subpx = LV_FONT_SUBPX_NONE,\n"
        "    .underline_position = %d,\n    .underline_thickness = %d,\n"
        "    .dsc = &font_dsc,\n    .fallback = NULL,\n    .user_data = NULL,\n};\n",
        kerned ? "&kern_pairs" : "NULL", kerned ? 256 : 0, static_cast<unsigned>(font.cmaps.size()),
        bits, settings.compressed ? 1 : 0, name, ascent + descent, descent,
        std::max(-128, std::min(frames.underlinePosition, 127)),
        std::max(-128, std::min(frames.underlineThickness, 127)));
    return true;
}
