#include "model/transforms.h"

#include "model/coded_pixels.h"
#include "model/glyph_shades.h"
#include "model/settings.h"

#include <cstdlib>
#include <functional>

// A frame's dot, or a picture's value in its coding (frame 0 holds them).
static unsigned pixelOf(const FrameSet &frames, int n, int x, int y) {
    return frames.coding ? codedPixel(frames, x, y) : dotAt(frames, n, x, y);
}

static void putPixel(FrameSet &frames, int n, int x, int y, unsigned value) {
    if (frames.coding)
        storeCodedPixel(frames, x, y, value);
    else
        putDot(frames, n, x, y, value != 0);
}

// Each pixel (x, y) of the new frame width x height comes from source(x, y) of the old one.
static void remap(FrameSet &frames, int n, int width, int height,
                  const std::function<void(int, int, int &, int &)> &source) {
    FrameSet old = frames;
    int count = frames.coding ? 1 : frames.count;
    if (width != frames.width || height != frames.height) {
        std::vector<std::string> names = frames.names;
        makeFrames(frames, width, height, frames.count, frames.coding);
        frames.names = names;
    }
    for (int frame = 0; frame < count; ++frame) {
        if (n >= 0 && frame != n) continue;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int sx = 0, sy = 0;
                source(x, y, sx, sy);
                putPixel(frames, frame, x, y, pixelOf(old, frame, sx, sy));
            }
    }
}

// The frames' glyph metrics no longer say where a glyph lies.
static void becomePlain(FrameSet &frames) {
    frames.glyphs.clear();
    frames.lineHeight = frames.spaceAdvance = 0;
}

void flipFrames(FrameSet &frames, Flip flip, int n) {
    if (flip == Flip::none) return;
    int width = frames.width, height = frames.height;
    remap(frames, n, width, height, [&](int x, int y, int &sx, int &sy) {
        sx = flip == Flip::horizontal ? width - 1 - x : x;
        sy = flip == Flip::vertical ? height - 1 - y : y;
    });
    becomePlain(frames);
}

const char *rotateFrames(FrameSet &frames, int quarterTurns, int n) {
    quarterTurns = ((quarterTurns % 4) + 4) % 4;
    if (quarterTurns == 0) return nullptr;
    bool swapped = quarterTurns % 2 == 1;
    if (swapped && n >= 0 && frames.width != frames.height)
        return "One frame of a matrix that is not square can't be turned: its width and height "
               "would swap. Turn all frames.";
    int width = frames.width, height = frames.height;
    int newWidth = swapped ? height : width, newHeight = swapped ? width : height;
    remap(frames, n, newWidth, newHeight, [&](int x, int y, int &sx, int &sy) {
        if (quarterTurns == 1) sx = y, sy = height - 1 - x; // clockwise
        if (quarterTurns == 2) sx = width - 1 - x, sy = height - 1 - y;
        if (quarterTurns == 3) sx = width - 1 - y, sy = x;
    });
    becomePlain(frames);
    return nullptr;
}

void shiftFrames(FrameSet &frames, int dx, int dy, int n) {
    int width = frames.width, height = frames.height;
    FrameSet old = frames;
    remap(frames, n, width, height, [&](int x, int y, int &sx, int &sy) {
        sx = ((x - dx) % width + width) % width;
        sy = ((y - dy) % height + height) % height;
    });
    for (size_t g = 0; g < frames.glyphs.size(); ++g) {
        if (n >= 0 && static_cast<int>(g) != n) continue;
        FrameSet::Glyph &glyph = frames.glyphs[g];
        glyph.originX += dx, glyph.baseline += dy;
        glyph.inkLeft += dx, glyph.inkTop += dy;
        glyph.shadeLeft += dx, glyph.shadeTop += dy;
        if (!glyph.shaded) continue;
        // within the matrix the shades wrap around as the dots do
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                putShade(frames, static_cast<int>(g), x, y,
                         shadeAt(old, static_cast<int>(g), ((x - dx) % width + width) % width,
                                 ((y - dy) % height + height) % height));
    }
}

void transformAsSettingsSay(FrameSet &frames, Settings &settings) {
    flipFrames(frames, static_cast<Flip>(settings.flip));
    rotateFrames(frames, settings.rotate);
    int dx = 0, dy = 0;
    if (readShift(settings.shift, dx, dy)) shiftFrames(frames, dx, dy);
    settings.width = frames.width;
    settings.height = frames.height;
}

bool readShift(const std::string &text, int &dx, int &dy) {
    size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    char *end = nullptr;
    std::string first = text.substr(0, comma), second = text.substr(comma + 1);
    long x = strtol(first.c_str(), &end, 10);
    if (first.empty() || *end || x < -1024 || x > 1024) return false;
    long y = strtol(second.c_str(), &end, 10);
    if (second.empty() || *end || y < -1024 || y > 1024) return false;
    dx = static_cast<int>(x), dy = static_cast<int>(y);
    return true;
}
