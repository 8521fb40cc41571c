// The plain tables of the C51, ANSI C and ASM styles.
#pragma once

#include "output/output.h"

// Why the frames can't be a plain table: 2 or 8-bit text; "" when they can.
std::string arrayProblem(const FrameSet &frames, const Settings &settings);
bool writeC51Array(const FrameSet &frames, const Settings &settings, std::string &out);
bool writeAnsiCArray(const FrameSet &frames, const Settings &settings, std::string &out);
bool writeAsmArray(const FrameSet &frames, const Settings &settings, std::string &out);
