#include "output/dot_orders.h"

#include "model/frame_set.h"

static const int pagesOfEightRows = 8;

size_t orderedFrameBytes(int width, int height, int codingStyle) {
    if (codingStyle < 4) return static_cast<size_t>(rowBytesOf(width)) * height;
    return static_cast<size_t>((height + 7) / 8) * width; // columns and pages alike
}

// Visits every dot of a width x height frame with the byte and the bit that hold it in the
// order of codingStyle (0 to 8) with alignStyle: what packing and unpacking share.
template <typename Visit>
static void forEachPlace(int width, int height, int codingStyle, int alignStyle, Visit visit) {
    auto bit = [alignStyle](int j) { return alignStyle ? 0x80 >> j : 1 << j; };
    if (codingStyle == pagesOfEightRows) { // a byte per column of each band of 8 rows
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                visit(x, y, static_cast<size_t>(y / 8) * width + x, bit(y % 8));
        return;
    }
    size_t groups = ((codingStyle >= 4 ? height : width) + 7) / 8; // bytes a line
    walkInOrder(width, height, codingStyle, [&](int x, int y, int line, int position) {
        visit(x, y, line * groups + position / 8, bit(position % 8));
    });
}

void packInOrder(const unsigned char *frame, int width, int height, int codingStyle, int alignStyle,
                 unsigned char *out) {
    size_t rowBytes = rowBytesOf(width);
    forEachPlace(width, height, codingStyle, alignStyle, [&](int x, int y, size_t byte, int bit) {
        if ((frame[y * rowBytes + x / 8] >> (x % 8)) & 1) out[byte] |= bit;
    });
}

void unpackInOrder(const unsigned char *data, int width, int height, int codingStyle,
                   int alignStyle, unsigned char *frame) {
    size_t rowBytes = rowBytesOf(width);
    forEachPlace(width, height, codingStyle, alignStyle, [&](int x, int y, size_t byte, int bit) {
        if (data[byte] & bit) frame[y * rowBytes + x / 8] |= 1 << (x % 8);
    });
}
