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

bool readTextFile(const char *path, std::string &text, Reporter &report) {
    if (strlen(path) >= pathCapacity) {
        reportPathTooLong(report);
        return false;
    }
    InputFile input;
    if (const char *reason = openInputFile(path, input)) {
        if (reason == inputIsNotAFile) // a missing file is told by the caller, or not at all
            report.tell(std::string("Can't read ") + path + "!\n" + reason, MB_ICONERROR);
        return false;
    }
    bool read = input.size <= textFileLimit;
    if (!read) report.tell("Sorry,your file selected is too large!\n", MB_ICONERROR);
    if (read) {
        text.resize(static_cast<size_t>(input.size));
        text.resize(fread(&text[0], 1, text.size(), input.file));
    }
    fclose(input.file);
    size_t zero = text.find('\0');
    if (read && zero != std::string::npos) {
        text.resize(zero);
        report.tell(std::string("The file ") + path +
                        " holds a zero byte!\nOnly the text before it is converted.",
                    MB_ICONWARNING);
    }
    return read;
}
