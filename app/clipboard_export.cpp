#include "app/app.h"
#include "state/editor_state.h"
#include "res/resource.h"
#include "state/user_messages.h"

#include "convert/unicode_text.h"
#include "output/output_styles.h"

#include <cstring>
#include <string>

const char clipboardTempFile[] = "~~$$~~.tmp";

static int reportCopy(HWND window, bool success) {
    return tellUser(window,
                    success ? "Copy DOT Matrix to clipboard Successed!"
                            : "Copy DOT Matrix to clipboard Failed!",
                    mainWindowTitle, success ? MB_ICONINFORMATION : MB_ICONERROR);
}

// The whole temporary file; false when it can't be read whole.
static bool readTempFile(std::string &text) {
    FILE *file = fopen(clipboardTempFile, "rb");
    if (!file) return false;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    text.assign(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    bool read = size >= 0 && fread(&text[0], 1, text.size(), file) == text.size();
    fclose(file);
    return read;
}

// A moveable block holding bytes and a terminating zero of unitBytes.
static HGLOBAL blockOf(const void *bytes, size_t size, size_t unitBytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + unitBytes);
    void *data = block ? GlobalLock(block) : nullptr;
    if (!data) {
        if (block) GlobalFree(block);
        return nullptr;
    }
    memcpy(data, bytes, size);
    memset(static_cast<char *>(data) + size, 0, unitBytes);
    GlobalUnlock(block);
    return block;
}

// The source as Unicode text and as text of the system's code page: its names are UTF-8 where
// its header says so, else bytes of the code page.
static bool putOnClipboard(HWND window, const std::string &text) {
    bool utf8 = text.find("\n\tText Encoding=UTF-8\r\n") != std::string::npos ||
                text.find("\n;\tText Encoding=UTF-8\r\n") != std::string::npos;
    std::wstring wide = utf8 ? wideOf(text) : wideOfAnsi(text);
    std::string ansi = utf8 ? ansiOf(wide) : text;
    HGLOBAL blocks[2] = {blockOf(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t)),
                         blockOf(ansi.data(), ansi.size(), 1)};
    bool put = blocks[0] && blocks[1] && OpenClipboard(window);
    if (put) {
        // Formats other programs left there would otherwise be what some editors paste.
        EmptyClipboard();
        put = SetClipboardData(CF_UNICODETEXT, blocks[0]) != nullptr;
        if (put) blocks[0] = nullptr; // the clipboard's now
        put = put && SetClipboardData(CF_TEXT, blocks[1]) != nullptr;
        if (put) blocks[1] = nullptr;
        CloseClipboard();
    }
    for (HGLOBAL block : blocks)
        if (block) GlobalFree(block);
    return put;
}

int copyToClipboard(HWND window) {
    if (outputStyleRow(editor.settings.outputStyle).binary) // the clipboard takes text
        return tellUser(window,
                        "Copy DOT Matrix to clipboard Failed!\nThe output style writes a binary "
                        "file: save it with File, Save.",
                        mainWindowTitle, MB_ICONERROR);
    // a save that failed may have left a cut text: nothing of it goes to the clipboard
    std::string text;
    bool copied =
        saveFrames(window, clipboardTempFile) && readTempFile(text) && putOnClipboard(window, text);
    DeleteFileA(clipboardTempFile);
    return reportCopy(window, copied);
}
