#include "convert/dib_pixels.h"

#include "model/size_limits.h"

BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool readTopDownPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<DWORD> &pixels) {
    BITMAPINFO info = topDownInfo(width, height);
    size_t count;
    if (width <= 0 || height <= 0 || !multiplySizes(width, height, count)) return false;
    try {
        pixels.assign(count, 0);
    } catch (...) {
        return false;
    }
    return GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
}
