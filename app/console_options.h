// The command line of the console program.
#pragma once

#include <string>

struct ConsoleOptions {
    int width = 16, height = 16;
    int outputStyle = 0, codingStyle = 0, alignStyle = 0, bitmapStyle = 0, characterDetect = 1;
    std::string font;
    int weight = -1; // the default font's own
    bool italic = false;
    int glyphSize = 0, fontPixelHeight = 16; // --fit stretch|font, --font-size N
    bool centreGlyphs = false;
    int pictureToDots = 0, threshold = 128,
        pictureSize = 0; // --dither, --threshold, --picture-size
    bool darkDots = false;
    std::string arrayName = "CODE_MATRIX"; // --name
    bool commentFrames = false;            // --comment-frames
    int input = 0; // ManualText, TextFile, BitmapFile, or ManualPaint: a source of ours loaded
    std::string inputText, output;
    bool help = false; // --help or -h: the usage only
};

extern const char consoleUsage[];
// Reads the arguments; false on a usage error, with the reason in error.
bool readConsoleOptions(int argc, char **argv, ConsoleOptions &options, std::string &error);
