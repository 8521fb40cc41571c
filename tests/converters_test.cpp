// Text, text files and bitmaps turned into frames, hostile input included.
#include "app/app.h"
#include "app_fixture.h"
#include "convert/convert.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "res/resource.h"

#include <cstring>

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

// A black 'T' on white.
static COLORREF letterT(int x, int y) {
    bool ink = (y == 2 && x >= 2 && x <= 13) || (x == 7 && y >= 2 && y <= 13);
    return ink ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

class ConverterTest : public AppTest {
  protected:
    std::string path = testDataPath("input.txt"), picture = testDataPath("picture.bmp");
    void render(const char *text, int detect) {
        editor.characterDetect = detect;
        SetWindowTextA(editor.textEdit, text);
        sendCommand(IDC_UPDATE, editor.updateButton);
        waitForWorker();
    }
    void load(const std::string &file, int result) {
        EXPECT_EQ(loadTextFile(editor.mainWindow, file.c_str()), result) << file;
        waitForWorker();
    }
    void import(const std::string &file) {
        char buffer[pathCapacity];
        strcpy(buffer, file.c_str());
        ASSERT_EQ(startBitmapImport(editor.mainWindow, buffer), 1);
        memset(buffer, 'x', sizeof buffer - 1); // the caller's buffer is reused at once
        waitForWorker();
    }
};

TEST_F(ConverterTest, OneFramePerCharacter) {
    struct Case {
        const char *text;
        int detect, frames;
        Strings entries;
    } cases[] = {{"ABA", 0, 4, {"A", "B", "A"}},
                 {"ABA", 1, 4, {"A", "B"}},
                 {"A\r\nB", 1, 5, {"A", "B"}},
                 {"\xB0\xA1x", 0, 4, {"\xB0\xA1", "x"}},
                 {"", 1, 1, {}}};
    for (const Case &c : cases) {
        render(c.text, c.detect);
        EXPECT_EQ(editor.frameCount, c.frames) << c.text;
        EXPECT_EQ(comboEntries(), c.entries) << c.text;
    }
    render("AB", 0);
    EXPECT_NE(frameBytes(0), frameBytes(1));
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
}

TEST(RepeatRemoval, SearchesEveryByteOffset) {
    const std::pair<std::string, std::string> cases[] = {
        {"ABA\r\n\tB", "AB"},
        {"\xB0\x41\x41", "\xB0\x41"}, // A equals the second byte of the pair
        {"\xB0\xA1\xB0\xA1", "\xB0\xA1"},
        {"\xC1\xB2\xB3\xC4\xB2\xB3", "\xC1\xB2\xB3\xC4"}}; // across two characters
    for (const auto &c : cases) {
        std::vector<unsigned char> out(c.first.size() + 1, 0);
        removeRepeatedCharacters(reinterpret_cast<const unsigned char *>(c.first.c_str()),
                                 static_cast<int>(c.first.size()) + 1, out.data());
        EXPECT_EQ(reinterpret_cast<const char *>(out.data()), c.second);
    }
    // a text ending in a lead byte, with no terminating zero: nothing beyond the buffer
    unsigned char out[3] = {0, 0, 0xEE};
    removeRepeatedCharacters(reinterpret_cast<const unsigned char *>("a\xB0"), 2, out);
    EXPECT_EQ(out[2], 0xEE);
}

TEST_F(ConverterTest, TextFilesAreLimitedAndBadOnesTold) {
    sendCommand(TextFile);
    writeFile(path, std::string(10240, 'a'));
    load(path, 1);
    EXPECT_EQ(windowText(editor.browseButton), "input.txt");
    struct Bad {
        std::string name, bytes, message;
        int result;
    } bad[] = {
        {"big.txt", std::string(10241, 'b'), "Sorry,your file selected is too large!\n", 0},
        {std::string(260, 'p') + ".txt", "", "Sorry,the path of your file is too long!\n", 0},
        {"zero.txt", std::string("cd\0ef", 5), " holds a zero byte!", 1}};
    for (const Bad &b : bad) {
        if (!b.bytes.empty()) writeFile(testDataPath(b.name), b.bytes);
        clearModalLog();
        answerMessageBox(IDOK);
        load(testDataPath(b.name), b.result);
        EXPECT_NE(modalLog().at(0).text.find(b.message), std::string::npos) << b.name;
        EXPECT_EQ(comboEntries(), b.result ? Strings({"c", "d"}) : Strings{"a"}) << b.name;
    }
    writeFile(path, "ab\ncd"); // LF alone ends a line as CR LF does
    load(path, 1);
    EXPECT_EQ(comboEntries(), (Strings{"a", "b", "c", "d"}));
}

TEST_F(ConverterTest, EveryEncodingAndRowOrderGivesTheSameFrame) {
    sendCommand(BitmapFile);
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            writeFile(picture, makeBitmap(16, 16, bits, topDown, letterT));
            import(picture);
            ASSERT_TRUE(modalLog().empty()) << bits;
            for (int dot = 0; dot < 16 * 16; ++dot)
                ASSERT_EQ(testDot(dot % 16, dot / 16) != 0, letterT(dot % 16, dot / 16) != 0)
                    << bits << topDown << dot;
        }
    }

    writeFile(picture, makeBitmap(2000, 10, 1, false, letterT)); // the size comes from the file
    import(picture);
    EXPECT_EQ(editor.pixelWidth * 100 + editor.pixelHeight, 2000 * 100 + 10);
    EXPECT_NE(testDot(1999, 9), 0);
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
        EXPECT_EQ(modalLog().at(1).text, "Can't load the bitmap " + broken + "!");
        EXPECT_EQ(editor.matrixWidth * 100 + editor.matrixHeight, 1205);
        EXPECT_EQ(frameBytes(0), frame);
        EXPECT_STREQ(editor.bitmapFilePath, picture.c_str()); // the good picture stays
    }
}

// The bound on all frames together refuses, before anything changes, a text that would need
// more: 10241 frames of a 4096 x 4096 picture's size (21 GB).
TEST_F(ConverterTest, TooManyFramesAreRefusedBeforeAnythingChanges) {
    writeFile(picture, makeBitmap(4096, 4096, 1, false, letterT));
    import(picture);
    writeFile(path, std::string(10240, 'a'));
    answerMessageBox(IDOK);
    load(path, 0);
    EXPECT_EQ(modalLog().at(0).text, "Sorry,10241 frames of 4096X4096 pixels are too large!\n"
                                     "All frames together may take at most 2048 MiB.");
    EXPECT_EQ(editor.matrixHeight * editor.frameCount, 4096);
    EXPECT_NE(testDot(0, 0), 0);

    size_t bytes = 0; // the sum itself never wraps
    EXPECT_TRUE(frameStoreBytes(1024, 1024, 10241, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(1, 16777216, 256, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1, bytes));
}
