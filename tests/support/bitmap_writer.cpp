#include "bitmap_writer.h"

#include <cstring>
#include <map>
#include <vector>

static void put16(std::string &out, unsigned value) {
    out += static_cast<char>(value & 255);
    out += static_cast<char>((value >> 8) & 255);
}

static void put32(std::string &out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::string makeBitmap(int width, int height, BmpEncoding encoding, bool topDown,
                       const std::function<COLORREF(int, int)> &colourAt) {
    int bits = encoding == BmpEncoding::Mono1      ? 1
               : encoding == BmpEncoding::Palette4 ? 4
               : encoding == BmpEncoding::Rgb24    ? 24
               : encoding == BmpEncoding::Rgb32    ? 32
                                                   : 8;
    bool paletted = bits <= 8;
    std::vector<COLORREF> palette;
    std::map<COLORREF, int> index;
    if (paletted) {
        palette = {RGB(0, 0, 0), RGB(255, 255, 255)};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = colourAt(x, y);
                if (c != palette[0] && c != palette[1] && !index.count(c) &&
                    palette.size() < (1u << bits))
                    palette.push_back(c);
                index[c] = 0;
            }
        index.clear();
        for (size_t i = 0; i < palette.size(); ++i)
            index[palette[i]] = static_cast<int>(i);
    }
    auto paletteIndex = [&](int x, int y) {
        auto found = index.find(colourAt(x, y));
        if (found != index.end()) return found->second;
        COLORREF c = colourAt(x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) > 382 ? 1 : 0;
    };

    std::string pixels;
    int stride = (width * bits + 31) / 32 * 4;
    for (int line = 0; line < height; ++line) {
        int y = topDown ? line : height - 1 - line;
        std::string row;
        if (encoding == BmpEncoding::Rle8) {
            for (int x = 0; x < width;) { // runs of one index, at most 255 long
                int run = 1, value = paletteIndex(x, y);
                while (x + run < width && run < 255 && paletteIndex(x + run, y) == value)
                    ++run;
                row += static_cast<char>(run);
                row += static_cast<char>(value);
                x += run;
            }
            row += std::string("\0\0", 2); // end of line
            pixels += row;
            continue;
        }
        row.assign(stride, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = colourAt(x, y);
            if (bits == 1) {
                if (paletteIndex(x, y)) row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
            } else if (bits == 4) {
                row[x / 2] |= static_cast<char>(paletteIndex(x, y) << (x % 2 ? 0 : 4));
            } else if (bits == 8) {
                row[x] = static_cast<char>(paletteIndex(x, y));
            } else {
                int at = x * (bits / 8);
                row[at] = static_cast<char>(GetBValue(c));
                row[at + 1] = static_cast<char>(GetGValue(c));
                row[at + 2] = static_cast<char>(GetRValue(c));
            }
        }
        pixels += row;
    }
    if (encoding == BmpEncoding::Rle8) pixels += std::string("\0\1", 2); // end of bitmap

    unsigned paletteBytes = paletted ? static_cast<unsigned>(palette.size()) * 4 : 0;
    unsigned offset = 14 + 40 + paletteBytes;
    std::string out = "BM";
    put32(out, offset + static_cast<unsigned>(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, width);
    put32(out, static_cast<unsigned>(topDown ? -height : height));
    put16(out, 1);
    put16(out, bits);
    put32(out, encoding == BmpEncoding::Rle8 ? BI_RLE8 : BI_RGB);
    put32(out, static_cast<unsigned>(pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, paletted ? static_cast<unsigned>(palette.size()) : 0);
    put32(out, 0);
    for (COLORREF c : palette) {
        out += static_cast<char>(GetBValue(c));
        out += static_cast<char>(GetGValue(c));
        out += static_cast<char>(GetRValue(c));
        out += '\0';
    }
    return out + pixels;
}
