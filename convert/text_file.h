// Text files and the ASCII table: the text a conversion starts from.
#pragma once

#include "convert/unicode_text.h"
#include "model/reporter.h"

#include <string>

extern const char asciiTable[];
// The part of a path after its last backslash.
const char *fileNameOf(const char *path);
// Tells the user that a path does not fit the 255 characters a stored path may hold.
void reportPathTooLong(Reporter &report);
// Reads a text file of at most 10240 characters: bytes of the ANSI code page as they are, or
// Unicode text in UTF-8 or UTF-16. The text ends at a zero character, which the user is warned
// of. A path too long, a file too large, no file at all or a broken encoding are told; a file
// that can't be opened is not. Returns true when read.
bool readTextFile(const char *path, Text &text, Reporter &report);
