// Helper of the end-to-end test: reports where the running program's grid lies on the
// screen ("x y thumb" of the client origin), or asks the program to close.
#include <windows.h>

#include <cstdio>
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
    if (argc > 1 && strcmp(argv[1], "--close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    SetForegroundWindow(window);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    printf("%ld %ld %d\n", origin.x, origin.y, GetSystemMetrics(SM_CYVTHUMB));
    return 0;
}
