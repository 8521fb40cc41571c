// The settings in the registry: one value for each row of the settings table that names one,
// read at start and written at close.
#include "settings/settings.h"

#include "state/editor_state.h"

#include <algorithm>
#include <cstring>

const char settingsKeyPath[] = "Software\\TarvellSoft\\MORVEX7\\";

int initDefaultFont() {
    editor.settings.font = builtInGlyphFont();
    return 1;
}

// Where a row's value lies in the record, and how many bytes it takes there.
static void *fieldOf(const SettingRow &row, Settings &settings, DWORD &size) {
    size = 4;
    if (row.field.number) return &(settings.*row.field.number);
    if (row.field.colour) return &(settings.*row.field.colour);
    size = sizeof(LOGFONTA);
    return row.field.fontRecord ? &settings.font : nullptr;
}

enum class ValueRead { missing, unfit, read };

// A value whose stored size differs from the field's is treated as missing, so a value edited
// by hand can never overrun its field nor fill it half; a number out of range or a text the
// setting can't take is unfit.
static ValueRead readValue(HKEY key, const SettingRow &row, Settings &settings) {
    DWORD size = 0;
    if (row.field.text) {
        char text[4096] = "";
        size = sizeof text - 1;
        if (RegQueryValueExA(key, row.registry.name, nullptr, nullptr,
                             reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS)
            return ValueRead::missing;
        text[std::min<DWORD>(size, sizeof text - 1)] = 0;
        if (row.textProblem && row.textProblem(text, settings)) return ValueRead::unfit;
        settings.*row.field.text = text;
        return ValueRead::read;
    }
    void *field = fieldOf(row, settings, size);
    DWORD storedSize = 0;
    if (RegQueryValueExA(key, row.registry.name, nullptr, nullptr, nullptr, &storedSize) !=
            ERROR_SUCCESS ||
        storedSize != size)
        return ValueRead::missing;
    unsigned char bytes[sizeof(LOGFONTA)];
    DWORD read = sizeof bytes;
    if (RegQueryValueExA(key, row.registry.name, nullptr, nullptr, bytes, &read) != ERROR_SUCCESS ||
        read != size)
        return ValueRead::missing;
    memcpy(field, bytes, size);
    if (row.field.number && !inRange(row, settings.*row.field.number)) return ValueRead::unfit;
    return ValueRead::read;
}

// A value missing, out of range or unfit takes its default; the font record and the repeat
// switch stay as they are when missing. Without the key every setting takes its default.
int loadSettings() {
    Settings &settings = editor.settings;
    const Settings defaults;
    HKEY key = nullptr;
    bool opened =
        RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) == ERROR_SUCCESS;
    for (const SettingRow &row : settingsTable()) {
        if (!row.registry.name) continue;
        ValueRead read = opened ? readValue(key, row, settings) : ValueRead::missing;
        if (read == ValueRead::read || (read == ValueRead::missing && row.registry.keptWhenMissing))
            continue;
        if (row.field.number) settings.*row.field.number = defaults.*row.field.number;
        if (row.field.colour) settings.*row.field.colour = defaults.*row.field.colour;
        if (row.field.text) settings.*row.field.text = defaults.*row.field.text;
    }
    // a face name without its terminator is cut at the field's end
    if (!memchr(settings.font.lfFaceName, 0, LF_FACESIZE))
        settings.font.lfFaceName[LF_FACESIZE - 1] = 0;
    editor.frames.width = settings.width;
    editor.frames.height = settings.height;
    if (opened) RegCloseKey(key);
    return opened ? 1 : 0;
}

int saveSettings() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    // the size is saved from the frames now held
    Settings saved = editor.settings;
    saved.width = editor.frames.width;
    saved.height = editor.frames.height;
    for (const SettingRow &row : settingsTable()) {
        if (!row.registry.name) continue;
        DWORD size = 0;
        const void *field = fieldOf(row, saved, size);
        if (row.field.text) {
            field = (saved.*row.field.text).c_str();
            size = static_cast<DWORD>((saved.*row.field.text).size() + 1);
        }
        RegSetValueExA(key, row.registry.name, 0, row.registry.type,
                       static_cast<const BYTE *>(field), size);
    }
    RegCloseKey(key);
    return 1;
}
