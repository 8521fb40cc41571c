// Bitmap import of a 512 x 512 1-bit picture: the product's import (all pixels read in one
// call, a progress text per percent) against one GetPixel per pixel with a progress text per
// percent, and against one GetPixel and one progress text per pixel: the first pair shows what
// bulk reading saves, the second what fewer progress texts save. Frames compared.
#include "bench.h"

#include "app/app.h"
#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "res/resource.h"

#include <cstdio>

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

static bool progressPerPixel;
static bool pictureLoaded;

// One GetPixel per pixel on a worker thread as the import runs, with a progress text per
// pixel or per percent.
static DWORD WINAPI importPixelByPixel(LPVOID path) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, static_cast<const char *>(path), IMAGE_BITMAP, 0,
                                        0, LR_LOADFROMFILE | LR_MONOCHROME));
    BITMAP shape = {};
    pictureLoaded = bitmap && GetObjectA(bitmap, sizeof shape, &shape);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    editor.currentFrame = 0;
    editor.frameCount = 1;
    if (pictureLoaded) allocateBitmapFrame(shape.bmWidth, shape.bmHeight);
    long long total = static_cast<long long>(shape.bmWidth) * shape.bmHeight, c = 0;
    ProgressText progress;
    beginProgress(progress);
    char text[48];
    for (int y = 0; y < shape.bmHeight; ++y)
        for (int x = 0; x < shape.bmWidth; ++x, ++c) {
            storeBitmapPixel(x, y, GetPixel(memory, x, y) & 0xFFFFFF);
            int percent = static_cast<int>(c * 100 / total);
            if (!progressPerPixel) {
                showProgress(progress, percent);
                continue;
            }
            snprintf(text, sizeof text, "Format progress:%d%%", percent);
            setStatusText(0, text);
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    postWorkerResult(editor.mainWindow, WorkerResult());
    return 0;
}

static double importOnce(const std::string &path, int variant) {
    double start = seconds();
    if (variant == 0) {
        startBitmapImport(editor.mainWindow, path.c_str());
    } else {
        progressPerPixel = variant == 2;
        startWorker(importPixelByPixel, const_cast<char *>(path.c_str()));
    }
    pumpUntilIdle();
    return seconds() - start;
}

void runImportBenchmarks(int runs) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "morvex7-bench.bmp";
    writeCheckerBitmap(path, 512);
    SendMessageA(editor.mainWindow, WM_COMMAND, BitmapFile, 0);
    pumpUntilIdle();
    std::vector<double> times[3];
    std::vector<unsigned char> frames[3];
    for (int run = 0; run < runs; ++run)
        for (int variant = 0; variant < 3; ++variant) {
            times[variant].push_back(importOnce(path, variant));
            frames[variant] = allFrames();
        }
    if (!pictureLoaded) printf("the baseline could not load the picture\n");
    bool equal = pictureLoaded && frames[0] == frames[1] && frames[1] == frames[2];
    reportPair("import 512x512: bulk reading", figuresOf(times[1]), figuresOf(times[0]), equal);
    reportPair("import: progress per percent", figuresOf(times[2]), figuresOf(times[1]), equal);
    DeleteFileA(path.c_str());
}
