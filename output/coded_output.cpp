#include "output/coded_output.h"

#include "model/coded_pixels.h"
#include "output/dot_orders.h"

size_t codedFrameBytes(int width, int height, int coding) {
    size_t pixels = static_cast<size_t>(width) * height;
    if (coding == 1) return (pixels + 1) / 2;
    return coding == 2 ? pixels : 2 * pixels;
}

void packCodedFrame(const FrameSet &frames, int codingStyle, int alignStyle, unsigned char *out) {
    int coding = frames.coding;
    size_t k = 0; // pixels written
    int order = codingStyle == 8 ? 4 : codingStyle;
    walkInOrder(frames.width, frames.height, order, [&](int x, int y, int, int) {
        unsigned value = codedPixel(frames, x, y);
        if (coding == 1) {
            bool high = (k % 2 == 1) != (alignStyle == 1);
            out[k / 2] |= static_cast<unsigned char>(high ? value << 4 : value);
        } else if (coding == 2) {
            out[k] = static_cast<unsigned char>(value);
        } else {
            out[2 * k] = static_cast<unsigned char>(value >> 8);
            out[2 * k + 1] = static_cast<unsigned char>(value);
        }
        ++k;
    });
}
