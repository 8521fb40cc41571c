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

static const long long maxPictureFileBytes = 256LL << 20;

// The pictures a file holds, a frame each, at the size the settings ask. A BMP file's headers are
// checked and the system loads it (its own colours unless the system converts it to dots); the
// imaging component decodes every other format, a TIFF's pages walked first. The damage of a
// picture that decodes all the same is told.
static const char *readPictures(const char *path, const Settings &settings,
                                std::vector<PicturePixels> &pictures, Reporter &report) {
    std::string bytes;
    const char *reason = readWholeFile(path, maxPictureFileBytes, bytes);
    if (reason) return reason;
    if (bytes.compare(0, 2, "BM") == 0) {
        if ((reason = checkBitmapFile(path))) return reason;
        bool asTheSystem = settings.pictureToDots == AsTheSystemConverts &&
                           settings.pictureSize == PictureAsTheFile && settings.bitmapStyle == 0;
        pictures.assign(1, PicturePixels());
        reason = readBitmapPixels(path, !asTheSystem, pictures[0]);
    } else if (!(reason = tiffPagesProblem(bytes))) {
        reason = decodePicture(path, pictures);
    }
    if (!reason)
        reason = sizePictures(pictures, settings.pictureSize, settings.width, settings.height);
    std::string damage = reason ? "" : pictureDamage(bytes);
    if (!damage.empty()) report.remark(damage);
    return reason;
}

// Dots, or the first picture's values in a bitmap coding; a progress report per percent.
static void storePictures(const std::vector<PicturePixels> &pictures, const Settings &settings,
                          FrameSet &frames, Reporter &report) {
    long long rows = static_cast<long long>(frames.count) * frames.height, done = 0;
    size_t lit = 0, all = 0;
    for (int n = 0; n < frames.count; ++n) {
        const PicturePixels &picture = pictures[n];
        std::vector<bool> dots;
        if (frames.coding == 0)
            dots = pictureDots(picture, settings.pictureToDots, settings.threshold,
                               settings.darkDots != 0);
        lit += std::count(dots.begin(), dots.end(), true), all += dots.size();
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
    // every dot not black lit: a dark logo on white comes out inverted
    if (settings.pictureToDots == AsTheSystemConverts && lit * 4 > all * 3)
        report.remark("Most dots are lit: for dark ink on a light picture use --dither threshold "
                      "--dark-dots");
}

FramesMade importPicture(const char *path, const Settings &settings, FrameSet &frames,
                         Reporter &report) {
    std::vector<PicturePixels> pictures;
    const char *reason = readPictures(path, settings, pictures, report);
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
