// What the importer knows of a BMP file before the loader sees it: a sound header, and a
// bottom-up copy of a top-down file.
#include "convert/picture_import.h"
#include "convert/input_file.h"
#include "convert/picture_pixels.h"
#include "convert/unicode_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

constexpr unsigned fileHeaderBytes = 14, coreHeaderBytes = 12;

struct BitmapHeader {
    long long fileSize;
    unsigned dataOffset;
    unsigned infoSize;
    long long width;
    long long height; // negative: the rows are stored top row first
    unsigned planes;
    unsigned bitCount;
    unsigned compression;
    unsigned long long paletteEntries; // as the loader reads them
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

static bool knownInfoSize(unsigned size) {
    for (unsigned known : {coreHeaderBytes, 40u, 52u, 56u, 108u, 124u})
        if (size == known) return true;
    return false;
}

static bool knownBitCount(const BitmapHeader &bmp) {
    switch (bmp.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return true;
    case 16:
    case 32:
        return bmp.infoSize != coreHeaderBytes;
    }
    return false;
}

// Run-length coding only for its own bit count and bottom-up rows, bit fields for 16 and 32.
static bool compressionFits(const BitmapHeader &bmp) {
    switch (bmp.compression) {
    case BI_RGB:
        return true;
    case BI_RLE8:
        return bmp.bitCount == 8 && bmp.height > 0;
    case BI_RLE4:
        return bmp.bitCount == 4 && bmp.height > 0;
    case BI_BITFIELDS:
        return bmp.bitCount == 16 || bmp.bitCount == 32;
    }
    return false;
}

// Where the headers end: the file header, the info header, the colour masks a 40-byte header
// is followed by, and the palette.
static unsigned long long headersEnd(const BitmapHeader &bmp) {
    bool core = bmp.infoSize == coreHeaderBytes;
    unsigned masks = bmp.compression == BI_BITFIELDS && bmp.infoSize == 40 ? 12 : 0;
    return fileHeaderBytes + bmp.infoSize + masks + bmp.paletteEntries * (core ? 3 : 4);
}

static void readInfoHeader(const unsigned char *header, BitmapHeader &bmp) {
    if (bmp.infoSize == coreHeaderBytes) {
        bmp.width = readLittleEndian(header + 18, 2);
        bmp.height = readLittleEndian(header + 20, 2);
        bmp.planes = readLittleEndian(header + 22, 2);
        bmp.bitCount = readLittleEndian(header + 24, 2);
        bmp.compression = BI_RGB;
        bmp.paletteEntries = bmp.bitCount <= 8 ? 1ULL << bmp.bitCount : 0;
        return;
    }
    bmp.width = static_cast<int>(readLittleEndian(header + 18, 4));
    bmp.height = static_cast<int>(readLittleEndian(header + 22, 4));
    bmp.planes = readLittleEndian(header + 26, 2);
    bmp.bitCount = readLittleEndian(header + 28, 2);
    bmp.compression = readLittleEndian(header + 30, 4);
    bmp.paletteEntries = readLittleEndian(header + 46, 4);
    if (bmp.paletteEntries == 0 && bmp.bitCount <= 8) bmp.paletteEntries = 1ULL << bmp.bitCount;
}

// Reads and checks the header: "BM", a known info header with sound fields, pixel data behind
// the headers, a size within maxPicturePixels and, for uncompressed files, all pixel rows inside
// the file. Returns nullptr, or the reason the file is refused.
static const char *readBitmapHeader(const char *path, BitmapHeader &bmp) {
    InputFile input;
    if (const char *reason = openInputFile(path, input)) return reason;
    unsigned char header[54] = {};
    size_t got = fread(header, 1, sizeof header, input.file);
    fclose(input.file);
    bmp.fileSize = input.size;
    if (got < fileHeaderBytes + coreHeaderBytes || header[0] != 'B' || header[1] != 'M')
        return "It is not a BMP file.";
    bmp.dataOffset = readLittleEndian(header + 10, 4);
    bmp.infoSize = readLittleEndian(header + 14, 4);
    if (!knownInfoSize(bmp.infoSize) || (bmp.infoSize != coreHeaderBytes && got < sizeof header))
        return "Its info header is not one this program knows.";
    readInfoHeader(header, bmp);
    if (bmp.planes != 1) return "It has more or fewer planes than one.";
    if (!knownBitCount(bmp)) return "Its bit count is not one this program knows.";
    if (!compressionFits(bmp)) return "Its compression does not fit its bit count or rows.";
    if (bmp.bitCount < 32 && bmp.paletteEntries > (1ULL << bmp.bitCount))
        return "Its palette is longer than its bit count allows.";
    if (bmp.dataOffset < headersEnd(bmp)) return "Its pixel data starts inside its headers.";
    long long rows = bmp.height < 0 ? -bmp.height : bmp.height;
    if (bmp.width <= 0 || rows <= 0 || bmp.width * rows > maxPicturePixels)
        return "Its size is not one this program imports.";
    bool complete = bmp.compression == BI_RGB || bmp.compression == BI_BITFIELDS
                        ? bmp.dataOffset + rowStride(bmp) * rows <= bmp.fileSize
                        : bmp.dataOffset < bmp.fileSize;
    return complete ? nullptr : "Its pixel data is cut short.";
}

// Wine's loader reads a top-down file as all black; its rows turned over under a positive
// height make the bottom-up file every loader reads alike.
static bool writeBottomUpCopy(const BitmapHeader &bmp, const char *path, const wchar_t *copyPath) {
    long long rows = -bmp.height, stride = rowStride(bmp);
    size_t size = static_cast<size_t>(bmp.dataOffset + stride * rows);
    unsigned char *bytes = static_cast<unsigned char *>(malloc(size));
    FILE *in = bytes ? _wfopen(wideOf(path).c_str(), L"rb") : nullptr;
    bool read = in && fread(bytes, 1, size, in) == size;
    if (in) fclose(in);
    FILE *out = read ? _wfopen(copyPath, L"wb") : nullptr;
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

const char *checkBitmapFile(const char *path) {
    BitmapHeader bmp;
    return readBitmapHeader(path, bmp);
}

HBITMAP loadBitmapFile(const char *path, UINT flags, const char *&reason) {
    BitmapHeader bmp;
    reason = readBitmapHeader(path, bmp);
    if (reason) return nullptr;
    reason = "Its pixels can't be read.";
    flags |= LR_LOADFROMFILE;
    HBITMAP bitmap = nullptr;
    if (bmp.height > 0) {
        bitmap = static_cast<HBITMAP>(
            LoadImageW(nullptr, wideOf(path).c_str(), IMAGE_BITMAP, 0, 0, flags));
    } else {
        wchar_t folder[MAX_PATH], copyPath[MAX_PATH];
        if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"mvx", 0, copyPath))
            return nullptr;
        if (writeBottomUpCopy(bmp, path, copyPath))
            bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, copyPath, IMAGE_BITMAP, 0, 0, flags));
        DeleteFileW(copyPath);
    }
    if (bitmap) reason = nullptr;
    return bitmap;
}
