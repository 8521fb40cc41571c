#include "output/dot_orders.h"

#include "model/matrix_store.h"

static const int pagesOfEightRows = 8;

size_t orderedFrameBytes(int width, int height, int codingStyle) {
    if (codingStyle < 4) return static_cast<size_t>(rowBytesOf(width)) * height;
    return static_cast<size_t>((height + 7) / 8) * width; // columns and pages alike
}

void packInOrder(const unsigned char *frame, int width, int height, int codingStyle, int alignStyle,
                 unsigned char *out) {
    int rowBytes = rowBytesOf(width);
    auto dot = [&](int x, int y) { return (frame[y * rowBytes + x / 8] >> (x % 8)) & 1; };
    auto bit = [alignStyle](int j) { return alignStyle ? 0x80 >> j : 1 << j; };
    if (codingStyle == pagesOfEightRows) { // a byte per column of each band of 8 rows
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (dot(x, y)) out[(y / 8) * width + x] |= bit(y % 8);
        return;
    }
    int groups = ((codingStyle >= 4 ? height : width) + 7) / 8; // bytes a line
    walkInOrder(width, height, codingStyle, [&](int x, int y, int line, int position) {
        if (dot(x, y)) out[line * groups + position / 8] |= bit(position % 8);
    });
}

void unpackInOrder(const unsigned char *data, int width, int height, int codingStyle,
                   int alignStyle, unsigned char *frame) {
    size_t rowBytes = rowBytesOf(width);
    auto set = [&](int x, int y) { frame[y * rowBytes + x / 8] |= 1 << (x % 8); };
    auto bit = [alignStyle](int j) { return alignStyle ? 0x80 >> j : 1 << j; };
    if (codingStyle == pagesOfEightRows) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (data[static_cast<size_t>(y / 8) * width + x] & bit(y % 8)) set(x, y);
        return;
    }
    size_t groups = ((codingStyle >= 4 ? height : width) + 7) / 8;
    walkInOrder(width, height, codingStyle, [&](int x, int y, int line, int position) {
        if (data[line * groups + position / 8] & bit(position % 8)) set(x, y);
    });
}
