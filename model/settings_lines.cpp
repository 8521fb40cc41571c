// A setting's value: its range, its default, and its line in a written source's header.
#include "model/settings.h"

#include <cstdlib>

bool optionTakesValue(const SettingRow &row) {
    return row.option.kind != OptionKind::flag && row.option.kind != OptionKind::fontItalic;
}

bool inRange(const SettingRow &row, long long value) {
    return value >= row.low && value <= row.high;
}

static const Settings defaults;

bool isDefault(const SettingRow &row, const Settings &settings) {
    if (row.field.number) return settings.*row.field.number == defaults.*row.field.number;
    if (row.field.colour) return settings.*row.field.colour == defaults.*row.field.colour;
    if (row.field.text) return settings.*row.field.text == defaults.*row.field.text;
    return true;
}

std::string valueText(const SettingRow &row, const Settings &settings) {
    if (row.field.text) return settings.*row.field.text;
    if (row.field.number) return std::to_string(settings.*row.field.number);
    if (row.field.colour) return std::to_string(settings.*row.field.colour);
    // the font record's part the row gives
    if (row.option.kind == OptionKind::fontWeight) return std::to_string(settings.font.lfWeight);
    if (row.option.kind == OptionKind::fontItalic) return std::to_string(settings.font.lfItalic);
    return settings.font.lfFaceName;
}

// A group's lines are written when one of them that decides it is not the default; a line of
// no group decides alone.
static bool lineWritten(const SettingRow &row, const Settings &settings) {
    if (row.header.when == HeaderWhen::always) return true;
    for (const SettingRow &other : settingsTable()) {
        bool sameGroup =
            &other == &row || (row.header.group && other.header.group == row.header.group);
        if (sameGroup && other.header.when == HeaderWhen::whenSet && !isDefault(other, settings))
            return true;
    }
    return false;
}

std::string settingsHeaderLines(const Settings &settings, const char *prefix) {
    std::string lines;
    for (const SettingRow &row : settingsTable())
        if (row.header.when != HeaderWhen::never && lineWritten(row, settings))
            lines += prefix + std::string(row.header.name) + "=" + valueText(row, settings) + "\n";
    return lines;
}

bool readSettingLine(const SettingRow &row, const std::string &value, Settings &settings) {
    if (row.field.text) {
        if (row.textProblem && row.textProblem(value, settings)) return false;
        settings.*row.field.text = value;
        return true;
    }
    // at most 12 characters: every number we write, none that could overflow
    if (!row.field.number || value.empty() || value.size() > 12) return false;
    char *end = nullptr;
    long long number = strtoll(value.c_str(), &end, 10);
    if (*end || !inRange(row, number)) return false;
    settings.*row.field.number = static_cast<int>(number);
    return true;
}

void takeLoadedSettings(Settings &settings, const Settings &loaded) {
    for (const SettingRow &row : settingsTable()) {
        if (row.header.when == HeaderWhen::never || !row.header.loaded) continue;
        if (row.field.number) settings.*row.field.number = loaded.*row.field.number;
        if (row.field.text) settings.*row.field.text = loaded.*row.field.text;
    }
}
