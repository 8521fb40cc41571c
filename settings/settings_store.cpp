#include "settings/settings.h"

#include "app/editor_state.h"
#include "convert/text_conversion.h"
#include "output/output.h"

#include <cstring>

const char settingsKeyPath[] = "Software\\TarvellSoft\\MORVEX7\\";

int initDefaultFont() {
    editor.defaultFont = builtInGlyphFont();
    return 1;
}

struct SettingValue {
    const char *name;
    void *field;
    DWORD size;
    DWORD type;
    bool hasDefault;
    DWORD defaultValue;
};

// The values in the order they are read and written.
constexpr int settingCount = 20;
static const char arrayNameValue[] = "Array Name";
static void describeSettings(SettingValue (&values)[settingCount]) {
    SettingValue table[settingCount] = {
        {"Foreground", &editor.foregroundColor, 4, REG_DWORD, true, 0},
        {"Background", &editor.backgroundColor, 4, REG_DWORD, true, 0xFFFFFF},
        {"Grid Color", &editor.gridColor, 4, REG_DWORD, true, 0},
        {"Client Color", &editor.clientColor, 4, REG_DWORD, true, 255},
        {"Pixel Width", &editor.pixelWidth, 4, REG_DWORD, true, 16},
        {"Pixel Height", &editor.pixelHeight, 4, REG_DWORD, true, 16},
        {"Coding Style", &editor.codingStyle, 4, REG_DWORD, true, 0},
        {"Align Style", &editor.alignStyle, 4, REG_DWORD, true, 0},
        {"Output Style", &editor.outputStyle, 4, REG_DWORD, true, 0},
        {"Bitmap Style", &editor.bitmapStyle, 4, REG_DWORD, true, 0},
        {"Default Font", &editor.defaultFont, sizeof(LOGFONTA), REG_BINARY, false, 0},
        {"Character Detect", &editor.characterDetect, 4, REG_BINARY, false, 0},
        {"Glyph Size", &editor.glyphSize, 4, REG_DWORD, true, StretchToMatrix},
        {"Centre Glyphs", &editor.centreGlyphs, 4, REG_DWORD, true, 0},
        {"Font Pixel Height", &editor.fontPixelHeight, 4, REG_DWORD, true, 16},
        {"Picture To Dots", &editor.pictureToDots, 4, REG_DWORD, true, AsTheSystemConverts},
        {"Threshold", &editor.threshold, 4, REG_DWORD, true, 128},
        {"Dark Dots", &editor.darkDots, 4, REG_DWORD, true, 0},
        {"Picture Size", &editor.pictureSize, 4, REG_DWORD, true, PictureAsTheFile},
        {"Comment Frames", &editor.commentFrames, 4, REG_DWORD, true, 0},
    };
    memcpy(values, table, sizeof table);
}

// A value whose stored size differs from the field's is treated as missing, so a value
// edited by hand can never overrun its field nor fill it half.
static bool readValue(HKEY key, const SettingValue &value) {
    DWORD storedSize = 0;
    if (RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, &storedSize) != ERROR_SUCCESS)
        return false;
    if (storedSize != value.size) return false;
    unsigned char bytes[sizeof(LOGFONTA)];
    DWORD size = sizeof bytes;
    if (RegQueryValueExA(key, value.name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS ||
        size != value.size)
        return false;
    memcpy(value.field, bytes, value.size);
    return true;
}

static void keepInRange(int &field, int low, int high, int fallback) {
    if (field < low || field > high) field = fallback;
}

int loadSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        editor.foregroundColor = 0;
        editor.backgroundColor = 0xFFFFFF;
        editor.gridColor = 0;
        editor.clientColor = 255;
        editor.pixelWidth = editor.pixelHeight = 16;
        editor.frames.width = editor.frames.height = 16;
        editor.codingStyle = editor.alignStyle = editor.outputStyle = editor.bitmapStyle = 0;
        editor.glyphSize = StretchToMatrix;
        editor.centreGlyphs = 0;
        editor.fontPixelHeight = 16;
        editor.pictureToDots = AsTheSystemConverts;
        editor.threshold = 128;
        editor.darkDots = 0;
        editor.pictureSize = PictureAsTheFile;
        editor.arrayName = defaultArrayName;
        editor.commentFrames = 0;
        return 0;
    }
    SettingValue values[settingCount];
    describeSettings(values);
    for (const SettingValue &value : values) {
        if (!readValue(key, value) && value.hasDefault)
            memcpy(value.field, &value.defaultValue, sizeof(DWORD));
        if (value.field == &editor.pixelWidth) editor.frames.width = editor.pixelWidth;
        if (value.field == &editor.pixelHeight) editor.frames.height = editor.pixelHeight;
    }
    // a face name without its terminator is cut at the field's end
    if (!memchr(editor.defaultFont.lfFaceName, 0, LF_FACESIZE))
        editor.defaultFont.lfFaceName[LF_FACESIZE - 1] = 0;

    if (editor.pixelWidth < 1 || editor.pixelWidth > 1024)
        editor.pixelWidth = editor.frames.width = 16;
    if (editor.pixelHeight < 1 || editor.pixelHeight > 1024)
        editor.pixelHeight = editor.frames.height = 16;
    keepInRange(editor.codingStyle, 0, 8, 0);
    keepInRange(editor.alignStyle, 0, 1, 0);
    keepInRange(editor.outputStyle, OutputC51, OutputGfx, OutputC51);
    keepInRange(editor.bitmapStyle, 0, 3, 0);
    keepInRange(editor.characterDetect, 0, 1, 1);
    keepInRange(editor.glyphSize, StretchToMatrix, FontsOwnSize, StretchToMatrix);
    keepInRange(editor.centreGlyphs, 0, 1, 0);
    keepInRange(editor.fontPixelHeight, 1, 1024, 16);
    keepInRange(editor.pictureToDots, AsTheSystemConverts, OrderedBayer, AsTheSystemConverts);
    keepInRange(editor.threshold, 0, 255, 128);
    keepInRange(editor.darkDots, 0, 1, 0);
    keepInRange(editor.pictureSize, PictureAsTheFile, PictureStretched, PictureAsTheFile);
    keepInRange(editor.commentFrames, 0, 1, 0);
    // the array's name: a string, kept only when it names an array
    char name[64] = "";
    DWORD size = sizeof name - 1;
    if (RegQueryValueExA(key, arrayNameValue, nullptr, nullptr, reinterpret_cast<BYTE *>(name),
                         &size) == ERROR_SUCCESS &&
        !arrayNameProblem(name))
        editor.arrayName = name;
    RegCloseKey(key);
    return 1;
}

int saveSettings() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    SettingValue values[settingCount];
    describeSettings(values);
    // the size is saved from the frames now held
    values[4].field = &editor.frames.width;
    values[5].field = &editor.frames.height;
    for (const SettingValue &value : values)
        RegSetValueExA(key, value.name, 0, value.type, static_cast<const BYTE *>(value.field),
                       value.size);
    RegSetValueExA(key, arrayNameValue, 0, REG_SZ,
                   reinterpret_cast<const BYTE *>(editor.arrayName.c_str()),
                   static_cast<DWORD>(editor.arrayName.size() + 1));
    RegCloseKey(key);
    return 1;
}
