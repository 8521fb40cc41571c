// The text conversion as it was before one font and one canvas served a whole conversion:
// a font and a canvas for every character, read back with GetDIBits, and one cross-thread
// message for every list entry. The benchmark runs it beside the product's worker.
#include "bench.h"

#include "app/app.h"
#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "view/dib_pixels.h"
#include "view/view.h"

#include <vector>

static bool isLineEnd(unsigned char b) {
    return b == '\n' || b == '\r' || b == '\t';
}

static void drawCharacterAlone(HDC ownerDc, HDC memory, const unsigned char *glyph, int bytes,
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

static void listCharactersOneByOne(const unsigned char *text, int length) {
    for (int p = 0; p < length && text[p]; ++p) {
        if (isLineEnd(text[p])) continue;
        char entry[3] = {static_cast<char>(text[p]), 0, 0};
        if (characterBytes(text, p, length) == 2) entry[1] = static_cast<char>(text[++p]);
        SendMessageA(editor.frameComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
}

DWORD WINAPI baselineTextWorker(LPVOID argument) {
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
    HDC memory = CreateCompatibleDC(ownerDc);
    std::vector<DWORD> pixels;
    ProgressText progress;
    beginProgress(progress);
    int frame = 0;
    for (int p = 0; p < length; ++p) {
        if (isLineEnd(text[p])) continue;
        int bytes = characterBytes(text, p, length);
        editor.currentFrame = frame;
        showProgress(progress, static_cast<int>((p + 1) * 100LL / length));
        drawCharacterAlone(ownerDc, memory, text + p, bytes, pixels);
        p += bytes - 1;
        ++frame;
    }
    DeleteDC(memory);
    ReleaseDC(owner, ownerDc);

    listCharactersOneByOne(text, length);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    free(text);
    editor.currentFrame = 0;
    postWorkerResult(owner, WorkerResult());
    return 1;
}
