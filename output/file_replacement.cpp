#include "output/file_replacement.h"

#include "convert/input_file.h"
#include "convert/unicode_text.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

const char *targetProblem(const char *target) {
    if (isDeviceName(target)) return "It is not a file.";
    DWORD attributes = GetFileAttributesW(wideOf(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return nullptr;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "It is a folder.";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "It is read-only.";
    return nullptr;
}

std::string systemReason(unsigned long error) {
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && isspace(static_cast<unsigned char>(reason.back())))
        reason.pop_back();
    return reason.empty() ? "The system gives error " + std::to_string(error) + "." : reason;
}

bool createFileBeside(const char *target, std::wstring &temporary, std::string &reason) {
    std::wstring path = wideOf(target), folder = L".";
    size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash < MAX_PATH) {
        folder = path.substr(0, slash);
        if (folder.empty() || folder.back() == L':') folder += L'\\'; // a drive's root
    }
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"mx7", 0, name)) {
        DWORD error = GetLastError();
        reason = GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES
                     ? "Its folder does not exist."
                     : systemReason(error);
        return false;
    }
    temporary = name;
    return true;
}

// The system's own calls: the C library's fclose reports no failure of its last write (a full
// disk), WriteFile does.
bool writeWholeFile(const std::wstring &path, const std::string &bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    DWORD written = 1;
    while (done < bytes.size() && written) {
        DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, part, &written, nullptr)) written = 0;
        done += written;
    }
    return CloseHandle(file) && done == bytes.size();
}

bool replaceTarget(const std::wstring &temporary, const char *target) {
    if (MoveFileExW(temporary.c_str(), wideOf(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}
