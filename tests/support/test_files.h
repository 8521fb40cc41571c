// Files the tests write and read, in the temporary folder of the throwaway prefix, and the
// pictures they make.
#pragma once

#include <windows.h>

#include <string>

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
