// What the font writers share: a text frame's code point and the words naming what a font was
// made of.
#pragma once

#include "model/frame_set.h"
#include "model/settings.h"

#include <string>

// Text frame n's character as a Unicode code point (a two-byte ANSI character converted).
unsigned frameCodePoint(const FrameSet &frames, int n);
// The font, its size and the characters: "DejaVu Sans, 16 pixels, 0x20-0x7E".
std::string fontDescription(const Settings &settings);
// Bytes as C hex literals ("0x1f, ...") in lines of `perLine` after an indent.
void appendHexBytes(std::string &out, const unsigned char *bytes, size_t count, size_t perLine);
