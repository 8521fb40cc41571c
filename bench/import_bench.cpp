// Bitmap import of a 512 x 512 1-bit picture: importPicture (all pixels read in one call)
// against one GetPixel per pixel: what bulk reading saves. Frames compared.
#include "bench.h"

#include "convert/picture_import.h"
#include "model/reporter.h"

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

// One GetPixel per pixel, with a progress report per percent.
static bool importPixelByPixel(const char *path, FrameSet &frames, Reporter &report) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_MONOCHROME));
    BITMAP shape = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) return false;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    makeFrames(frames, shape.bmWidth, shape.bmHeight, 1);
    long long total = static_cast<long long>(shape.bmWidth) * shape.bmHeight, c = 0;
    for (int y = 0; y < shape.bmHeight; ++y)
        for (int x = 0; x < shape.bmWidth; ++x, ++c) {
            putDot(frames, 0, x, y, (GetPixel(memory, x, y) & 0xFFFFFF) != 0);
            report.progress(static_cast<int>(c * 100 / total));
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return true;
}

void runImportBenchmarks(int runs) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "morvex7-bench.bmp";
    writeCheckerBitmap(path, 512);
    std::vector<double> before, now;
    bool equal = true;
    SilentReporter silent;
    for (int run = 0; run < runs; ++run) {
        FrameSet baseline, product;
        double start = seconds();
        equal = importPixelByPixel(path.c_str(), baseline, silent) && equal;
        before.push_back(seconds() - start);
        start = seconds();
        equal =
            importPicture(path.c_str(), Settings(), product, silent) == FramesMade::made && equal;
        now.push_back(seconds() - start);
        equal = equal && baseline.bytes == product.bytes;
    }
    reportPair("import 512x512: bulk reading", figuresOf(before), figuresOf(now), equal);
    DeleteFileA(path.c_str());
}

// The same 1024 x 1024 picture as a 24-bit BMP loaded as the system converts, and as a PNG
// decoded by the imaging component and dithered by Floyd-Steinberg.
void runPictureBenchmark(int runs, const std::string &folder) {
    std::vector<double> bitmap, png;
    SilentReporter silent;
    Settings dithered;
    dithered.pictureToDots = FloydSteinberg;
    bool read = true;
    for (int run = 0; run < runs; ++run) {
        FrameSet frames;
        double start = seconds();
        read = importPicture((folder + "\\bench.bmp").c_str(), Settings(), frames, silent) ==
                   FramesMade::made &&
               read;
        bitmap.push_back(seconds() - start);
        start = seconds();
        read = importPicture((folder + "\\bench.png").c_str(), dithered, frames, silent) ==
                   FramesMade::made &&
               read;
        png.push_back(seconds() - start);
    }
    Figures bmp = figuresOf(bitmap), dither = figuresOf(png);
    printf("%-34s BMP as the system converts: min %7.3f s median %7.3f s   PNG Floyd-Steinberg: "
           "min %7.3f s median %7.3f s   %s\n",
           "import 1024x1024", bmp.min, bmp.median, dither.min, dither.median,
           read ? "both read" : "NOT READ");
}
