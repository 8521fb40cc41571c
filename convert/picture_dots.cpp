#include "convert/picture_pixels.h"

#include "model/modes.h"

// The luminance 0.299 R + 0.587 G + 0.114 B of each pixel, 0 to 255.
static std::vector<float> luminanceOf(const PicturePixels &picture) {
    std::vector<float> levels(picture.pixels.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        DWORD c = picture.pixels[i];
        levels[i] = 0.299f * (c >> 16 & 255) + 0.587f * (c >> 8 & 255) + 0.114f * (c & 255);
    }
    return levels;
}

struct Share {
    int dx, dy;
    float part;
};
static const Share floydSteinberg[] = {
    {1, 0, 7 / 16.f}, {-1, 1, 3 / 16.f}, {0, 1, 5 / 16.f}, {1, 1, 1 / 16.f}};
static const Share atkinson[] = {{1, 0, 1 / 8.f}, {2, 0, 1 / 8.f}, {-1, 1, 1 / 8.f},
                                 {0, 1, 1 / 8.f}, {1, 1, 1 / 8.f}, {0, 2, 1 / 8.f}};
static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

template <size_t count>
static void diffuse(std::vector<float> &levels, int width, int height, int x, int y, float error,
                    const Share (&shares)[count]) {
    for (const Share &share : shares) {
        int nx = x + share.dx, ny = y + share.dy;
        if (nx >= 0 && nx < width && ny < height)
            levels[static_cast<size_t>(ny) * width + nx] += error * share.part;
    }
}

std::vector<bool> pictureDots(const PicturePixels &picture, int mode, int threshold,
                              bool darkDots) {
    int width = picture.width, height = picture.height;
    std::vector<bool> dots(picture.pixels.size());
    std::vector<float> levels =
        mode == AsTheSystemConverts ? std::vector<float>() : luminanceOf(picture);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t i = static_cast<size_t>(y) * width + x;
            bool light;
            if (mode == AsTheSystemConverts) {
                light = (picture.pixels[i] & 0xFFFFFF) != 0;
            } else {
                float level = levels[i];
                if (mode == OrderedBayer) level += (bayer[y & 3][x & 3] + 0.5f) * 16 - 128;
                light = level >= threshold;
                float error = levels[i] - (light ? 255 : 0);
                if (mode == FloydSteinberg)
                    diffuse(levels, width, height, x, y, error, floydSteinberg);
                if (mode == AtkinsonDots) diffuse(levels, width, height, x, y, error, atkinson);
            }
            dots[i] = light != darkDots;
        }
    }
    return dots;
}
