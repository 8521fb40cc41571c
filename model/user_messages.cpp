#include "model/user_messages.h"

#include "model/editor_state.h"

#include <cstdio>

static bool failed;

int tellUser(HWND owner, const char *text, const char *caption, UINT type) {
    if (!editor.consoleProgram) return MessageBoxA(owner, text, caption, type);
    fputs("morvex7c: ", stderr);
    for (const char *c = text; *c; ++c) { // one line: the box's line breaks become spaces
        if (*c != '\n')
            fputc(*c, stderr);
        else if (c[1])
            fputc(' ', stderr);
    }
    fputc('\n', stderr);
    if ((type & MB_ICONMASK) == MB_ICONERROR) failed = true;
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDNO;
}

bool consoleFailed() {
    return failed;
}
