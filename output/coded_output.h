// Gray and colour frames as output: the pixels in the order of codingStyle 0 to 7 (8 counts as
// 4), no padding between lines; coding 1 two pixels a byte (the first in the low nibble, in the
// high one with alignStyle 1, an odd last pixel completed with 0), 2 a byte a pixel, 3 two
// bytes a pixel, high byte first.
#pragma once

#include "model/frame_set.h"

#include <cstddef>

size_t codedFrameBytes(int width, int height, int coding);
// Packs the coded pixels of frame 0 into out, which holds codedFrameBytes zeroed bytes.
void packCodedFrame(const FrameSet &frames, int codingStyle, int alignStyle, unsigned char *out);
