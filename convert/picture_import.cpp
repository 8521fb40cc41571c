#include "convert/picture_import.h"

#include "convert/dib_pixels.h"
#include "convert/input_file.h"
#include "convert/picture_pixels.h"
#include "model/coded_pixels.h"

#include <algorithm>
#include <vector>

// Reads a BMP file as the system loads it: one picture. Returns nullptr when read, else the
// reason.
static const char *readBitmapPixels(const char *path, bool ownColours, PicturePixels &picture) {
    const char *reason = nullptr;
    HBITMAP bitmap = loadBitmapFile(path, ownColours ? 0 : LR_MONOCHROME, reason);
    if (!bitmap) return reason;
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP shape = {};
    bool read = GetObjectA(bitmap, sizeof shape, &shape) &&
                readTopDownPixels(dc, bitmap, shape.bmWidth, shape.bmHeight, picture.pixels);
    DeleteDC(dc);
    DeleteObject(bitmap);
    for (DWORD &pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    picture.width = shape.bmWidth;
    picture.height = shape.bmHeight;
    return read ? nullptr : "Its pixels can't be read.";
}

static bool startsAsBitmap(const char *path, const char *&reason) {
    InputFile input;
    reason = openInputFile(path, input);
    if (reason) return false;
    char magic[2] = {};
    bool bitmap = fread(magic, 1, 2, input.file) == 2 && magic[0] == 'B' && magic[1] == 'M';
    fclose(input.file);
    return bitmap;
}

// The pictures a file holds, a frame each. The headers of a BMP file are checked whoever reads
// it; with the default settings (or where the imaging component is missing) it is loaded as the
// system loads it.
static const char *readPictures(const char *path, const Settings &settings,
                                std::vector<PicturePixels> &pictures) {
    const char *reason = nullptr;
    bool bitmap = startsAsBitmap(path, reason);
    if (!reason && bitmap) reason = checkBitmapFile(path);
    if (reason) return reason;
    bool asTheSystem =
        settings.pictureToDots == AsTheSystemConverts && settings.pictureSize == PictureAsTheFile;
    if (!bitmap || !asTheSystem) {
        reason =
            decodePicture(path, settings.pictureSize, settings.width, settings.height, pictures);
        if (!bitmap || reason != imagingMissing) return reason; // a BMP is read as before
    }
    pictures.assign(1, PicturePixels());
    return readBitmapPixels(path, settings.bitmapStyle != 0, pictures[0]);
}

// Dots, or the first picture's values in a bitmap coding; a progress report per percent.
static void storePictures(const std::vector<PicturePixels> &pictures, const Settings &settings,
                          FrameSet &frames, Reporter &report) {
    long long rows = static_cast<long long>(frames.count) * frames.height, done = 0;
    for (int n = 0; n < frames.count; ++n) {
        const PicturePixels &picture = pictures[n];
        std::vector<bool> dots;
        if (frames.coding == 0)
            dots = pictureDots(picture, settings.pictureToDots, settings.threshold,
                               settings.darkDots != 0);
        int width = std::min(frames.width, picture.width);
        for (int y = 0; y < std::min(frames.height, picture.height); ++y) {
            for (int x = 0; x < width; ++x) {
                size_t i = static_cast<size_t>(y) * picture.width + x;
                if (frames.coding != 0)
                    storeCodedPixel(frames, x, y, codeColour(picture.pixels[i], frames.coding));
                else
                    putDot(frames, n, x, y, dots[i]);
            }
            report.progress(static_cast<int>(++done * 100 / rows));
        }
    }
}

FramesMade importPicture(const char *path, const Settings &settings, FrameSet &frames,
                         Reporter &report) {
    std::vector<PicturePixels> pictures;
    const char *reason = readPictures(path, settings, pictures);
    int coding = settings.bitmapStyle >= 1 && settings.bitmapStyle <= 3 ? settings.bitmapStyle : 0;
    int count = coding != 0 || reason ? 1 : static_cast<int>(pictures.size());
    FrameSet picture;
    FramesMade made =
        reason ? FramesMade::refused
               : makeFrames(picture, pictures[0].width, pictures[0].height, count, coding);
    if (made == FramesMade::tooLarge || made == FramesMade::outOfMemory)
        reason = "It is too large for the memory left.";
    if (reason) {
        report.tell(std::string("Can't load the bitmap ") + path + "!\n" + reason, MB_ICONERROR);
        return FramesMade::refused;
    }
    storePictures(pictures, settings, picture, report);
    for (int n = 0; count > 1 && n < count; ++n)
        picture.names.push_back("Frame " + std::to_string(n + 1));
    frames = std::move(picture);
    return FramesMade::made;
}
