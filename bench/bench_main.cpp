// The benchmarks: text conversion and bitmap import, today's code against what it replaced,
// in one run. Usage: morvex7_bench.exe [runs] (default 3); scripts/bench.sh runs it headless.
#include "bench.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "settings/settings.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 3;
    if (runs < 1) runs = 1;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    editor.instanceHandle = GetModuleHandleA(nullptr);
    if (!registerMainWindowClass(editor.instanceHandle) || !createMainWindow(editor.instanceHandle))
        return 2;
    // the settings of this run, not the user's
    editor.bitmapStyle = editor.codingStyle = editor.alignStyle = 0;
    initDefaultFont();
    printf("%d runs each; times per conversion, ratio of the medians\n", runs);
    runTextBenchmarks(runs);
    runImportBenchmarks(runs);
    DestroyWindow(editor.mainWindow);
    return 0;
}
