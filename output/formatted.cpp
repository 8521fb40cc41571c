#include "output/formatted.h"

#include <cstdarg>
#include <cstdio>

void appendFormatted(std::string &out, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length > 0) {
        size_t start = out.size();
        out.resize(start + static_cast<size_t>(length) + 1);
        vsnprintf(&out[start], static_cast<size_t>(length) + 1, format, again);
        out.resize(start + static_cast<size_t>(length));
    }
    va_end(again);
}
