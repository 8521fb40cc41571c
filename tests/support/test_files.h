// Files the tests write and read, in the temporary folder of the throwaway prefix, and the
// pictures they make.
#pragma once

#include "model/reporter.h"
#include "model/settings.h"
#include "model/frame_set.h"

#include <windows.h>

#include <string>
#include <vector>

// What the core tells, recorded.
struct Recorder : Reporter {
    std::vector<std::string> told;
    void tell(const std::string &text, UINT) override { told.push_back(text); }
    void remark(const std::string &text) override { told.push_back(text); }
    std::string last() const { return told.empty() ? "" : told.back(); }
};
// An installed font at its regular weight, at its own size (16 pixels) or another glyph size.
Settings fontSettings(const char *face, int glyphSize = FontsOwnSize);
// The characters of a range list converted; the list must read.
FrameSet convertedRange(const std::string &list, Settings &settings, Reporter &report);

std::string testDataPath(const std::string &name);
void writeFile(const std::string &path, const std::string &bytes);
std::string readFile(const std::string &path);

// A BMP file: 1, 4 or 8 bits with a palette of black and white, or 24 or 32 bits.
std::string makeBitmap(int width, int height, int bits, bool topDown,
                       COLORREF (*colourAt)(int, int));
// Runs the console program with the arguments (UTF-8), standard error and output into files (output
// into one opened for reading only, where no write succeeds, when writable is false); its exit
// status.
int runConsole(const std::string &arguments, std::string *errors = nullptr,
               std::string *output = nullptr, bool writable = true);
