// Helper of the end-to-end test, run beside the program: prints where its grid lies on the
// screen ("x y thumb" of the client origin), or with --command ID sends it a command as the
// program itself would, --close closes it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
    HWND window = nullptr;
    for (int i = 0; i < 300 && !window; ++i) {
        window = FindWindowA("MORVEX7", nullptr);
        if (!window) Sleep(100);
    }
    if (!window) {
        fprintf(stderr, "no MORVEX7 window\n");
        return 2;
    }
    const char *action = argc > 1 ? argv[1] : "";
    if (strcmp(action, "--close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (strcmp(action, "--command") == 0 && argc > 2) {
        SendMessageA(window, WM_COMMAND, atoi(argv[2]), 0);
    } else {
        SetForegroundWindow(window);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        printf("%ld %ld %d\n", origin.x, origin.y, GetSystemMetrics(SM_CYVTHUMB));
    }
    return 0;
}
