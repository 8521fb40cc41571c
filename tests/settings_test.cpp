#include "app_fixture.h"
#include "settings/settings.h"

#include <cstring>

class SettingsTest : public ::testing::Test {
  protected:
    HKEY key = nullptr;
    void SetUp() override {
        deleteSettingsKey();
        editor = EditorState{};
        initDefaultFont();
    }
    void TearDown() override {
        if (key) RegCloseKey(key);
        deleteSettingsKey();
    }
    void createKey() {
        if (!key)
            RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr);
    }
    void store(const char *name, DWORD type, const void *data, DWORD size) {
        createKey();
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    }
    void storeNumber(const char *name, int value) { store(name, REG_DWORD, &value, 4); }
    // loads the given number for one value, with everything else missing
    int loadedWith(const char *name, int value, int EditorState::*field) {
        deleteSettingsKey();
        if (key) RegCloseKey(key);
        key = nullptr;
        storeNumber(name, value);
        editor = EditorState{};
        initDefaultFont();
        loadSettings();
        return editor.*field;
    }
};

TEST_F(SettingsTest, FirstStartDefaultsAndTheSavedValueSet) {
    editor.characterDetect = 0; // loading without a key leaves it alone
    loadSettings();
    EXPECT_EQ(editor.matrixWidth, 16);
    EXPECT_EQ(editor.pixelHeight, 16);
    EXPECT_EQ(editor.backgroundColor, 0xFFFFFFu);
    EXPECT_EQ(editor.clientColor, 255u);
    EXPECT_EQ(editor.characterDetect, 0);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
    EXPECT_EQ(editor.defaultFont.lfWeight, 1600);
    EXPECT_EQ(editor.defaultFont.lfOutPrecision, 100);

    ASSERT_EQ(saveSettings(), 1);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    const char *names[] = {"Foreground",   "Background",   "Grid Color",   "Client Color",
                           "Pixel Width",  "Pixel Height", "Coding Style", "Align Style",
                           "Output Style", "Bitmap Style", "Default Font", "Character Detect"};
    for (const char *name : names) {
        DWORD type = 0, size = 0;
        ASSERT_EQ(RegQueryValueExA(key, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS)
            << name;
        bool binary = !strcmp(name, "Default Font") || !strcmp(name, "Character Detect");
        EXPECT_EQ(type, binary ? static_cast<DWORD>(REG_BINARY) : REG_DWORD) << name;
        EXPECT_EQ(size, !strcmp(name, "Default Font") ? sizeof(LOGFONTA) : 4u) << name;
    }
}

TEST_F(SettingsTest, RangeChecks) {
    for (int bad : {0, -5, 1025})
        EXPECT_EQ(loadedWith("Pixel Width", bad, &EditorState::matrixWidth), 16);
    EXPECT_EQ(loadedWith("Pixel Width", 1, &EditorState::matrixWidth), 1);
    EXPECT_EQ(loadedWith("Pixel Height", 1024, &EditorState::matrixHeight), 1024);
    EXPECT_EQ(loadedWith("Coding Style", 8, &EditorState::codingStyle), 8);
    for (int bad : {9, -1})
        EXPECT_EQ(loadedWith("Coding Style", bad, &EditorState::codingStyle), 0);
    EXPECT_EQ(loadedWith("Align Style", 2, &EditorState::alignStyle), 0);
    EXPECT_EQ(loadedWith("Output Style", 3, &EditorState::outputStyle), 0);
    EXPECT_EQ(loadedWith("Output Style", 2, &EditorState::outputStyle), 2);
    EXPECT_EQ(loadedWith("Bitmap Style", 4, &EditorState::bitmapStyle), 0);
    // written by hand as REG_DWORD: the type is not examined
    EXPECT_EQ(loadedWith("Character Detect", 0, &EditorState::characterDetect), 0);
    for (int bad : {2, -1})
        EXPECT_EQ(loadedWith("Character Detect", bad, &EditorState::characterDetect), 1);
}

TEST_F(SettingsTest, MissingSingleValuesAndAnEmptyKey) {
    storeNumber("Foreground", 0x123456);
    storeNumber("Grid Color", 0x00FF00);
    loadSettings();
    EXPECT_EQ(editor.backgroundColor, 0xFFFFFFu);
    EXPECT_EQ(editor.foregroundColor, 0x123456u);
    EXPECT_EQ(editor.gridColor, 0x00FF00u);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system"); // font missing: built-in stays

    deleteSettingsKey();
    RegCloseKey(key);
    key = nullptr;
    createKey();
    editor = EditorState{};
    initDefaultFont();
    editor.foregroundColor = 0x777777;
    editor.characterDetect = 0;
    loadSettings();
    EXPECT_EQ(editor.foregroundColor, 0u);
    EXPECT_EQ(editor.clientColor, 255u);
    EXPECT_EQ(editor.pixelWidth, 16);
    EXPECT_EQ(editor.characterDetect, 0);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
}

TEST_F(SettingsTest, ValuesOfAnotherSizeNeverOverrunTheirField) {
    unsigned char big[200];
    memset(big, 0x41, sizeof big);
    const char *numbers[] = {"Foreground", "Pixel Width", "Output Style", "Character Detect"};
    for (const char *name : numbers)
        store(name, REG_BINARY, big, 8);
    store("Pixel Height", REG_BINARY, big, 2);
    store("Default Font", REG_BINARY, big, sizeof big);
    store("Coding Style", REG_SZ, "3", 2);
    editor.characterDetect = 0;
    loadSettings();
    // each is treated as missing
    EXPECT_EQ(editor.foregroundColor, 0u);
    EXPECT_EQ(editor.pixelWidth, 16);
    EXPECT_EQ(editor.pixelHeight, 16);
    EXPECT_EQ(editor.outputStyle, 0);
    EXPECT_EQ(editor.codingStyle, 0);
    EXPECT_EQ(editor.characterDetect, 0);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
    EXPECT_EQ(editor.textFilePath[0], 0); // the fields behind the font are untouched
}

TEST_F(SettingsTest, SavedRecordLoadsBackUnchanged) {
    editor.foregroundColor = 0x010203;
    editor.backgroundColor = 0x040506;
    editor.gridColor = 0x070809;
    editor.clientColor = 0x0A0B0C;
    editor.matrixWidth = 640;
    editor.matrixHeight = 3;
    editor.codingStyle = 5;
    editor.alignStyle = 1;
    editor.outputStyle = 2;
    editor.bitmapStyle = 3;
    editor.characterDetect = 0;
    strcpy(editor.defaultFont.lfFaceName, "Courier");
    editor.defaultFont.lfFaceName[20] = 'z'; // bytes behind the terminator are kept too
    editor.defaultFont.lfItalic = 1;
    editor.defaultFont.lfHeight = 24;
    LOGFONTA font = editor.defaultFont;
    saveSettings();

    editor = EditorState{};
    initDefaultFont();
    loadSettings();
    EXPECT_EQ(memcmp(&editor.defaultFont, &font, sizeof font), 0);
    EXPECT_EQ(editor.foregroundColor, 0x010203u);
    EXPECT_EQ(editor.clientColor, 0x0A0B0Cu);
    EXPECT_EQ(editor.pixelWidth, 640);
    EXPECT_EQ(editor.matrixWidth, 640);
    EXPECT_EQ(editor.pixelHeight, 3);
    EXPECT_EQ(editor.codingStyle, 5);
    EXPECT_EQ(editor.alignStyle, 1);
    EXPECT_EQ(editor.outputStyle, 2);
    EXPECT_EQ(editor.bitmapStyle, 3);
    EXPECT_EQ(editor.characterDetect, 0);
}
