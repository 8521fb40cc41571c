#include "app/console_options.h"

#include "model/modes.h"
#include "output/output.h"

#include <cstdlib>
#include <cstring>

const char consoleUsage[] =
    "usage: morvex7c [options] (--text TEXT | --text-file FILE | --bitmap FILE | --load SOURCE)"
    " -o OUT\n"
    "  --size WxH          matrix size, 1..1024 each (default 16x16)\n"
    "  --style c51|c|asm|gfx  output style (default c51; gfx: an Adafruit GFX font)\n"
    "  --name NAME         the array's name (default CODE_MATRIX)   --comment-frames\n"
    "  --order N           coding style 0..8 (default 0)     --high-bit-first   align style 1\n"
    "  --coding N          bitmap coding 0..3 (default 0)    --keep-repeats     repeats kept\n"
    "  --font FACE         face name of the rendering font\n"
    "  --weight N          font weight 0..1000                --italic\n"
    "  --fit stretch|font  glyphs stretched to the matrix (default) or at the font's own size\n"
    "  --font-size N       the font's own size: its cell height, 1..1024 pixels (default 16)\n"
    "  --centre            the font's own size: each glyph centred across the matrix\n"
    "  --dither system|threshold|floyd-steinberg|atkinson|ordered   a picture to dots\n"
    "  --threshold N       luminance 0..255 a light pixel reaches (default 128)  --dark-dots\n"
    "  --picture-size file|fit|stretch   a picture as the file, fitted or stretched to --size\n"
    "OUT - writes to standard output.  --help, -h: this text.\n";

// A whole number from low to high.
static bool readNumber(const char *text, int low, int high, int &number) {
    char *end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end || value < low || value > high) return false;
    number = static_cast<int>(value);
    return true;
}

static bool readSize(const char *text, ConsoleOptions &options) {
    const char *cross = strchr(text, 'x');
    if (!cross) return false;
    std::string width(text, cross - text);
    return readNumber(width.c_str(), 1, 1024, options.width) &&
           readNumber(cross + 1, 1, 1024, options.height);
}

static const char *const styleNames[] = {"c51", "c", "asm", "gfx"};
static const char *const fitNames[] = {"stretch", "font"};
static const char *const ditherNames[] = {"system", "threshold", "floyd-steinberg", "atkinson",
                                          "ordered"};
static const char *const pictureSizeNames[] = {"file", "fit", "stretch"};

// One of names; value becomes its index.
template <size_t count>
static bool readChoice(const std::string &text, const char *const (&names)[count], int &value) {
    for (size_t i = 0; i < count; ++i) {
        if (text != names[i]) continue;
        value = static_cast<int>(i);
        return true;
    }
    return false;
}

bool readConsoleOptions(int argc, char **argv, ConsoleOptions &options, std::string &error) {
    const std::pair<const char *, int> inputs[] = {{"--text", ManualText},
                                                   {"--text-file", TextFile},
                                                   {"--bitmap", BitmapFile},
                                                   {"--load", ManualPaint}};
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return true;
        }
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool flag = option == "--high-bit-first" || option == "--keep-repeats" ||
                    option == "--italic" || option == "--centre" || option == "--dark-dots" ||
                    option == "--comment-frames";
        if (!flag && !value) {
            error = option + " needs a value";
            return false;
        }
        bool good = true;
        if (option == "--high-bit-first")
            options.alignStyle = 1;
        else if (option == "--keep-repeats")
            options.characterDetect = 0;
        else if (option == "--italic")
            options.italic = true;
        else if (option == "--centre")
            options.centreGlyphs = true;
        else if (option == "--dark-dots")
            options.darkDots = true;
        else if (option == "--comment-frames")
            options.commentFrames = true;
        else if (option == "--size")
            good = readSize(value, options);
        else if (option == "--style")
            good = readChoice(value, styleNames, options.outputStyle);
        else if (option == "--fit")
            good = readChoice(value, fitNames, options.glyphSize);
        else if (option == "--font-size")
            good = readNumber(value, 1, 1024, options.fontPixelHeight);
        else if (option == "--name")
            good = !arrayNameProblem(options.arrayName = value);
        else if (option == "--dither")
            good = readChoice(value, ditherNames, options.pictureToDots);
        else if (option == "--threshold")
            good = readNumber(value, 0, 255, options.threshold);
        else if (option == "--picture-size")
            good = readChoice(value, pictureSizeNames, options.pictureSize);
        else if (option == "--order")
            good = readNumber(value, 0, 8, options.codingStyle);
        else if (option == "--coding")
            good = readNumber(value, 0, 3, options.bitmapStyle);
        else if (option == "--weight")
            good = readNumber(value, 0, 1000, options.weight);
        else if (option == "--font")
            options.font = value;
        else if (option == "-o")
            options.output = value;
        else {
            good = false;
            for (const auto &input : inputs)
                if (option == input.first && !options.input) {
                    options.input = input.second;
                    options.inputText = value;
                    good = true;
                }
        }
        if (!good) {
            error = "bad option or value: " + option + (flag ? "" : std::string(" ") + value);
            return false;
        }
        i += flag ? 0 : 1;
    }
    if (!options.input || options.output.empty()) error = "one input and -o OUT are needed";
    return error.empty();
}
