// Text, text files and bitmaps turned into frames, hostile input included.
#include "app/app.h"
#include "app_fixture.h"
#include "bitmap_writer.h"
#include "convert/convert.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "res/resource.h"

#include <cstring>

using Strings = std::vector<std::string>;

class ConverterTest : public AppTest {
  protected:
    std::vector<int> progress; // the percentages shown, in order
    std::vector<std::string> status;
    std::string path = testDataPath("input.txt"), picture = testDataPath("picture.bmp");
    void SetUp() override {
        AppTest::SetUp();
        recordStatusTexts(&status);
    }
    void render(const char *text, int detect) {
        editor.characterDetect = detect;
        status.clear();
        SetWindowTextA(editor.textEdit, text);
        sendCommand(IDC_UPDATE, editor.updateButton);
        waitForWorker();
        progress.clear();
        for (const std::string &s : status)
            if (s.rfind("Format progress:", 0) == 0) progress.push_back(std::stoi(s.substr(16)));
    }
    void import(const std::string &file) {
        char buffer[pathCapacity];
        strcpy(buffer, file.c_str());
        ASSERT_EQ(startBitmapImport(editor.mainWindow, buffer), 1);
        memset(buffer, 'x', sizeof buffer - 1); // the caller's buffer is reused at once
        waitForWorker();
        pumpMessages(30);
    }
};

TEST_F(ConverterTest, OneFramePerCharacterWithProgress) {
    struct Case {
        const char *text;
        int detect, frames;
        Strings entries;
        std::vector<int> progress;
    } cases[] = {{"AB", 0, 3, {"A", "B"}, {33, 66, 100}},
                 {"AB", 1, 3, {"A", "B"}, {33, 66, 100}},
                 {"ABA", 1, 4, {"A", "B"}, {25, 50, 75, 100}},
                 {"A\r\nB", 0, 5, {"A", "B"}, {20, 80, 100}},
                 {"A\r\nB", 1, 5, {"A", "B"}, {20, 40, 60, 80, 100}},
                 {"\xB0\xA1x", 0, 4, {"\xB0\xA1", "x"}, {25, 75, 100}},
                 {"", 1, 1, {}, {}}};
    for (const Case &c : cases) {
        render(c.text, c.detect);
        EXPECT_EQ(editor.frameCount, c.frames) << c.text;
        EXPECT_EQ(comboEntries(), c.entries) << c.text;
        EXPECT_EQ(progress, c.progress) << c.text;
    }
    render("AB", 0);
    EXPECT_NE(frameBytes(0), frameBytes(1));
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(editor.paintRadio));
    editor.textShiftX = -3;
    render("MWM", 0);
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(testDot(column, row), 0);
}

TEST(RepeatRemoval, SearchesEveryByteOffset) {
    auto kept = [](const std::string &text) {
        std::vector<unsigned char> out(text.size() + 1, 0);
        removeRepeatedCharacters(reinterpret_cast<const unsigned char *>(text.c_str()),
                                 static_cast<int>(text.size()) + 1, out.data());
        return std::string(reinterpret_cast<const char *>(out.data()));
    };
    EXPECT_EQ(kept("ABA\r\n\tB"), "AB");
    EXPECT_EQ(kept("\xB0"
                   "AA"),
              "\xB0"
              "A"); // A equals the second byte of the pair
    EXPECT_EQ(kept("\xB0\xA1\xB0\xA1"), "\xB0\xA1");
    EXPECT_EQ(kept("\xC1\xB2\xB3\xC4\xB2\xB3"), "\xC1\xB2\xB3\xC4"); // across two characters
    // a text ending in a lead byte, with no terminating zero: nothing beyond the buffer
    unsigned char out[3] = {0, 0, 0xEE};
    removeRepeatedCharacters(reinterpret_cast<const unsigned char *>("a\xB0"), 2, out);
    EXPECT_EQ(out[2], 0xEE);
}

TEST_F(ConverterTest, TextFilesAreLimitedAndBadOnesTold) {
    sendCommand(TextFile);
    SetWindowTextA(editor.textEdit, "mine\r\nto the last character!");
    writeFile(path, std::string(10240, 'a'));
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 1);
    waitForWorker();
    EXPECT_EQ(windowText(editor.browseButton), "input.txt");
    EXPECT_EQ(windowText(editor.textEdit), "mine\r\nto the last character!");
    EXPECT_EQ(comboEntries(), Strings{"a"});

    struct Bad {
        std::string name, bytes, message;
        int result;
    } bad[] = {
        {"big.txt", std::string(10241, 'b'), "Sorry,your file selected is too large!\n", 0},
        {std::string(260, 'p') + ".txt", "x", "Sorry,the path of your file is too long!\n", 0},
        {"missing.txt", "", "", 0},
        {"zero.txt", std::string("cd\0ef", 5), " holds a zero byte!", 1}};
    for (const Bad &b : bad) {
        std::string file = testDataPath(b.name);
        if (b.name != "missing.txt" && b.name.size() < 200) writeFile(file, b.bytes);
        clearModalLog();
        if (!b.message.empty()) answerMessageBox(IDOK);
        EXPECT_EQ(loadTextFile(editor.mainWindow, file.c_str()), b.result) << b.name;
        waitForWorker();
        EXPECT_EQ(modalLog().empty(), b.message.empty()) << b.name;
        if (!b.message.empty()) EXPECT_NE(modalLog()[0].text.find(b.message), std::string::npos);
        EXPECT_EQ(comboEntries(), b.result ? Strings({"c", "d"}) : Strings{"a"}) << b.name;
    }
    writeFile(path, "ab\r\ncd"); // CR LF gives the frames of LF
    loadTextFile(editor.mainWindow, path.c_str());
    waitForWorker();
    std::vector<unsigned char> d = frameBytes(3);
    writeFile(path, "ab\ncd");
    loadTextFile(editor.mainWindow, path.c_str());
    waitForWorker();
    EXPECT_EQ(frameBytes(3), d);
    EXPECT_EQ(comboEntries(), (Strings{"a", "b", "c", "d"}));
}

// A black 'T' on white.
static COLORREF letterT(int x, int y) {
    bool ink = (y == 2 && x >= 2 && x <= 13) || (x == 7 && y >= 2 && y <= 13);
    return ink ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

TEST_F(ConverterTest, EveryEncodingAndRowOrderGivesTheSameFrame) {
    sendCommand(BitmapFile);
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            writeFile(picture, makeBitmap(16, 16, bits, topDown, letterT));
            status.clear();
            import(picture);
            ASSERT_TRUE(modalLog().empty()) << bits;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(testDot(x, y) != 0, letterT(x, y) != 0) << bits << topDown << x << y;
        }
    }
    EXPECT_EQ(status.size(), 100u); // 0% .. 99%, never 100%
    EXPECT_EQ(status.back(), "Format progress:99%");

    writeFile(picture, makeBitmap(2000, 10, 1, false, letterT)); // the size comes from the file
    editor.viewOriginX = 9;
    import(picture);
    EXPECT_EQ(editor.pixelWidth * 100 + editor.pixelHeight, 2000 * 100 + 10);
    EXPECT_EQ(editor.viewOriginX, 0);
    EXPECT_NE(testDot(1999, 9), 0);

    auto dark = [](int x, int) { return x == 0 ? RGB(0, 0, 0) : RGB(20, 20, 20); };
    writeFile(picture, makeBitmap(4, 1, 24, false, dark));
    editor.bitmapStyle = 2; // own colours: only exact black stays clear
    import(picture);
    EXPECT_EQ(testDot(0, 0), 0);
    EXPECT_NE(testDot(3, 0), 0);
}

TEST_F(ConverterTest, HostileBitmapsKeepTheOldFrameAndTellTheUser) {
    writeFile(picture, makeBitmap(12, 5, 24, false, letterT));
    sendCommand(BitmapFile);
    answerFileChooser(picture);
    sendCommand(IDC_OPEN, editor.openButton);
    waitForWorker();
    std::vector<unsigned char> frame = frameBytes(0);

    std::string good = makeBitmap(40, 40, 24, false, letterT), huge = good, noise;
    const unsigned side = 100000;
    memcpy(&huge[18], &side, 4);
    memcpy(&huge[22], &side, 4);
    for (int i = 0; i < 5000; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 251);
    std::string broken = testDataPath("broken.bmp");
    for (const std::string &bytes :
         {good.substr(0, good.size() / 2), std::string(), huge, noise, "BM" + noise}) {
        writeFile(broken, bytes);
        clearModalLog();
        answerFileChooser(broken);
        answerMessageBox(IDOK);
        sendCommand(IDC_OPEN, editor.openButton);
        waitForWorker();
        pumpMessages(50);
        ASSERT_EQ(modalLog().size(), 2u) << bytes.size();
        EXPECT_EQ(modalLog()[1].text, "Can't load the bitmap " + broken + "!");
        EXPECT_EQ(modalLog()[1].icon, MB_ICONERROR);
        EXPECT_EQ(editor.matrixWidth * 100 + editor.matrixHeight, 1205);
        EXPECT_EQ(frameBytes(0), frame);
        EXPECT_STREQ(editor.bitmapFilePath, picture.c_str()); // the good picture stays
        EXPECT_EQ(windowText(editor.openButton), "picture.bmp");
        EXPECT_TRUE(IsWindowEnabled(editor.bitmapRadio));
    }
}

// The bound on all frames together refuses, before anything changes, a text that would need
// more: 10241 frames of a 4096 x 4096 picture's size (21 GB).
TEST_F(ConverterTest, TooManyFramesAreRefusedBeforeAnythingChanges) {
    writeFile(picture, makeBitmap(4096, 4096, 1, false, letterT));
    import(picture);
    ASSERT_EQ(editor.matrixWidth, 4096);
    writeFile(path, std::string(10240, 'a'));
    answerMessageBox(IDOK);
    EXPECT_EQ(loadTextFile(editor.mainWindow, path.c_str()), 0);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Sorry,10241 frames of 4096X4096 pixels are too large!\n"
                                  "All frames together may take at most 2048 MiB.");
    EXPECT_EQ(editor.matrixHeight, 4096);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_NE(testDot(0, 0), 0);
    EXPECT_FALSE(isBusy());

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
