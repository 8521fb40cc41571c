// morvex7c: the console program. It runs the window program's core with the main window made
// but never shown, and drives it through the program's own commands.
#include "app/app.h"
#include "app/console_options.h"
#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "model/user_messages.h"
#include "res/resource.h"

#include <commctrl.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

static void applyOptions(const ConsoleOptions &options) {
    editor.pixelWidth = editor.matrixWidth = options.width;
    editor.pixelHeight = editor.matrixHeight = options.height;
    editor.outputStyle = options.outputStyle;
    editor.codingStyle = options.codingStyle;
    editor.alignStyle = options.alignStyle;
    editor.bitmapStyle = options.bitmapStyle;
    editor.characterDetect = options.characterDetect;
    LOGFONTA &font = editor.defaultFont;
    if (!options.font.empty()) snprintf(font.lfFaceName, LF_FACESIZE, "%s", options.font.c_str());
    if (options.weight >= 0) font.lfWeight = options.weight;
    if (options.italic) font.lfItalic = TRUE;
    editor.frameCount = 1;
    allocateFrames(editor.mainWindow);
}

// Converts the input as the window program does when the user asks; false when it failed.
static bool convertInput(const ConsoleOptions &options) {
    HWND window = editor.mainWindow;
    const char *input = options.inputText.c_str();
    switch (options.input) {
    case ManualText:
        SetWindowTextA(editor.textEdit, input);
        rerunManualText(window);
        break;
    case TextFile:
        sendOwnCommand(window, TextFile);
        if (!loadTextFile(window, input)) return false;
        break;
    case BitmapFile:
        sendOwnCommand(window, BitmapFile);
        if (!storePath(editor.bitmapFilePath, input)) {
            reportPathTooLong(window);
            return false;
        }
        sendOwnCommand(window, IDC_OPEN); // the stored path, as the mode switch imports it
        break;
    default: // the options' output style and dot order, not the file's
        if (!loadSourceFile(window, input)) return false;
        editor.outputStyle = options.outputStyle;
        editor.codingStyle = options.codingStyle;
        editor.alignStyle = options.alignStyle;
    }
    pumpUntilIdle();
    return true;
}

// Saves as the window program's Save with a path does; "-" through a file of ours that is
// copied to standard output as it is.
static bool saveOutput(const std::string &output) {
    char path[MAX_PATH], folder[MAX_PATH];
    bool toStandardOutput = output == "-";
    if (toStandardOutput &&
        (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "mx7", 0, path)))
        return false;
    editor.lastSaveResult = 0;
    SendMessageA(editor.mainWindow, WM_COMMAND, IDM_SAVE,
                 reinterpret_cast<LPARAM>(toStandardOutput ? path : output.c_str()));
    bool saved = editor.lastSaveResult == 1;
    if (!toStandardOutput) return saved;
    FILE *file = saved ? fopen(path, "rb") : nullptr;
    _setmode(_fileno(stdout), _O_BINARY);
    char block[4096];
    for (size_t read; file && (read = fread(block, 1, sizeof block, file)) > 0;)
        saved = fwrite(block, 1, read, stdout) == read && saved;
    if (file) fclose(file);
    DeleteFileA(path);
    return saved && fflush(stdout) == 0;
}

// A face that is not installed is replaced by the system without a word: the user is told which
// face draws the glyphs instead, and the run goes on.
static void reportSubstitutedFont(const std::string &requested) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = createGlyphFont(editor.matrixWidth, editor.matrixHeight);
    HGDIOBJ previous = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    if (lstrcmpiA(face, requested.c_str()) != 0)
        fprintf(stderr, "morvex7c: the font %s is not installed; %s is used instead\n",
                requested.c_str(), face);
}

int main(int argc, char **argv) {
    ConsoleOptions options;
    std::string error;
    if (!readConsoleOptions(argc, argv, options, error)) {
        fprintf(stderr, "morvex7c: %s\n%s", error.c_str(), consoleUsage);
        return 2;
    }
    if (options.help) return fputs(consoleUsage, stdout) >= 0 && fflush(stdout) == 0 ? 0 : 1;
    editor.consoleProgram = true;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    editor.instanceHandle = GetModuleHandleA(nullptr);
    if (!registerMainWindowClass(editor.instanceHandle) ||
        !createMainWindow(editor.instanceHandle)) {
        fputs("morvex7c: no window could be made (under Wine it needs an X display)\n", stderr);
        return 1;
    }
    applyOptions(options);
    if (!options.font.empty()) reportSubstitutedFont(options.font);
    bool done = convertInput(options) && !consoleFailed();
    bool saved = done && saveOutput(options.output);
    if (done && !saved && !consoleFailed())
        fprintf(stderr, "morvex7c: Can't write %s!\n", options.output.c_str());
    else if (!done && !consoleFailed())
        fprintf(stderr, "morvex7c: Can't read %s!\n", options.inputText.c_str());
    int status = saved && !consoleFailed() ? 0 : 1;
    DestroyWindow(editor.mainWindow);
    return status;
}
