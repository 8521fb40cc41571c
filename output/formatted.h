// Formatted text appended to a string: how the writers build a file's bytes.
#pragma once

#include <cstdio>
#include <string>

void appendFormatted(std::string &out, const char *format, ...)
    __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
