#include "state/editor_state.h"

#include <cstring>

EditorState editor;

int storePath(char *field, const char *path) {
    size_t length = strlen(path);
    if (length >= pathCapacity) return 0;
    memmove(field, path, length + 1);
    return 1;
}
