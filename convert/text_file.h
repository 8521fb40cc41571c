// Text files and the ASCII table: the text a conversion starts from.
#pragma once

#include "model/reporter.h"

#include <string>

extern const char asciiTable[];
// The part of a path after its last backslash.
const char *fileNameOf(const char *path);
// Tells the user that a path does not fit the 255 characters a stored path may hold.
void reportPathTooLong(Reporter &report);
// Reads a text file of at most 10240 bytes as it is; the text ends at a zero byte, which the
// user is warned of. A path too long, a file too large or no file at all are told; a file that
// can't be opened is not. Returns true when read.
bool readTextFile(const char *path, std::string &text, Reporter &report);
