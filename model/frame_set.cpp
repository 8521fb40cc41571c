#include "model/frame_set.h"

#include "model/size_limits.h"

#include <algorithm>
#include <cstdio>
#include <new>

int rowBytesOf(int width) {
    return (width + 7) / 8;
}

size_t frameBytesOf(int width, int height) {
    return static_cast<size_t>(rowBytesOf(width)) * height;
}

FramesMade makeFrames(FrameSet &frames, int width, int height, int count, int coding) {
    static const int depthFactor[4] = {1, 4, 8, 16}; // bits a value against the 1-bit frame
    size_t size;
    if (coding < 0 || coding > 3 ||
        !frameStoreBytes(width, height, count, depthFactor[coding], size))
        return FramesMade::tooLarge;
    try {
        std::vector<unsigned char> blank(size);
        frames.bytes.swap(blank);
    } catch (const std::bad_alloc &) {
        return FramesMade::outOfMemory;
    }
    frames.width = width;
    frames.height = height;
    frames.count = count;
    frames.coding = coding;
    return FramesMade::made;
}

unsigned char *frameStart(FrameSet &frames, int n) {
    return frames.bytes.data() + frameBytesOf(frames.width, frames.height) * n;
}

const unsigned char *frameStart(const FrameSet &frames, int n) {
    return frames.bytes.data() + frameBytesOf(frames.width, frames.height) * n;
}

bool dotAt(const FrameSet &frames, int n, int x, int y) {
    const unsigned char *row =
        frameStart(frames, n) + static_cast<size_t>(y) * rowBytesOf(frames.width);
    return (row[x / 8] >> (x % 8)) & 1;
}

void putDot(FrameSet &frames, int n, int x, int y, bool on) {
    unsigned char *row = frameStart(frames, n) + static_cast<size_t>(y) * rowBytesOf(frames.width);
    unsigned char mask = static_cast<unsigned char>(1u << (x % 8));
    row[x / 8] = static_cast<unsigned char>(on ? row[x / 8] | mask : row[x / 8] & ~mask);
}

bool isText(const FrameSet &frames) {
    return !frames.glyphs.empty() && frames.glyphs.size() == frames.names.size() &&
           static_cast<int>(frames.names.size()) == frames.count;
}

bool glyphDot(const FrameSet &frames, int n, int x, int y) {
    if (x >= 0 && y >= 0 && x < frames.width && y < frames.height) return dotAt(frames, n, x, y);
    const FrameSet::Glyph &glyph = frames.glyphs[n];
    int column = x - glyph.inkLeft, row = y - glyph.inkTop;
    return column >= 0 && row >= 0 && column < glyph.inkWidth && row < glyph.inkHeight &&
           glyph.ink[static_cast<size_t>(row) * glyph.inkWidth + column];
}

InkBox glyphInkBox(const FrameSet &frames, int n) {
    const FrameSet::Glyph &glyph = frames.glyphs[n];
    InkBox area = {std::min(0, glyph.inkLeft), std::min(0, glyph.inkTop),
                   std::max(frames.width, glyph.inkLeft + glyph.inkWidth),
                   std::max(frames.height, glyph.inkTop + glyph.inkHeight)};
    InkBox ink = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (glyphDot(frames, n, x, y))
                ink = takeIn(ink, x, y);
    return ink.left < ink.right ? ink : InkBox();
}

int writtenFrames(const FrameSet &frames) {
    return frames.names.empty() ? 1 : static_cast<int>(frames.names.size());
}

std::string framesTooLargeText(long long width, long long height, long long frames) {
    char text[256];
    snprintf(text, sizeof text,
             "Sorry,%lld frames of %lldX%lld pixels are too large!\n"
             "All frames together may take at most %llu MiB.",
             frames, width, height, maxFrameStoreBytes >> 20);
    return text;
}
