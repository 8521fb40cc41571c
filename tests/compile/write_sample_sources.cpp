// Writes the frames of a sample session as ANSI C, C51 and ASM source into the current folder,
// with the expected bytes beside them, for the compilers that check the output.
#include "app/app.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "output/output.h"
#include "res/resource.h"

#include <commctrl.h>
#include <cstdio>

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    editor.instanceHandle = GetModuleHandleA(nullptr);
    if (!registerMainWindowClass(editor.instanceHandle) || !createMainWindow(editor.instanceHandle))
        return 2;
    // 12 x 300: two-byte rows with padding, 600 bytes a frame, so lines are continued
    editor.pixelWidth = editor.matrixWidth = 12;
    editor.pixelHeight = editor.matrixHeight = 300;
    SendMessageA(editor.mainWindow, WM_COMMAND, ManualPaint, 0);
    SendMessageA(editor.mainWindow, WM_COMMAND, IDC_NEW, 0);
    SendMessageA(editor.mainWindow, WM_COMMAND, IDC_NEW, 0);
    for (int frame = 0; frame < 3; ++frame) {
        editor.currentFrame = frame;
        for (int row = 0; row < 300; ++row)
            for (int column = 0; column < 12; ++column)
                if ((row * 7 + column * 3 + frame) % 5 == 0) setDot(column, row);
    }
    editor.currentFrame = 1;
    invertCurrentFrame(); // padding bits of frame 1 become ones

    editor.outputStyle = OutputAnsiC;
    if (!saveSource("frames_ansi.c")) return 3;
    editor.outputStyle = OutputC51;
    if (!saveSource("frames_c51.c")) return 3;
    editor.outputStyle = OutputAsm;
    if (!saveSource("frames_asm.asm")) return 3;

    FILE *expected = fopen("expected.txt", "w");
    if (!expected) return 3;
    for (int frame = 0; frame < 3; ++frame) {
        const unsigned char *record = frameRecord(frame);
        for (int i = 0; i < 600; ++i)
            fprintf(expected, "%02x\n", record[2 + i]);
    }
    fclose(expected);
    DestroyWindow(editor.mainWindow);
    return 0;
}
