#include "app/console_options.h"

#include "convert/unicode_text.h"

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

// One of the row's words (its value counted from low), or a value as a header line gives it.
static bool readValue(const SettingRow &row, const char *text, Settings &settings) {
    if (row.field.text) { // checked once the whole line is read
        settings.*row.field.text = text;
        return true;
    }
    if (!row.words) return readSettingLine(row, text, settings);
    for (int value = row.low; value <= row.high; ++value)
        if (strcmp(text, row.words[value - row.low]) == 0) {
            settings.*row.field.number = value;
            return true;
        }
    return false;
}

// WxH: the width's row gives the range of both.
static bool readSize(const SettingRow &row, const char *text, Settings &settings) {
    const char *cross = strchr(text, 'x');
    if (!cross) return false;
    std::string width(text, cross - text);
    return readNumber(width.c_str(), row.low, row.high, settings.width) &&
           readNumber(cross + 1, row.low, row.high, settings.height);
}

static bool readOption(const SettingRow &row, const char *value, ConsoleOptions &options) {
    Settings &settings = options.settings;
    switch (row.option.kind) {
    case OptionKind::value:
        return readValue(row, value, settings);
    case OptionKind::flag:
        settings.*row.field.number = row.option.flagValue;
        return true;
    case OptionKind::size:
        return readSize(row, value, settings);
    case OptionKind::range: // an input, as --text is
        if (options.input) return false;
        options.input = ManualText;
        options.inputText = settings.characterRange = value;
        return true;
    case OptionKind::emSize:
        settings.glyphSize = FontsEmSize;
        return readSettingLine(row, value, settings);
    case OptionKind::fontFace: {
        // the face as the system's code page spells it; a longer name names no font
        std::string face = ansiOf(wideOf(value));
        if (face.size() >= LF_FACESIZE) return false;
        strcpy(settings.font.lfFaceName, face.c_str());
        options.faceGiven = true;
        return true;
    }
    case OptionKind::fontWeight: {
        int weight = 0;
        if (!readNumber(value, row.low, row.high, weight)) return false;
        settings.font.lfWeight = weight;
        options.weightGiven = true;
        return true;
    }
    case OptionKind::fontItalic:
        settings.font.lfItalic = TRUE;
        return true;
    case OptionKind::none:
        break;
    }
    return false;
}

// The option as --help shows it: what follows it (its words, N, WxH or a name), its help, its
// range and its default.
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
    std::string left = "  " + std::string(row.option.name) + value;
    left += left.size() < 26 ? std::string(26 - left.size(), ' ') : "\n" + std::string(26, ' ');
    std::string line = left + row.option.help + shown + "\n";
    for (int choice = row.low; row.option.choiceNotes && choice <= row.high; ++choice)
        line += "      " + std::to_string(choice) + "  " +
                row.option.choiceNotes[choice - row.low] + "\n";
    return line;
}

std::string consoleUsage() {
    std::string usage = "usage: morvex7c [options] (--text TEXT | --text-file FILE | --range LIST"
                        " | --bitmap FILE | --load SOURCE) -o OUT\n";
    for (const SettingRow &row : settingsTable())
        if (row.option.name) usage += usageLine(row);
    return usage + "OUT - writes to standard output.  --help, -h: this text.\n";
}

bool readConsoleOptions(const std::vector<std::string> &arguments, ConsoleOptions &options,
                        std::string &error) {
    const std::pair<const char *, int> inputs[] = {{"--text", ManualText},
                                                   {"--text-file", TextFile},
                                                   {"--bitmap", BitmapFile},
                                                   {"--load", ManualPaint}};
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return true;
        }
        const SettingRow *row = rowOfOption(option);
        bool flag = row && !optionTakesValue(*row);
        const char *value = i + 1 < arguments.size() ? arguments[i + 1].c_str() : nullptr;
        if (!flag && !value) {
            error = option + " needs a value";
            return false;
        }
        bool good = false;
        if (row)
            good = readOption(*row, value, options);
        else if (option == "-o")
            options.output = value, good = true;
        for (const auto &input : inputs)
            if (option == input.first && !options.input) {
                options.input = input.second;
                options.inputText = value;
                good = true;
            }
        if (!good) {
            error = "bad option or value: " + option + (flag ? "" : std::string(" ") + value);
            return false;
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
    options.settings.inputMode = options.input;
    return error.empty();
}
