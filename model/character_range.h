// A character range list: comma-separated items, each a code point or FIRST-LAST, written 0x410,
// U+0410 or 1040, spaces allowed.
#pragma once

#include <string>
#include <vector>

constexpr unsigned long maxCodePoint = 0x10FFFF;
constexpr size_t maxRangeCodePoints = 65536;

// The code points of list in the order given, each once; "" when read, else the reason for the
// user (nothing changed).
std::string parseCharacterRange(const std::string &list, std::vector<unsigned> &codePoints);
