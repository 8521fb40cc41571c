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
