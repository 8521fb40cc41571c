#include "output/file_replacement.h"

#include "convert/unicode_text.h"

#include <windows.h>

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
