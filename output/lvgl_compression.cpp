#include "output/lvgl_compression.h"

#include <cstddef>

namespace {

// Bits appended most significant first, starting on a byte of their own.
struct BitWriter {
    std::vector<unsigned char> &out;
    int used = 8; // bits taken of the last byte
    explicit BitWriter(std::vector<unsigned char> &out) : out(out) {}
    void put(unsigned value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (used == 8) out.push_back(0), used = 0;
            if (value >> i & 1) out.back() |= static_cast<unsigned char>(0x80 >> used);
            ++used;
        }
    }
};

constexpr size_t onesBeforeCounter = 10;
constexpr size_t counterMax = 63;

} // namespace

void packGlyph(const std::vector<unsigned char> &pixels, int bits,
               std::vector<unsigned char> &out) {
    BitWriter writer(out);
    for (unsigned char pixel : pixels)
        writer.put(pixel, bits);
}

void compressGlyph(const std::vector<unsigned char> &pixels, int width, int height, int bits,
                   std::vector<unsigned char> &out) {
    std::vector<unsigned char> filtered = pixels;
    for (size_t y = static_cast<size_t>(height) - 1; y >= 1 && y < static_cast<size_t>(height); --y)
        for (size_t x = 0; x < static_cast<size_t>(width); ++x)
            filtered[y * width + x] ^= pixels[(y - 1) * width + x];
    BitWriter writer(out);
    const size_t count = filtered.size();
    size_t at = 0;
    bool first = true;
    unsigned char previous = 0;
    while (at < count) {
        unsigned char value = filtered[at++];
        writer.put(value, bits);
        bool repeats = !first && value == previous;
        first = false;
        previous = value;
        if (!repeats) continue;
        size_t run = 0; // the repeats that follow
        while (at + run < count && filtered[at + run] == value)
            ++run;
        if (run <= onesBeforeCounter) {
            for (size_t i = 0; i < run; ++i)
                writer.put(1, 1);
            at += run;
            if (at < count) { // the run ends: the next pixel as it is
                writer.put(0, 1);
                previous = filtered[at++];
                writer.put(previous, bits);
            }
            continue;
        }
        for (size_t i = 0; i <= onesBeforeCounter; ++i)
            writer.put(1, 1);
        size_t counted =
            run - onesBeforeCounter < counterMax ? run - onesBeforeCounter : counterMax;
        writer.put(static_cast<unsigned>(counted), 6);
        at += onesBeforeCounter + counted;
        if (at < count) { // a pixel follows the count: the next, or the run going on
            previous = filtered[at++];
            writer.put(previous, bits);
        }
    }
}
