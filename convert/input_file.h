// Every file the program reads (a picture, a text file, a source) is opened here: a regular
// file only, never a device such as COM1 or NUL, whose read could wait for ever.
#pragma once

#include <cstdio>
#include <string>

struct InputFile {
    FILE *file = nullptr; // binary mode, the bytes as they are
    long long size = 0;   // measured in 64 bits
};

extern const char inputCannotBeOpened[];
extern const char inputIsNotAFile[];
extern const char inputIsMissing[];

// Paths are UTF-8 throughout the core. Whether a path is longer than a stored path may be.
bool pathTooLong(const char *path);

// A name the system takes for a device (CON, NUL, COM1, ...), with any extension or folder.
bool isDeviceName(const char *path);
// Reads the whole file into bytes, if it takes at most maxBytes; nullptr, else the reason.
const char *readWholeFile(const char *path, long long maxBytes, std::string &bytes);
// The unsigned number of count bytes at `at` of a file's bytes, big- or little-endian.
unsigned long long numberAt(const std::string &bytes, size_t at, int count, bool bigEndian);
// Opens path for reading; nullptr when open, else the reason for the user (nothing opened).
const char *openInputFile(const char *path, InputFile &input);
