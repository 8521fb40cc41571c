#include "convert/convert.h"

#include "app/app.h"
#include "convert/input_file.h"
#include "convert/source_parser.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "output/dot_orders.h"
#include "view/view.h"
#include "model/user_messages.h"

#include <climits>
#include <cstdio>
#include <cstring>

static const long long maxSourceBytes = 64LL << 20;
static const size_t maxSourceFrames = 65536;

static const char *readWholeFile(const char *path, std::string &text) {
    InputFile input;
    if (const char *reason = openInputFile(path, input)) return reason;
    const char *reason = input.size > maxSourceBytes ? "It is larger than 64 MiB." : nullptr;
    if (!reason) {
        text.resize(static_cast<size_t>(input.size));
        if (fread(&text[0], 1, text.size(), input.file) != text.size())
            reason = "It can't be read.";
    }
    fclose(input.file);
    return reason;
}

static const char *checkSource(const ParsedSource &source) {
    if (source.bitmapStyle != 0) return "Its gray or colour pixels can't be edited as dots.";
    if (source.textMode < ManualPaint || source.textMode > BitmapFile || source.outputStyle < 0 ||
        source.outputStyle > 2 || source.codingStyle < 0 || source.codingStyle > 8 ||
        source.alignStyle < 0 || source.alignStyle > 1)
        return "It was not written by this program.";
    size_t bytes;
    if (source.width < 1 || source.height < 1 || source.width > INT_MAX - 7 ||
        source.height > INT_MAX - 7 || source.frames.empty() ||
        source.frames.size() > maxSourceFrames ||
        !frameStoreBytes(source.width, source.height, source.frames.size(), 1, bytes))
        return "Its matrix size or frame count is not one this program writes.";
    size_t frameBytes =
        orderedFrameBytes(static_cast<int>(source.width), static_cast<int>(source.height),
                          static_cast<int>(source.codingStyle));
    for (const std::vector<unsigned char> &frame : source.frames)
        if (frame.size() != frameBytes)
            return "A frame in it has fewer or more bytes than its size needs.";
    return nullptr;
}

// The frames' names: the characters of the keywords when they were written from a text or
// from frames named so, then "Custom %d".
static void listFrames(const ParsedSource &source) {
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);
    const std::string &keywords = source.keywords;
    bool characters = source.textMode == ManualPaint || source.textMode == ManualText;
    size_t at = 0;
    for (size_t i = 0; i < source.frames.size(); ++i) {
        char name[32];
        if (at < keywords.size() && keywords[at] == '\t') ++at; // after a high byte alone
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(keywords.data());
        size_t length =
            at < keywords.size() ? characterBytes(bytes, static_cast<int>(at), keywords.size()) : 1;
        if (characters && at + length <= keywords.size()) {
            snprintf(name, sizeof name, "%s", keywords.substr(at, length).c_str());
            at += length;
        } else {
            snprintf(name, sizeof name, "Custom %d", static_cast<int>(i) + 1);
        }
        SendMessageA(editor.frameComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
}

static int applySource(HWND owner, const ParsedSource &source) {
    editor.pixelWidth = editor.matrixWidth = static_cast<int>(source.width);
    editor.pixelHeight = editor.matrixHeight = static_cast<int>(source.height);
    editor.frameCount = static_cast<int>(source.frames.size());
    editor.currentFrame = 0;
    if (!allocateFrames(owner)) return 0;
    size_t frameBytes = currentFrameBytes();
    for (size_t i = 0; i < source.frames.size(); ++i) {
        unsigned char *frame = editor.frameBuffer + frameBytes * i;
        if (source.codingStyle == 0 && source.alignStyle == 0) // stored as written, padding too
            memcpy(frame, source.frames[i].data(), frameBytes);
        else
            unpackInOrder(source.frames[i].data(), editor.matrixWidth, editor.matrixHeight,
                          source.codingStyle, source.alignStyle, frame);
    }
    editor.outputStyle = source.outputStyle;
    editor.codingStyle = source.codingStyle;
    editor.alignStyle = source.alignStyle;
    editor.inputMode = ManualPaint;
    editor.modified = 0;
    listFrames(source);
    refreshControls();
    invalidateEditor(owner);
    return 1;
}

int loadSourceFile(HWND owner, const char *path) {
    char stored[pathCapacity];
    if (!storePath(stored, path)) {
        reportPathTooLong(owner);
        return 0;
    }
    std::string text;
    ParsedSource source;
    const char *reason = readWholeFile(path, text);
    if (!reason) reason = parseSource(text, source);
    if (!reason) reason = checkSource(source);
    if (reason) {
        char message[pathCapacity + 128];
        snprintf(message, sizeof message, "Can't load %s!\n%s", path, reason);
        tellUser(owner, message, nullptr, MB_ICONERROR | MB_OK);
        return 0;
    }
    return applySource(owner, source);
}
