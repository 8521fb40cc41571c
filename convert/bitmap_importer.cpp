#include "convert/convert.h"

#include "app/app.h"
#include "model/coded_pixels.h"
#include "model/editor_state.h"
#include "model/user_messages.h"
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

// Returns nullptr when read, else the reason.
static const char *readBitmapPixels(HWND owner, const char *path, std::vector<DWORD> &pixels,
                                    BITMAP &shape) {
    bool ownColours = editor.bitmapStyle >= 1 && editor.bitmapStyle <= 3;
    const char *reason = nullptr;
    HBITMAP bitmap = loadBitmapFile(path, ownColours ? 0 : LR_MONOCHROME, reason);
    if (!bitmap) return reason;
    HDC ownerDc = GetDC(owner);
    bool read = GetObjectA(bitmap, sizeof shape, &shape) &&
                readTopDownPixels(ownerDc, bitmap, shape.bmWidth, shape.bmHeight, pixels);
    ReleaseDC(owner, ownerDc);
    DeleteObject(bitmap);
    return read ? nullptr : "Its pixels can't be read.";
}

DWORD WINAPI bitmapImportWorker(LPVOID argument) {
    char *paths = static_cast<char *>(argument);
    HWND owner = editor.mainWindow;
    std::vector<DWORD> pixels;
    BITMAP shape = {};
    WorkerResult result;
    result.reason = readBitmapPixels(owner, paths, pixels, shape);
    if (!result.reason) {
        editor.currentFrame = 0;
        editor.frameCount = 1;
        if (!allocateBitmapFrame(shape.bmWidth, shape.bmHeight))
            result.reason = "It is too large for the memory left.";
    }
    // on failure the previous frame and size stay, and the window's thread tells the user
    if (result.reason) {
        result.failedImport = paths;
    } else {
        editor.pixelWidth = shape.bmWidth;
        editor.pixelHeight = shape.bmHeight;
        storePixels(pixels, shape.bmWidth, shape.bmHeight);
        free(paths);
    }
    postWorkerResult(owner, result);
    return 1;
}

// paths: the failing file, then the stored path from before the import; both come back.
void showImportFailure(HWND window, char *paths, const char *reason) {
    char text[pathCapacity + 128];
    snprintf(text, sizeof text, "Can't load the bitmap %s!\n%s", paths, reason);
    const char *previous = paths + pathCapacity;
    if (strcmp(editor.bitmapFilePath, paths) == 0) {
        storePath(editor.bitmapFilePath, previous);
        SetWindowTextA(editor.openButton, previous[0] ? fileNameOf(previous) : openCaption);
    }
    tellUser(window, text, nullptr, MB_ICONERROR | MB_OK);
    free(paths);
}
