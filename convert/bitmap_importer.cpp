#include "convert/convert.h"

#include "app/app.h"
#include "model/coded_pixels.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "view/dib_pixels.h"
#include "view/view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// colour: 0xRRGGBB. A gray or colour frame keeps the pixel's value in its coding.
void storeBitmapPixel(int column, int row, COLORREF colour) {
    if (editor.frameCoding != 0)
        storeCodedPixel(column, row, codeColour(colour, editor.frameCoding));
    else if (colour != 0)
        setDot(column, row);
    else
        clearDot(column, row);
}

// The worker gets its own block of two paths: the file to import, then the stored path that
// comes back when the import fails.
int startBitmapImport(HWND owner, const char *path) {
    char *paths = static_cast<char *>(malloc(2 * pathCapacity));
    if (!paths) return 0;
    if (!storePath(paths, path)) {
        free(paths);
        reportPathTooLong(owner);
        return 0;
    }
    storePath(paths + pathCapacity, editor.bitmapFilePath);
    enableModeRadios(FALSE);
    if (!startWorker(bitmapImportWorker, paths)) {
        free(paths);
        enableModeRadios(TRUE);
        return 0;
    }
    return 1;
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

static bool readBitmapPixels(HWND owner, const char *path, std::vector<DWORD> &pixels,
                             BITMAP &shape) {
    bool ownColours = editor.bitmapStyle >= 1 && editor.bitmapStyle <= 3;
    HBITMAP bitmap = loadBitmapFile(path, ownColours ? 0 : LR_MONOCHROME);
    HDC ownerDc = GetDC(owner);
    bool read = bitmap && GetObjectA(bitmap, sizeof shape, &shape) &&
                readTopDownPixels(ownerDc, bitmap, shape.bmWidth, shape.bmHeight, pixels);
    ReleaseDC(owner, ownerDc);
    if (bitmap) DeleteObject(bitmap);
    return read;
}

DWORD WINAPI bitmapImportWorker(LPVOID argument) {
    char *paths = static_cast<char *>(argument);
    HWND owner = editor.mainWindow;
    std::vector<DWORD> pixels;
    BITMAP shape = {};
    bool imported = readBitmapPixels(owner, paths, pixels, shape);
    if (imported) {
        editor.currentFrame = 0;
        editor.frameCount = 1;
        imported = allocateBitmapFrame(shape.bmWidth, shape.bmHeight);
    }
    if (imported) {
        editor.pixelWidth = shape.bmWidth;
        editor.pixelHeight = shape.bmHeight;
        storePixels(pixels, shape.bmWidth, shape.bmHeight);
        invalidateEditor(owner);
        refreshControls();
        free(paths);
    }
    enableModeRadios(TRUE);
    finishWorker();
    // otherwise the previous frame and size stay, and the user-interface thread tells the user
    if (!imported) PostMessageA(owner, WM_APP_IMPORT_FAILED, 0, reinterpret_cast<LPARAM>(paths));
    return 1;
}
