#include "convert/input_file.h"

#include "convert/unicode_text.h"
#include "model/modes.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

const char inputCannotBeOpened[] = "It can't be opened.";
const char inputIsNotAFile[] = "It is not a file.";
const char inputIsMissing[] = "It does not exist.";

bool pathTooLong(const char *path) {
    return wideOf(path).size() >= pathCapacity;
}

bool isDeviceName(const char *path) {
    std::string name = path;
    size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    for (char &c : name)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (name == device) return true;
    return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

unsigned long long numberAt(const std::string &bytes, size_t at, int count, bool bigEndian) {
    unsigned long long value = 0;
    for (int i = 0; i < count; ++i)
        value =
            value << 8 | static_cast<unsigned char>(bytes[at + (bigEndian ? i : count - 1 - i)]);
    return value;
}

const char *readWholeFile(const char *path, long long maxBytes, std::string &bytes) {
    InputFile input;
    if (const char *reason = openInputFile(path, input)) return reason;
    static char tooLarge[48];
    snprintf(tooLarge, sizeof tooLarge, "It is larger than %lld MiB.", maxBytes >> 20);
    const char *reason = input.size > maxBytes ? tooLarge : nullptr;
    if (!reason) {
        bytes.resize(static_cast<size_t>(input.size));
        if (fread(&bytes[0], 1, bytes.size(), input.file) != bytes.size())
            reason = "It can't be read.";
    }
    fclose(input.file);
    return reason;
}

const char *openInputFile(const char *path, InputFile &input) {
    if (isDeviceName(path)) return inputIsNotAFile;
    HANDLE handle =
        CreateFileW(wideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing ? inputIsMissing : inputCannotBeOpened;
    }
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
