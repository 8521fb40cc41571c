#include "convert/convert.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "view/dib_pixels.h"
#include "view/view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// The largest picture imported: 16 mega-pixels keep the frame at 2 MiB and the pixel read
// buffer at 64 MiB, also in the 32-bit program.
constexpr long long maxBitmapPixels = 16LL * 1024 * 1024;

static unsigned readLittleEndian(const unsigned char *bytes, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

int bitmapFileLooksSound(const char *path) {
    FILE *file = fopen(path, "rb");
    if (!file) return 0;
    unsigned char header[54] = {};
    size_t got = fread(header, 1, sizeof header, file);
    fseek(file, 0, SEEK_END);
    long long fileSize = ftell(file);
    fclose(file);
    if (got < 26 || header[0] != 'B' || header[1] != 'M') return 0;
    unsigned dataOffset = readLittleEndian(header + 10, 4);
    unsigned infoSize = readLittleEndian(header + 14, 4);
    long long width, height;
    unsigned bitCount, compression = BI_RGB;
    if (infoSize == 12) {
        width = readLittleEndian(header + 18, 2);
        height = readLittleEndian(header + 20, 2);
        bitCount = readLittleEndian(header + 24, 2);
    } else {
        if (infoSize < 40 || got < 54) return 0;
        width = static_cast<int>(readLittleEndian(header + 18, 4));
        height = static_cast<int>(readLittleEndian(header + 22, 4));
        bitCount = readLittleEndian(header + 28, 2);
        compression = readLittleEndian(header + 30, 4);
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width * height > maxBitmapPixels) return 0;
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        long long stride = (width * bitCount + 31) / 32 * 4;
        if (dataOffset + stride * height > fileSize) return 0; // truncated pixel data
    } else if (dataOffset >= fileSize) {
        return 0;
    }
    return 1;
}

void storeBitmapPixel(int column, int row, COLORREF colour) {
    if (colour != 0)
        setDot(column, row);
    else
        clearDot(column, row);
}

int startBitmapImport(HWND owner, const char *path) {
    char *ownCopy = static_cast<char *>(malloc(pathCapacity));
    if (!ownCopy) return 0;
    if (!storePath(ownCopy, path)) {
        free(ownCopy);
        reportPathTooLong(owner);
        return 0;
    }
    enableModeRadios(FALSE);
    if (!startWorker(bitmapImportWorker, ownCopy)) {
        free(ownCopy);
        enableModeRadios(TRUE);
        return 0;
    }
    return 1;
}

static HBITMAP loadBitmapFile(const char *path) {
    if (!bitmapFileLooksSound(path)) return nullptr;
    bool ownColours = editor.bitmapStyle >= 1 && editor.bitmapStyle <= 3;
    UINT flags = LR_LOADFROMFILE | (ownColours ? 0 : LR_MONOCHROME);
    return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, flags));
}

// Walks the pixels in the order they lie in memory; the progress texts still run through
// the same distinct values, one per percent handled.
static void storePixels(const std::vector<DWORD> &pixels, int width, int height) {
    ProgressText progress;
    beginProgress(progress);
    long long total = static_cast<long long>(width) * height, handled = 0;
    long long nextPercentAt = 0;
    for (int y = 0; y < height; ++y) {
        const DWORD *row = pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, ++handled) {
            storeBitmapPixel(x, y, row[x] & 0xFFFFFF);
            if (handled >= nextPercentAt) {
                int percent = static_cast<int>(handled * 100 / total);
                showProgress(progress, percent);
                nextPercentAt = ((percent + 1) * total + 99) / 100; // first pixel of the next
            }
        }
    }
}

DWORD WINAPI bitmapImportWorker(LPVOID argument) {
    char *path = static_cast<char *>(argument);
    HWND owner = editor.mainWindow;
    HDC ownerDc = GetDC(owner);
    HBITMAP bitmap = loadBitmapFile(path);
    std::vector<DWORD> pixels;
    BITMAP shape = {};
    bool loaded = bitmap && GetObjectA(bitmap, sizeof shape, &shape) &&
                  readTopDownPixels(ownerDc, bitmap, shape.bmWidth, shape.bmHeight, pixels);
    if (bitmap) DeleteObject(bitmap);
    ReleaseDC(owner, ownerDc);
    if (!loaded) {
        // The previous frame and size stay; the user-interface thread tells the user.
        enableModeRadios(TRUE);
        finishWorker();
        PostMessageA(owner, WM_APP_IMPORT_FAILED, 0, reinterpret_cast<LPARAM>(path));
        return 1;
    }

    editor.currentFrame = 0;
    editor.frameCount = 1;
    if (allocateBitmapFrame(shape.bmWidth, shape.bmHeight)) {
        editor.pixelWidth = shape.bmWidth;
        editor.pixelHeight = shape.bmHeight;
        storePixels(pixels, shape.bmWidth, shape.bmHeight);
        invalidateEditor(owner);
        refreshControls();
    }
    free(path);
    enableModeRadios(TRUE);
    finishWorker();
    return 1;
}
