#include "convert/picture_import.h"

#include "convert/dib_pixels.h"
#include "model/coded_pixels.h"

#include <vector>

// colour: 0xRRGGBB. A gray or colour frame keeps the pixel's value in its coding.
static void storePixel(FrameSet &frames, int column, int row, DWORD colour) {
    if (frames.coding != 0)
        storeCodedPixel(frames, column, row, codeColour(colour, frames.coding));
    else
        putDot(frames, 0, column, row, colour != 0);
}

// Walks the pixels in the order they lie in memory, with a progress report per percent.
static void storePixels(const std::vector<DWORD> &pixels, FrameSet &frames, Reporter &report) {
    long long total = static_cast<long long>(frames.width) * frames.height, handled = 0;
    long long nextPercentAt = 0;
    for (int y = 0; y < frames.height; ++y) {
        const DWORD *row = pixels.data() + static_cast<size_t>(y) * frames.width;
        for (int x = 0; x < frames.width; ++x, ++handled) {
            storePixel(frames, x, y, row[x] & 0xFFFFFF);
            if (handled >= nextPercentAt) {
                int percent = static_cast<int>(handled * 100 / total);
                report.progress(percent);
                nextPercentAt = ((percent + 1) * total + 99) / 100; // first pixel of the next
            }
        }
    }
}

// Returns nullptr when read, else the reason.
static const char *readBitmapPixels(const char *path, bool ownColours, std::vector<DWORD> &pixels,
                                    BITMAP &shape) {
    const char *reason = nullptr;
    HBITMAP bitmap = loadBitmapFile(path, ownColours ? 0 : LR_MONOCHROME, reason);
    if (!bitmap) return reason;
    HDC dc = CreateCompatibleDC(nullptr);
    bool read = GetObjectA(bitmap, sizeof shape, &shape) &&
                readTopDownPixels(dc, bitmap, shape.bmWidth, shape.bmHeight, pixels);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return read ? nullptr : "Its pixels can't be read.";
}

FramesMade importPicture(const char *path, int coding, FrameSet &frames, Reporter &report) {
    std::vector<DWORD> pixels;
    BITMAP shape = {};
    if (coding < 0 || coding > 3) coding = 0;
    const char *reason = readBitmapPixels(path, coding != 0, pixels, shape);
    FrameSet picture;
    FramesMade made = reason ? FramesMade::refused
                             : makeFrames(picture, shape.bmWidth, shape.bmHeight, 1, coding);
    if (made == FramesMade::tooLarge || made == FramesMade::outOfMemory)
        reason = "It is too large for the memory left.";
    if (reason)
        report.tell(std::string("Can't load the bitmap ") + path + "!\n" + reason, MB_ICONERROR);
    if (reason) return FramesMade::refused;
    storePixels(pixels, picture, report);
    frames = std::move(picture);
    return FramesMade::made;
}
