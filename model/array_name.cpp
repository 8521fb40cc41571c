// The array's name: a C identifier, which serves as an assembler label too, and no word the
// compiler or assembler of the output style reserves.
#include "model/settings.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

using Words = std::initializer_list<const char *>;

static const Words c89 = {
    "auto",   "break",  "case",     "char",   "const",    "continue", "default",  "do",
    "double", "else",   "enum",     "extern", "float",    "for",      "goto",     "if",
    "int",    "long",   "register", "return", "short",    "signed",   "sizeof",   "static",
    "struct", "switch", "typedef",  "union",  "unsigned", "void",     "volatile", "while"};
static const Words c99 = {"inline",     "restrict",  "_Bool",          "_Complex",
                          "_Imaginary", "_Alignas",  "_Alignof",       "_Atomic",
                          "_Generic",   "_Noreturn", "_Static_assert", "_Thread_local"};
// the 8051's C dialect (C51): memory types, bits and function attributes
static const Words c51 = {"bit",       "sbit",       "sfr",   "sfr16", "data",      "idata",
                          "xdata",     "pdata",      "code",  "bdata", "far",       "alien",
                          "small",     "compact",    "large", "_at_",  "interrupt", "using",
                          "reentrant", "_priority_", "_task_"};
// an Adafruit GFX font is a C++ header: C++'s keywords and the names the font uses
static const Words cpp = {"alignas",
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
                          "PROGMEM"};
// 8051 assembler: directives, operators, registers and instructions, in any case
static const Words assembler = {
    "ORG",   "END",     "EQU",  "SET",   "DB",      "DW",    "DS",   "DBIT", "BIT",    "DATA",
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
    "XCH",   "XCHD",    "XRL",  "CALL"};

// The names an LVGL font file declares itself, beside LVGL's own lv_ and LV_ names.
static const Words lvgl = {"glyph_bitmap",     "glyph_dsc",  "cmaps",    "kern_pair_glyph_ids",
                           "kern_pair_values", "kern_pairs", "font_dsc", "cache"};

static bool among(const std::string &name, const Words &words, bool anyCase) {
    std::string upper = name;
    for (char &c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return std::any_of(words.begin(), words.end(),
                       [&](const char *word) { return anyCase ? upper == word : name == word; });
}

const char *arrayNameProblem(const std::string &name, int outputStyle) {
    bool identifier =
        !name.empty() && name.size() <= 63 && !isdigit(static_cast<unsigned char>(name[0]));
    for (char c : name)
        identifier = identifier && (isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!identifier || among(name, c89, false))
        return "The array name must be a C identifier of at most 63 letters, digits and _, not "
               "starting with a digit and no keyword.";
    if (outputStyle == OutputAsm && among(name, assembler, true))
        return "The array name is a word of the 8051 assembler (a directive, a register or an "
               "instruction): the label would not assemble.";
    if (outputStyle != OutputAsm && among(name, c99, false))
        return "The array name is a keyword of C99 or C11.";
    if (outputStyle == OutputC51 && among(name, c51, false))
        return "The array name is a keyword of the 8051's C (C51).";
    if (outputStyle == OutputGfx && among(name, cpp, false))
        return "The array name is a keyword of C++ or a name the GFX font uses.";
    if (outputStyle == OutputLvgl &&
        (among(name, lvgl, false) || name.compare(0, 13, "unicode_list_") == 0 ||
         name.compare(0, 3, "lv_") == 0 || name.compare(0, 3, "LV_") == 0))
        return "The array name is one LVGL or the LVGL font uses itself.";
    return nullptr;
}
