// Text, text files and bitmaps turned into frames, hostile input included.
#include "app_fixture.h"
#include "model/coded_pixels.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <shlobj.h>

using Strings = std::vector<std::string>;

class ConverterTest : public AppTest {
  protected:
    std::string path = testDataPath("input.txt"), picture = testDataPath("picture.bmp");
};

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

// A colour picture opened through the real chooser in each coding (a new coding in the settings
// imports it again): the stored values and the preview's colours on screen are the formulas'.
// The 16-bit picture in rows is left for the compiler. Then a refused picture is told as soon as
// the import is idle again (no waiter sees idle before the worker's result arrives), and the
// picture before it, its values and stored path, stay.
TEST_F(ConverterTest, PicturesInGrayAndColourCodings) {
    writeFile(picture, makeBitmap(5, 3, 24, false, swatch));
    sendCommand(BitmapFile);
    editor.settings.outputStyle = OutputAnsiC;
    std::string expected565;
    HDC dc = GetDC(editor.mainWindow);
    editor.settings.bitmapStyle = 1;
    answerFileChooser(picture);
    sendCommand(IDC_OPEN, editor.openButton);
    for (int coding : {1, 2, 3}) {
        if (coding > 1) {
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
            char line[8];
            snprintf(line, sizeof line, "%04x\n", value);
            expected565 += line; // the last coding's values are the 16-bit ones
        }
        if (coding < 3) expected565.clear();
    }
    ReleaseDC(editor.mainWindow, dc);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0); // such pixels are not painted by hand
    EXPECT_EQ(windowText(editor.statusBar), "Gray and colour pixels are not painted by hand.");
    EXPECT_EQ(saveFrames(editor.mainWindow, MORVEX7_BUILD_FOLDER "\\samples\\colours_565.c"), 1);
    writeFile(MORVEX7_BUILD_FOLDER "\\samples\\colours_565.txt", expected565);
    std::vector<unsigned char> frame = editor.frames.bytes;
    std::string broken = testDataPath("broken.bmp");
    writeFile(broken, "BM");
    for (int run = 0; run < 10; ++run) {
        answerFileChooser(broken);
        answerMessageBox(IDOK);
        sendCommand(IDC_OPEN, editor.openButton);
        waitForWorker(); // returns once busy is cleared, and no later
        EXPECT_EQ(modalLog().back().text,
                  "Can't load the bitmap " + broken + "!\nIt is not a BMP file.");
        EXPECT_EQ(editor.frames.bytes, frame);
        EXPECT_STREQ(editor.bitmapFilePath, picture.c_str());
    }
}

// Drops files on the window as the shell does: a DROPFILES block with its paths.
static void drop(const std::vector<std::string> &paths) {
    std::string list;
    for (const std::string &path : paths)
        list += path + '\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    DROPFILES *files = static_cast<DROPFILES *>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char *>(files) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    SendMessageA(editor.mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    waitForWorker();
}

// A picture dropped on painted frames asks first, then imports in Bitmap File mode; two files at
// once are told.
TEST_F(ConverterTest, DroppedFiles) {
    std::string wide = MORVEX7_BUILD_FOLDER "\\pictures\\wide.png";
    sendCommand(ManualPaint);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0);
    answerMessageBox(IDYES);
    drop({wide});
    EXPECT_EQ(modalLog().back().text.rfind("DOT Matrix has been changed!", 0), 0u);
    EXPECT_EQ(editor.settings.inputMode * 10000 + editor.frames.width, BitmapFile * 10000 + 512);
    answerMessageBox(IDOK);
    drop({wide, path});
    EXPECT_EQ(modalLog().back().text, "Drop one file at a time.");
}

// Each input kind converted in the window, as the user does it, and by the console program
// with the same settings: the same file.
TEST_F(ConverterTest, ConsoleProgramWritesWhatTheWindowWrites) {
    std::string window = testDataPath("window.c"), console = testDataPath("console.c");
    writeFile(path, "ABCA\r\nxyz");
    writeFile(picture, makeBitmap(20, 12, 24, false, swatch));
    const std::pair<std::string, std::function<void()>> kinds[] = {
        {"--text \xE4\xBD\xA0Hello --size 12x10", // in any script
         [] {
             setMatrixSize(12, 10);
             SetWindowTextW(editor.textEdit, L"\u4f60Hello");
             sendCommand(IDC_UPDATE, editor.updateButton);
         }},
        {"--text-file " + path + " --style asm --keep-repeats",
         [this] {
             editor.settings.outputStyle = OutputAsm;
             editor.settings.characterDetect = 0;
             sendCommand(TextFile);
             loadTextFile(editor.mainWindow, path.c_str());
         }},
        {"--load " + window + " --style c",
         [&window] {
             loadSourceFile(editor.mainWindow, window.c_str());
             editor.settings.outputStyle = OutputAnsiC;
         }},
        {"--bitmap " + picture + " --coding 3", [this] {
             editor.settings.bitmapStyle = 3;
             sendCommand(BitmapFile);
             answerFileChooser(picture);
             sendCommand(IDC_OPEN, editor.openButton);
         }}};
    for (const auto &kind : kinds) {
        editor.settings = Settings(); // the settings the console program starts from
        setMatrixSize(16, 16);
        kind.second();
        waitForWorker();
        wchar_t first[8] = L""; // the list shows the characters
        SendMessageW(editor.frameComboBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        if (kind.first.rfind("--text ", 0) == 0) EXPECT_STREQ(first, L"\u4f60");
        EXPECT_EQ(saveFrames(editor.mainWindow, window.c_str()), 1);
        EXPECT_EQ(runConsole(kind.first + " -o " + console), 0) << kind.first;
        EXPECT_EQ(readFile(console), readFile(window)) << kind.first;
    }
}

// The next allocation on another thread than the test's fails, once.
static std::atomic<bool> failNextWorkerAllocation{false};
static const DWORD testThread = GetCurrentThreadId();
void *operator new(size_t size) {
    if (GetCurrentThreadId() != testThread && failNextWorkerAllocation.exchange(false))
        throw std::bad_alloc();
    if (void *block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void *block) noexcept {
    HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void *block, size_t) noexcept {
    HeapFree(GetProcessHeap(), 0, block);
}

// Memory running out on the worker is told, and the frames in hand stay.
TEST_F(ConverterTest, NoMemoryOnTheWorkerIsTold) {
    writeFile(picture, makeBitmap(5, 3, 24, false, swatch));
    sendCommand(BitmapFile);
    startBitmapImport(editor.mainWindow, picture.c_str());
    waitForWorker();
    std::vector<unsigned char> frame = editor.frames.bytes;
    failNextWorkerAllocation = true;
    answerMessageBox(IDOK);
    startBitmapImport(editor.mainWindow, picture.c_str());
    waitForWorker();
    EXPECT_EQ(modalLog().back().text,
              "There is not enough memory for this conversion; the frames stay as they were.");
    EXPECT_EQ(editor.frames.bytes, frame);
}

// Edit > Map Character Range...: a bad list is told and the dialog stays; a good one converts
// one frame per character in Manual Text mode and is kept for the next time.
TEST_F(ConverterTest, MapCharacterRangeThroughItsDialog) {
    auto typed = [](const char *list) {
        return [list](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_RANGE_LIST, list);
            clickButton(dialog, IDOK);
        };
    };
    expectModal(typed("0x43-0x41"));
    answerMessageBox(IDOK); // the refusal; the dialog stays
    expectModal(typed("0x41-0x43, U+0410"));
    sendCommand(IDM_MAP_RANGE);
    waitForWorker();
    EXPECT_EQ(modalLog().at(1).text,
              "\"0x43-0x41\" is a range from a higher to a lower code point.");
    EXPECT_EQ(editor.frames.names, (Strings{"A", "B", "C", "\xD0\x90"}));
    EXPECT_EQ(editor.settings.characterRange, "0x41-0x43, U+0410");
    expectModal([](HWND dialog) {
        EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_RANGE_LIST)), "0x41-0x43, U+0410");
        clickButton(dialog, IDCANCEL);
    });
    sendCommand(IDM_MAP_RANGE);
}
