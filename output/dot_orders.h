// The dot orders a frame record can take: rows or columns in either direction, or pages of
// 8 rows, with the first dot of each group of eight in the low or the high bit.
#pragma once

#include <cstddef>

// The data bytes of one frame in the order of codingStyle (0 to 8).
size_t orderedFrameBytes(int width, int height, int codingStyle);
// Packs a stored frame (rows of whole bytes, leftmost dot in the low bit) of width x height
// into out, which holds orderedFrameBytes zeroed bytes. Groups are completed with zero bits.
void packInOrder(const unsigned char *frame, int width, int height, int codingStyle, int alignStyle,
                 unsigned char *out);

// The reverse: sets the dots of a zeroed stored frame of width x height from data packed in
// the order of codingStyle (0 to 8) with alignStyle.
void unpackInOrder(const unsigned char *data, int width, int height, int codingStyle,
                   int alignStyle, unsigned char *frame);

// Visits every pixel in the order of codingStyle 0 to 7: 0 to 3 walk rows, 4 to 7 columns;
// bit 1 of the value reverses the walk along a line, bit 0 the order of the lines.
// visit(x, y, line, position) gets the line's and the position's place in the walk.
template <typename Visit> void walkInOrder(int width, int height, int codingStyle, Visit visit) {
    bool columns = codingStyle >= 4, backAlong = codingStyle & 2, backLines = codingStyle & 1;
    int lines = columns ? width : height, length = columns ? height : width;
    for (int i = 0; i < lines; ++i) {
        int line = backLines ? lines - 1 - i : i;
        for (int p = 0; p < length; ++p) {
            int at = backAlong ? length - 1 - p : p;
            visit(columns ? line : at, columns ? at : line, i, p);
        }
    }
}
