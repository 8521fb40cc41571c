#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "output/output.h"
#include "res/resource.h"

#include <cstring>

class PackerTest : public AppTest {};

static std::vector<unsigned char> record(int n, size_t dataBytes) {
    const unsigned char *bytes = frameRecord(n);
    if (!bytes) return {};
    return std::vector<unsigned char>(bytes, bytes + dataBytes + 2);
}

TEST_F(PackerTest, LengthBytesDataAndPadding) {
    setMatrixSize(12, 2);
    setDot(0, 0);
    setDot(11, 1);
    EXPECT_EQ(record(0, 4), (std::vector<unsigned char>{0x00, 0x04, 0x01, 0x00, 0x00, 0x08}));
    invertCurrentFrame(); // padding columns 12..15 become ones
    EXPECT_EQ(record(0, 4), (std::vector<unsigned char>{0x00, 0x04, 0xFE, 0xFF, 0xFF, 0xF7}));
    editor.codingStyle = 3;
    EXPECT_EQ(record(0, 4), (std::vector<unsigned char>{0x00, 0x04, 0, 0, 0, 0}));
    editor.codingStyle = 0;

    setMatrixSize(1, 1);
    setDot(0, 0);
    EXPECT_EQ(record(0, 1), (std::vector<unsigned char>{0x00, 0x01, 0x01}));
    setMatrixSize(8, 8);
    setDot(7, 0);
    EXPECT_EQ(record(0, 1)[2], 0x80);
    setMatrixSize(512, 128);
    EXPECT_EQ(record(0, 0), (std::vector<unsigned char>{0x20, 0x00}));
}

TEST_F(PackerTest, LargestFrameBitmapStyleAndCurrentFrame) {
    setMatrixSize(1024, 1024);
    setDot(1023, 1023);
    std::vector<unsigned char> big = record(0, 131072);
    EXPECT_EQ(big[0], 0x00);
    EXPECT_EQ(big[1], 0x00);
    EXPECT_EQ(big[131073], 0x80); // the last data byte is there

    editor.bitmapStyle = 2;
    unsigned char *held = editor.packBuffer;
    EXPECT_EQ(frameRecord(0), nullptr);
    EXPECT_EQ(editor.packBuffer, held);
    editor.bitmapStyle = 0;

    setMatrixSize(8, 2);
    editor.frameCount = 6;
    allocateFrames(editor.mainWindow);
    editor.currentFrame = 5;
    setDot(0, 1);
    editor.currentFrame = 2;
    EXPECT_EQ(record(5, 2), (std::vector<unsigned char>{0x00, 0x02, 0x00, 0x01}));
    EXPECT_EQ(editor.currentFrame, 2);
}

class SourceTest : public AppTest {
  protected:
    std::string path = testDataPath("frames.src");
    // Manual Paint with 8 x 2 frames holding the given bytes, two per frame.
    void paintFrames(const std::vector<unsigned char> &bytes) {
        setMatrixSize(8, 2);
        sendCommand(ManualPaint);
        for (size_t i = 2; i < bytes.size(); i += 2)
            sendCommand(IDC_NEW, editor.newButton);
        memcpy(editor.frameBuffer, bytes.data(), bytes.size());
    }
    std::string save() {
        DeleteFileA(path.c_str());
        EXPECT_EQ(saveSource(path.c_str()), 1);
        return readFile(path);
    }
};

TEST_F(SourceTest, TwoSmallFramesInC51AndAsm) {
    paintFrames({0x00, 0x18, 0x3C, 0xFF});
    EXPECT_EQ(save(), "/*Config:\r\n\tWidth=8\r\n\tHeight=2\r\n\tText Mode=201\r\n"
                      "\tOutput Style=0\r\n\tBitmap Style=0\r\n\tKeywords=\"\"\r\n*/\r\n"
                      "code unsigned char CODE_MATRIX[]=\r\n{\r\n"
                      "\t0x00,0x18,\r\n\t0x3c,0xff\r\n};\r\n");
    editor.outputStyle = OutputAnsiC;
    EXPECT_NE(save().find("*/\r\nconst unsigned char CODE_MATRIX[]=\r\n{\r\n"), std::string::npos);
    editor.outputStyle = OutputAsm;
    EXPECT_EQ(save(), ";Config:\r\n;\tWidth=8\r\n;\tHeight=2\r\n;\tText Mode=201\r\n"
                      ";\tOutput Style=2\r\n;\tBitmap Style=0\r\n;\tKeywords=\"\"\r\n"
                      "CODE_MATRIX:\r\n\tdb 000h,018h\r\n\tdb 03ch,0ffh\r\nEND\r\n");
}

static std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> result;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        result.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

static std::string repeated(const std::string &piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST_F(SourceTest, LongFramesBreakAfter205Bytes) {
    setMatrixSize(8, 410); // 410 data bytes in one frame
    sendCommand(ManualPaint);
    memset(editor.frameBuffer, 0xA5, 410);
    std::vector<std::string> c = lines(save());
    ASSERT_GE(c.size(), 13u);
    EXPECT_EQ(c[10], "\t" + repeated("0xa5,", 205) + "\\");
    EXPECT_EQ(c[11], "\t" + repeated("0xa5,", 204) + "0xa5");
    EXPECT_EQ(c[12], "};");
    editor.outputStyle = OutputAsm;
    std::vector<std::string> assembler = lines(save());
    EXPECT_EQ(assembler[8], "\tdb " + repeated("0a5h,", 204) + "0a5h ");
    EXPECT_EQ(assembler[9], "\tdb " + repeated("0a5h,", 204) + "0a5h");
    EXPECT_EQ(assembler[10], "END");

    setMatrixSize(1024, 1024);
    sendCommand(ManualText);
    waitForWorker();
    sendCommand(ManualPaint);
    editor.outputStyle = OutputC51;
    std::string text = save();
    std::vector<std::string> body = lines(text);
    ASSERT_EQ(body.size(), 10u + 640 + 1);
    for (int i = 10; i < 10 + 639; ++i)
        ASSERT_EQ(body[i].size(), 1 + 205 * 5 + 1u) << i;
    EXPECT_EQ(body[649].size(), 1 + 77 * 5 - 1u);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') ASSERT_EQ(text[i - 1], '\r') << i; // CR LF everywhere
}

TEST_F(SourceTest, KeywordsPerModeAndBitmapStyleDuringTheSave) {
    setMatrixSize(8, 2);
    SetWindowTextA(editor.textEdit, "AB");
    sendCommand(IDC_UPDATE);
    waitForWorker();
    editor.bitmapStyle = 3;
    std::string text = save();
    EXPECT_NE(text.find("\tBitmap Style=0\r\n\tKeywords=\"AB\"\r\n"), std::string::npos);
    EXPECT_EQ(lines(text).size(), 10u + 2 + 1); // both listed frames are written
    EXPECT_EQ(editor.bitmapStyle, 3);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
    editor.outputStyle = OutputAsm;
    EXPECT_NE(save().find(";\tKeywords=\"AB\";\r\nCODE_MATRIX:"), std::string::npos);

    editor.bitmapStyle = 0;
    editor.inputMode = BitmapFile;
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);
    strcpy(editor.bitmapFilePath, "C:\\glyphs\\a.bmp");
    text = save();
    EXPECT_NE(text.find("Keywords=\"C:\\glyphs\\a.bmp\";\r\n"), std::string::npos);
    EXPECT_EQ(lines(text).size(), 8u + 1 + 1); // no entries: exactly one frame line
    editor.bitmapStyle = 2;
    text = save();
    EXPECT_EQ(lines(text).size(), 8u + 1); // header and trailer only
    EXPECT_NE(text.find("Bitmap Style=2"), std::string::npos);
}

TEST_F(SourceTest, UnwritablePathShowsTheMessageWithoutOverrun) {
    std::string folder = testDataPath("");
    EXPECT_EQ(saveSource(folder.c_str()), 0);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Can't open " + folder + "!");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONERROR);

    std::string longPath = "Q:\\" + std::string(251, 'x'); // 254 characters, no such drive
    EXPECT_EQ(saveSource(longPath.c_str()), 0);
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(modalLog()[1].text, "Can't open " + longPath + "!");
}

TEST_F(SourceTest, SaveCommandThroughTheChooserSetsModified) {
    paintFrames({1, 2});
    editor.outputStyle = OutputAsm;
    editor.modified = 1;
    std::string filter;
    answerFileChooser(path, &filter);
    DeleteFileA(path.c_str());
    sendCommand(IDM_SAVE);
    EXPECT_EQ(filter, "All ASM Files(*.asm)");
    EXPECT_EQ(editor.modified, 0);
    EXPECT_NE(readFile(path).find("\tdb 001h,002h\r\n"), std::string::npos);

    // held open without sharing, the file cannot be written
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    editor.outputStyle = OutputC51;
    answerFileChooser(path, &filter);
    answerMessageBox(IDOK);
    sendCommand(IDM_SAVE);
    CloseHandle(held);
    EXPECT_EQ(filter, "All C Files(*.c)");
    EXPECT_EQ(editor.modified, 1);
    EXPECT_EQ(modalLog().back().text, "Can't open " + path + "!");
}

// On a full disk the user is told and the work stays marked as changed; a path beyond 255
// characters chosen in the chooser is told too.
TEST_F(SourceTest, FailedSavesAreToldAndKeepTheWork) {
    paintFrames({1, 2});
    editor.modified = 1;
    std::string full = MORVEX7_FULL_DISK_FOLDER "\\frames.c";
    answerFileChooser(full);
    answerMessageBox(IDOK);
    sendCommand(IDM_SAVE);
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(modalLog()[1].text, "Can't write " + full + "!\nThe file is not complete.");
    EXPECT_EQ(modalLog()[1].icon, MB_ICONERROR);
    EXPECT_EQ(editor.modified, 1);

    // 258 characters: beyond our 256-character buffer, within what the chooser itself handles
    std::string folder = testDataPath(std::string(120, 'd'));
    CreateDirectoryA(folder.c_str(), nullptr);
    answerFileChooser(folder + "\\" + std::string(257 - folder.size() - 3, 'f') + ".c");
    answerMessageBox(IDOK);
    sendCommand(IDM_SAVE);
    ASSERT_EQ(modalLog().size(), 4u);
    EXPECT_EQ(modalLog()[3].text, "Sorry,the path of your file is too long!\n");
}
