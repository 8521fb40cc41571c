#include "model/array_name.h"

#include <algorithm>
#include <cctype>
#include <cstring>

static const ReservedWords c89 = {
    {"auto",   "break",  "case",     "char",   "const",    "continue", "default",  "do",
     "double", "else",   "enum",     "extern", "float",    "for",      "goto",     "if",
     "int",    "long",   "register", "return", "short",    "signed",   "sizeof",   "static",
     "struct", "switch", "typedef",  "union",  "unsigned", "void",     "volatile", "while"},
    false,
    {},
    nullptr};
const ReservedWords c99Keywords = {{"inline", "restrict", "_Bool", "_Complex", "_Imaginary",
                                    "_Alignas", "_Alignof", "_Atomic", "_Generic", "_Noreturn",
                                    "_Static_assert", "_Thread_local"},
                                   false,
                                   {},
                                   "The array name is a keyword of C99 or C11."};
// the 8051's C dialect (C51): memory types, bits and function attributes
const ReservedWords c51Keywords = {
    {"bit",   "sbit", "sfr",       "sfr16", "data",      "idata",      "xdata",
     "pdata", "code", "bdata",     "far",   "alien",     "small",      "compact",
     "large", "_at_", "interrupt", "using", "reentrant", "_priority_", "_task_"},
    false,
    {},
    "The array name is a keyword of the 8051's C (C51)."};
// an Adafruit GFX font is a C++ header: C++'s keywords and the names the font uses
const ReservedWords cppKeywords = {
    {"alignas",
     "alignof",
     "and",
     "and_eq",
     "asm",
     "bitand",
     "bitor",
     "bool",
     "catch",
     "char8_t",
     "char16_t",
     "char32_t",
     "class",
     "compl",
     "concept",
     "consteval",
     "constexpr",
     "constinit",
     "const_cast",
     "co_await",
     "co_return",
     "co_yield",
     "decltype",
     "delete",
     "dynamic_cast",
     "explicit",
     "export",
     "false",
     "friend",
     "mutable",
     "namespace",
     "new",
     "noexcept",
     "not",
     "not_eq",
     "nullptr",
     "operator",
     "or",
     "or_eq",
     "private",
     "protected",
     "public",
     "reinterpret_cast",
     "requires",
     "static_assert",
     "static_cast",
     "template",
     "this",
     "thread_local",
     "throw",
     "true",
     "try",
     "typeid",
     "typename",
     "virtual",
     "wchar_t",
     "xor",
     "xor_eq",
     "GFXfont",
     "GFXglyph",
     "uint8_t",
     "uint16_t",
     "int8_t",
     "PROGMEM"},
    false,
    {},
    "The array name is a keyword of C++ or a name the GFX font uses."};
// 8051 assembler: directives, operators, registers and instructions, in any case
const ReservedWords assemblerWords = {
    {"ORG",   "END",     "EQU",  "SET",   "DB",      "DW",    "DS",   "DBIT", "BIT",    "DATA",
     "IDATA", "XDATA",   "CODE", "USING", "SEGMENT", "RSEG",  "CSEG", "DSEG", "ISEG",   "BSEG",
     "XSEG",  "INCLUDE", "IF",   "ELSE",  "ENDIF",   "MACRO", "ENDM", "NAME", "PUBLIC", "EXTRN",
     "LOW",   "HIGH",    "MOD",  "SHL",   "SHR",     "NOT",   "AND",  "OR",   "XOR",    "EQ",
     "NE",    "LT",      "LE",   "GT",    "GE",      "A",     "B",    "C",    "AB",     "R0",
     "R1",    "R2",      "R3",   "R4",    "R5",      "R6",    "R7",   "DPTR", "ACC",    "PSW",
     "SP",    "PC",      "DPL",  "DPH",   "P0",      "P1",    "P2",   "P3",   "TCON",   "TMOD",
     "TL0",   "TL1",     "TH0",  "TH1",   "SCON",    "SBUF",  "IE",   "IP",   "PCON",   "ACALL",
     "ADD",   "ADDC",    "AJMP", "ANL",   "CJNE",    "CLR",   "CPL",  "DA",   "DEC",    "DIV",
     "DJNZ",  "INC",     "JB",   "JBC",   "JC",      "JMP",   "JNB",  "JNC",  "JNZ",    "JZ",
     "LCALL", "LJMP",    "MOV",  "MOVC",  "MOVX",    "MUL",   "NOP",  "ORL",  "POP",    "PUSH",
     "RET",   "RETI",    "RL",   "RLC",   "RR",      "RRC",   "SETB", "SJMP", "SUBB",   "SWAP",
     "XCH",   "XCHD",    "XRL",  "CALL"},
    true,
    {},
    "The array name is a word of the 8051 assembler (a directive, a register or an "
    "instruction): the label would not assemble."};

// The names an LVGL font file declares itself, beside LVGL's own lv_ and LV_ names.
const ReservedWords lvglNames = {{"glyph_bitmap", "glyph_dsc", "cmaps", "kern_pair_glyph_ids",
                                  "kern_pair_values", "kern_pairs", "font_dsc", "cache"},
                                 false,
                                 {"unicode_list_", "lv_", "LV_"},
                                 "The array name is one LVGL or the LVGL font uses itself."};

static bool among(const std::string &name, const ReservedWords &reserved) {
    std::string upper = name;
    for (char &c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const std::string &compared = reserved.anyCase ? upper : name;
    auto word = [&](const char *w) { return compared == w; };
    auto prefix = [&](const char *p) { return name.compare(0, strlen(p), p) == 0; };
    return std::any_of(reserved.words.begin(), reserved.words.end(), word) ||
           std::any_of(reserved.prefixes.begin(), reserved.prefixes.end(), prefix);
}

const char *arrayNameProblem(const std::string &name,
                             const std::vector<const ReservedWords *> &reserved) {
    bool identifier =
        !name.empty() && name.size() <= 63 && !isdigit(static_cast<unsigned char>(name[0]));
    for (char c : name)
        identifier = identifier && (isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!identifier || among(name, c89))
        return "The array name must be a C identifier of at most 63 letters, digits and _, not "
               "starting with a digit and no keyword.";
    for (const ReservedWords *words : reserved)
        if (among(name, *words)) return words->reason;
    return nullptr;
}
