#include "output/file_replacement.h"

#include "convert/input_file.h"
#include "convert/unicode_text.h"

#include <windows.h>

const char *targetProblem(const char *target) {
    if (isDeviceName(target)) return "It is not a file.";
    DWORD attributes = GetFileAttributesW(wideOf(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return nullptr;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "It is a folder.";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "It is read-only.";
    return nullptr;
}

bool createFileBeside(const char *target, std::wstring &temporary) {
    std::wstring path = wideOf(target), folder = L".";
    size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash < MAX_PATH) {
        folder = path.substr(0, slash);
        if (folder.empty() || folder.back() == L':') folder += L'\\'; // a drive's root
    }
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"mx7", 0, name)) return false;
    temporary = name;
    return true;
}

bool replaceTarget(const std::wstring &temporary, const char *target) {
    if (MoveFileExW(temporary.c_str(), wideOf(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}
