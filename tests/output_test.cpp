// The generated source byte for byte, the save command, and the clipboard export; saves that
// fail on a full disk or a too long path.
#include "app_fixture.h"
#include "output/output_styles.h"

#include <cstring>

static const std::string smallDisk = MORVEX7_BUILD_FOLDER "\\small-disk";

// Fills the small disk with a file "filler"; false when the folder is no small disk.
static bool fillSmallDisk() {
    ULARGE_INTEGER total;
    if (!GetDiskFreeSpaceExA(smallDisk.c_str(), nullptr, &total, nullptr) ||
        total.QuadPart > (1 << 20))
        return false;
    writeFile(smallDisk + "\\filler", std::string(1 << 20, 'f')); // as much as fits
    return true;
}

static int filesOnSmallDisk() {
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((smallDisk + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        files += found.cFileName[0] != '.';
    FindClose(search);
    return files;
}

class OutputTest : public AppTest {
  protected:
    std::string path = testDataPath("frames.src");
    // Manual Paint with frames of the given size, filled from bytes.
    void paintFrames(int width, int height, int frames, const std::vector<unsigned char> &bytes) {
        setMatrixSize(width, height);
        sendCommand(TextFile); // from another mode: Manual Paint starts with one frame
        sendCommand(ManualPaint);
        for (int i = 1; i < frames; ++i)
            sendCommand(IDC_NEW, editor.newButton);
        memcpy(editor.frames.bytes.data(), bytes.data(), bytes.size());
    }
    std::string save() {
        EXPECT_EQ(saveFrames(editor.mainWindow, path.c_str()), 1);
        return readFile(path);
    }
};

TEST_F(OutputTest, SaveThroughTheChooserAndItsFailures) {
    paintFrames(8, 2, 1, {1, 2});
    // 257 characters: beyond our buffer, within what the chooser itself handles
    std::string folder = testDataPath(std::string(120, 'd'));
    CreateDirectoryA(folder.c_str(), nullptr);
    answerFileChooser(folder + "\\" + std::string(257 - folder.size() - 3, 'f') + ".c");
    answerMessageBox(IDOK);
    sendCommand(IDM_SAVE);
    EXPECT_EQ(modalLog().at(1).text, "Sorry,the path of your file is too long!\n");

    // a full disk: told, the work marked as changed, the previous file as it was and no file of
    // ours beside it; once there is room, one file with the new content
    std::string target = smallDisk + "\\frames.c";
    writeFile(target, "the previous frames");
    if (!fillSmallDisk()) GTEST_SKIP() << "no small disk to fill: mounting a tmpfs needs root";
    answerFileChooser(target);
    answerMessageBox(IDOK);
    sendCommand(IDM_SAVE);
    EXPECT_EQ(modalLog().back().text, "Can't write " + target + "!\nThe file is not complete.");
    EXPECT_EQ(editor.modified, 1);
    EXPECT_EQ(readFile(target), "the previous frames");
    EXPECT_EQ(filesOnSmallDisk(), 2); // the filler and the target
    DeleteFileA((smallDisk + "\\filler").c_str());
    answerFileChooser(target);
    sendCommand(IDM_SAVE);
    EXPECT_EQ(readFile(target), save());
    EXPECT_EQ(filesOnSmallDisk(), 1);
    DeleteFileA(target.c_str());
}

TEST_F(OutputTest, ClipboardGetsExactlyTheSavedTextOrNothing) {
    paintFrames(8, 2, 1, {7, 9});
    SetCurrentDirectoryA(testDataPath("").c_str());
    writeFile(clipboardTempFile, "stale file from before");
    ASSERT_TRUE(OpenClipboard(nullptr)); // a richer format must not survive
    EmptyClipboard();
    HGLOBAL stale = GlobalAlloc(GMEM_MOVEABLE, 12);
    wcscpy(static_cast<wchar_t *>(GlobalLock(stale)), L"stale");
    GlobalUnlock(stale);
    SetClipboardData(CF_UNICODETEXT, stale);
    CloseClipboard();
    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    std::string copied = save();
    EXPECT_EQ(clipboardText(), copied);
    EXPECT_EQ(GetFileAttributesA(clipboardTempFile), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(modalLog().at(0).text, "Copy DOT Matrix to clipboard Successed!");

    // the temporary file on a full disk: never a cut text on the clipboard
    if (!fillSmallDisk()) GTEST_SKIP() << "no small disk to fill: mounting a tmpfs needs root";
    SetCurrentDirectoryA(smallDisk.c_str());
    answerMessageBox(IDOK);
    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    EXPECT_EQ(modalLog().at(1).text, "Can't write ~~$$~~.tmp!\nThe file is not complete.");
    EXPECT_EQ(modalLog()[2].text, "Copy DOT Matrix to clipboard Failed!");
    EXPECT_EQ(clipboardText(), copied);
    SetCurrentDirectoryA(testDataPath("").c_str());
    DeleteFileA((smallDisk + "\\filler").c_str());
}

// Sample sources for the real compilers of the generated_source_compiles test: three frames of
// 12 x 300 (continued lines, padding bits set) holding the bytes that test expects, and a
// 16 x 16 glyph in pages of 8 rows and in rows with the high bit first, to be drawn.
TEST_F(OutputTest, WritesSamplesForTheCompilers) {
    std::vector<unsigned char> bytes(3 * 600);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + i / 600);
    paintFrames(12, 300, 3, bytes);
    ASSERT_TRUE(SetCurrentDirectoryA(MORVEX7_BUILD_FOLDER "\\samples"));
    const char *names[] = {"frames_c51.c", "frames_ansi.c", "frames_asm.asm"};
    for (int style = OutputC51; style <= OutputAsm; ++style) {
        editor.settings.outputStyle = style;
        EXPECT_EQ(saveFrames(editor.mainWindow, names[style]), 1);
    }

    paintFrames(16, 16, 1, {});
    std::string glyph;
    for (int dot = 0; dot < 256; ++dot) {
        if (dot % 16 == dot / 16 || dot % 16 == 3 || dot / 16 == 12) setDot(dot % 16, dot / 16);
        glyph += testDot(dot % 16, dot / 16) ? '#' : '.';
        if (dot % 16 == 15) glyph += '\n';
    }
    editor.settings.outputStyle = OutputAnsiC;
    editor.settings.codingStyle = 8;
    EXPECT_EQ(saveFrames(editor.mainWindow, "glyph_pages.c"), 1);
    editor.settings.codingStyle = 0;
    editor.settings.alignStyle = 1;
    EXPECT_EQ(saveFrames(editor.mainWindow, "glyph_rows.c"), 1);
    writeFile("glyph.txt", glyph);
}

// Every output style on painted frames, a gray picture and a text: saved through the save
// command's chooser (a name typed without its extension gets the style's) and by the console
// program, written alike or refused by both, as the style's row says.
TEST_F(OutputTest, EachStyleWritesOrRefusesTheFramesItsRowSays) {
    std::string painted = testDataPath("painted.c"), picture = testDataPath("gray.bmp");
    writeFile(picture, makeBitmap(6, 4, 24, false, [](int x, int y) {
                  return static_cast<COLORREF>((x * 40 + y * 10) * 0x010101);
              }));
    paintFrames(8, 8, 2, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81, 0xFF});
    ASSERT_EQ(saveFrames(editor.mainWindow, painted.c_str()), 1);
    const std::tuple<const char *, unsigned, std::string, std::function<void()>> kinds[] = {
        {"painted", takesDots, "--load " + painted,
         [&] { loadSourceFile(editor.mainWindow, painted.c_str()); }},
        {"picture", takesPictures, "--bitmap " + picture + " --coding 1",
         [&] {
             editor.settings.bitmapStyle = 1; // the mode imports the picture last opened
             snprintf(editor.bitmapFilePath, pathCapacity, "%s", picture.c_str());
             sendCommand(BitmapFile);
         }},
        {"text", takesText, "--text AB", [] {
             SetWindowTextW(editor.textEdit, L"AB");
             sendCommand(IDC_UPDATE, editor.updateButton);
         }}};
    std::string console = testDataPath("console.out");
    for (const OutputStyleRow &style : outputStyles())
        for (const auto &[kind, takes, arguments, make] : kinds) {
            SCOPED_TRACE(std::string(style.word) + " " + kind);
            editor.settings = Settings(); // the settings the console program starts from
            setMatrixSize(16, 16);
            sendCommand(ManualText);
            make();
            waitForWorker();
            editor.settings.outputStyle = style.style;
            std::string typed = testDataPath(std::string("styled_") + style.word + "_" + kind),
                        saved = typed + "." + style.extension;
            bool written = style.takes & takes;
            answerFileChooser(typed);
            if (!written) answerMessageBox(IDOK);
            sendCommand(IDM_SAVE);
            std::string errors, command = arguments + " --style " + style.word + " -o " + console;
            EXPECT_EQ(runConsole(command, &errors), written ? 0 : 1) << errors;
            EXPECT_EQ(GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES, written);
            if (written) EXPECT_EQ(readFile(saved), readFile(console));
            if (!written) EXPECT_EQ(modalLog().back().text.rfind("Can't write " + saved, 0), 0u);
        }
}
