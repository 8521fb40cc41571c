// The command line of the console program: its inputs, and a setting for each option of the
// settings table.
#pragma once

#include "model/settings.h"

#include <string>
#include <vector>

struct ConsoleOptions {
    Settings settings;
    bool faceGiven = false; // --font: the face is told when the system draws another
    bool weightGiven = false;
    int input = 0; // ManualText, TextFile, BitmapFile, or ManualPaint: a source of ours loaded
    std::string inputOption; // the input's option: --text, --range, --bitmap...
    std::string inputText, output;
    // the settings' options given, with their values, in order
    std::vector<std::pair<const SettingRow *, std::string>> given;
    bool help = false;    // --help or -h: the usage only
    bool version = false; // --version: the program's version only
    bool quiet = false;   // --quiet: nothing said of a run that succeeds
};

// The usage, with each option's default and range.
std::string consoleUsage();
// The letters to change, add or take away to make one word the other.
size_t editDistance(const std::string &a, const std::string &b);
// A line for each output style: its word, what it is for and its extension.
std::string styleUsageLines();
// Reads the arguments (the program's name left out); false on a usage error, with the reason in
// error.
bool readConsoleOptions(const std::vector<std::string> &arguments, ConsoleOptions &options,
                        std::string &error);
