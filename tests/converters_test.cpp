// Text, text files and bitmaps turned into frames, hostile input included.
#include "app_fixture.h"
#include "app/conversions.h"
#include "model/coded_pixels.h"
#include "model/size_limits.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>

using Strings = std::vector<std::string>;

// A BMP file: 1, 4 or 8 bits with a palette of black and white, or 24 or 32 bits.
static std::string makeBitmap(int width, int height, int bits, bool topDown,
                              COLORREF (*colourAt)(int, int)) {
    std::string pixels, palette;
    for (int line = 0; line < height; ++line) {
        std::string row((width * bits + 31) / 32 * 4, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = colourAt(x, topDown ? line : height - 1 - line);
            for (int i = 0; i < 3 && bits > 8; ++i) // blue, green, red
                row[x * bits / 8 + i] = static_cast<char>(c >> (16 - 8 * i));
            if (bits <= 8 && c)
                row[x * bits / 8] |= static_cast<char>(1 << (8 - bits - x * bits % 8));
        }
        pixels += row;
    }
    if (bits <= 8)
        palette = std::string("\0\0\0\0\xFF\xFF\xFF\0", 8) + std::string((4 << bits) - 8, 0);
    BITMAPINFOHEADER info = {
        sizeof info, width, topDown ? -height : height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info + DWORD(palette.size());
    BITMAPFILEHEADER file = {0x4D42, offset + DWORD(pixels.size()), 0, 0, offset};
    return std::string(reinterpret_cast<char *>(&file), sizeof file) +
           std::string(reinterpret_cast<char *>(&info), sizeof info) + palette + pixels;
}

// A black cross on white.
static COLORREF cross(int x, int y) {
    return x == 7 || y == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

class ConverterTest : public AppTest {
  protected:
    std::string path = testDataPath("input.txt"), picture = testDataPath("picture.bmp");
};

// One frame a character of the text (and one more); the list names each kept character, and
// with the repeat switch a repeat is found at every byte offset of the kept text.
TEST_F(ConverterTest, OneFramePerCharacter) {
    const std::tuple<const char *, int, Strings> cases[] = {
        {"ABA", 0, {"A", "B", "A"}},
        {"A\r\nB", 1, {"A", "B"}},
        {"\xB0\x41\x41", 1, {"\xB0\x41"}}, // A equals the second byte of the pair
        {"\xC1\xB2\xB3\xC4\xB2\xB3", 1, {"\xC1\xB2", "\xB3\xC4"}}, // across two characters
        {"ABA", 1, {"A", "B"}}};
    for (const auto &c : cases) {
        editor.characterDetect = std::get<1>(c);
        SetWindowTextA(editor.textEdit, std::get<0>(c));
        sendCommand(IDC_UPDATE, editor.updateButton);
        waitForWorker();
        EXPECT_EQ(editor.frames.count, static_cast<int>(std::get<2>(c).size()));
        EXPECT_EQ(comboEntries(), std::get<2>(c)) << std::get<0>(c);
    }
}

TEST_F(ConverterTest, TextFilesAreLimitedAndBadOnesTold) {
    sendCommand(TextFile);
    writeFile(path, std::string(10240, 'a'));
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 1);
    waitForWorker();
    const std::tuple<std::string, std::string, std::string, int> bad[] = {
        {"big.txt", std::string(10241, 'b'), "Sorry,your file selected is too large!\n", 0},
        {std::string(260, 'p') + ".txt", "", "Sorry,the path of your file is too long!\n", 0},
        {"com1.txt", "", "com1.txt!\nIt is not a file.", 0},
        {"zero.txt", std::string("c\x1a\r\nd\0ef", 7), " holds a zero byte!", 1}};
    for (const auto &[name, bytes, message, result] : bad) {
        if (!bytes.empty()) writeFile(testDataPath(name), bytes);
        answerMessageBox(IDOK);
        EXPECT_EQ(loadTextFile(editor.mainWindow, testDataPath(name).c_str()), result);
        waitForWorker();
        EXPECT_NE(modalLog().back().text.find(message), std::string::npos) << name;
        EXPECT_EQ(comboEntries(), result ? Strings({"c", "\x1a", "d"}) : Strings{"a"}) << name;
    }
}

TEST_F(ConverterTest, EveryEncodingAndRowOrderGivesTheSameFrame) {
    sendCommand(BitmapFile);
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            writeFile(picture, makeBitmap(16, 16, bits, topDown, cross));
            char buffer[pathCapacity];
            strcpy(buffer, picture.c_str());
            ASSERT_EQ(startBitmapImport(editor.mainWindow, buffer), 1);
            memset(buffer, 'x', sizeof buffer - 1); // the caller's buffer is reused at once
            waitForWorker();
            for (int dot = 0; dot < 16 * 16; ++dot)
                ASSERT_EQ(testDot(dot % 16, dot / 16) != 0, cross(dot % 16, dot / 16) != 0)
                    << bits << topDown << dot;
        }
    }
}

// A copy of bytes with a little-endian value of size bytes written at offset.
static std::string patched(std::string bytes, size_t offset, unsigned value, int size = 4) {
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// Each refused file is told with its reason as soon as the import is idle again: no waiter
// sees idle before the failure arrives.
TEST_F(ConverterTest, HostileBitmapsKeepTheOldFrameAndTellTheUser) {
    writeFile(picture, makeBitmap(12, 5, 24, false, cross));
    sendCommand(BitmapFile);
    answerFileChooser(picture);
    sendCommand(IDC_OPEN, editor.openButton);
    waitForWorker();
    std::vector<unsigned char> frame = frameBytes(0);

    std::string good = makeBitmap(40, 40, 24, false, cross), noise(5000, 'x');
    std::string gray = makeBitmap(4, 4, 8, false, cross), dot = makeBitmap(1, 1, 1, true, cross);
    const std::pair<std::string, const char *> cases[] = {
        {good.substr(0, good.size() / 2), "Its pixel data is cut short."},
        {"", "It is not a BMP file."},
        {patched(patched(good, 18, 100000), 22, 100000),
         "Its size is not one this program imports."},
        {"BM" + noise, "Its info header is not one this program knows."},
        {patched(patched(gray, 30, BI_RLE8), 10, 13), "Its pixel data starts inside its headers."},
        {patched(dot, 10, 14), "Its pixel data starts inside its headers."},
        {patched(good, 28, 7, 2), "Its bit count is not one this program knows."},
        {patched(good, 26, 2, 2), "It has more or fewer planes than one."},
        {patched(patched(gray, 30, BI_RLE8), 22, -4),
         "Its compression does not fit its bit count or rows."},
        {patched(gray, 46, 300), "Its palette is longer than its bit count allows."},
        {"aux", "It is not a file."}};
    for (const auto &c : cases) {
        std::string broken = testDataPath(c.first == "aux" ? "aux.bmp" : "broken.bmp");
        if (c.first != "aux") writeFile(broken, c.first);
        answerFileChooser(broken);
        answerMessageBox(IDOK);
        sendCommand(IDC_OPEN, editor.openButton);
        waitForWorker(); // returns once busy is cleared, and no later
        EXPECT_EQ(modalLog().back().text, "Can't load the bitmap " + broken + "!\n" + c.second);
        EXPECT_EQ(frameBytes(0), frame);                      // the size and the dots from the file
        EXPECT_STREQ(editor.bitmapFilePath, picture.c_str()); // the good picture stays
    }
}

// Closed letters of an outline font keep their strokes at any edge smoothing of the system:
// their dots are what the font draws on a monochrome canvas, which is never smoothed.
TEST_F(ConverterTest, OutlineGlyphsKeepTheirStrokes) {
    strcpy(editor.defaultFont.lfFaceName, "DejaVu Sans Mono");
    editor.defaultFont.lfWeight = FW_NORMAL;
    const char letters[] = "0O8B";
    for (int width : {8, 16}) {
        setMatrixSize(width, 16);
        SetWindowTextA(editor.textEdit, letters);
        sendCommand(IDC_UPDATE, editor.updateButton);
        waitForWorker();
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP canvas = CreateBitmap(width, 16, 1, 1, nullptr);
        HFONT font = CreateFontIndirectA(&editor.defaultFont); // sized to the matrix
        SelectObject(dc, canvas);
        SelectObject(dc, font);
        char face[LF_FACESIZE];
        GetTextFaceA(dc, sizeof face, face);
        EXPECT_STREQ(face, "DejaVu Sans Mono");
        for (int frame = 0; frame < 4; ++frame) {
            PatBlt(dc, 0, 0, width, 16, WHITENESS);
            TextOutA(dc, 0, 0, letters + frame, 1);
            editor.currentFrame = frame;
            std::string dots, drawn; // as pictures, so that a failure shows both
            for (int x = 0, y = 0; y < 16; x = (x + 1) % width, y += x == 0) {
                dots += std::string(x == 0, '\n') + (testDot(x, y) ? '#' : '.');
                drawn += std::string(x == 0, '\n') + (GetPixel(dc, x, y) == 0 ? '#' : '.');
            }
            EXPECT_EQ(dots, drawn) << letters[frame] << " at " << width << " x 16";
        }
        DeleteDC(dc); // before the objects it holds
        DeleteObject(font);
        DeleteObject(canvas);
    }
}

// The bound on all frames together never wraps, not even on the 32-bit build.
TEST(FrameStore, AllFramesTogetherAreBounded) {
    size_t bytes = 0;
    EXPECT_TRUE(frameStoreBytes(1024, 1024, 10241, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(1, 16777216, 256, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1, bytes));
}

// Primaries, white and a gray over a gradient: 5 x 3, an odd number of pixels.
static COLORREF swatch(int x, int y) {
    const COLORREF top[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255),
                            RGB(128, 128, 128)};
    return y == 0 ? top[x] : RGB(60 * x, 250 - 50 * x - 40 * y, 37 * x + 60 * y);
}

// The value of a colour in a bitmap coding, by the formulas of the codings.
static int expectedValue(COLORREF c, int coding) {
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (coding == 1) return std::lround((0.299 * r + 0.587 * g + 0.114 * b) / 17);
    if (coding == 2) return (r >> 5) << 5 | (g >> 5) << 2 | b >> 6;
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
}

// A colour picture opened through the real chooser in each coding: the stored values, the
// preview's colours on screen and the bytes saved as ANSI C, in columns, low or high nibble
// first and in rows, are the formulas'. The 16-bit picture in rows is left for the compiler.
TEST_F(ConverterTest, GrayAndColourCodings) {
    writeFile(picture, makeBitmap(5, 3, 24, false, swatch));
    sendCommand(BitmapFile);
    editor.outputStyle = OutputAnsiC;
    std::string source = MORVEX7_BUILD_FOLDER "\\samples\\colours_565.c", expected565;
    std::vector<int> values; // along each line, lines in order
    HDC dc = GetDC(editor.mainWindow);
    editor.bitmapStyle = 1;
    answerFileChooser(picture);
    sendCommand(IDC_OPEN, editor.openButton);
    for (int coding : {1, 2, 3}) {
        if (coding > 1) { // a new coding in the settings imports the picture again
            expectModal([coding](HWND dialog) {
                EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SETUP_BITMAP, CB_GETCOUNT, 0, 0), 4);
                SendDlgItemMessageA(dialog, IDC_SETUP_BITMAP, CB_SETCURSEL, coding, 0);
                clickButton(dialog, IDOK);
            });
            sendCommand(IDM_SYSTEM_SETUP);
        }
        waitForWorker();
        for (int i = 0; i < 15; ++i) {
            int value = expectedValue(swatch(i % 5, i / 5), coding);
            EXPECT_EQ(codedPixel(editor.frames, i % 5, i / 5), value);
            EXPECT_EQ(GetPixel(dc, previewRect.left + (2 * (i % 5) + 1) * previewWidth / 10,
                               previewRect.top + (2 * (i / 5) + 1) * previewHeight / 6),
                      shownColour(value, coding));
        }
        for (auto order : {std::make_pair(4, 0), std::make_pair(0, 1), std::make_pair(0, 0)}) {
            editor.codingStyle = order.first;
            editor.alignStyle = order.second;
            std::vector<int> expected;
            values.clear();
            for (int i = 0; i < 15; ++i)
                values.push_back(expectedValue(
                    order.first ? swatch(i / 3, i % 3) : swatch(i % 5, i / 5), coding));
            for (size_t i = 0; i < values.size(); i += coding == 1 ? 2 : 1) {
                int next = i + 1 < values.size() ? values[i + 1] : 0;
                if (coding == 1)
                    expected.push_back(order.second ? values[i] << 4 | next
                                                    : values[i] | next << 4);
                if (coding == 2) expected.push_back(values[i]);
                if (coding == 3) expected.insert(expected.end(), {values[i] >> 8, values[i] & 255});
            }
            EXPECT_EQ(saveFrames(editor.mainWindow, source.c_str()), 1);
            EXPECT_EQ(sourceBytes(source), expected) << coding << order.first << order.second;
        }
    }
    ReleaseDC(editor.mainWindow, dc);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0); // such pixels are not painted by hand
    EXPECT_EQ(windowText(editor.statusBar), "Gray and colour pixels are not painted by hand.");
    EXPECT_EQ(codedPixel(editor.frames, 0, 0), expectedValue(swatch(0, 0), 3));
    for (int value : values) {
        char line[8];
        snprintf(line, sizeof line, "%04x\n", value);
        expected565 += line;
    }
    writeFile(MORVEX7_BUILD_FOLDER "\\samples\\colours_565.txt", expected565);
}

// Painted frames saved in each output style (and one dot order) load back through File, Load:
// the same size, dots and list, and saved again the same file; a text saved and loaded lists
// its characters and saves again as it was but for its mode, whatever characters it holds.
TEST_F(ConverterTest, SourcesWeWroteLoadBack) {
    setMatrixSize(12, 5);
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    for (int dot : {0, 13, 26, 59})
        mouse(WM_LBUTTONDOWN, MK_LBUTTON, dot % 12, dot / 12);
    std::vector<unsigned char> first = frameBytes(0), second = frameBytes(1);
    std::string saved = testDataPath("saved.src"), again = testDataPath("again.src");
    answerMessageBox(IDYES); // the changed frames may go
    const std::pair<int, int> styles[] = {
        {OutputC51, 0}, {OutputAnsiC, 0}, {OutputAsm, 0}, {OutputAsm, 8}};
    for (const auto &style : styles) {
        editor.outputStyle = style.first;
        editor.codingStyle = style.second;
        editor.alignStyle = style.second > 0;
        EXPECT_EQ(saveFrames(editor.mainWindow, saved.c_str()), 1);
        setMatrixSize(3, 3);
        answerFileChooser(saved);
        sendCommand(IDM_LOAD);
        EXPECT_EQ(editor.frames.width * 10 + editor.frames.height, 125);
        EXPECT_EQ(frameBytes(0), first);
        EXPECT_EQ(frameBytes(1), second);
        EXPECT_EQ(comboEntries(), (Strings{"Custom 1", "Custom 2"}));
        EXPECT_EQ(saveFrames(editor.mainWindow, again.c_str()), 1);
        EXPECT_EQ(readFile(again), readFile(saved)) << style.first << style.second;
    }
    sendCommand(ManualText);
    editor.outputStyle = OutputAnsiC;
    SetWindowTextA(editor.textEdit, "A\xE9\r\n*/"); // a high byte before a line break is one
    sendCommand(IDC_UPDATE, editor.updateButton);
    waitForWorker();
    saveFrames(editor.mainWindow, saved.c_str());
    EXPECT_EQ(loadSourceFile(editor.mainWindow, saved.c_str()), 1);
    EXPECT_EQ(comboEntries(), (Strings{"A", "\xE9", "*", "/"}));
    saveFrames(editor.mainWindow, again.c_str());
    std::string text = readFile(saved);
    EXPECT_EQ(text.find("*/"), text.find("\r\n*/\r\n") + 2); // the comment ends where it should
    text.replace(text.find("Text Mode=202"), 13, "Text Mode=201");
    EXPECT_EQ(readFile(again), text);
}

// Bad files are told, naming the file and the reason, and change nothing.
TEST_F(ConverterTest, BadSourcesAreToldAndChangeNothing) {
    setMatrixSize(8, 2);
    sendCommand(ManualPaint);
    setDot(1, 1);
    std::string good = testDataPath("good.c"), bad = testDataPath("bad.c");
    saveFrames(editor.mainWindow, good.c_str());
    auto changed = [&good](const std::string &from, const std::string &to) {
        std::string text = readFile(good);
        return text.replace(text.find(from), from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {"int x;\r\n" + readFile(good), "It was not written by this program."},
        {changed("Width=8", "Width=0"),
         "Its matrix size or frame count is not one this program writes."},
        {changed("0x02", "0xg2"), "A byte in it is not a number."},
        {changed(",0x02", ""), "A frame in it has fewer or more bytes than its size needs."},
        {changed("Bitmap Style=0", "Bitmap Style=2"),
         "Its gray or colour pixels can't be edited as dots."},
        {changed("Width=8", "Width=8\r\n\tCoding Style=4294967297"),
         "It was not written by this program."},
        {changed("Width=8", std::string("Width=8\0junk", 12)), "It holds a zero byte."}};
    auto refused = [](const std::string &path, const std::string &reason) {
        answerMessageBox(IDOK);
        EXPECT_EQ(loadSourceFile(editor.mainWindow, path.c_str()), 0);
        EXPECT_EQ(modalLog().back().text, "Can't load " + path + "!\n" + reason);
        EXPECT_EQ(editor.frames.width * 10 + editor.frames.height, 82);
        EXPECT_NE(testDot(1, 1), 0);
    };
    for (const auto &c : cases) {
        writeFile(bad, c.first);
        refused(bad, c.second);
    }
    // 4 GiB and 16 bytes, sparse
    HANDLE big = CreateFileA(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size = {{16, 1}};
    EXPECT_TRUE(SetFilePointerEx(big, size, nullptr, FILE_BEGIN) && SetEndOfFile(big));
    CloseHandle(big);
    refused(bad, "It is larger than 64 MiB.");
    refused(testDataPath("nul.c"), "It is not a file.");
    answerMessageBox(IDOK);
    EXPECT_EQ(loadSourceFile(editor.mainWindow, std::string(300, 'p').c_str()), 0);
    EXPECT_EQ(modalLog().back().text, "Sorry,the path of your file is too long!\n");
}

// Runs the console program with the arguments, standard error and output into files (output
// into one opened for reading only, where no write succeeds, when writable is false); its exit
// status.
static int runConsole(const std::string &arguments, std::string *errors = nullptr,
                      std::string *output = nullptr, bool writable = true) {
    std::string errorFile = testDataPath("errors.txt"), outputFile = testDataPath("output.txt");
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = CreateFileA(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                    CREATE_ALWAYS, 0, nullptr);
    startup.hStdOutput = CreateFileA(outputFile.c_str(), writable ? GENERIC_WRITE : GENERIC_READ,
                                     FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
    PROCESS_INFORMATION process;
    std::string command = "\"" MORVEX7_BUILD_FOLDER "\\morvex7c.exe\" " + arguments;
    DWORD status = 99;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(startup.hStdError);
    CloseHandle(startup.hStdOutput);
    if (errors) *errors = readFile(errorFile);
    if (output) *output = readFile(outputFile);
    return static_cast<int>(status);
}

// Each input kind converted in the window, as the user does it, and by the console program
// with the same settings: the same file.
TEST_F(ConverterTest, ConsoleProgramWritesWhatTheWindowWrites) {
    std::string window = testDataPath("window.c"), console = testDataPath("console.c");
    writeFile(path, "ABCA\r\nxyz");
    writeFile(picture, makeBitmap(20, 12, 24, false, swatch));
    const std::pair<std::string, std::function<void()>> kinds[] = {
        {"--text Hello --size 12x10 --order 8 --high-bit-first",
         [] {
             setMatrixSize(12, 10);
             editor.codingStyle = 8;
             editor.alignStyle = 1;
             SetWindowTextA(editor.textEdit, "Hello");
             sendCommand(IDC_UPDATE, editor.updateButton);
         }},
        {"--text-file " + path + " --style asm --keep-repeats",
         [this] {
             editor.outputStyle = OutputAsm;
             editor.characterDetect = 0;
             sendCommand(TextFile);
             loadTextFile(editor.mainWindow, path.c_str());
         }},
        {"--load " + window + " --style c",
         [&window] {
             loadSourceFile(editor.mainWindow, window.c_str());
             editor.outputStyle = OutputAnsiC;
         }},
        {"--bitmap " + picture + " --coding 3", [this] {
             editor.bitmapStyle = 3;
             sendCommand(BitmapFile);
             answerFileChooser(picture);
             sendCommand(IDC_OPEN, editor.openButton);
         }}};
    for (const auto &kind : kinds) {
        setMatrixSize(16, 16); // the settings the console program starts from
        editor.outputStyle = editor.codingStyle = editor.alignStyle = editor.bitmapStyle = 0;
        editor.characterDetect = 1;
        kind.second();
        waitForWorker();
        EXPECT_EQ(saveFrames(editor.mainWindow, window.c_str()), 1);
        EXPECT_EQ(runConsole(kind.first + " -o " + console), 0) << kind.first;
        EXPECT_EQ(readFile(console), readFile(window)) << kind.first;
    }
}

// A missing input, a bad size, a text file too large, a face that is not installed (the run
// goes on) and help: the exit status and one line.
TEST_F(ConverterTest, ConsoleProgramFailuresAreOneLine) {
    std::string missing = testDataPath("missing.txt"), errors, output;
    writeFile(path, std::string(10241, 'b'));
    const std::tuple<std::string, int, std::string> cases[] = {
        {"--text-file " + missing, 1, "morvex7c: Can't read " + missing + "!\r\n"},
        {"--text A --size 0x5", 2, "morvex7c: bad option or value: --size 0x5\r\nusage:"},
        {"--text-file " + path, 1, "morvex7c: Sorry,your file selected is too large!\r\n"},
        {"--text A --font NoSuchFace", 0, "morvex7c: the font NoSuchFace is not installed; "},
        {"--help", 0, ""}};
    for (const auto &c : cases) {
        EXPECT_EQ(runConsole(std::get<0>(c) + " -o out.c", &errors, &output), std::get<1>(c));
        EXPECT_EQ(errors.substr(0, std::get<2>(c).size()), std::get<2>(c));
    }
    EXPECT_EQ(output.rfind("usage: morvex7c", 0), 0u);
    // standard output that takes no byte fails the run
    EXPECT_EQ(runConsole("--text A -o -", &errors, nullptr, false), 1);
    EXPECT_EQ(errors, "morvex7c: Can't write -!\r\n");
}
