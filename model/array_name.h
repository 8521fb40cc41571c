// The array's name: a C identifier, which serves as an assembler label too, and none of the
// words the compiler or assembler of the output style reserves.
#pragma once

#include <string>
#include <vector>

// Words a name can't be, and the reason told when it is one.
struct ReservedWords {
    std::vector<const char *> words;
    bool anyCase;                       // an assembler's words, in any case
    std::vector<const char *> prefixes; // names beginning so
    const char *reason;
};

extern const ReservedWords c99Keywords, c51Keywords, cppKeywords, assemblerWords, lvglNames;

// Why the name can't be the array's: no C identifier, or one of the reserved words (checked in
// the order given); nullptr when it can.
const char *arrayNameProblem(const std::string &name,
                             const std::vector<const ReservedWords *> &reserved);
