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
    // 0 to 3 walk rows, 4 to 7 columns; bit 1 reverses the walk along a line, bit 0 the
    // order of the lines
    bool columns = codingStyle >= 4, backAlong = codingStyle & 2, backLines = codingStyle & 1;
    int lines = columns ? width : height, length = columns ? height : width;
    int groups = (length + 7) / 8;
    for (int i = 0; i < lines; ++i) {
        int line = backLines ? lines - 1 - i : i;
        for (int p = 0; p < length; ++p) {
            int at = backAlong ? length - 1 - p : p;
            if (columns ? dot(line, at) : dot(at, line)) out[i * groups + p / 8] |= bit(p % 8);
        }
    }
}
