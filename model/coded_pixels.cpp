#include "model/coded_pixels.h"

static size_t pixelIndex(const FrameSet &frames, int column, int row) {
    return static_cast<size_t>(row) * frames.width + column;
}

unsigned codedPixel(const FrameSet &frames, int column, int row) {
    size_t i = pixelIndex(frames, column, row);
    const unsigned char *store = frames.bytes.data();
    if (frames.coding == 1) return (store[i / 2] >> (i % 2 * 4)) & 15;
    if (frames.coding == 2) return store[i];
    return store[2 * i] | store[2 * i + 1] << 8;
}

void storeCodedPixel(FrameSet &frames, int column, int row, unsigned value) {
    size_t i = pixelIndex(frames, column, row);
    unsigned char *store = frames.bytes.data();
    if (frames.coding == 1) {
        int shift = i % 2 * 4;
        store[i / 2] = static_cast<unsigned char>((store[i / 2] & ~(15 << shift)) | value << shift);
    } else if (frames.coding == 2) {
        store[i] = static_cast<unsigned char>(value);
    } else {
        store[2 * i] = static_cast<unsigned char>(value);
        store[2 * i + 1] = static_cast<unsigned char>(value >> 8);
    }
}

unsigned codeColour(DWORD rgb, int coding) {
    unsigned r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
    if (coding == 1) // the luma 0.299 R + 0.587 G + 0.114 B over 17, rounded, in whole numbers
        return (299 * r + 587 * g + 114 * b + 8500) / 17000;
    if (coding == 2) return (r >> 5) << 5 | (g >> 5) << 2 | b >> 6;
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
}

// Each channel stretched from its bits back to 0..255.
COLORREF shownColour(unsigned value, int coding) {
    if (coding == 1) return RGB(value * 17, value * 17, value * 17);
    if (coding == 2)
        return RGB((value >> 5) * 255 / 7, ((value >> 2) & 7) * 255 / 7, (value & 3) * 255 / 3);
    return RGB((value >> 11) * 255 / 31, ((value >> 5) & 63) * 255 / 63, (value & 31) * 255 / 31);
}
