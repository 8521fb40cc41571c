// A picture's pixels, read and turned into dots: the imaging component decodes every common
// format and scales; the luminance of each pixel against a threshold, plain or dithered, lights
// its dot.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The most pixels a picture may bring, all its frames together: 16 mega-pixels keep a frame of
// dots at 2 MiB and the pixels read at 64 MiB, also in the 32-bit program.
constexpr long long maxPicturePixels = 16LL * 1024 * 1024;

struct PicturePixels {
    int width = 0, height = 0;
    std::vector<DWORD> pixels; // 0xRRGGBB, rows top to bottom, alpha laid over white
};

// Why decodePicture failed where the platform has no imaging component.
extern const char imagingMissing[];
// Decodes every frame of a picture (UTF-8 path) through the imaging component, an animation's
// frames as it shows them on its logical screen. Returns nullptr, or the reason for the user.
const char *decodePicture(const char *path, std::vector<PicturePixels> &frames);
// Scales pictures to width x height when size asks (PictureFitted: its shape kept, centred on
// white), all of them together within the bound. Returns nullptr, or the reason for the user.
const char *sizePictures(std::vector<PicturePixels> &pictures, int size, int width, int height);

// Why a TIFF's pages can't be walked (a loop, a page beyond the end); nullptr for any other file.
const char *tiffPagesProblem(const std::string &bytes);
// The damage of a PNG or GIF that decodes all the same ("The picture is damaged: ..."), or "".
std::string pictureDamage(const std::string &bytes);

// The dots of a picture in a PictureToDots mode; light pixels light their dots, dark ones with
// darkDots.
std::vector<bool> pictureDots(const PicturePixels &picture, int mode, int threshold, bool darkDots);
