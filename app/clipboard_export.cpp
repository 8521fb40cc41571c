#include "app/app.h"
#include "app/editor_state.h"
#include "res/resource.h"
#include "app/user_messages.h"

#include <cstring>

const char clipboardTempFile[] = "~~$$~~.tmp";

static int reportCopy(HWND window, bool success) {
    return tellUser(window,
                    success ? "Copy DOT Matrix to clipboard Successed!"
                            : "Copy DOT Matrix to clipboard Failed!",
                    mainWindowTitle, success ? MB_ICONINFORMATION : MB_ICONERROR);
}

// Reads the whole temporary file into a new moveable block, NUL-terminated.
static HGLOBAL readTempFile() {
    FILE *file = fopen(clipboardTempFile, "rb");
    if (!file) return nullptr;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    HGLOBAL block = size >= 0 ? GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + 1) : nullptr;
    char *text = block ? static_cast<char *>(GlobalLock(block)) : nullptr;
    if (!text) {
        if (block) GlobalFree(block);
        fclose(file);
        return nullptr;
    }
    memset(text, 0, size + 1);
    fseek(file, 0, SEEK_SET);
    fread(text, 1, size, file);
    fclose(file);
    GlobalUnlock(block);
    return block;
}

int copyToClipboard(HWND window) {
    // a save that failed may have left a cut text: nothing of it goes to the clipboard
    if (!saveFrames(window, clipboardTempFile)) return reportCopy(window, false);
    HGLOBAL block = readTempFile();
    if (!block) return reportCopy(window, false);
    if (!OpenClipboard(window)) {
        GlobalFree(block);
        return reportCopy(window, false);
    }
    // Formats other programs left there (such as Unicode text) would otherwise be what
    // most editors paste.
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    DeleteFileA(clipboardTempFile);
    return reportCopy(window, true);
}
