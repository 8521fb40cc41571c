#include "convert/convert.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "view/dib_pixels.h"
#include "view/view.h"

#include <cstdlib>
#include <cstring>
#include <vector>

static bool isLineOrTab(unsigned char b) {
    return b == '\n' || b == '\r' || b == '\t';
}
bool isLeadByte(unsigned char b) {
    return b >= 160;
}

// A line break, a tab or the terminating zero is never the second byte of a character: a
// frame name may never hold a line break.
int characterBytes(const unsigned char *text, int at, int length) {
    if (!isLeadByte(text[at]) || at + 1 >= length) return 1;
    unsigned char second = text[at + 1];
    return isLineOrTab(second) || second == 0 ? 1 : 2;
}

// Searches every byte offset of the kept bytes, not only where characters begin.
static bool keptContains(const unsigned char *kept, int k, unsigned char b) {
    for (int o = 0; o < k; ++o)
        if (kept[o] == b) return true;
    return false;
}

// Offset k is compared too (the zero after the kept bytes), never beyond the buffer.
static bool keptContainsPair(const unsigned char *kept, int k, int length, unsigned char b,
                             unsigned char b2) {
    for (int o = 0; o < k && o + 1 < length; ++o)
        if (kept[o] == b && kept[o + 1] == b2) return true;
    return false;
}

void removeRepeatedCharacters(const unsigned char *text, int length, unsigned char *kept) {
    int k = 0;
    for (int p = 0; p < length; ++p) {
        unsigned char b = text[p];
        if (isLineOrTab(b)) continue;
        if (characterBytes(text, p, length) == 1) {
            if (keptContains(kept, k, b)) continue;
            kept[k++] = b;
            // a high byte alone keeps what parts it from the next character
            if (isLeadByte(b) && p + 1 < length && text[p + 1]) kept[k++] = text[++p];
            continue;
        }
        unsigned char b2 = text[p + 1];
        if (!keptContainsPair(kept, k, length, b, b2)) {
            kept[k++] = b;
            kept[k++] = b2;
        }
        ++p;
    }
}

HFONT createGlyphFont(int width, int height) {
    editor.defaultFont.lfWidth = width;
    editor.defaultFont.lfHeight = height;
    // Smoothed edges are grey and only black sets a dot: curves and diagonals would lose
    // their dots. The stored record keeps its quality.
    LOGFONTA glyphFont = editor.defaultFont;
    glyphFont.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectA(&glyphFont);
}

int startTextRasterizer(HWND owner) {
    return startTextConversion(owner, textRasterizerWorker);
}

int startTextConversion(HWND owner, LPTHREAD_START_ROUTINE worker) {
    if (isBusy()) return 0;
    editor.workerOwner = owner;
    int n = GetWindowTextLengthA(editor.textEdit);
    if (n == 0) {
        editor.frameCount = 1;
        editor.currentFrame = 0;
        allocateFrames(owner);
        SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);
        refreshControls();
        return 0;
    }
    int length = n + 1;
    if (!framesFit(owner, editor.matrixWidth, editor.matrixHeight, length)) return 0;
    unsigned char *text = static_cast<unsigned char *>(calloc(length, 1));
    if (!text) return 0;
    GetWindowTextA(editor.textEdit, reinterpret_cast<char *>(text), length);
    if (editor.characterDetect) {
        unsigned char *kept = static_cast<unsigned char *>(calloc(length, 1));
        if (!kept) {
            free(text);
            return 0;
        }
        removeRepeatedCharacters(text, length, kept);
        free(text);
        text = kept;
    }
    // The counts are published only once the thread exists, so a failed start leaves
    // frameCount matching the frames already held.
    int oldLength = editor.textLength, oldCount = editor.frameCount, oldFrame = editor.currentFrame;
    editor.textLength = length;
    editor.frameCount = length;
    editor.currentFrame = 0;
    if (!startWorker(worker, text)) {
        editor.textLength = oldLength;
        editor.frameCount = oldCount;
        editor.currentFrame = oldFrame;
        free(text);
        return 0;
    }
    return 1;
}

void sampleCanvas(const DWORD *pixels, int canvasWidth, int canvasHeight, int shiftX, int shiftY) {
    for (int x = 0; x < editor.matrixWidth; ++x) {
        for (int y = 0; y < editor.matrixHeight; ++y) {
            int sx = x + shiftX, sy = y + shiftY;
            bool inside = pixels && sx >= 0 && sx < canvasWidth && sy >= 0 && sy < canvasHeight;
            if (inside && (pixels[static_cast<size_t>(sy) * canvasWidth + sx] & 0xFFFFFF) == 0)
                setDot(x, y);
            else
                clearDot(x, y);
        }
    }
}

// One font for each character width and one canvas serve a whole conversion. The canvas is a
// DIB section: its pixels are read where they lie, without a copy.
struct GlyphCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    DWORD *pixels = nullptr;
    HFONT fonts[2] = {}; // one-byte and two-byte characters
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    int width = 0, height = 0;
};

static void openCanvas(GlyphCanvas &canvas, HDC ownerDc) {
    canvas.width = editor.matrixWidth + 10;
    canvas.height = editor.matrixHeight;
    canvas.dc = CreateCompatibleDC(ownerDc);
    BITMAPINFO info = topDownInfo(canvas.width, canvas.height);
    void *bits = nullptr;
    canvas.bitmap = CreateDIBSection(ownerDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.pixels = canvas.bitmap ? static_cast<DWORD *>(bits) : nullptr;
    if (canvas.bitmap) canvas.oldBitmap = SelectObject(canvas.dc, canvas.bitmap);
}

static void closeCanvas(GlyphCanvas &canvas) {
    if (canvas.oldFont) SelectObject(canvas.dc, canvas.oldFont);
    if (canvas.oldBitmap) SelectObject(canvas.dc, canvas.oldBitmap);
    for (HFONT font : canvas.fonts)
        if (font) DeleteObject(font);
    if (canvas.bitmap) DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
}

// A canvas that could not be made samples as white: every dot clear.
static void drawCharacter(GlyphCanvas &canvas, const unsigned char *glyph, int bytes) {
    HFONT &font = canvas.fonts[bytes - 1];
    if (!font)
        font = createGlyphFont(bytes == 2 ? editor.matrixWidth / 2 : editor.matrixWidth,
                               editor.matrixHeight);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    if (!canvas.oldFont) canvas.oldFont = previous;
    if (canvas.pixels) {
        memset(canvas.pixels, 0xFF, sizeof(DWORD) * canvas.width * canvas.height);
        TextOutA(canvas.dc, 0, 0, reinterpret_cast<const char *>(glyph), bytes);
        GdiFlush();
    }
    sampleCanvas(canvas.pixels, canvas.width, canvas.height, editor.textShiftX, editor.textShiftY);
}

void listTextFrames(const unsigned char *text, int length) {
    SendMessageA(editor.frameComboBox, WM_SETREDRAW, FALSE, 0);
    for (int p = 0; p < length && text[p]; ++p) {
        if (isLineOrTab(text[p])) continue;
        char entry[3] = {static_cast<char>(text[p]), 0, 0};
        if (characterBytes(text, p, length) == 2) entry[1] = static_cast<char>(text[++p]);
        SendMessageA(editor.frameComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    SendMessageA(editor.frameComboBox, WM_SETREDRAW, TRUE, 0);
}

DWORD WINAPI textRasterizerWorker(LPVOID argument) {
    unsigned char *text = static_cast<unsigned char *>(argument);
    HWND owner = editor.workerOwner;
    int length = editor.textLength;
    enableModeRadios(FALSE);
    if (!allocateFrames(owner)) {
        free(text);
        postWorkerResult(owner, WorkerResult());
        return 1;
    }
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);

    HDC ownerDc = GetDC(owner);
    GlyphCanvas canvas;
    openCanvas(canvas, ownerDc);
    ProgressText progress;
    beginProgress(progress);
    int frame = 0;
    for (int p = 0; p < length; ++p) {
        if (isLineOrTab(text[p])) continue;
        int bytes = characterBytes(text, p, length);
        editor.currentFrame = frame;
        showProgress(progress, static_cast<int>((p + 1) * 100LL / length));
        drawCharacter(canvas, text + p, bytes);
        p += bytes - 1;
        ++frame;
    }
    closeCanvas(canvas);
    ReleaseDC(owner, ownerDc);

    // the list is filled by the window's own thread
    WorkerResult result;
    result.text = text;
    result.textLength = length;
    postWorkerResult(owner, result);
    return 1;
}
