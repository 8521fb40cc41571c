#include "test_files.h"

#include "convert/text_conversion.h"
#include "convert/unicode_text.h"
#include "model/character_range.h"

#include <cstring>

#include <fstream>
#include <iterator>

std::string testDataPath(const std::string &name) {
    char folder[MAX_PATH]; // the temporary folder of the throwaway prefix
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

void writeFile(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string makeBitmap(int width, int height, int bits, bool topDown,
                       COLORREF (*colourAt)(int, int)) {
    std::string pixels, palette;
    for (int line = 0; line < height; ++line) {
        std::string row((width * bits + 31) / 32 * 4, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = colourAt(x, topDown ? line : height - 1 - line);
            for (int i = 0; i < 3 && bits > 8; ++i) // blue, green, red
                row[x * bits / 8 + i] = static_cast<char>(c >> (16 - 8 * i));
            if (bits <= 8 && c)
                row[x * bits / 8] |= static_cast<char>(1 << (8 - bits - x * bits % 8));
        }
        pixels += row;
    }
    if (bits <= 8)
        palette = std::string("\0\0\0\0\xFF\xFF\xFF\0", 8) + std::string((4 << bits) - 8, 0);
    BITMAPINFOHEADER info = {
        sizeof info, width, topDown ? -height : height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info + DWORD(palette.size());
    BITMAPFILEHEADER file = {0x4D42, offset + DWORD(pixels.size()), 0, 0, offset};
    return std::string(reinterpret_cast<char *>(&file), sizeof file) +
           std::string(reinterpret_cast<char *>(&info), sizeof info) + palette + pixels;
}

int runConsole(const std::string &arguments, std::string *errors, std::string *output,
               bool writable) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    auto create = [&inherited](const char *name, DWORD access) {
        return CreateFileA(testDataPath(name).c_str(), access, FILE_SHARE_READ, &inherited,
                           CREATE_ALWAYS, 0, nullptr);
    };
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = create("errors.txt", GENERIC_WRITE);
    startup.hStdOutput = create("output.txt", writable ? GENERIC_WRITE : GENERIC_READ);
    PROCESS_INFORMATION process;
    std::wstring command = wideOf("\"" MORVEX7_BUILD_FOLDER "\\morvex7c.exe\" " + arguments);
    DWORD status = 99;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (HANDLE file : {startup.hStdError, startup.hStdOutput})
        CloseHandle(file);
    if (errors) *errors = readFile(testDataPath("errors.txt"));
    if (output) *output = readFile(testDataPath("output.txt"));
    return static_cast<int>(status);
}

Settings fontSettings(const char *face, int glyphSize) {
    Settings settings;
    strcpy(settings.font.lfFaceName, face);
    settings.font.lfWeight = FW_NORMAL;
    settings.glyphSize = glyphSize;
    return settings;
}

FrameSet convertedRange(const std::string &list, Settings &settings, Reporter &report) {
    std::vector<unsigned> codePoints;
    parseCharacterRange(list, codePoints);
    FrameSet frames;
    convertText(codePointText(codePoints), settings, frames, report);
    return frames;
}
