#include "convert/glyph_box.h"

#include <algorithm>

static const MAT2 unscaled = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

bool GlyphBox::dot(int x, int y) const {
    int column = x - left, row = y - top;
    return column >= 0 && row >= 0 && column < width && row < height &&
           (rows[pitch * row + column / 8] >> (7 - column % 8) & 1);
}

DWORD glyphOutline(HDC dc, const TextCharacter &character, UINT format, GLYPHMETRICS &metrics,
                   std::vector<unsigned char> &rows) {
    auto outline = [&](DWORD size, void *buffer) -> DWORD {
        if (character.units.empty()) {
            const std::string &bytes = character.name;
            UINT code = static_cast<unsigned char>(bytes[0]);
            if (bytes.size() == 2) code = code << 8 | static_cast<unsigned char>(bytes[1]);
            return GetGlyphOutlineA(dc, code, format, &metrics, size, buffer, &unscaled);
        }
        return GetGlyphOutlineW(dc, codePointOf(character.units), format, &metrics, size, buffer,
                                &unscaled);
    };
    bool onePoint = character.units.size() == 1 ||
                    (character.units.size() == 2 && codePointOf(character.units) > 0xFFFF);
    if (!character.units.empty() && !onePoint) return GDI_ERROR;
    DWORD size = outline(0, nullptr);
    if (size == GDI_ERROR || size == 0) return size;
    rows.assign(size, 0);
    return outline(size, rows.data());
}

bool glyphBoxOf(HDC dc, const TextCharacter &character, int penX, int baselineY, GlyphBox &box) {
    GLYPHMETRICS metrics = {};
    DWORD size = glyphOutline(dc, character, GGO_BITMAP, metrics, box.rows);
    if (size == GDI_ERROR) return false;
    box.ink = InkBox();
    box.width = box.height = 0;
    if (size == 0) return true; // no ink: a space
    box.width = static_cast<int>(metrics.gmBlackBoxX);
    box.height = static_cast<int>(metrics.gmBlackBoxY);
    box.pitch = (static_cast<size_t>(box.width) + 31) / 32 * 4;
    if (box.pitch * box.height > box.rows.size()) return false;
    box.left = penX + metrics.gmptGlyphOrigin.x;
    box.top = baselineY - metrics.gmptGlyphOrigin.y;
    // the dots' own box: the engine's may hold empty rows and columns
    InkBox ink = {box.left + box.width, box.top + box.height, box.left, box.top};
    for (int y = box.top; y < box.top + box.height; ++y)
        for (int x = box.left; x < box.left + box.width; ++x)
            if (box.dot(x, y)) ink = takeIn(ink, x, y);
    if (ink.left < ink.right) box.ink = ink;
    return true;
}
