#include "output/file_replacement.h"

#include <cstring>

bool createFileBeside(const char *target, char *temporary) {
    char folder[MAX_PATH] = ".";
    const char *slash = strrchr(target, '\\'), *other = strrchr(target, '/');
    if (other > slash) slash = other;
    size_t length = slash ? static_cast<size_t>(slash - target) : 0;
    if (slash && length < sizeof folder) {
        memcpy(folder, target, length);
        folder[length] = 0;
        if (length == 0 || folder[length - 1] == ':') strcat(folder, "\\"); // a drive's root
    }
    return GetTempFileNameA(folder, "mx7", 0, temporary) != 0;
}

bool replaceTarget(const char *temporary, const char *target) {
    if (MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}
