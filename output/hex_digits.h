// Bytes as text without a formatting call a byte: what every writer's tables are made of.
#pragma once

#include <string>

// The two hex digits of a byte.
inline void appendHexDigits(std::string &out, unsigned char byte, bool upper = false) {
    const char *digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}
