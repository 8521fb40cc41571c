// Settings in the registry, hand-edited values included, and the settings dialog.
#include "app_fixture.h"
#include "app/console_options.h"
#include "output/output_styles.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstring>
#include <shlwapi.h>

// The default, one value in range and one out of range where the setting has a range, each
// with whether the setting takes it.
static std::vector<std::pair<Settings, bool>> samplesOf(const SettingRow &row) {
    Settings in, out;
    OptionKind kind = row.option.kind;
    if (row.field.number) {
        int &value = in.*row.field.number;
        value = kind == OptionKind::flag ? row.option.flagValue
                : value == row.high      ? row.low
                                         : row.high;
        out.*row.field.number = row.high + 1;
    } else if (row.field.colour) {
        in.*row.field.colour = 0x123456;
    } else if (row.field.text) { // a text taken, and one refused where a text can be
        const std::pair<std::string Settings::*, std::pair<const char *, const char *>> texts[] = {
            {&Settings::arrayName, {"LOGO", "int"}},
            {&Settings::fontFile, {"C:\\fonts\\tiny.bdf", ""}},
            {&Settings::characterRange, {"0x41-0x43", "0x43-0x41"}},
            {&Settings::shift, {"-1,2", "1"}}};
        for (const auto &[field, values] : texts)
            if (field == row.field.text) in.*field = values.first, out.*field = values.second;
    } else {
        in.font.lfWeight = kind == OptionKind::fontWeight ? 700 : in.font.lfWeight;
        in.font.lfItalic = kind == OptionKind::fontItalic;
        if (kind == OptionKind::fontFace) strcpy(in.font.lfFaceName, "Arial");
        out.font.lfWeight = 1001;
    }
    bool ranged = row.field.number || row.textProblem || kind == OptionKind::fontWeight;
    if (ranged) return {{Settings(), true}, {in, true}, {out, false}};
    return {{Settings(), true}, {in, true}};
}

static std::string bytesOf(const void *data, size_t size) {
    return std::string(static_cast<const char *>(data), size);
}

// The value's bytes stored, then loaded and saved back; with a byte more than its field takes
// it is missing.
static void throughRegistry(const SettingRow &row, const Settings &given, bool taken,
                            bool oversized) {
    std::string stored = row.field.text     ? given.*row.field.text
                         : row.field.number ? bytesOf(&(given.*row.field.number), 4)
                         : row.field.colour ? bytesOf(&(given.*row.field.colour), 4)
                                            : bytesOf(&given.font, sizeof(LOGFONTA));
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
    SHSetValueA(HKEY_CURRENT_USER, settingsKeyPath, row.registry.name, row.registry.type,
                (stored + "+").c_str(), static_cast<DWORD>(stored.size() + oversized));
    editor = EditorState{};
    loadSettings();
    taken = taken && !oversized;
    EXPECT_EQ(valueText(row, editor.settings), valueText(row, taken ? given : Settings()))
        << "registry";
    saveSettings();
    char saved[sizeof(LOGFONTA)] = {};
    DWORD size = sizeof saved, type = 0;
    SHGetValueA(HKEY_CURRENT_USER, settingsKeyPath, row.registry.name, &type, saved, &size);
    EXPECT_EQ(type, row.registry.type);
    if (taken) EXPECT_EQ(std::string(saved, size - (type == REG_SZ)), stored) << "saved back";
}

// A header line's value read back: a value out of range is refused.
static void throughHeader(const SettingRow &row, const Settings &given, bool taken) {
    std::string value = valueText(row, given);
    Settings read;
    EXPECT_EQ(readSettingLine(row, value, read), taken) << row.header.name << "=" << value;
    EXPECT_EQ(valueText(row, read), valueText(row, taken ? given : Settings())) << "header";
}

// The option and its word: a flag alone, a choice's word, a size WxH.
static void throughConsole(const SettingRow &row, const Settings &given, bool taken) {
    std::string word = valueText(row, given) + (row.option.kind == OptionKind::size ? "x16" : "");
    if (row.words) word = taken ? row.words[given.*row.field.number - row.low] : "nonesuch";
    bool flag = !optionTakesValue(row);
    std::vector<std::string> words = {row.option.name, word, "-o", "a"};
    // the input, glyph size and style that use the option
    UsedWith used = row.option.usedWith;
    bool picture = used == UsedWith::picture || used == UsedWith::pictureLevels;
    if (row.option.kind != OptionKind::range)
        words.insert(words.end(), {picture ? "--bitmap" : "--text", picture ? "a.bmp" : "A"});
    if (used == UsedWith::fontSize) words.insert(words.end(), {"--fit", "font"});
    if (used == UsedWith::pictureLevels) words.insert(words.end(), {"--dither", "threshold"});
    for (const OutputStyleRow &style : outputStyles())
        if (dependsOnStyle(row) && !styleUses(outputStyleRow(0), row) && styleUses(style, row)) {
            words.insert(words.end(), {"--style", style.word});
            break;
        }
    if (flag) words.erase(words.begin() + 1);
    ConsoleOptions options;
    std::string error;
    bool read = readConsoleOptions(words, options, error);
    EXPECT_EQ(read, taken || flag) << "console " << word;
    if (read && taken) EXPECT_EQ(valueText(row, options.settings), valueText(row, given)) << word;
}

// Each setting of the table: its default when nothing gives it, a value in range taken and one
// out of range refused, through the registry (and saved back as it was), a header line (the
// header the writer writes is read back whole where sources load back) and the console option
// (not given for the default).
TEST(SettingsTable, EachSettingThroughRegistryHeaderAndConsole) {
    for (const SettingRow &row : settingsTable()) {
        std::vector<std::pair<Settings, bool>> samples = samplesOf(row);
        for (const auto &[given, taken] : samples) {
            SCOPED_TRACE(std::string(row.name) + " " + valueText(row, given));
            for (bool oversized : {false, !row.field.text}) // a text has no size of its own
                if (row.registry.name) throughRegistry(row, given, taken, oversized);
            if (row.header.name) throughHeader(row, given, taken);
            if (row.option.name && &given != &samples[0].first) throughConsole(row, given, taken);
        }
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
}

using DialogTest = AppTest;

// Fills System Setup and presses OK: width 1024, the given height, the last dot order, the
// high bit first, ASM, no repeat switch, glyphs at the font's own size and centred.
static void fillSettings(HWND dialog, const char *height) {
    SetDlgItemTextA(dialog, IDC_SETUP_WIDTH, "1024");
    SetDlgItemTextA(dialog, IDC_SETUP_HEIGHT, height);
    SendDlgItemMessageA(dialog, IDC_SETUP_CODING, CB_SETCURSEL, 8, 0);
    CheckDlgButton(dialog, IDC_SETUP_HIGH_BIT, BST_CHECKED);
    CheckDlgButton(dialog, IDC_SETUP_DETECT, BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_SETUP_GLYPH_SIZE, CB_SETCURSEL, FontsOwnSize, 0);
    CheckDlgButton(dialog, IDC_SETUP_CENTRE, BST_CHECKED);
    SendDlgItemMessageA(dialog, IDC_SETUP_STYLES + OutputAsm, BM_CLICK, 0, 0);
    clickButton(dialog, IDOK);
}

static std::vector<int> settingsInForce() {
    return {editor.settings.width,       editor.settings.height,
            editor.settings.codingStyle, editor.settings.alignStyle,
            editor.settings.outputStyle, editor.settings.characterDetect,
            editor.settings.glyphSize,   editor.settings.centreGlyphs};
}

// A size out of range is refused, and Cancel then keeps everything; a good size warns when
// large and commits with the dot order, the bit order, the output style, the repeat switch and
// the glyph size. The new size blanks the frames, keeps the list and selects frame 0.
TEST_F(DialogTest, SettingsAreCheckedAndCommittedOnlyOnOk) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    setDot(0, 15);
    expectModal([](HWND dialog) { fillSettings(dialog, "1025"); });
    answerMessageBox(IDOK);
    answerMessageBox(IDOK);
    expectModal([](HWND dialog) { clickButton(dialog, IDCANCEL); });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(modalLog().at(1).text,
              "Warnning:\nPixels settings Width=1024 is too large!\nIt will be very slowly!");
    EXPECT_EQ(modalLog().at(2).text,
              "Pixels settings Height=1025 out of range!\nIt should from 1 to 1024!!\n");
    EXPECT_EQ(settingsInForce(), std::vector<int>({16, 16, 0, 0, 0, 1, 0, 0}));

    expectModal([](HWND dialog) { fillSettings(dialog, "16"); });
    answerMessageBox(IDOK);
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    EXPECT_EQ(settingsInForce(), std::vector<int>({1024, 16, 8, 1, 2, 0, 1, 1}));
    EXPECT_EQ(std::count(editor.frames.bytes.begin(), editor.frames.bytes.end(), 0), 4096);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
}

// A face given alone is drawn at its regular weight; a weight given is kept, before or after it.
TEST(ConsoleOptions, FaceAloneIsRegular) {
    const std::pair<std::vector<std::string>, LONG> cases[] = {
        {{"--font", "DejaVu Sans"}, FW_NORMAL},
        {{"--weight", "700", "--font", "DejaVu Sans"}, 700},
        {{"--font", "DejaVu Sans", "--weight", "700"}, 700},
        {{"--font-file", "DejaVuSans.ttf"}, FW_NORMAL},
        {{}, builtInGlyphFont().lfWeight}};
    for (auto [words, weight] : cases) {
        words.insert(words.end(), {"--text", "A", "-o", "a.c"});
        ConsoleOptions options;
        std::string error;
        ASSERT_TRUE(readConsoleOptions(words, options, error)) << error;
        EXPECT_EQ(options.settings.font.lfWeight, weight) << words[0];
    }
}

// The font chooser says its sizes are points; the Color dialog's swatches are released with it.
TEST_F(DialogTest, FontAndColourChoosers) {
    expectModal([](HWND chooser) {
        EXPECT_NE(windowText(chooser).find("sizes in points"), std::string::npos);
        clickButton(chooser, IDCANCEL);
    });
    sendCommand(IDM_FONT_SETUP);
    HGDIOBJ swatch = nullptr;
    expectModal([&swatch](HWND dialog) {
        swatch = reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageA(dialog, IDC_SWATCH_GRID, BM_GETIMAGE, IMAGE_BITMAP, 0));
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_COLOR_SETUP);
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(GetObjectType(swatch), 0u);
}

// The README lists the styles in --help's words.
TEST(ConsoleOptions, ReadmeListsTheStylesAsHelpDoes) {
    EXPECT_NE(readFile(MORVEX7_SOURCE_FOLDER "\\README.md").find(styleUsageLines()),
              std::string::npos);
}
