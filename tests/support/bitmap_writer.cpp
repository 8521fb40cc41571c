#include "bitmap_writer.h"

#include <algorithm>
#include <vector>

static void put(std::string &out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 255);
}

std::string makeBitmap(int width, int height, int bits, bool topDown,
                       const std::function<COLORREF(int, int)> &colourAt) {
    std::vector<COLORREF> palette;
    if (bits <= 8) palette = {RGB(0, 0, 0), RGB(255, 255, 255)};
    auto indexOf = [&](COLORREF c) {
        auto found = std::find(palette.begin(), palette.end(), c);
        if (found != palette.end()) return static_cast<int>(found - palette.begin());
        if (palette.size() < (1u << bits)) {
            palette.push_back(c);
            return static_cast<int>(palette.size() - 1);
        }
        return GetRValue(c) + GetGValue(c) + GetBValue(c) > 382 ? 1 : 0;
    };
    std::string pixels;
    int stride = (width * bits + 31) / 32 * 4;
    for (int line = 0; line < height; ++line) {
        int y = topDown ? line : height - 1 - line;
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = colourAt(x, y);
            if (bits > 8) {
                row[x * bits / 8] = static_cast<char>(GetBValue(c));
                row[x * bits / 8 + 1] = static_cast<char>(GetGValue(c));
                row[x * bits / 8 + 2] = static_cast<char>(GetRValue(c));
            } else { // leftmost pixel in the high bits
                int shift = 8 - bits - (x * bits) % 8;
                row[x * bits / 8] |= static_cast<char>(indexOf(c) << shift);
            }
        }
        pixels += row;
    }
    unsigned offset = 14 + 40 + (bits <= 8 ? (1u << bits) * 4 : 0);
    std::string out = "BM";
    put(out, offset + static_cast<unsigned>(pixels.size()), 4);
    put(out, 0, 4);
    put(out, offset, 4);
    put(out, 40, 4);
    put(out, width, 4);
    put(out, static_cast<unsigned>(topDown ? -height : height), 4);
    put(out, 1, 2);
    put(out, bits, 2);
    for (unsigned value : {0u, static_cast<unsigned>(pixels.size()), 2835u, 2835u, 0u, 0u})
        put(out, value, 4);
    if (bits <= 8) palette.resize(1u << bits);
    for (COLORREF c : palette)
        put(out, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c), 4);
    return out + pixels;
}
