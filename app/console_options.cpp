#include "app/console_options.h"

#include "convert/unicode_text.h"
#include "output/output_styles.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

// A whole number from low to high.
static bool readNumber(const char *text, int low, int high, int &number) {
    char *end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end || value < low || value > high) return false;
    number = static_cast<int>(value);
    return true;
}

// What a value of the row must be, for the refusal: its words, or its range.
static std::string valueRule(const SettingRow &row) {
    if (!row.words)
        return "a whole number from " + std::to_string(row.low) + " to " + std::to_string(row.high);
    std::string words;
    for (int value = row.low; value <= row.high; ++value)
        words += (words.empty() ? "" : ", ") + std::string(row.words[value - row.low]);
    return "the choices are " + words;
}

static bool sameWord(const char *given, const char *word) {
    for (; *given && *word; ++given, ++word)
        if (tolower(static_cast<unsigned char>(*given)) != *word) return false;
    return !*given && !*word;
}

// One of the row's words in any case (its value counted from low), or a value as a header line
// gives it; false when it is neither.
static bool readValue(const SettingRow &row, const char *text, Settings &settings) {
    if (row.field.text) { // checked once the whole line is read
        settings.*row.field.text = text;
        return true;
    }
    if (!row.words) return readSettingLine(row, text, settings);
    for (int value = row.low; value <= row.high; ++value)
        if (sameWord(text, row.words[value - row.low])) {
            settings.*row.field.number = value;
            return true;
        }
    return false;
}

// WxH (or WXH, as the status bar writes it): the width's row gives the range of both.
static bool readSize(const SettingRow &row, const char *text, Settings &settings) {
    const char *cross = strpbrk(text, "xX");
    if (!cross) return false;
    std::string width(text, cross - text);
    return readNumber(width.c_str(), row.low, row.high, settings.width) &&
           readNumber(cross + 1, row.low, row.high, settings.height);
}

// Takes the option's value into the options; "" or why it can't.
static std::string readOption(const SettingRow &row, const char *value, ConsoleOptions &options) {
    Settings &settings = options.settings;
    std::string given = std::string(row.option.name) + " " + (value ? value : "") + ": ";
    switch (row.option.kind) {
    case OptionKind::value:
    case OptionKind::emSize:
        if (row.option.kind == OptionKind::emSize) settings.glyphSize = FontsEmSize;
        return readValue(row, value, settings) ? "" : given + valueRule(row);
    case OptionKind::flag:
        settings.*row.field.number = row.option.flagValue;
        return "";
    case OptionKind::size:
        return readSize(row, value, settings)
                   ? ""
                   : given + "a size is WxH, each side 1 to 1024 (16x16)";
    case OptionKind::range: // an input, as --text is
        options.input = ManualText;
        options.inputOption = row.option.name;
        options.inputText = settings.characterRange = value;
        return *value ? "" : given + "The list is empty.";
    case OptionKind::fontFace: {
        // the face as the system's code page spells it; a longer name names no font
        std::string face = ansiOf(wideOf(value));
        if (face.size() >= LF_FACESIZE) return given + "a face name has at most 31 characters";
        strcpy(settings.font.lfFaceName, face.c_str());
        options.faceGiven = true;
        return "";
    }
    case OptionKind::fontWeight: {
        int weight = 0;
        if (!readNumber(value, row.low, row.high, weight)) return given + valueRule(row);
        settings.font.lfWeight = weight;
        options.weightGiven = true;
        return "";
    }
    case OptionKind::fontItalic:
        settings.font.lfItalic = TRUE;
        return "";
    case OptionKind::none:
        break;
    }
    return given + "not taken";
}

// The inputs besides --range, and the mode each converts in (ManualPaint: a source loaded).
static const std::pair<const char *, int> inputs[] = {{"--text", ManualText},
                                                      {"--text-file", TextFile},
                                                      {"--bitmap", BitmapFile},
                                                      {"--load", ManualPaint}};

// The options morvex7c knows: the settings' and its own.
static std::vector<std::string> knownOptions() {
    std::vector<std::string> known = {"-o", "--help", "--version", "--quiet"};
    for (const auto &input : inputs)
        known.push_back(input.first);
    for (const SettingRow &row : settingsTable())
        if (row.option.name) known.push_back(row.option.name);
    return known;
}

size_t editDistance(const std::string &a, const std::string &b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// An option morvex7c does not know, with the nearest it does when one is close.
static std::string unknownOption(const std::string &option) {
    std::string nearest;
    size_t best = 3; // a typo or two
    for (const std::string &known : knownOptions()) {
        size_t distance = editDistance(option, known);
        if (distance < best) best = distance, nearest = known;
    }
    return option + " is no option of morvex7c" +
           (nearest.empty() ? "" : "; did you mean " + nearest + "?");
}

// The header line recording the option's setting, where its name is not the option's.
static std::string recordedAs(const SettingRow &row) {
    if (!row.header.name) return "";
    std::string option = "--";
    for (const char *c = row.header.name; *c; ++c)
        option += *c == ' ' ? '-' : static_cast<char>(tolower(static_cast<unsigned char>(*c)));
    if (option == row.option.name) return "";
    std::string line = std::string(" [header: ") + row.header.name;
    if (row.option.kind == OptionKind::size) line += ", Height";
    return line + "]";
}

// The option as --help shows it: what follows it (its words, N, WxH or a name), its help, its
// range, its default and the header line that records it.
static std::string usageLine(const SettingRow &row) {
    const Settings defaults;
    OptionKind kind = row.option.kind;
    std::string range = ", " + std::to_string(row.low) + ".." + std::to_string(row.high);
    std::string value = " N", shown = range + " (default " + valueText(row, defaults) + ")";
    if (!optionTakesValue(row))
        value = shown = "";
    else if (kind == OptionKind::fontWeight)
        shown = range;
    else if (kind == OptionKind::size)
        value = " WxH", shown = range + " each (default " + valueText(row, defaults) + "x" +
                                std::to_string(defaults.height) + ")";
    else if (kind == OptionKind::fontFace || row.field.text) {
        value = row.option.placeholder ? row.option.placeholder
                : row.field.text       ? " NAME"
                                       : " FACE";
        std::string byDefault = valueText(row, defaults);
        shown = byDefault.empty() ? "" : " (default " + byDefault + ")";
    } else if (row.words) {
        value.clear();
        for (int choice = row.low; choice <= row.high; ++choice)
            value += (value.empty() ? " " : "|") + std::string(row.words[choice - row.low]);
        shown = std::string(" (default ") + row.words[defaults.*row.field.number - row.low] + ")";
    }
    if (dependsOnStyle(row)) shown += "; for " + stylesUsing(row);
    std::string left = "  " + std::string(row.option.name) + value;
    left += left.size() < 26 ? std::string(26 - left.size(), ' ') : "\n" + std::string(26, ' ');
    std::string line = left + row.option.help + shown + recordedAs(row) + "\n";
    for (int choice = row.low; row.option.choiceNotes && choice <= row.high; ++choice)
        line += "      " + std::to_string(choice) + "  " +
                row.option.choiceNotes[choice - row.low] + "\n";
    return line;
}

std::string styleUsageLines() {
    std::string lines;
    for (const OutputStyleRow &style : outputStyles()) {
        std::string left = "  " + std::string(style.word);
        left += std::string(left.size() < 8 ? 8 - left.size() : 1, ' ');
        lines += left + style.purpose + " (." + style.extension + ")\n";
    }
    return lines;
}

std::string consoleUsage() {
    std::string usage = "usage: morvex7c [options] (--text TEXT | --text-file FILE | --range LIST"
                        " | --bitmap FILE | --load SOURCE) -o OUT\n\nOutput styles (--style):\n" +
                        styleUsageLines();
    const std::pair<OptionGroup, const char *> groups[] = {
        {OptionGroup::input, "Input (one of --text, --text-file, --range, --bitmap, --load):\n"
                             "  --text TEXT, --text-file FILE, --bitmap FILE, --load SOURCE\n"},
        {OptionGroup::glyphs, "Size and glyphs:\n"},
        {OptionGroup::pictures, "Pictures (--bitmap):\n"},
        {OptionGroup::output,
         "Output:\n  -o OUT                  the file; - writes to standard "
         "output\n  --quiet                 no line saying what was written\n"}};
    for (const auto &[group, title] : groups) {
        usage += std::string("\n") + title;
        for (const SettingRow &row : settingsTable())
            if (row.option.name && row.option.group == group && !dependsOnStyle(row))
                usage += usageLine(row);
    }
    usage += "\nSettings of some styles only:\n";
    for (const SettingRow &row : settingsTable())
        if (row.option.name && dependsOnStyle(row)) usage += usageLine(row);
    return usage + "\n--help, -h: this text.  --version: the program's version.\n";
}
// The option as given, with its value.
static std::string asGiven(const SettingRow &row, const std::string &value) {
    return row.option.name + (value.empty() ? "" : " " + value);
}

static const std::string *valueGiven(const ConsoleOptions &options, const char *option) {
    for (const auto &[row, value] : options.given)
        if (strcmp(row->option.name, option) == 0) return &value;
    return nullptr;
}

// A choice's option as given, or as it is by default: "--fit font", "the default --fit stretch".
static std::string choiceAsGiven(const ConsoleOptions &options, const char *option) {
    const SettingRow &row = *rowOfOption(option);
    if (const std::string *value = valueGiven(options, option)) return asGiven(row, *value);
    return "the default " + asGiven(row, row.words[options.settings.*row.field.number - row.low]);
}

// Two options that say the opposite; "" when none do.
static std::string contradiction(const ConsoleOptions &options) {
    const std::string *em = valueGiven(options, "--em-size");
    const std::string *fit = valueGiven(options, "--fit");
    if (em && fit && *fit != "em")
        return "--em-size " + *em + " and --fit " + *fit +
               " contradict each other: --em-size draws the glyphs at the font's em size (leave "
               "--fit out, or give --fit em --font-size " +
               *em + ")";
    if (em && valueGiven(options, "--font-size"))
        return "--em-size and --font-size both give the glyphs' size: give one of them";
    return "";
}

// Why an option given does nothing with the input, the glyph size or the style chosen; "" when
// it does something.
static std::string whyUnused(const SettingRow &row, const std::string &value,
                             const ConsoleOptions &options) {
    const Settings &settings = options.settings;
    std::string option = asGiven(row, value) + " does nothing ";
    bool text = options.input == ManualText || options.input == TextFile;
    bool picture = options.input == BitmapFile;
    switch (row.option.usedWith) {
    case UsedWith::text:
    case UsedWith::fontSize:
        if (!text)
            return option + "with " + options.inputOption +
                   ": it is for a text (--text, --text-file or --range)";
        if (row.option.usedWith == UsedWith::fontSize && settings.glyphSize == StretchToMatrix)
            return option + "at " + choiceAsGiven(options, "--fit") +
                   " (glyphs stretched to the matrix): add --fit font" +
                   (row.option.kind == OptionKind::value ? ", or give --em-size " + value
                                                         : " or --fit em");
        break;
    case UsedWith::picture:
    case UsedWith::pictureLevels:
        if (!picture)
            return option + "with " + options.inputOption + ": it is for a picture (--bitmap)";
        if (row.option.usedWith == UsedWith::pictureLevels &&
            settings.pictureToDots == AsTheSystemConverts)
            return option + "with " + choiceAsGiven(options, "--dither") +
                   " (a pixel not black is a dot): add --dither threshold, or a dithering";
        break;
    case UsedWith::anything:
        break;
    }
    if (dependsOnStyle(row) && !styleUses(outputStyleRow(settings.outputStyle), row))
        return option + "with " + choiceAsGiven(options, "--style") + ": it is for --style " +
               stylesUsing(row);
    return "";
}

bool readConsoleOptions(const std::vector<std::string> &arguments, ConsoleOptions &options,
                        std::string &error) {
    for (size_t i = 0; i < arguments.size() && error.empty(); ++i) {
        const std::string &option = arguments[i];
        if (option == "--help" || option == "-h" || option == "--version") {
            (option == "--version" ? options.version : options.help) = true;
            return true;
        }
        if (option == "--quiet") {
            options.quiet = true;
            continue;
        }
        const SettingRow *row = rowOfOption(option);
        int input = 0;
        for (const auto &known : inputs)
            if (option == known.first) input = known.second;
        bool isInput = input || (row && row->option.kind == OptionKind::range);
        if (!row && !input && option != "-o") {
            error = unknownOption(option);
            break;
        }
        bool flag = row && !optionTakesValue(*row);
        const char *value = i + 1 < arguments.size() ? arguments[i + 1].c_str() : nullptr;
        if (!flag && !value) {
            error = option + " needs a value";
            break;
        }
        if (isInput && options.input) {
            error = option + " " + value + ": one input only, and " + options.inputOption + " " +
                    options.inputText + " is given already";
            break;
        }
        if (row) {
            error = readOption(*row, value, options);
            options.given.emplace_back(row, flag ? "" : value);
        } else if (option == "-o") {
            options.output = value;
        } else {
            options.input = input;
            options.inputOption = option;
            options.inputText = value;
        }
        i += flag ? 0 : 1;
    }
    // a text is checked once every setting is read: the array's name against the style
    for (const SettingRow &row : settingsTable()) {
        const std::string *text = row.field.text ? &(options.settings.*row.field.text) : nullptr;
        const char *problem =
            text && row.textProblem ? row.textProblem(*text, options.settings) : nullptr;
        if (problem && error.empty())
            error = std::string(row.option.name) + " " + *text + ": " + problem;
    }
    // a face or a font file alone is drawn at its regular weight, as the font dialog gives it
    bool faceGiven = options.faceGiven || !options.settings.fontFile.empty();
    if (faceGiven && !options.weightGiven) options.settings.font.lfWeight = FW_NORMAL;
    if (error.empty() && (!options.input || options.output.empty()))
        error = "one input and -o OUT are needed";
    if (error.empty()) error = contradiction(options);
    for (const auto &[row, value] : options.given)
        if (error.empty()) error = whyUnused(*row, value, options);
    options.settings.inputMode = options.input;
    return error.empty();
}
