// Helper of the end-to-end test, run beside the program: prints where its grid lies on the
// screen ("x y thumb": the client origin and the vertical thumb height the layout uses).
#include <windows.h>

#include <cstdio>

int main() {
    HWND window = nullptr;
    for (int i = 0; i < 300 && !(window = FindWindowA("MORVEX7", nullptr)); ++i)
        Sleep(100);
    if (!window) return 2;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    printf("%ld %ld %d\n", origin.x, origin.y, GetSystemMetrics(SM_CYVTHUMB));
    return 0;
}
