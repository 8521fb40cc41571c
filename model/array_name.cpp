// The array's name: a C identifier, which serves as an assembler label too.
#include "model/settings.h"

#include <cctype>

const char *arrayNameProblem(const std::string &name) {
    static const char *const keywords[] = {
        "auto",    "break",    "case",   "char",     "code",   "const",    "continue",
        "default", "do",       "double", "else",     "enum",   "extern",   "float",
        "for",     "goto",     "if",     "int",      "long",   "register", "return",
        "short",   "signed",   "sizeof", "static",   "struct", "switch",   "typedef",
        "union",   "unsigned", "void",   "volatile", "while",  "db",       "END"};
    bool identifier =
        !name.empty() && name.size() <= 63 && !isdigit(static_cast<unsigned char>(name[0]));
    for (char c : name)
        identifier = identifier && (isalnum(static_cast<unsigned char>(c)) || c == '_');
    for (const char *keyword : keywords)
        identifier = identifier && name != keyword;
    return identifier ? nullptr
                      : "The array name must be a C identifier of at most 63 letters, digits "
                        "and _, not starting with a digit and no keyword.";
}
