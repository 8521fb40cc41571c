#include "convert/text_file.h"

#include "convert/input_file.h"
#include "model/modes.h"

#include <cstdio>
#include <cstring>

constexpr long long textFileLimit = 10 * 1024;

const char asciiTable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"
                          "abcdefghijklmnopqrstuvwxyz\r\n"
                          "`1234567890-=[]\\;',./\r\n"
                          "~!@#$%^&*()_+{}|:\"<>?";

const char *fileNameOf(const char *path) {
    const char *slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

void reportPathTooLong(Reporter &report) {
    report.tell("Sorry,the path of your file is too long!\n", MB_ICONERROR);
}

static void tellNotRead(Reporter &report, const char *path, const char *reason) {
    report.tell(std::string("Can't read ") + path + "!\n" + reason, MB_ICONERROR);
}

enum class FileRead { read, tooLarge, failed };

// The file's bytes: no more than the longest text of textFileLimit characters may take.
static FileRead readBytes(const char *path, std::string &bytes, Reporter &report) {
    InputFile input;
    if (const char *reason = openInputFile(path, input)) {
        tellNotRead(report, path, reason);
        return FileRead::failed;
    }
    bool small = input.size <= 4 * textFileLimit + 3; // UTF-8 with its mark
    if (small) {
        bytes.resize(static_cast<size_t>(input.size));
        bytes.resize(fread(&bytes[0], 1, bytes.size(), input.file));
    }
    fclose(input.file);
    return small ? FileRead::read : FileRead::tooLarge;
}

bool readTextFile(const char *path, Text &read, Reporter &report) {
    if (pathTooLong(path)) {
        reportPathTooLong(report);
        return false;
    }
    std::string bytes;
    Text text;
    FileRead outcome = readBytes(path, bytes, report);
    if (outcome == FileRead::failed) return false;
    const char *reason = outcome == FileRead::read ? decodeTextFile(bytes, text) : nullptr;
    if (reason) {
        tellNotRead(report, path, reason);
        return false;
    }
    if (outcome == FileRead::tooLarge || characterCount(text) > textFileLimit) {
        report.tell("Sorry,your file selected is too large!\n", MB_ICONERROR);
        return false;
    }
    size_t zero = text.unicode ? text.wide.find(L'\0') : text.ansi.find('\0');
    if (zero != std::string::npos) {
        text.unicode ? text.wide.resize(zero) : text.ansi.resize(zero);
        report.tell(std::string("The file ") + path +
                        " holds a zero byte!\nOnly the text before it is converted.",
                    MB_ICONWARNING);
    }
    read = std::move(text);
    return true;
}
