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
        if (!isLeadByte(b)) {
            if (!keptContains(kept, k, b)) kept[k++] = b;
            continue;
        }
        if (p + 1 >= length) { // a lead byte without its second byte ends the text
            if (!keptContains(kept, k, b)) kept[k++] = b;
            break;
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
    return CreateFontIndirectA(&editor.defaultFont);
}

int startTextRasterizer(HWND owner) {
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
    if (!startWorker(textRasterizerWorker, text)) {
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

static void drawCharacter(HDC ownerDc, HDC memory, const unsigned char *glyph, int bytes,
                          std::vector<DWORD> &pixels) {
    int width = editor.matrixWidth, height = editor.matrixHeight;
    HFONT font = createGlyphFont(bytes == 2 ? width / 2 : width, height);
    HGDIOBJ oldFont = SelectObject(memory, font);
    int canvasWidth = width + 10;
    HBITMAP canvas = CreateCompatibleBitmap(ownerDc, canvasWidth, height);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    PatBlt(memory, 0, 0, canvasWidth, height, WHITENESS);
    TextOutA(memory, 0, 0, reinterpret_cast<const char *>(glyph), bytes);
    SelectObject(memory, oldBitmap);
    // a canvas that cannot be made or read samples as white: every dot clear
    bool read = canvas && readTopDownPixels(memory, canvas, canvasWidth, height, pixels);
    sampleCanvas(read ? pixels.data() : nullptr, canvasWidth, height, editor.textShiftX,
                 editor.textShiftY);
    SelectObject(memory, oldFont);
    DeleteObject(font);
    DeleteObject(canvas);
}

static void listCharacters(const unsigned char *text, int length) {
    for (int p = 0; p < length && text[p]; ++p) {
        if (isLineOrTab(text[p])) continue;
        char entry[3] = {static_cast<char>(text[p]), 0, 0};
        if (isLeadByte(text[p]) && p + 1 < length) entry[1] = static_cast<char>(text[++p]);
        SendMessageA(editor.frameComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
}

DWORD WINAPI textRasterizerWorker(LPVOID argument) {
    unsigned char *text = static_cast<unsigned char *>(argument);
    HWND owner = editor.workerOwner;
    int length = editor.textLength;
    enableModeRadios(FALSE);
    if (!allocateFrames(owner)) {
        free(text);
        finishWorker();
        return 1;
    }
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);

    HDC ownerDc = GetDC(owner);
    HDC memory = CreateCompatibleDC(ownerDc);
    std::vector<DWORD> pixels;
    ProgressText progress;
    beginProgress(progress);
    int frame = 0;
    for (int p = 0; p < length; ++p) {
        if (isLineOrTab(text[p])) continue;
        int bytes = isLeadByte(text[p]) && p + 1 < length ? 2 : 1;
        editor.currentFrame = frame;
        showProgress(progress, static_cast<int>((p + 1) * 100LL / length));
        drawCharacter(ownerDc, memory, text + p, bytes, pixels);
        p += bytes - 1;
        ++frame;
    }
    DeleteDC(memory);
    ReleaseDC(owner, ownerDc);

    listCharacters(text, length);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    free(text);
    editor.currentFrame = 0;
    invalidateEditor(owner);
    refreshControls();
    finishWorker();
    enableModeRadios(TRUE);
    return 1;
}
