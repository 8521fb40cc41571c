#include "convert/input_file.h"

#include "convert/unicode_text.h"
#include "model/modes.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

const char inputCannotBeOpened[] = "It can't be opened.";
const char inputIsNotAFile[] = "It is not a file.";

bool pathTooLong(const char *path) {
    return wideOf(path).size() >= pathCapacity;
}

const char *openInputFile(const char *path, InputFile &input) {
    HANDLE handle =
        CreateFileW(wideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return inputCannotBeOpened;
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        return inputIsNotAFile;
    }
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) CloseHandle(handle);
    input.file = descriptor < 0 ? nullptr : _fdopen(descriptor, "rb");
    if (!input.file) {
        if (descriptor >= 0) _close(descriptor);
        return inputCannotBeOpened;
    }
    input.size = size.QuadPart;
    return nullptr;
}
