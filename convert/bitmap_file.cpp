// What the importer knows of a BMP file before the loader sees it: a sound header, and a
// bottom-up copy of a top-down file.
#include "convert/convert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The largest picture imported: 16 mega-pixels keep the frame at 2 MiB and the pixel read
// buffer at 64 MiB, also in the 32-bit program.
constexpr long long maxBitmapPixels = 16LL * 1024 * 1024;

struct BitmapHeader {
    long long fileSize;
    unsigned dataOffset;
    unsigned infoSize;
    long long width;
    long long height; // negative: the rows are stored top row first
    unsigned bitCount;
    unsigned compression;
};

static unsigned readLittleEndian(const unsigned char *bytes, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

static long long rowStride(const BitmapHeader &bmp) {
    return (bmp.width * bmp.bitCount + 31) / 32 * 4;
}

// Reads and checks the header: "BM", a known info header, a size within maxBitmapPixels and,
// for uncompressed files, all pixel rows inside the file.
static bool readBitmapHeader(const char *path, BitmapHeader &bmp) {
    FILE *file = fopen(path, "rb");
    if (!file) return false;
    unsigned char header[54] = {};
    size_t got = fread(header, 1, sizeof header, file);
    fseek(file, 0, SEEK_END);
    bmp.fileSize = ftell(file);
    fclose(file);
    if (got < 26 || header[0] != 'B' || header[1] != 'M') return false;
    bmp.dataOffset = readLittleEndian(header + 10, 4);
    bmp.infoSize = readLittleEndian(header + 14, 4);
    bmp.compression = BI_RGB;
    if (bmp.infoSize == 12) {
        bmp.width = readLittleEndian(header + 18, 2);
        bmp.height = readLittleEndian(header + 20, 2);
        bmp.bitCount = readLittleEndian(header + 24, 2);
    } else {
        if (bmp.infoSize < 40 || got < 54) return false;
        bmp.width = static_cast<int>(readLittleEndian(header + 18, 4));
        bmp.height = static_cast<int>(readLittleEndian(header + 22, 4));
        bmp.bitCount = readLittleEndian(header + 28, 2);
        bmp.compression = readLittleEndian(header + 30, 4);
    }
    long long rows = bmp.height < 0 ? -bmp.height : bmp.height;
    if (bmp.width <= 0 || rows <= 0 || bmp.width * rows > maxBitmapPixels) return false;
    if (bmp.compression == BI_RGB || bmp.compression == BI_BITFIELDS)
        return bmp.dataOffset + rowStride(bmp) * rows <= bmp.fileSize; // else truncated
    return bmp.dataOffset < bmp.fileSize;
}

// Wine's loader reads a top-down file as all black; its rows turned over under a positive
// height make the bottom-up file every loader reads alike.
static bool writeBottomUpCopy(const BitmapHeader &bmp, const char *path, const char *copyPath) {
    long long rows = -bmp.height, stride = rowStride(bmp);
    size_t size = static_cast<size_t>(bmp.dataOffset + stride * rows);
    unsigned char *bytes = static_cast<unsigned char *>(malloc(size));
    FILE *in = bytes ? fopen(path, "rb") : nullptr;
    bool read = in && fread(bytes, 1, size, in) == size;
    if (in) fclose(in);
    FILE *out = read ? fopen(copyPath, "wb") : nullptr;
    bool written = out != nullptr;
    if (out) {
        unsigned height = static_cast<unsigned>(rows);
        for (int i = 0; i < 4; ++i)
            bytes[22 + i] = static_cast<unsigned char>(height >> (8 * i));
        written = fwrite(bytes, 1, bmp.dataOffset, out) == bmp.dataOffset;
        for (long long row = rows - 1; written && row >= 0; --row)
            written = fwrite(bytes + bmp.dataOffset + row * stride, 1, stride, out) ==
                      static_cast<size_t>(stride);
        written = fclose(out) == 0 && written;
    }
    free(bytes);
    return written;
}

HBITMAP loadBitmapFile(const char *path, UINT flags) {
    BitmapHeader bmp;
    if (!readBitmapHeader(path, bmp)) return nullptr;
    flags |= LR_LOADFROMFILE;
    if (bmp.height > 0 || (bmp.compression != BI_RGB && bmp.compression != BI_BITFIELDS))
        return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, flags));
    char folder[MAX_PATH], copyPath[MAX_PATH];
    if (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "mvx", 0, copyPath))
        return nullptr;
    HBITMAP bitmap = nullptr;
    if (writeBottomUpCopy(bmp, path, copyPath))
        bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, copyPath, IMAGE_BITMAP, 0, 0, flags));
    DeleteFileA(copyPath);
    return bitmap;
}
