#include "app/app.h"
#include "app_fixture.h"
#include "bitmap_writer.h"
#include "convert/convert.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "res/resource.h"

#include <cstring>

// Distinct progress texts in the order shown.
static std::vector<int> progressValues(const std::vector<std::string> &status) {
    std::vector<int> values;
    for (const std::string &text : status)
        if (text.rfind("Format progress:", 0) == 0) values.push_back(std::stoi(text.substr(16)));
    return values;
}

static bool frameIsBlank(int frame) {
    for (unsigned char byte : frameBytes(frame))
        if (byte) return false;
    return true;
}

class RasterizerTest : public AppTest {
  protected:
    std::vector<std::string> status;
    void render(const char *text, int detect) {
        editor.characterDetect = detect;
        status.clear();
        recordStatusTexts(&status);
        SetWindowTextA(editor.textEdit, text);
        sendCommand(IDC_UPDATE, editor.updateButton);
        waitForWorker();
    }
};

TEST_F(RasterizerTest, OneFramePerCharacterWithProgress) {
    for (int detect : {0, 1}) {
        render("AB", detect);
        EXPECT_EQ(editor.textLength, 3);
        EXPECT_EQ(editor.frameCount, 3);
        EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(progressValues(status), (std::vector<int>{33, 66, 100}));
        EXPECT_FALSE(frameIsBlank(0));
        EXPECT_FALSE(frameIsBlank(1));
        EXPECT_NE(frameBytes(0), frameBytes(1));
        EXPECT_TRUE(IsWindowEnabled(editor.frameComboBox));
        EXPECT_TRUE(IsWindowEnabled(editor.paintRadio));
    }
    render("ABA", 1);
    EXPECT_EQ(editor.frameCount, 4);
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(progressValues(status), (std::vector<int>{25, 50, 75, 100}));

    render("A\r\nB", 0);
    EXPECT_EQ(editor.frameCount, 5);
    EXPECT_EQ(progressValues(status), (std::vector<int>{20, 80, 100}));
    std::vector<unsigned char> a = frameBytes(0);
    render("A\r\nB", 1);
    EXPECT_EQ(progressValues(status), (std::vector<int>{20, 40, 60, 80, 100}));
    EXPECT_EQ(frameBytes(0), a);
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"A", "B"}));
}

TEST_F(RasterizerTest, EmptyTextTwoByteCharactersShiftAndFontSize) {
    render("", 1);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_TRUE(frameIsBlank(0));
    EXPECT_TRUE(comboEntries(editor.frameComboBox).empty());
    EXPECT_TRUE(progressValues(status).empty());
    EXPECT_FALSE(isBusy());

    setMatrixSize(15, 16);
    render("\xB0\xA1x", 0);
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"\xB0\xA1", "x"}));
    EXPECT_EQ(editor.frameCount, 4);

    setMatrixSize(16, 16);
    editor.textShiftX = -3;
    render("MWM", 0);
    for (int frame = 0; frame < 2; ++frame) {
        editor.currentFrame = frame;
        for (int column = 0; column < 3; ++column)
            for (int row = 0; row < 16; ++row)
                ASSERT_EQ(testDot(column, row), 0) << column;
    }
    editor.currentFrame = 0;
    editor.textShiftX = 0;

    setMatrixSize(24, 24);
    render("Q", 1);
    EXPECT_EQ(editor.defaultFont.lfHeight, 24);
    EXPECT_EQ(editor.defaultFont.lfWidth, 24); // the last byte drawn is the zero byte
}

TEST(RepeatRemoval, ByteOffsetRule) {
    auto kept = [](std::string text) {
        std::vector<unsigned char> out(text.size() + 1, 0);
        removeRepeatedCharacters(reinterpret_cast<const unsigned char *>(text.c_str()),
                                 static_cast<int>(text.size()) + 1, out.data());
        return std::string(reinterpret_cast<const char *>(out.data()));
    };
    EXPECT_EQ(kept("ABA"), "AB");
    EXPECT_EQ(kept("A\r\n\tB"), "AB");
    EXPECT_EQ(kept("\xB0"
                   "A"
                   "A"),
              "\xB0"
              "A"); // A equals the second byte of the pair
    EXPECT_EQ(kept("\xB0\xA1\xB0\xA1"), "\xB0\xA1");
    // a pair may match the end of one kept character and the start of the next
    EXPECT_EQ(kept("\xC1\xB2\xB3\xC4\xB2\xB3"), "\xC1\xB2\xB3\xC4");
    // a text that ends in a lead byte, without a terminating zero: nothing beyond the buffer
    unsigned char out[3] = {0, 0, 0xEE};
    removeRepeatedCharacters(reinterpret_cast<const unsigned char *>("a\xB0"), 2, out);
    EXPECT_EQ(out[0], 'a');
    EXPECT_EQ(out[1], 0xB0);
    EXPECT_EQ(out[2], 0xEE);
}

TEST(CanvasSampling, OnlyPureBlackSetsADot) {
    editor = EditorState{};
    editor.matrixWidth = editor.matrixHeight = 2;
    editor.frameCount = 1;
    unsigned char frame[2] = {0x03, 0x03}; // bits 2..7 are padding
    editor.frameBuffer = frame;
    const DWORD canvas[] = {0x000000, 0x808080, 0xFFFFFF, 0x010000, 0x000000, 0x000000};
    sampleCanvas(canvas, 3, 2, 0, 0); // 3 x 2 canvas: row 0 = black, grey, white
    EXPECT_EQ(frame[0], 0x01);
    EXPECT_EQ(frame[1], 0x02);        // (0, 1) is 0x010000: not black
    sampleCanvas(canvas, 3, 2, 2, 0); // shifted: column 1 reads outside the canvas
    EXPECT_EQ(frame[0], 0x00);
    EXPECT_EQ(frame[1], 0x01);
    editor.frameBuffer = nullptr;
}

class TextFileTest : public AppTest {
  protected:
    std::string path = testDataPath("input.txt");
};

TEST_F(TextFileTest, SizeLimitAndRefusal) {
    writeFile(path, std::string(10240, 'a'));
    sendCommand(TextFile);
    SetWindowTextA(editor.textEdit, "mine\r\nto the last character!");
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 1);
    waitForWorker();
    EXPECT_STREQ(editor.textFilePath, path.c_str());
    EXPECT_EQ(windowText(editor.browseButton), "input.txt");
    EXPECT_EQ(windowText(editor.textEdit), "mine\r\nto the last character!");
    EXPECT_EQ(editor.inputMode, TextFile);
    EXPECT_EQ(comboEntries(editor.frameComboBox), std::vector<std::string>{"a"});
    EXPECT_TRUE(modalLog().empty());

    std::string big = testDataPath("big.txt");
    writeFile(big, std::string(10241, 'b'));
    answerMessageBox(IDOK);
    EXPECT_EQ(loadTextFile(editor.mainWindow, big.c_str()), 0);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Sorry,your file selected is too large!\n");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONERROR);
    EXPECT_STREQ(editor.textFilePath, path.c_str());
    EXPECT_EQ(windowText(editor.browseButton), "input.txt");
    EXPECT_EQ(comboEntries(editor.frameComboBox), std::vector<std::string>{"a"});

    EXPECT_EQ(loadTextFile(editor.mainWindow, testDataPath("missing.txt").c_str()), 0);
    EXPECT_EQ(modalLog().size(), 1u); // silently
    answerMessageBox(IDOK);
    std::string tooLong = "C:\\" + std::string(260, 'p') + ".txt";
    EXPECT_EQ(loadTextFile(editor.mainWindow, tooLong.c_str()), 0);
    EXPECT_EQ(modalLog().size(), 2u);
    EXPECT_STREQ(editor.textFilePath, path.c_str());
}

TEST_F(TextFileTest, ZeroByteEndsTheTextAndIsTold) {
    writeFile(path, std::string("ab\0cd", 5));
    sendCommand(TextFile);
    answerMessageBox(IDOK);
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 1);
    waitForWorker();
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text,
              "The file " + path + " holds a zero byte!\nOnly the text before it is converted.");
}

TEST_F(TextFileTest, EmptyFileLineEndsAndReloadByCommand) {
    writeFile(path, "");
    sendCommand(TextFile);
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 1);
    waitForWorker();
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_TRUE(comboEntries(editor.frameComboBox).empty());
    EXPECT_EQ(windowText(editor.browseButton), "input.txt");

    editor.characterDetect = 0;
    writeFile(path, "ab\ncd");
    sendCommand(IDC_BROWSE); // lParam 0: the stored path, no chooser
    waitForWorker();
    std::vector<std::vector<unsigned char>> lf;
    for (int i = 0; i < 4; ++i)
        lf.push_back(frameBytes(i));
    writeFile(path, "ab\r\ncd");
    sendCommand(IDC_BROWSE);
    waitForWorker();
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"a", "b", "c", "d"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(frameBytes(i), lf[i]) << i;

    EXPECT_STREQ(fileNameOf("C:\\a\\b\\name.txt"), "name.txt");
    EXPECT_STREQ(fileNameOf("plain.txt"), "plain.txt");
    EXPECT_STREQ(fileNameOf(""), "");
}

TEST_F(TextFileTest, MapAllAsciiListsNinetyFourCharacters) {
    EXPECT_EQ(strlen(asciiTable), 100u);
    sendCommand(IDM_MAP_ALL_ASCII);
    waitForWorker();
    std::vector<std::string> entries = comboEntries(editor.frameComboBox);
    ASSERT_EQ(entries.size(), 94u);
    EXPECT_EQ(entries.front(), "A");
    EXPECT_EQ(entries[26], "a");
    EXPECT_EQ(entries.back(), "?");
    EXPECT_EQ(windowText(editor.textEdit), asciiTable);
}

class BitmapTest : public AppTest {
  protected:
    std::vector<std::string> status;
    std::string path = testDataPath("picture.bmp");
    void import(const std::string &file) {
        status.clear();
        recordStatusTexts(&status);
        char buffer[pathCapacity];
        strcpy(buffer, file.c_str());
        ASSERT_EQ(startBitmapImport(editor.mainWindow, buffer), 1);
        memset(buffer, 'x', sizeof buffer - 1); // the caller's buffer is reused at once
        waitForWorker();
    }
};

// A black 'T' on white: the top row and the middle column.
static COLORREF letterT(int x, int y) {
    return (y == 2 && x >= 2 && x <= 13) || (x == 7 && y >= 2 && y <= 13) ? RGB(0, 0, 0)
                                                                          : RGB(255, 255, 255);
}

TEST_F(BitmapTest, EveryEncodingAndRowOrderGivesTheSameFrame) {
    sendCommand(BitmapFile);
    struct Case {
        BmpEncoding encoding;
        bool topDown;
    } cases[] = {{BmpEncoding::Mono1, false},    {BmpEncoding::Mono1, true},
                 {BmpEncoding::Palette4, false}, {BmpEncoding::Palette4, true},
                 {BmpEncoding::Palette8, false}, {BmpEncoding::Palette8, true},
                 {BmpEncoding::Rle8, false},     {BmpEncoding::Rgb24, false},
                 {BmpEncoding::Rgb24, true},     {BmpEncoding::Rgb32, false},
                 {BmpEncoding::Rgb32, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding) * 2 + c.topDown);
        writeFile(path, makeBitmap(16, 16, c.encoding, c.topDown, letterT));
        import(path);
        ASSERT_TRUE(modalLog().empty()) << modalLog().back().text;
        ASSERT_EQ(editor.matrixWidth, 16);
        ASSERT_EQ(editor.matrixHeight, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(testDot(x, y) != 0, letterT(x, y) != 0) << x << "," << y;
    }
    std::vector<int> progress = progressValues(status);
    ASSERT_EQ(progress.size(), 100u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 99);
    EXPECT_TRUE(modalLog().empty());
}

TEST_F(BitmapTest, SizesComeFromTheFile) {
    writeFile(path, makeBitmap(12, 5, BmpEncoding::Rgb24, false, letterT));
    setMatrixSize(64, 64);
    editor.viewOriginX = 9;
    editor.viewOriginY = 4;
    import(path);
    EXPECT_EQ(editor.pixelWidth, 12);
    EXPECT_EQ(editor.matrixWidth, 12);
    EXPECT_EQ(editor.pixelHeight, 5);
    EXPECT_EQ(editor.matrixHeight, 5);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_EQ(editor.viewOriginX, 0);
    EXPECT_EQ(editor.viewOriginY, 0);
    EXPECT_EQ(currentFrameBytes(), 10); // rows of 16 bits
    EXPECT_EQ(statusText(1), "DOT Matrix Size:12X5 Pixels");

    writeFile(path, makeBitmap(2000, 10, BmpEncoding::Mono1, false, letterT));
    import(path);
    EXPECT_EQ(editor.matrixWidth, 2000);
    EXPECT_EQ(editor.matrixHeight, 10);
    EXPECT_NE(testDot(1999, 9), 0);
    EXPECT_EQ(testDot(7, 5), 0);

    writeFile(path, makeBitmap(1, 1, BmpEncoding::Mono1, false, letterT));
    import(path);
    EXPECT_EQ(progressValues(status), std::vector<int>{0});
}

TEST_F(BitmapTest, ColourStylesKeepOnlyExactBlackClear) {
    auto dark = [](int x, int) { return x == 0 ? RGB(0, 0, 0) : RGB(20, 20, 20); };
    writeFile(path, makeBitmap(4, 1, BmpEncoding::Rgb24, false, dark));
    editor.bitmapStyle = 2;
    import(path);
    EXPECT_EQ(testDot(0, 0), 0);
    EXPECT_NE(testDot(1, 0), 0);
    EXPECT_NE(testDot(3, 0), 0);
}

TEST_F(BitmapTest, HostileFilesKeepTheOldFrameAndTellTheUser) {
    writeFile(path, makeBitmap(12, 5, BmpEncoding::Rgb24, false, letterT));
    import(path);
    std::vector<unsigned char> frame = frameBytes(0);

    std::string good = makeBitmap(40, 40, BmpEncoding::Rgb24, false, letterT);
    std::string huge = good;
    const unsigned side = 100000;
    memcpy(&huge[18], &side, 4);
    memcpy(&huge[22], &side, 4);
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 251);
    std::string cases[] = {
        good.substr(0, good.size() / 2), "", huge, noise, "BM" + noise, good.substr(0, 20)};
    int expectedBoxes = 0;
    for (const std::string &bytes : cases) {
        writeFile(path, bytes);
        answerMessageBox(IDOK);
        import(path);
        pumpMessages(50);
        ++expectedBoxes;
        ASSERT_EQ(static_cast<int>(modalLog().size()), expectedBoxes) << bytes.size();
        EXPECT_EQ(modalLog().back().text, "Can't load the bitmap " + path + "!");
        EXPECT_EQ(modalLog().back().icon, MB_ICONERROR);
        EXPECT_EQ(editor.matrixWidth, 12);
        EXPECT_EQ(editor.matrixHeight, 5);
        EXPECT_EQ(frameBytes(0), frame);
        EXPECT_TRUE(IsWindowEnabled(editor.bitmapRadio));
    }
    answerMessageBox(IDOK);
    import(testDataPath("no such picture.bmp"));
    pumpMessages(50);
    EXPECT_EQ(static_cast<int>(modalLog().size()), expectedBoxes + 1);
    EXPECT_FALSE(isBusy());
}

// The bound on all frames together refuses, before anything changes, a text that would need
// more: 10241 frames of a 4096 x 4096 picture's size (21 GB).
TEST_F(BitmapTest, TooManyFramesAreRefusedBeforeAnythingChanges) {
    writeFile(path, makeBitmap(4096, 4096, BmpEncoding::Mono1, false, letterT));
    import(path);
    ASSERT_EQ(editor.matrixWidth, 4096);
    std::string text = testDataPath("full.txt");
    writeFile(text, std::string(10240, 'a'));
    setDot(5, 5);
    answerMessageBox(IDOK);
    EXPECT_EQ(loadTextFile(editor.mainWindow, text.c_str()), 0);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Sorry,10241 frames of 4096X4096 pixels are too large!\n"
                                  "All frames together may take at most 2048 MiB.");
    EXPECT_EQ(editor.matrixHeight, 4096);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_NE(testDot(5, 5), 0);
    EXPECT_FALSE(isBusy());
    EXPECT_STREQ(editor.textFilePath, "");

    struct Case {
        long long width, height, frames;
        int depth;
        bool fits;
    } cases[] = {{1024, 1024, 10241, 1, true},
                 {1, 16777216, 256, 1, false},
                 {4096, 4096, 1, 16, true},
                 {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 16, false},
                 {16, 16, 0, 1, false}};
    for (const Case &c : cases) {
        size_t bytes = 0;
        EXPECT_EQ(frameStoreBytes(c.width, c.height, c.frames, c.depth, bytes), c.fits) << c.width;
    }
}

// A file that fails to import leaves the stored path and the button's caption as they were.
TEST_F(BitmapTest, FailedOpenKeepsTheStoredPicture) {
    writeFile(path, makeBitmap(8, 8, BmpEncoding::Mono1, false, letterT));
    sendCommand(BitmapFile);
    answerFileChooser(path);
    sendCommand(IDC_OPEN, editor.openButton);
    waitForWorker();
    std::string broken = testDataPath("broken.bmp");
    writeFile(broken, "BM");
    answerFileChooser(broken);
    answerMessageBox(IDOK);
    sendCommand(IDC_OPEN, editor.openButton);
    waitForWorker();
    pumpMessages(50);
    EXPECT_EQ(modalLog().back().text, "Can't load the bitmap " + broken + "!");
    EXPECT_STREQ(editor.bitmapFilePath, path.c_str());
    EXPECT_EQ(windowText(editor.openButton), "picture.bmp");
}

TEST_F(BitmapTest, OpenCommandShowsTheNameAtOnceAndModeSwitchImportsAgain) {
    writeFile(path, makeBitmap(8, 8, BmpEncoding::Mono1, false, letterT));
    sendCommand(BitmapFile);
    strcpy(editor.bitmapFilePath, path.c_str());
    sendCommand(IDC_OPEN); // lParam 0: the stored path
    EXPECT_EQ(windowText(editor.openButton), "picture.bmp");
    waitForWorker();
    EXPECT_EQ(editor.matrixWidth, 8);
    sendCommand(ManualPaint);
    writeFile(path, makeBitmap(9, 3, BmpEncoding::Mono1, false, letterT));
    sendCommand(BitmapFile);
    waitForWorker();
    EXPECT_EQ(editor.matrixWidth, 9);
    EXPECT_EQ(editor.matrixHeight, 3);
}
