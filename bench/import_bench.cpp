// Bitmap import and ASCII table rendering: our bulk pixel reading against a loop of one
// GetPixel per dot (with a progress text per pixel for the import), on the same input,
// with the outputs checked equal. Prints the figures side by side.
#include "app/app.h"
#include "view/dib_pixels.h"
#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "res/resource.h"

#include <commctrl.h>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

static double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

static void pumpUntilIdle() {
    MSG message;
    while (isBusy() || !IsWindowEnabled(editor.paintRadio)) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

static std::vector<unsigned char> allFrames() {
    size_t size = static_cast<size_t>(currentFrameBytes()) * editor.frameCount;
    return std::vector<unsigned char>(editor.frameBuffer, editor.frameBuffer + size);
}

// The import as one GetPixel and one progress text per pixel, on a worker thread as the
// real import runs, so each progress text is a message to the user-interface thread.
static DWORD WINAPI importPixelByPixel(LPVOID path) {
    HDC windowDc = GetDC(editor.mainWindow);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, static_cast<const char *>(path), IMAGE_BITMAP, 0,
                                        0, LR_LOADFROMFILE | LR_MONOCHROME));
    BITMAP shape;
    GetObjectA(bitmap, sizeof shape, &shape);
    HGDIOBJ old = SelectObject(memory, bitmap);
    editor.currentFrame = 0;
    editor.frameCount = 1;
    allocateBitmapFrame(shape.bmWidth, shape.bmHeight);
    long long total = static_cast<long long>(shape.bmWidth) * shape.bmHeight, c = 0;
    char text[48];
    for (int x = 0; x < shape.bmWidth; ++x)
        for (int y = 0; y < shape.bmHeight; ++y, ++c) {
            storeBitmapPixel(x, y, GetPixel(memory, x, y));
            snprintf(text, sizeof text, "Format progress:%d%%", static_cast<int>(c * 100 / total));
            setStatusText(0, text);
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(editor.mainWindow, windowDc);
    finishWorker();
    return 0;
}

struct SamplingTimes {
    double bulk = 0, perPixel = 0;
};

// Renders each character as the rasterizer does and samples its canvas both ways: with
// one GetDIBits and sampleCanvas into the frames, and with one GetPixel per dot into a
// copy. Returns whether both give the same frames.
static bool compareSampling(const char *text, SamplingTimes &times) {
    int length = static_cast<int>(strlen(text)) + 1;
    editor.frameCount = length;
    allocateFrames(editor.mainWindow);
    HDC ownerDc = GetDC(editor.mainWindow);
    HDC memory = CreateCompatibleDC(ownerDc);
    int w = editor.matrixWidth, h = editor.matrixHeight, frame = 0;
    std::vector<DWORD> pixels(static_cast<size_t>(w + 10) * h);
    std::vector<unsigned char> byPixel;
    bool same = true;
    for (int p = 0; p < length; ++p) {
        if (text[p] == '\r' || text[p] == '\n') continue;
        editor.currentFrame = frame++;
        HFONT font = createGlyphFont(w, h);
        HGDIOBJ oldFont = SelectObject(memory, font);
        HBITMAP canvas = CreateCompatibleBitmap(ownerDc, w + 10, h);
        HGDIOBJ oldBitmap = SelectObject(memory, canvas);
        PatBlt(memory, 0, 0, w + 10, h, WHITENESS);
        TextOutA(memory, 0, 0, text + p, 1);

        double start = seconds();
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) {
                if (GetPixel(memory, x, y) == 0)
                    setDot(x, y);
                else
                    clearDot(x, y);
            }
        times.perPixel += seconds() - start;
        byPixel.assign(editor.frameBuffer + currentFrameBytes() * editor.currentFrame,
                       editor.frameBuffer + currentFrameBytes() * (editor.currentFrame + 1));

        start = seconds();
        SelectObject(memory, oldBitmap);
        BITMAPINFO info = topDownInfo(w + 10, h);
        GetDIBits(memory, canvas, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
        sampleCanvas(pixels.data(), w + 10, h, 0, 0);
        times.bulk += seconds() - start;
        same = same && std::equal(byPixel.begin(), byPixel.end(),
                                  editor.frameBuffer + currentFrameBytes() * editor.currentFrame);
        SelectObject(memory, oldFont);
        DeleteObject(canvas);
        DeleteObject(font);
    }
    DeleteDC(memory);
    ReleaseDC(editor.mainWindow, ownerDc);
    editor.currentFrame = 0;
    return same;
}

// A 1-bit BMP of size x size pixels: black and white blocks of 7 x 5.
static void writeCheckerBitmap(const std::string &path, int size) {
    int stride = (size + 31) / 32 * 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (((x / 7) ^ (y / 5)) & 1) pixels[(size - 1 - y) * stride + x / 8] |= 0x80 >> (x % 8);
    const RGBQUAD palette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    BITMAPINFOHEADER info = {sizeof info, size, size, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info + sizeof palette;
    BITMAPFILEHEADER header = {0x4D42, offset + DWORD(pixels.size()), 0, 0, offset};
    FILE *file = fopen(path.c_str(), "wb");
    fwrite(&header, sizeof header, 1, file);
    fwrite(&info, sizeof info, 1, file);
    fwrite(palette, sizeof palette, 1, file);
    fwrite(pixels.data(), 1, pixels.size(), file);
    fclose(file);
}

static void report(const char *what, double bulk, double perPixel, bool same) {
    printf("%-34s bulk %8.3f s   per-pixel %8.3f s   speed-up %7.1fx   output %s\n", what, bulk,
           perPixel, perPixel / bulk, same ? "equal" : "DIFFERENT");
}

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    editor.instanceHandle = GetModuleHandleA(nullptr);
    if (!registerMainWindowClass(editor.instanceHandle) || !createMainWindow(editor.instanceHandle))
        return 2;
    editor.characterDetect = 0;

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "morvex7-bench.bmp";
    writeCheckerBitmap(path, 1024);

    SendMessageA(editor.mainWindow, WM_COMMAND, BitmapFile, 0);
    double start = seconds();
    startBitmapImport(editor.mainWindow, path.c_str());
    pumpUntilIdle();
    double bulk = seconds() - start;
    std::vector<unsigned char> bulkFrames = allFrames();
    start = seconds();
    startWorker(importPixelByPixel, const_cast<char *>(path.c_str()));
    pumpUntilIdle();
    double perPixel = seconds() - start;
    report("bitmap import 1024 x 1024", bulk, perPixel, allFrames() == bulkFrames);
    DeleteFileA(path.c_str());

    SendMessageA(editor.mainWindow, WM_COMMAND, ManualText, 0);
    pumpUntilIdle();
    for (int size : {64, 256}) {
        editor.pixelWidth = editor.matrixWidth = size;
        editor.pixelHeight = editor.matrixHeight = size;
        allocateFrames(editor.mainWindow);
        start = seconds();
        SendMessageA(editor.mainWindow, WM_COMMAND, IDM_MAP_ALL_ASCII, 0);
        pumpUntilIdle();
        double conversion = seconds() - start;
        bulkFrames = allFrames();
        SamplingTimes times;
        bool same = compareSampling(asciiTable, times);
        same = same && allFrames() == bulkFrames;
        char what[64];
        snprintf(what, sizeof what, "ASCII %dx%d: pixel sampling only", size, size);
        report(what, times.bulk, times.perPixel, same);
        printf("%-34s whole conversion on the worker %8.3f s\n", "", conversion);
    }
    DestroyWindow(editor.mainWindow);
    return 0;
}
