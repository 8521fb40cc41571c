// The core without a window: text characters, text files, picture headers, sources read back,
// the writer and the dot orders, the frame bound, and the console program run with no display.
#include "convert/picture_import.h"
#include "convert/source_file.h"
#include "convert/text_conversion.h"
#include "convert/text_file.h"
#include "model/character_range.h"
#include "model/coded_pixels.h"
#include "model/transforms.h"
#include "model/size_limits.h"
#include "output/output.h"
#include "output/output_styles.h"
#include "test_files.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

using Strings = std::vector<std::string>;

// A black cross on white.
static COLORREF cross(int x, int y) {
    return x == 7 || y == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

// A copy of bytes with a little-endian value of size bytes written at offset.
static std::string patched(std::string bytes, size_t offset, unsigned value, int size = 4) {
    std::string little(size, '\0');
    for (int i = 0; i < size; ++i)
        little[i] = static_cast<char>(value >> (8 * i));
    return bytes.replace(offset, size, little);
}

static SilentReporter silent;

// A frame as a picture, a line a row, so that a failure shows it.
static std::string framePicture(const FrameSet &frames, int n) {
    std::string picture;
    for (int i = 0; i < frames.width * frames.height; ++i)
        picture +=
            std::string(1, dotAt(frames, n, i % frames.width, i / frames.width) ? '#' : '.') +
            std::string(i % frames.width == frames.width - 1, '\n');
    return picture;
}

// One character a frame, by the system's code page (the cases of the other are left out): with
// the repeat switch a repeat is found at every byte offset of the kept text; a high byte is a
// character of its own unless the code page makes it a lead byte.
TEST(CodePages, OneFramePerCharacter) {
    const std::tuple<UINT, const char *, bool, Strings> cases[] = {
        {1252, "ABA", false, {"A", "B", "A"}},
        {1252, "A\r\nB", true, {"A", "B"}},
        {1252, "ABA", true, {"A", "B"}},
        {1252, "Caf\xE9\xE9!", true, {"C", "a", "f", "\xE9", "!"}},
        {936, "\xB0\x41\x41", true, {"\xB0\x41"}}, // A equals the second byte of the pair
        {936, "\xC1\xB2\xB3\xC4\xB2\xB3", true, {"\xC1\xB2", "\xB3\xC4"}}}; // across two
    for (const auto &[codePage, text, dropRepeats, characters] : cases)
        if (codePage == GetACP()) EXPECT_EQ(textCharacters(text, dropRepeats), characters) << text;
}

// The frames' names as the list shows them.
static std::vector<std::wstring> shownNames(const FrameSet &frames) {
    std::vector<std::wstring> names;
    for (const std::string &name : frames.names)
        names.push_back(frames.unicodeNames ? wideOf(name) : wideOfAnsi(name));
    return names;
}

// The same characters typed, in a UTF-8 file and in UTF-16 files with their marks give the same
// frames and names.
TEST(UnicodeText, EveryEncodingGivesTheSameFrames) {
    const std::wstring typed = L"Caf\u00e9 \u00fcber 25\u00b0C";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (wchar_t c : typed) {
        little += {static_cast<char>(c), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c)};
    }
    Settings settings = fontSettings("DejaVu Sans Mono");
    FrameSet expected, frames;
    convertText(typedText(typed), settings, expected, silent);
    for (const std::string &bytes : {utf8Of(typed), little, big}) {
        writeFile(testDataPath("encoded.txt"), bytes);
        Text text;
        ASSERT_TRUE(readTextFile(testDataPath("encoded.txt").c_str(), text, silent));
        convertText(text, settings, frames, silent);
        EXPECT_EQ(frames.bytes, expected.bytes);
        EXPECT_EQ(shownNames(frames), shownNames(expected));
    }
}

// Chinese in a CJK font: two frames, each with ink in both halves of the matrix; in a font
// without them, told by their code points.
TEST(UnicodeText, ChineseCharacters) {
    Settings settings = fontSettings("WenQuanYi Micro Hei", StretchToMatrix);
    FrameSet frames;
    Recorder report;
    convertText(Text{true, "", L"\u4f60\u597d"}, settings, frames, report);
    ASSERT_EQ(frames.count, 2);
    for (int n : {0, 1}) {
        int halves[2] = {};
        for (int i = 0; i < 256; ++i)
            halves[i % 16 >= 8] += dotAt(frames, n, i % 16, i / 16);
        EXPECT_TRUE(halves[0] && halves[1]) << n;
    }
    EXPECT_EQ(report.told, Strings{});
    settings.font = fontSettings("DejaVu Sans Mono").font;
    convertText(Text{true, "", L"\u4f60\u597d"}, settings, frames, report);
    EXPECT_EQ(report.last(), "2 characters are not in the font: U+4F60 U+597D");
}

// On a system whose code page is 936 a GB2312 file gives its two-byte characters, drawn as the
// same characters in a UTF-8 file.
TEST(CodePages, Gb2312FileOnCodePage936) {
    if (GetACP() != 936) GTEST_SKIP() << "the system's code page is not 936";
    Settings settings = fontSettings("WenQuanYi Micro Hei", StretchToMatrix);
    FrameSet gb2312, utf8;
    Text text;
    writeFile(testDataPath("gb2312.txt"), "\xC4\xE3\xBA\xC3");
    ASSERT_TRUE(readTextFile(testDataPath("gb2312.txt").c_str(), text, silent));
    convertText(text, settings, gb2312, silent);
    EXPECT_EQ(gb2312.names, (Strings{"\xC4\xE3", "\xBA\xC3"}));
    convertText(Text{true, "", L"\u4f60\u597d"}, settings, utf8, silent);
    EXPECT_EQ(gb2312.bytes, utf8.bytes);
}

// At the font's own size nothing that fits is cut; at twice the matrix height every character
// is told as not fitting.
TEST(TextConversion, GlyphsThatDoNotFitAreTold) {
    Settings settings = fontSettings("DejaVu Sans Mono");
    FrameSet frames;
    Recorder report;
    ASSERT_EQ(convertText("0OHxgpWm", settings, frames, report), FramesMade::made);
    EXPECT_EQ(report.told, Strings{});
    settings.fontPixelHeight = 32;
    convertText("0OHxgpWm", settings, frames, report);
    EXPECT_EQ(report.last(), "8 characters did not fit the matrix: 0 O H x g ...");
}

// At the em size a CJK font's ideographs fill a cell of that size (at its own size they take the
// line's height: 12 or 13 of 16 rows), nothing cut; centred, both ways.
TEST(TextConversion, EmSizeFillsTheCell) {
    for (int glyphSize : {FontsOwnSize, FontsEmSize}) {
        Settings settings = fontSettings("WenQuanYi Micro Hei", glyphSize);
        settings.centreGlyphs = 1;
        FrameSet frames;
        Recorder report;
        convertText(Text{true, "", L"\u4f60\u597d\u4e2d"}, settings, frames, report);
        EXPECT_EQ(report.told, Strings{});
        for (int n = 0; n < 3; ++n) {
            int top = 16, bottom = 0; // the rows with ink
            for (int dot = 0; dot < 256; ++dot)
                if (dotAt(frames, n, dot % 16, dot / 16))
                    top = std::min(top, dot / 16), bottom = std::max(bottom, dot / 16 + 1);
            EXPECT_EQ(bottom - top >= 14, glyphSize == FontsEmSize) << n << " " << bottom - top;
            if (glyphSize == FontsEmSize) EXPECT_LE(std::abs(top - (16 - bottom)), 1) << n;
        }
    }
}

// What the font draws of text on a monochrome canvas, which is never smoothed: the text at `at`
// aligned by align (its reference point at the top-left unless told), each character advanced
// by its width as the font gives it; width x height dots from the canvas's top-left, a line a row.
static std::string drawnPicture(const LOGFONTA &font, const std::string &text, int width,
                                int height, POINT at = {0, 0}, UINT align = TA_TOP) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateBitmap(width + 40, height + 40, 1, 1, nullptr);
    HFONT glyphFont = CreateFontIndirectA(&font);
    SelectObject(dc, canvas);
    SelectObject(dc, glyphFont);
    char face[LF_FACESIZE];
    GetTextFaceA(dc, sizeof face, face);
    EXPECT_STREQ(face, font.lfFaceName);
    PatBlt(dc, 0, 0, width + 40, height + 40, WHITENESS);
    SetTextAlign(dc, align);
    std::vector<INT> advances(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        GetCharWidth32A(dc, static_cast<BYTE>(text[i]), static_cast<BYTE>(text[i]), &advances[i]);
    ExtTextOutA(dc, 20 + at.x, 20 + at.y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()),
                advances.data());
    std::string picture;
    for (int i = 0; i < width * height; ++i)
        picture += std::string(1, GetPixel(dc, 20 + i % width, 20 + i / width) == 0 ? '#' : '.') +
                   std::string(i % width == width - 1, '\n');
    DeleteDC(dc); // before the objects it holds
    DeleteObject(glyphFont);
    DeleteObject(canvas);
    return picture;
}

// Glyphs are the font's own unsmoothed drawing, whatever edge smoothing the system does: closed
// letters stretched to 8 x 16 and 16 x 16 keep their strokes, and at the font's own size glyphs
// of two fonts are the font's drawing cropped to the matrix.
TEST(TextConversion, GlyphsAreTheFontsUnsmoothedDrawing) {
    const std::tuple<const char *, int, int, const char *> cases[] = {
        {"DejaVu Sans Mono", StretchToMatrix, 8, "0O8B"},
        {"DejaVu Sans Mono", StretchToMatrix, 16, "0O8B"},
        {"DejaVu Sans Mono", FontsOwnSize, 16, "0Wgj@"},
        {"DejaVu Sans", FontsOwnSize, 16, "0Wgj@"}};
    for (const auto &[face, glyphSize, width, text] : cases) {
        Settings settings = fontSettings(face, glyphSize);
        settings.width = width;
        FrameSet frames;
        convertText(text, settings, frames, silent);
        LOGFONTA font = settings.font; // stretched: the record is sized as it was drawn
        if (glyphSize == FontsOwnSize) font.lfHeight = 16, font.lfWidth = 0;
        for (int n = 0; text[n]; ++n)
            EXPECT_EQ(framePicture(frames, n),
                      drawnPicture(font, std::string(1, text[n]), width, 16))
                << face << " " << text[n] << " " << glyphSize;
    }
}

// Too large, too long a path, a device, and a zero byte (the text ends there, told); Ctrl-Z is
// a character.
TEST(TextFile, ReadAsItIsOrTold) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"big.txt", std::string(10241, 'b'), "Sorry,your file selected is too large!\n", ""},
        {std::string(260, 'p') + ".txt", "", "Sorry,the path of your file is too long!\n", ""},
        {"com1.txt", "", "com1.txt!\nIt is not a file.", ""},
        {"zero.txt", std::string("c\x1a\r\nd\0ef", 7), " holds a zero byte!", "c\x1a\r\nd"},
        {"utf8.txt", "\357\273\277ab\303",
         "It is marked as UTF-8 but holds bytes that are no UTF-8.", ""},
        {"utf16.txt", std::string("\377\376a\0b", 5),
         "It is marked as UTF-16 but holds an odd number of bytes.", ""},
        {"unicode.txt", std::string(10240, 'u') + "\xC3\xA9", "too large!", ""}};
    for (const auto &[name, bytes, message, text] : cases) {
        if (!bytes.empty()) writeFile(testDataPath(name), bytes);
        Recorder report;
        Text read;
        EXPECT_EQ(readTextFile(testDataPath(name).c_str(), read, report), !text.empty());
        EXPECT_NE(report.last().find(message), std::string::npos) << name;
        EXPECT_EQ(read.unicode ? utf8Of(read.wide) : read.ansi, text) << name;
    }
}

// Each refused picture is told with its reason, and the frames stay.
TEST(PictureHeaders, HostileFilesAreRefusedWithTheirReason) {
    std::string good = makeBitmap(40, 40, 24, false, cross), path = testDataPath("broken.bmp");
    std::string gray = makeBitmap(4, 4, 8, false, cross), dot = makeBitmap(1, 1, 1, true, cross);
    const std::pair<std::string, const char *> cases[] = {
        {good.substr(0, good.size() / 2), "Its pixel data is cut short."},
        {"", "It can't be read as a picture."},
        {patched(patched(good, 18, 100000), 22, 100000),
         "Its size is not one this program imports."},
        {"BM" + std::string(5000, 'x'), "Its info header is not one this program knows."},
        {patched(patched(gray, 30, BI_RLE8), 10, 13), "Its pixel data starts inside its headers."},
        {patched(dot, 10, 14), "Its pixel data starts inside its headers."},
        {patched(good, 28, 7, 2), "Its bit count is not one this program knows."},
        {patched(good, 26, 2, 2), "It has more or fewer planes than one."},
        {patched(patched(gray, 30, BI_RLE8), 22, -4),
         "Its compression does not fit its bit count or rows."},
        {patched(gray, 46, 300), "Its palette is longer than its bit count allows."},
        {"aux", "It is not a file."}};
    FrameSet frames;
    frames.names = {"kept"};
    for (const auto &[bytes, reason] : cases) {
        std::string file = bytes == "aux" ? testDataPath("aux.bmp") : path;
        if (bytes != "aux") writeFile(file, bytes);
        Recorder report;
        EXPECT_EQ(importPicture(file.c_str(), Settings(), frames, report), FramesMade::refused);
        EXPECT_EQ(report.last(), "Can't load the bitmap " + file + "!\n" + reason);
        EXPECT_EQ(frames.names, Strings{"kept"});
    }
}

// Every encoding and row order of a picture gives the same dots.
TEST(PictureImport, EveryEncodingAndRowOrderGivesTheSameFrame) {
    std::string path = testDataPath("picture.bmp");
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            writeFile(path, makeBitmap(16, 16, bits, topDown, cross));
            FrameSet frames;
            ASSERT_EQ(importPicture(path.c_str(), Settings(), frames, silent), FramesMade::made);
            for (int dot = 0; dot < 16 * 16; ++dot)
                ASSERT_EQ(dotAt(frames, 0, dot % 16, dot / 16), cross(dot % 16, dot / 16) != 0)
                    << bits << topDown << dot;
        }
    }
}

static std::string pictureFile(const std::string &name) {
    return MORVEX7_BUILD_FOLDER "\\pictures\\" + name;
}

static FrameSet imported(const std::string &name, const Settings &settings = {}) {
    FrameSet frames;
    Recorder report;
    EXPECT_EQ(importPicture(pictureFile(name).c_str(), settings, frames, report), FramesMade::made)
        << report.last();
    return frames;
}

// One drawing in every format gives the frame its BMP gives (the JPEG within its compression
// noise, by threshold); an animation gives its frames in order; a drawing on a transparent
// ground gives the drawing as dark dots; hostile pictures are told.
TEST(PictureImport, EveryFormatAndEveryFrame) {
    FrameSet bitmap = imported("drawing.bmp");
    for (const char *name : {"drawing.png", "drawing.gif", "drawing.tif"})
        EXPECT_EQ(imported(name).bytes, bitmap.bytes) << name;
    Settings settings;
    settings.pictureToDots = ThresholdDots;
    EXPECT_EQ(imported("drawing.jpg", settings).bytes, imported("drawing.bmp", settings).bytes);
    FrameSet animation = imported("animated.gif");
    EXPECT_EQ(animation.names, (Strings{"Frame 1", "Frame 2", "Frame 3"}));
    EXPECT_EQ(framePicture(animation, 0).find('#'), std::string::npos); // black: no dot lit
    EXPECT_EQ(framePicture(animation, 1).find('.'), std::string::npos); // white: every dot
    settings = Settings();
    settings.darkDots = true;
    FrameSet drawing = imported("transparent.png", settings);
    int dots = 0; // the line from (0, 0) to (19, 9), nothing of its ground
    for (int i = 0; i < 200; ++i) {
        dots += dotAt(drawing, 0, i % 20, i / 20);
        EXPECT_TRUE(!dotAt(drawing, 0, i % 20, i / 20) || std::abs(2 * (i / 20) - i % 20) <= 1);
    }
    EXPECT_GE(dots, 15);
}

// Hostile pictures are refused with their reason, quickly (a TIFF whose page chain loops, 500
// frames that would be scaled to 1024 x 1024 each); damaged ones that decode are taken and told.
TEST(PictureImport, HostileAndDamagedPicturesAreTold) {
    Settings stretched;
    stretched.pictureSize = PictureStretched;
    stretched.width = stretched.height = 1024;
    const std::tuple<const char *, const Settings, FramesMade, std::string> cases[] = {
        {"truncated.png", {}, FramesMade::refused, "It can't be read as a picture."},
        {"empty.gif", {}, FramesMade::refused, "It holds no picture."},
        {"tall.png", {}, FramesMade::refused, "It can't be read as a picture."},
        {"loop.tif", {}, FramesMade::refused, "Its pages form a loop."},
        {"many.gif", stretched, FramesMade::refused,
         "Its frames scaled to the matrix would be too large."},
        {"bad_crc.png", {}, FramesMade::made, "the checksum of its IDAT chunk is wrong."},
        {"no_end.png", {}, FramesMade::made, "it ends before its last chunk."},
        {"no_trailer.gif", {}, FramesMade::made, "it ends before its trailer."}};
    for (const auto &[name, settings, made, reason] : cases) {
        Recorder report;
        FrameSet frames;
        EXPECT_EQ(importPicture(pictureFile(name).c_str(), settings, frames, report), made);
        EXPECT_EQ(report.told.at(0),
                  made == FramesMade::made
                      ? "The picture is damaged: " + reason
                      : "Can't load the bitmap " + pictureFile(name) + "!\n" + reason);
    }
}

// A 32-bit BMP with bit fields, by every path: the system loader reads it, then the dots or the
// scaling are ours (the imaging component's reader of it crashes).
TEST(PictureImport, BitFieldsBmpInEverySetting) {
    Settings settings;
    for (int toDots : {AsTheSystemConverts, ThresholdDots, FloydSteinberg}) {
        settings.pictureToDots = toDots;
        FrameSet frames = imported("bitfields.bmp", settings);
        for (int dot = 0; dot < 35; ++dot) // a checkerboard, white where x + y is odd
            EXPECT_EQ(dotAt(frames, 0, dot % 7, dot / 7), (dot % 7 + dot / 7) % 2 == 1) << dot;
    }
    settings.pictureSize = PictureFitted;
    EXPECT_EQ(imported("bitfields.bmp", settings).width, 16);
}

// An animation is taken as it is shown: each frame on the logical screen, a patch at its place
// over the frames before, then kept, put back or cleared to the background as it says.
TEST(PictureImport, AnimationFramesAsShown) {
    // the patch's area in the last frame, on a black and on a white ground
    const std::tuple<const char *, bool, bool> cases[] = {
        {"none", true, false}, {"previous", false, true}, {"background", true, true}};
    for (const auto &[dispose, onBlack, onWhite] : cases) {
        for (const char *ground : {"black", "white"}) {
            FrameSet frames = imported(std::string("patches_") + ground + "_" + dispose + ".gif");
            ASSERT_EQ(frames.count, 3) << dispose;
            EXPECT_EQ(frames.width * 100 + frames.height, 806);
            bool white = std::string(ground) == "white";
            EXPECT_EQ(dotAt(frames, 1, 5, 4), !white) << dispose << ground; // the patch
            EXPECT_EQ(dotAt(frames, 1, 3, 4), white) << dispose << ground;  // the ground
            EXPECT_EQ(dotAt(frames, 2, 5, 4), white ? onWhite : onBlack) << dispose << ground;
            EXPECT_EQ(dotAt(frames, 2, 1, 1), !white) << dispose << ground;
        }
    }
}

// The share of lit dots in each band of 8 columns of a 256 x 256 gradient (luminance = column).
static std::vector<double> litShares(const FrameSet &frames) {
    std::vector<double> shares;
    for (int band = 0; band < 32; ++band) {
        int lit = 0;
        for (int i = 0; i < 8 * 256; ++i)
            lit += dotAt(frames, 0, band * 8 + i % 8, i / 8);
        shares.push_back(lit / 2048.0);
    }
    return shares;
}

static COLORREF colours(int x, int y) {
    return RGB(x * 37 % 256, y * 53 % 256, x * y * 11 % 256);
}

// Threshold: each dot the luminance's comparison. Dithering: the lit share follows a gradient's
// luminance, and Floyd-Steinberg spreads each error as it says. Fitting keeps the shape.
TEST(PictureImport, DotsByLuminanceAndFitting) {
    std::string path = testDataPath("gradient.bmp");
    Settings settings;
    settings.pictureToDots = ThresholdDots;
    writeFile(path, makeBitmap(16, 16, 24, false, colours));
    FrameSet frames;
    importPicture(path.c_str(), settings, frames, silent);
    for (int i = 0; i < 256; ++i) {
        COLORREF c = colours(i % 16, i / 16);
        double luminance = 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
        EXPECT_EQ(dotAt(frames, 0, i % 16, i / 16), luminance >= 128) << i;
    }
    writeFile(path, makeBitmap(256, 256, 24, false, [](int x, int) { return RGB(x, x, x); }));
    for (int mode : {FloydSteinberg, AtkinsonDots, OrderedBayer}) {
        settings.pictureToDots = mode;
        importPicture(path.c_str(), settings, frames, silent);
        std::vector<double> shares = litShares(frames);
        // Atkinson passes on three quarters of the error: its shadows and lights clip
        for (int band = mode == AtkinsonDots ? 9 : 2; band < (mode == AtkinsonDots ? 22 : 30);
             ++band)
            EXPECT_NEAR(shares[band], (band * 8 + 3.5) / 255, 0.05) << mode << " " << band;
    }
    // Floyd-Steinberg on 3 x 2 pixels of gray 100, worked by hand: the error 7/16 right, 3/16
    // down-left, 5/16 down, 1/16 down-right gives .#. over .#.
    writeFile(path, makeBitmap(3, 2, 24, false, [](int, int) { return RGB(100, 100, 100); }));
    settings.pictureToDots = FloydSteinberg;
    importPicture(path.c_str(), settings, frames, silent);
    EXPECT_EQ(framePicture(frames, 0), ".#.\n.#.\n");
    settings = Settings();
    settings.pictureSize = PictureFitted;
    settings.width = 128;
    for (int height : {64, 128}) { // a 512 x 256 picture, black on its left half
        settings.height = height;
        frames = imported("wide.png", settings);
        ASSERT_EQ(frames.width * 1000 + frames.height, 128000 + height);
        EXPECT_EQ(dotAt(frames, 0, 10, 0), height > 64); // white bands above and below
        EXPECT_EQ(dotAt(frames, 0, 10, height - 1), height > 64);
        EXPECT_FALSE(dotAt(frames, 0, 10, height / 2));
        EXPECT_TRUE(dotAt(frames, 0, 100, height / 2));
    }
}

// Bad sources are told, naming the file and the reason, and make nothing.
TEST(SourceReader, BadSourcesAreRefusedWithTheirReason) {
    std::string good = testDataPath("good.c"), bad = testDataPath("bad.c");
    writeFile(good,
              "/*Config:\r\n\tWidth=8\r\n\tHeight=2\r\n\tText Mode=201\r\n\tOutput Style=0\r\n"
              "\tBitmap Style=0\r\n\tKeywords=\"\"\r\n*/\r\ncode unsigned char "
              "CODE_MATRIX[]=\r\n{\r\n\t0x00,0x02\r\n};\r\n");
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
        {changed("Output Style=0", "Output Style=5"),
         "It is an LVGL font, which this program writes but does not read."},
        {changed("Width=8", "Width=8\r\n\tCoding Style=4294967297"),
         "It was not written by this program."},
        {changed("Width=8", std::string("Width=8\0junk", 12)), "It holds a zero byte."},
        {changed("Output Style=0", "Output Style=3"),
         "It is an Adafruit GFX font, which this program writes but does not read."},
        {changed("Output Style=0", "Output Style=4"),
         "It is a u8g2 font, which this program writes but does not read."}};
    auto refused = [](const std::string &path, const std::string &told) {
        Recorder report;
        LoadedSource loaded;
        EXPECT_EQ(loadSource(path.c_str(), loaded, report), FramesMade::refused);
        EXPECT_EQ(report.last(), told);
    };
    for (const auto &c : cases) {
        writeFile(bad, c.first);
        refused(bad, "Can't load " + bad + "!\n" + c.second);
    }
    // 4 GiB and 16 bytes, sparse
    HANDLE big = CreateFileA(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size = {{16, 1}};
    EXPECT_TRUE(SetFilePointerEx(big, size, nullptr, FILE_BEGIN) && SetEndOfFile(big));
    CloseHandle(big);
    refused(bad, "Can't load " + bad + "!\nIt is larger than 64 MiB.");
    refused(testDataPath("nul.c"), "Can't load " + testDataPath("nul.c") + "!\nIt is not a file.");
    refused(std::string(300, 'p'), "Sorry,the path of your file is too long!\n");
}

static Settings settingsFor(int width, int height, int inputMode = ManualPaint) {
    Settings settings;
    settings.width = width;
    settings.height = height;
    settings.inputMode = inputMode;
    return settings;
}

// The whole file as the writer writes it.
static std::string written(const FrameSet &frames, const Settings &settings) {
    std::string bytes;
    EXPECT_TRUE(writeSource(frames, settings, bytes));
    return bytes;
}

static FrameSet framesOf(int width, int height, int count, const std::vector<unsigned char> &bytes,
                         const Strings &names = {}) {
    FrameSet frames;
    makeFrames(frames, width, height, count);
    std::copy(bytes.begin(), bytes.end(), frames.bytes.begin());
    frames.names = names;
    return frames;
}

TEST(Writer, GoldenFilesInEveryStyle) {
    FrameSet painted = framesOf(8, 2, 2, {0x00, 0x18, 0x3C, 0xFF}, {"Custom 1", "Custom 2"});
    Settings settings = settingsFor(8, 2);
    EXPECT_EQ(written(painted, settings),
              "/*Config:\r\n\tWidth=8\r\n\tHeight=2\r\n\tText Mode=201\r\n"
              "\tOutput Style=0\r\n\tBitmap Style=0\r\n\tKeywords=\"\"\r\n*/\r\n"
              "code unsigned char CODE_MATRIX[]=\r\n{\r\n"
              "\t0x00,0x18,\r\n\t0x3c,0xff\r\n};\r\n");
    settings.outputStyle = OutputAsm;
    EXPECT_EQ(written(painted, settings),
              ";Config:\r\n;\tWidth=8\r\n;\tHeight=2\r\n;\tText Mode=201\r\n"
              ";\tOutput Style=2\r\n;\tBitmap Style=0\r\n;\tKeywords=\"\"\r\n"
              "CODE_MATRIX:\r\n\tdb 000h,018h\r\n\tdb 03ch,0ffh\r\nEND\r\n");

    // frames that can't be packed (a gray coding with no gray picture): told, the file kept
    std::string path = testDataPath("frames.c");
    writeFile(path, "the previous frames");
    settings.inputMode = BitmapFile;
    settings.bitmapStyle = 2;
    Recorder report;
    EXPECT_EQ(saveSource(path.c_str(), painted, settings, report), 0);
    EXPECT_EQ(report.last(), "Can't write " + path + "!\nThe file is not complete.");
    EXPECT_EQ(readFile(path), "the previous frames");
}

// Sources we wrote load back to the same frames, names and settings, in each output style and a
// dot order, and write again the same file; names of any characters survive, and the C comment
// stays whole.
TEST(SourceReader, SourcesWeWroteLoadBack) {
    FrameSet painted = framesOf(12, 5, 2, {0x01, 0x08, 0x0C, 0, 0, 0, 0, 0, 0, 0x08, 0x80},
                                {"Custom 1", "Custom 2"});
    Settings text;
    FrameSet typed, chinese;
    convertText("A\xE9\r\n*/", text, typed, silent);
    convertText(Text{true, "", L"\u4f60*/\u597d"}, text, chinese, silent);
    const std::tuple<const FrameSet *, int, int, int> cases[] = {
        {&painted, ManualPaint, OutputC51, 0},
        {&painted, ManualPaint, OutputAsm, 8},
        {&chinese, ManualText, OutputAsm, 0},
        {&typed, ManualText, OutputAnsiC, 0}};
    std::string path = testDataPath("saved.src");
    for (const auto &[frames, mode, style, order] : cases) {
        Settings settings = settingsFor(frames->width, frames->height, mode);
        settings.outputStyle = style;
        settings.codingStyle = order;
        settings.alignStyle = order > 0;
        settings.arrayName = order ? "LOGO" : defaultArrayName; // a name and comments read back
        settings.commentFrames = order > 0;
        settings.glyphSize = settings.centreGlyphs = mode == ManualText; // at their own size
        settings.fontPixelHeight = mode == ManualText ? 20 : 16; // written with its group only
        ASSERT_EQ(saveSource(path.c_str(), *frames, settings, silent), 1);
        LoadedSource loaded;
        ASSERT_EQ(loadSource(path.c_str(), loaded, silent), FramesMade::made);
        EXPECT_EQ(loaded.frames.bytes, frames->bytes);
        EXPECT_EQ(loaded.frames.names, frames->names);
        EXPECT_EQ(loaded.frames.unicodeNames, frames->unicodeNames);
        for (const SettingRow &row : settingsTable()) // each setting of the header read back
            if (row.header.when != HeaderWhen::never)
                EXPECT_EQ(valueText(row, loaded.settings), valueText(row, settings)) << row.name;
        EXPECT_EQ(written(loaded.frames, loaded.settings), readFile(path));
    }
    std::string file = readFile(path);
    EXPECT_EQ(file.find("*/"), file.find("\r\n*/\r\n") + 2); // the comment ends where it should
}

// Gray and colour values of a 2 x 2 picture (1 2 over 3 4) in rows, in columns with the high
// nibble first, and in 16 bits high byte first: by hand.
TEST(CodedOutput, ValuesInTheirOrders) {
    const std::tuple<int, int, int, std::vector<unsigned char>> cases[] = {
        {1, 0, 0, {0x21, 0x43}},
        {1, 4, 1, {0x13, 0x24}},
        {2, 4, 0, {1, 3, 2, 4}},
        {3, 0, 0, {0, 1, 0, 2, 0, 3, 0, 4}}};
    for (const auto &[coding, order, align, bytes] : cases) {
        FrameSet frames;
        makeFrames(frames, 2, 2, 1, coding);
        for (int i = 0; i < 4; ++i)
            storeCodedPixel(frames, i % 2, i / 2, i + 1);
        Settings settings = settingsFor(2, 2, BitmapFile);
        settings.bitmapStyle = coding;
        settings.codingStyle = order;
        settings.alignStyle = align;
        std::vector<unsigned char> record;
        ASSERT_TRUE(packFrame(frames, 0, settings, record));
        EXPECT_EQ(std::vector<unsigned char>(record.begin() + 2, record.end()), bytes) << coding;
    }
}

// A name that would break the build in a style is refused there, and taken where it builds.
TEST(ArrayName, RefusedWhereItBreaksTheBuild) {
    const std::tuple<const char *, int, bool> cases[] = {
        {"Tiny_2", OutputC51, true},    {"2Tiny", OutputAnsiC, false},
        {"Ti ny", OutputAnsiC, false},  {"", OutputAnsiC, false},
        {"int", OutputAsm, false},      {"inline", OutputAnsiC, false},
        {"restrict", OutputC51, false}, {"_Bool", OutputGfx, false},
        {"xdata", OutputC51, false},    {"xdata", OutputAnsiC, true},
        {"sfr16", OutputC51, false},    {"reentrant", OutputC51, false},
        {"class", OutputGfx, false},    {"class", OutputAnsiC, true},
        {"GFXfont", OutputGfx, false},  {"PROGMEM", OutputGfx, false},
        {"end", OutputAsm, false},      {"Db", OutputAsm, false},
        {"a", OutputAsm, false},        {"A", OutputAnsiC, true},
        {"r7", OutputAsm, false},       {"DPTR", OutputAsm, false},
        {"acc", OutputAsm, false},      {"LOGO", OutputAsm, true}};
    for (const auto &[name, style, taken] : cases)
        EXPECT_EQ(arrayNameProblem(name, style) == nullptr, taken) << name << " in " << style;
    EXPECT_NE(arrayNameProblem(std::string(64, 'n'), OutputAnsiC), nullptr);
}

// Samples for the compiler: DejaVu Sans at 16 pixels, "!" to "~", as a GFX font made in an 8 x 8
// matrix (the tails of J and j and every glyph whole all the same), and what GDI draws of a space
// and the same text with the font's character widths (the baseline at row 30 from column 10),
// which the font must draw.
TEST(GfxFont, SampleForTheCompiler) {
    std::string text(94, '!');
    std::iota(text.begin(), text.end(), '!');
    Settings settings = fontSettings("DejaVu Sans");
    settings.width = settings.height = 8; // a font's glyphs are whole, whatever the matrix
    settings.outputStyle = OutputGfx;
    FrameSet frames;
    Recorder report;
    convertText(text, settings, frames, report);
    EXPECT_EQ(report.told, Strings{});
    Settings output = settingsFor(8, 8, ManualText);
    output.outputStyle = OutputGfx;
    output.arrayName = "Sans16";
    std::string samples = MORVEX7_BUILD_FOLDER "\\samples\\";
    ASSERT_EQ(saveSource((samples + "gfx_sans.h").c_str(), frames, output, silent), 1);
    LOGFONTA font = settings.font;
    font.lfWidth = 0;
    font.lfQuality = NONANTIALIASED_QUALITY; // laid out unsmoothed, as the glyphs were drawn
    // the font carries the space it was not given, as wide as the font's own
    std::string picture = drawnPicture(font, " " + text, 1200, 40, {10, 30}, TA_BASELINE);
    writeFile(samples + "gfx_sans.txt", picture);
    // "AB" named LOGO with a comment naming each frame, to be linked beside CODE_MATRIX
    convertText("AB", settings = Settings(), frames, silent);
    output = settingsFor(16, 16, ManualText);
    output.arrayName = "LOGO";
    output.commentFrames = 1;
    for (const char *name : {"named_c51.c", "named_ansi.c"}) {
        ASSERT_EQ(saveSource((samples + name).c_str(), frames, output, silent), 1);
        output.outputStyle = OutputAnsiC;
    }
    std::string named = readFile(samples + "named_ansi.c");
    EXPECT_NE(named.find("LOGO[]=\r\n{\r\n\t/* 'A' 0x41 */\r\n\t0x"), std::string::npos);
    EXPECT_NE(named.find(",\r\n\t/* 'B' 0x42 */\r\n\t0x"), std::string::npos);
}

// A frame of XX. over ..X packed in each dot order, the leftmost (or top) dot in the low bit and
// in the high bit, worked by hand: every byte whole, unused bits zero.
TEST(DotOrders, EveryOrderByHand) {
    FrameSet frames = framesOf(3, 2, 1, {0x03, 0x04});
    Settings settings = settingsFor(3, 2);
    using Bytes = std::vector<unsigned char>;
    const Bytes goldens[9][2] = {{{0x03, 0x04}, {0xc0, 0x20}},
                                 {{0x04, 0x03}, {0x20, 0xc0}},
                                 {{0x06, 0x01}, {0x60, 0x80}},
                                 {{0x01, 0x06}, {0x80, 0x60}},
                                 {{0x01, 0x01, 0x02}, {0x80, 0x80, 0x40}},
                                 {{0x02, 0x01, 0x01}, {0x40, 0x80, 0x80}},
                                 {{0x02, 0x02, 0x01}, {0x40, 0x40, 0x80}},
                                 {{0x01, 0x02, 0x02}, {0x80, 0x40, 0x40}},
                                 {{0x01, 0x01, 0x02}, {0x80, 0x80, 0x40}}};
    std::vector<unsigned char> record;
    for (int order = 0; order <= 8; ++order)
        for (int align : {0, 1}) {
            settings.codingStyle = order, settings.alignStyle = align;
            ASSERT_TRUE(packFrame(frames, 0, settings, record));
            EXPECT_EQ(Bytes(record.begin() + 2, record.end()), goldens[order][align])
                << order << " " << align;
        }
}

// The bound on all frames together never wraps, not even on the 32-bit build.
TEST(FrameStore, AllFramesTogetherAreBounded) {
    size_t bytes = 0;
    EXPECT_TRUE(frameStoreBytes(1024, 1024, 10241, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(1, 16777216, 256, 1, bytes));
    EXPECT_FALSE(frameStoreBytes(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1, bytes));
}

// With no display: a missing input, a bad size, a face that is not installed (the run goes on)
// or too long to name one, and help: the exit status and one line.
TEST(ConsoleProgram, FailuresAreOneLine) {
    std::string missing = testDataPath("missing.txt"), errors, output;
    std::string folder = testDataPath("folder"), locked = testDataPath("locked.c");
    std::string halfPair = testDataPath("half_pair.txt"), longPath(300, 'p');
    CreateDirectoryA(folder.c_str(), nullptr);
    writeFile(locked, "kept");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    writeFile(halfPair, std::string("\xFF\xFE"
                                    "a\0\x3D\xD8"
                                    "b\0",
                                    8));
    const std::tuple<std::string, int, std::string> cases[] = {
        {"--text-file " + missing, 1,
         "morvex7c: Can't read " + missing + "! It does not exist.\r\n"},
        {"--text-file con", 1, "morvex7c: Can't read con! It is not a file.\r\n"},
        {"--text-file " + halfPair, 1,
         "morvex7c: Can't read " + halfPair +
             "! It holds half of a UTF-16 pair, U+D83D, alone at character 2.\r\n"},
        {"--text A -o " + folder, 1, "morvex7c: Can't write " + folder + "! It is a folder.\r\n"},
        {"--text A -o " + locked, 1, "morvex7c: Can't write " + locked + "! It is read-only.\r\n"},
        {"--text A -o " + longPath, 1, "morvex7c: Sorry,the path of your file is too long!\r\n"},
        {"--text A --style gfx --fit font --font-size 256 -o x.h", 1,
         "morvex7c: Can't write x.h! Its line height is over 255 pixels.\r\n"},
        {"--bitmap " + pictureFile("drawing.bmp") + " --coding 1 --style gfx -o x.h", 1,
         "morvex7c: Can't write x.h! Its gray or colour pixels can't be written as an Adafruit GFX "
         "font.\r\n"},
        {"--text A --name R0 --style asm", 2,
         "morvex7c: --name R0: The array name is a word of the 8051 assembler"},
        {"--text A --size 0x5", 2,
         "morvex7c: --size 0x5: a size is WxH, each side 1 to 1024 (16x16) (see morvex7c --help)"},
        {"--text A --size 16*16", 2, "morvex7c: --size 16*16: a size is WxH, each side 1 to 1024"},
        {"--text A --font DejaVu_Sanz", 1,
         "morvex7c: DejaVu_Sanz is not installed; DejaVu Sans, DejaVu Serif, DejaVu Sans Mono "
         "are\r\n"},
        {"--text A --font " + std::string(32, 'F'), 2,
         "morvex7c: --font FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF: a face name has at most 31 "
         "characters"},
        {"--frobnicate 1 --text A", 2, "morvex7c: --frobnicate is no option of morvex7c (see"},
        {"--stlye c --text A", 2,
         "morvex7c: --stlye is no option of morvex7c; did you mean --style?"},
        {"--bitmap logo.png --text A", 2,
         "morvex7c: --text A: one input only, and --bitmap logo.png is given already"},
        {"--text A --style LVGL --dither FS", 2,
         "morvex7c: --dither FS: the choices are system, threshold, floyd-steinberg, atkinson, "
         "ordered"},
        {"--range \"\"", 2, "morvex7c: --range : The list is empty."},
        {"--bitmap " + pictureFile("drawing.png") + " --quiet", 0,
         "morvex7c: Most dots are lit: for dark ink on a light picture use --dither threshold "
         "--dark-dots\r\n"},
        // an option that does nothing for the style, input or glyph size chosen, or contradicts
        {"--text A --compress", 2,
         "morvex7c: --compress does nothing with the default --style c51: it is for --style lvgl"},
        {"--text A --font-size 20", 2,
         "morvex7c: --font-size 20 does nothing at the default --fit stretch (glyphs stretched "
         "to the matrix): add --fit font, or give --em-size 20"},
        {"--text A --em-size 20 --fit stretch", 2,
         "morvex7c: --em-size 20 and --fit stretch contradict each other: --em-size draws the "
         "glyphs at the font's em size (leave --fit out, or give --fit em --font-size 20)"},
        {"--bitmap a.png --font Arial", 2,
         "morvex7c: --font Arial does nothing with --bitmap: it is for a text (--text, "
         "--text-file or --range)"},
        {"--bitmap a.png --threshold 90", 2,
         "morvex7c: --threshold 90 does nothing with the default --dither system (a pixel not "
         "black is a dot): add --dither threshold, or a dithering"},
        {"--text A -o " + folder + "\\missing\\out.c", 1,
         "morvex7c: Can't open " + folder + "\\missing\\out.c! Its folder does not exist.\r\n"},
        {"--text AB --style lvgl -o " + testDataPath("font.c"), 0,
         "morvex7c: wrote 2 glyphs, line height 16 pixels, "},
        {"--help", 0, ""}};
    for (const auto &c : cases) {
        std::string arguments = std::get<0>(c);
        if (arguments.find(" -o ") == std::string::npos) arguments += " -o out.c";
        EXPECT_EQ(runConsole(arguments, &errors, &output), std::get<1>(c)) << arguments;
        EXPECT_EQ(errors.substr(0, std::get<2>(c).size()), std::get<2>(c));
        EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
    EXPECT_EQ(output.rfind("usage: morvex7c", 0), 0u);
    EXPECT_EQ(runConsole("--text A --size 12X10 --quiet -o out.c", &errors), 0);
    EXPECT_EQ(errors, ""); // success is silent when asked
    EXPECT_EQ(runConsole("--version", &errors, &output), 0);
    EXPECT_EQ(output.rfind("morvex7c, the console program of ", 0), 0u);
    // standard output that takes no byte fails the run, and --help too
    EXPECT_EQ(runConsole("--text A -o -", &errors, nullptr, false), 1);
    EXPECT_EQ(errors, "morvex7c: Can't write -!\r\n");
    EXPECT_EQ(runConsole("--help", &errors, nullptr, false), 1);
    EXPECT_EQ(errors, "morvex7c: Can't write the usage to standard output!\r\n");
    EXPECT_EQ(readFile(locked), "kept");
}

// A range list: code points in the order given, each once; each refusal with its reason.
TEST(CharacterRange, ListsReadAndRefused) {
    std::vector<unsigned> codePoints;
    EXPECT_EQ(parseCharacterRange("0x41-0x43, U+0410 ,1040,0x61", codePoints), "");
    EXPECT_EQ(codePoints, (std::vector<unsigned>{0x41, 0x42, 0x43, 0x410, 0x61}));
    const std::pair<const char *, const char *> refused[] = {
        {"0x43-0x41", "\"0x43-0x41\" is a range from a higher to a lower code point."},
        {"0x110000", "\"0x110000\" goes beyond U+10FFFF."},
        {"0xD7FF-0xD800", "\"0xD7FF-0xD800\" holds a surrogate."},
        {"0x41,A", "\"A\" is no code point nor FIRST-LAST range."},
        {" ", "The list is empty."},
        {"0x10000-0x1FFFF,0x20", "The list holds more than 65536 characters."}};
    for (const auto &[list, reason] : refused)
        EXPECT_EQ(parseCharacterRange(list, codePoints), reason) << list;
    EXPECT_EQ(codePoints.size(), 5u); // kept as it was
}

// A BDF font: each glyph's bitmap at its box's offsets from the origin (column 0, the baseline
// the ascent below the top), never scaled; its box and advance in a GFX font; ENCODING -1 left
// out; a bad file refused naming the line, the frames kept.
TEST(FontFiles, BdfGlyphsAsTheFontPlacesThem) {
    const std::string glyphs = "STARTCHAR A\nENCODING 65\nDWIDTH 4 0\nBBX 3 3 0 0\nBITMAP\n"
                               "40\nA0\nE0\nENDCHAR\nSTARTCHAR g\nENCODING 103\nDWIDTH 4 0\n"
                               "BBX 2 4 1 -2\nBITMAP\nC0\n40\n40\nC0\nENDCHAR\nSTARTCHAR W\n"
                               "ENCODING 87\nDWIDTH 9 0\nBBX 5 1 -1 3\nBITMAP\nF8\nENDCHAR\n"
                               "STARTCHAR none\nENCODING -1\nDWIDTH 1 0\nBBX 1 1 0 0\nBITMAP\n80\n"
                               "ENDCHAR\n";
    const std::string font = "STARTFONT 2.1\nSTARTPROPERTIES 2\nFONT_ASCENT 4\nFONT_DESCENT 2\n"
                             "ENDPROPERTIES\nCHARS 4\n" +
                             glyphs + "ENDFONT\n";
    std::string path = testDataPath("tiny.bdf");
    writeFile(path, font);
    Settings settings = settingsFor(5, 6, ManualText);
    settings.fontFile = path;
    FrameSet frames;
    Recorder report;
    ASSERT_EQ(convertText("AgW", settings, frames, report), FramesMade::made) << report.last();
    EXPECT_EQ(framePicture(frames, 0), ".....\n.#...\n#.#..\n###..\n.....\n.....\n");
    EXPECT_EQ(framePicture(frames, 1), ".....\n.....\n.##..\n..#..\n..#..\n.##..\n");
    EXPECT_EQ(framePicture(frames, 2), "####.\n.....\n.....\n.....\n.....\n.....\n");
    settings.outputStyle = OutputGfx; // W's left column lies left of the matrix: kept for the font
    std::string gfx = written(frames, settings);
    for (const char *line :
         {"{0, 3, 3, 4, 0, -3}, /* 'A' 0x41 */", "{3, 5, 1, 9, -1, -4}, /* 'W'",
          "{2, 2, 4, 4, 1, -2} /* 'g' 0x67 */", "{4, 0, 0, 2, 0, 0}, /* 0x42 not converted */"})
        EXPECT_NE(gfx.find(line), std::string::npos) << line;
    auto changed = [&font](const std::string &from, const std::string &to) {
        return std::string(font).replace(font.find(from), from.size(), to);
    };
    // a wrong count of glyphs is told, and they are all read
    writeFile(path, changed("CHARS 4", "CHARS 5"));
    ASSERT_EQ(convertText("AgW", settings, frames, report), FramesMade::made);
    EXPECT_NE(std::find(report.told.begin(), report.told.end(),
                        "CHARS says 5, the file holds 4 glyphs: all are read."),
              report.told.end());
    const std::pair<std::string, std::string> bad[] = {
        {"FONT x\n" + font, "line 1: no STARTFONT"},
        {std::string(font).replace(font.find("40\nA0\nE0\n"), 9, "40\nA0\n"),
         "line 14: BITMAP has 2 rows, BBX says 3"},
        {std::string(font).replace(font.find("A0"), 2, "AG"), "line 13: a bad hex digit"},
        {std::string(font).replace(font.find("BBX 3 3"), 7, "BBX 3 2000"),
         "line 10: BBX larger than 1024 or below 0"},
        {std::string(font).replace(font.find("ENCODING 65"), 11, "ENCODING 1114112"),
         "line 8: ENCODING above 0x10FFFF"},
        {std::string(font).replace(font.find("ENDCHAR\n"), 8, ""),
         "line 15: no ENDCHAR for the STARTCHAR of line 7"},
        {std::string(font).replace(font.find("BBX 3 3 0 0"), 11, "BBX 3 3"),
         "line 10: BBX is cut short"},
        {font.substr(0, font.size() - 8), "line 39: the file ends before ENDFONT"},
        {changed("BITMAP\n40\nA0\nE0\n", ""), "line 11: ENDCHAR before BITMAP"},
        {changed("FONT_ASCENT 4", "FONT_ASCENT 2147483647"),
         "line 3: FONT_ASCENT 2147483647 is out of range (-1024 to 1024)"},
        {changed("BBX 3 3 0 0", "BBX 3 3 -2147483648 0"),
         "line 10: BBX -2147483648 is out of range (-1024 to 1024)"},
        {changed("FONT_ASCENT 4\nFONT_DESCENT 2", "FONT_ASCENT 8\nFONT_DESCENT -20"),
         "line 40: FONT_ASCENT 8 and FONT_DESCENT -20 make a line height of -12: it must be 1 to "
         "1024"},
        {changed("40\nA0", "40zz\nA0"), "line 12: a bad hex digit"},
        {changed("40\nA0", "4000\nA0"),
         "line 12: a BITMAP row has more hex digits than BBX's width needs (2)"},
        {changed("DWIDTH 4 0", "DWIDTH 99999999999 0"),
         "line 9: DWIDTH 99999999999 is out of range (-1024 to 1024)"},
        {changed("BBX 3 3 0 0", "BBX 3 3 0 0 0"), "line 10: BBX has 5 numbers, not 4"},
        {changed("ENCODING 65\n", "ENCODING 65\nENCODING 66\n"),
         "line 9: ENCODING twice in the glyph of line 7"},
        {changed("40\nA0\nE0\n", "40\nBITMAP\n"), "line 13: BITMAP twice in the glyph of line 7"},
        {changed("ENCODING 103", "ENCODING 65"),
         "line 16: ENCODING 65 again (its first glyph at line 7)"},
        {changed("ENCODING 65", "ENCODING -2"), "line 8: ENCODING below -1"},
        {changed("ENCODING 65", "ENCODING 55296"),
         "line 8: ENCODING is a surrogate (U+D800 to U+DFFF), no character"},
        {changed("ENCODING 65\n", ""), "line 14: ENDCHAR of a glyph without ENCODING"},
        {changed("STARTCHAR g", "startchar g"),
         "line 16: startchar: BDF's keywords are upper case (STARTCHAR)"},
        {changed("STARTCHAR W", std::string("STARTCHAR \0W", 12)),
         "line 26: a zero byte in the line"},
        {changed("ENDPROPERTIES\n", "ENDPROPERTIES\nENDCHAR\n"),
         "line 6: ENDCHAR outside a glyph (no STARTCHAR)"}};
    for (const auto &[text, reason] : bad) {
        writeFile(path, text);
        EXPECT_EQ(convertText("A", settings, frames, report), FramesMade::refused) << reason;
        EXPECT_EQ(report.last(), "Can't read " + path + "!\n" + reason);
        EXPECT_EQ(frames.names, (Strings{"A", "g", "W"}));
    }
}

// A TrueType file that is not installed draws its own glyphs, as the font draws them on a large
// canvas, loaded for the conversion only: no copy among the system's fonts; any other file is
// no font.
TEST(FontFiles, TrueTypeFileNotInstalled) {
    std::string file = MORVEX7_BUILD_FOLDER "\\fonts\\FreeSerif.ttf";
    Settings settings = fontSettings("no such face");
    settings.fontFile = file;
    FrameSet frames;
    Recorder report;
    ASSERT_EQ(convertText("AgW", settings, frames, report), FramesMade::made) << report.last();
    EXPECT_STREQ(settings.font.lfFaceName, "FreeSerif");
    ASSERT_TRUE(AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr));
    LOGFONTA font = settings.font;
    font.lfHeight = 16, font.lfWidth = 0;
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(framePicture(frames, n), drawnPicture(font, std::string(1, "AgW"[n]), 16, 16));
    RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
    char fonts[MAX_PATH];
    GetWindowsDirectoryA(fonts, sizeof fonts);
    EXPECT_EQ(GetFileAttributesA((std::string(fonts) + "\\Fonts\\FreeSerif.ttf").c_str()),
              INVALID_FILE_ATTRIBUTES);
    writeFile(testDataPath("not_a_font.ttf"), "just text");
    settings.fontFile = testDataPath("not_a_font.ttf");
    EXPECT_EQ(convertText("A", settings, frames, report), FramesMade::refused);
    EXPECT_EQ(report.last(), "Can't read " + settings.fontFile + "!\nIt can't be read as a font.");

    // a table directory the system's loader would hang on, or lacking a table, is refused
    const std::string serif = readFile(file);
    auto withRecord = [&serif](const char *tag, size_t at, const std::string &bytes) {
        std::string changed = serif;
        for (size_t record = 12; record < 12 + 16 * 32; record += 16)
            if (changed.compare(record, 4, tag) == 0) changed.replace(record + at, 4, bytes);
        return changed;
    };
    auto collection = [&serif](unsigned fonts, unsigned offset) {
        std::string header = "ttcf";
        for (unsigned number : {0x00010000u, fonts, offset})
            for (int shift = 24; shift >= 0; shift -= 8)
                header += static_cast<char>(number >> shift & 0xFF);
        return header + serif;
    };
    const std::pair<std::string, std::string> hostile[] = {
        {withRecord("head", 8, "\xFF\xFF\xFF\xF0"),
         "Its table directory points beyond the file (the head table at offset 0xFFFFFFF0)."},
        {withRecord("hmtx", 0, "hmtX"), "It lacks the hmtx table a font needs."},
        {collection(1, 0xFFFFFF00), "A font of the collection lies beyond the file."},
        {collection(300, 16), "It is a collection of 300 fonts, more than the 256 read."}};
    settings.fontFile = testDataPath("hostile.ttf");
    for (const auto &[bytes, reason] : hostile) {
        writeFile(settings.fontFile, bytes);
        EXPECT_EQ(convertText("A", settings, frames, report), FramesMade::refused) << reason;
        EXPECT_EQ(report.last(), "Can't read " + settings.fontFile + "!\n" + reason);
    }
}

// Each transform on an L of 3 x 2 dots (#.. over ##.), by hand: flips, quarter turns with the
// size swapped, shifts wrapping around; a gray picture's values move as dots do; one frame of a
// matrix that is not square is not turned.
TEST(Transforms, GoldensOnAnAsymmetricFrame) {
    const std::pair<std::function<void(FrameSet &)>, const char *> cases[] = {
        {[](FrameSet &f) { flipFrames(f, Flip::horizontal); }, "..#\n.##\n"},
        {[](FrameSet &f) { flipFrames(f, Flip::vertical); }, "##.\n#..\n"},
        {[](FrameSet &f) { rotateFrames(f, 1); }, "##\n#.\n..\n"},
        {[](FrameSet &f) { rotateFrames(f, 3); }, "..\n.#\n##\n"},
        {[](FrameSet &f) { rotateFrames(f, 2); }, ".##\n..#\n"},
        {[](FrameSet &f) { shiftFrames(f, 1, 0); }, ".#.\n.##\n"},
        {[](FrameSet &f) { shiftFrames(f, -1, 1); }, "#.#\n..#\n"}};
    for (const auto &[transform, expected] : cases) {
        FrameSet frames = framesOf(3, 2, 2, {0x01, 0x03, 0x01, 0x03});
        transform(frames);
        EXPECT_EQ(framePicture(frames, 1), expected);
    }
    FrameSet frames = framesOf(3, 2, 2, {0x01, 0x03, 0x01, 0x03});
    shiftFrames(frames, 1, 0, 1); // the second frame alone
    EXPECT_EQ(framePicture(frames, 0) + framePicture(frames, 1), "#..\n##.\n.#.\n.##\n");
    EXPECT_NE(rotateFrames(frames, 1, 0), nullptr);
    FrameSet gray; // values 1 2 in a row, 4-bit gray
    makeFrames(gray, 2, 1, 1, 1);
    storeCodedPixel(gray, 0, 0, 1), storeCodedPixel(gray, 1, 0, 2);
    flipFrames(gray, Flip::horizontal);
    rotateFrames(gray, 1); // a column now: 2 over 1
    ASSERT_EQ(gray.width, 1);
    ASSERT_EQ(gray.height, 2);
    EXPECT_EQ(codedPixel(gray, 0, 0), 2u);
    EXPECT_EQ(codedPixel(gray, 0, 1), 1u);
}

// A u8g2 font's bytes from the string literal of a file we wrote.
static std::string u8g2Bytes(const std::string &file) {
    std::string bytes;
    for (size_t at = file.find("= \"") == std::string::npos ? file.find("=\r\n") : 0;
         (at = file.find('"', at)) != std::string::npos;) {
        size_t end = file.find('"', at + 1);
        while (file[end - 1] == '\\' && file[end - 2] != '\\')
            end = file.find('"', end + 1);
        for (size_t i = at + 1; i < end; ++i)
            if (file[i] == '\\')
                bytes += static_cast<char>(std::stoi(file.substr(i + 1, 3), nullptr, 8)), i += 3;
            else
                bytes += file[i];
        at = end + 1;
    }
    return bytes;
}

// Reads the bit fields of a u8g2 glyph record: each byte from its least significant bit.
struct U8g2Bits {
    const std::string &bytes;
    size_t bit;
    unsigned get(int count) {
        unsigned value = 0;
        for (int i = 0; i < count; ++i, ++bit)
            value |= (static_cast<unsigned char>(bytes.at(bit / 8)) >> (bit % 8) & 1u) << i;
        return value;
    }
    int getSigned(int count) { return static_cast<int>(get(count)) - (1 << (count - 1)); }
};

// The glyph of a code as u8g2's font format finds it (the codes up to 255 from the header's
// offsets, the others through the jump table), drawn: its ink relative to the origin, y down,
// and its advance; "absent" when the font has none. A walk past the font's end stops there.
static std::string u8g2Glyph(const std::string &font, unsigned code, int &advance) try {
    auto byteAt = [&font](size_t at) {
        if (at >= font.size()) throw std::out_of_range("offset " + std::to_string(at));
        return static_cast<unsigned char>(font[at]);
    };
    auto word = [&](size_t at) { return byteAt(at) << 8 | byteAt(at + 1); };
    size_t at = 23, record = 0;
    if (code <= 255) {
        at += code >= 'a' ? word(19) : code >= 'A' ? word(17) : 0;
        for (; byteAt(at + 1) != 0; at += byteAt(at + 1))
            if (byteAt(at) == code) record = at + 2;
    } else {
        size_t table = at + word(21);
        at = table;
        for (unsigned last = 0; last < code; table += 4)
            at += word(table), last = word(table + 2);
        for (; word(at) != 0; at += byteAt(at + 2))
            if (word(at) == static_cast<int>(code)) record = at + 3;
    }
    if (!record) return "absent";
    U8g2Bits bits{font, record * 8};
    int width = bits.get(byteAt(4)), height = bits.get(byteAt(5));
    int x = bits.getSigned(byteAt(6)), y = bits.getSigned(byteAt(7));
    advance = bits.getSigned(byteAt(8));
    int left = static_cast<signed char>(byteAt(11)), bottom = static_cast<signed char>(byteAt(12));
    if (x < left || y < bottom || x + width > left + byteAt(9) || y + height > bottom + byteAt(10))
        return "outside the font's box"; // where setFontPosTop and the clipping put text
    std::string ink;
    for (int dot = 0; width && dot < width * height;) {
        unsigned zeros = bits.get(byteAt(2)), ones = bits.get(byteAt(3));
        do {
            for (unsigned i = 0; i < zeros + ones; ++i, ++dot)
                if (i >= zeros)
                    ink += std::to_string(x + dot % width) + "," +
                           std::to_string(dot / width - height - y) + " ";
        } while (bits.get(1));
    }
    return ink;
} catch (const std::out_of_range &beyond) {
    return std::string("beyond the font's end: ") + beyond.what();
}

// A u8g2 font of the printable ASCII characters and Cyrillic in DejaVu Sans at its own size: each
// glyph, found as u8g2 finds it (Cyrillic through the jump table) within the font's box, has the
// plain frames' dots of
// the same run and their advance; the file compiles alone; what u8g2 can't hold is refused.
TEST(U8g2Font, DecodesToThePlainFramesOfTheSameRun) {
    Settings settings = fontSettings("DejaVu Sans");
    settings.width = settings.height = 32;
    settings.fontPixelHeight = 20; // where the box of every glyph reaches higher than the tallest
    settings.textShiftX = -4;      // room left of the origin: the plain frames hold J's tail too
    Recorder report;
    FrameSet frames = convertedRange("0x20-0x7E,0x410-0x44F", settings, report);
    EXPECT_EQ(report.told, Strings{});
    settings.outputStyle = OutputU8g2;
    settings.arrayName = "dejavu16";
    std::string path = MORVEX7_BUILD_FOLDER "\\samples\\u8g2_dejavu.c";
    ASSERT_EQ(saveSource(path.c_str(), frames, settings, silent), 1);
    std::string font = u8g2Bytes(readFile(path));
    for (int n = 0; n < frames.count; ++n) {
        std::string ink;
        const FrameSet::Glyph &glyph = frames.glyphs[n];
        for (int dot = 0; dot < 32 * 32; ++dot)
            if (dotAt(frames, n, dot % 32, dot / 32))
                ink += std::to_string(dot % 32 - glyph.originX) + "," +
                       std::to_string(dot / 32 - glyph.baseline) + " ";
        int advance = -1;
        unsigned code = codePointOf(wideOf(frames.names[n]));
        EXPECT_EQ(u8g2Glyph(font, code, advance), ink) << code;
        EXPECT_EQ(advance, glyph.advance) << code;
    }
    settings = fontSettings("DejaVu Sans"); // a W of 120 pixels needs a longer record
    settings.fontPixelHeight = 120;
    settings.outputStyle = OutputU8g2;
    convertText("W", settings, frames, silent);
    EXPECT_EQ(u8g2FontProblem(frames, Settings()),
              "The glyph of W takes more than a u8g2 record holds (255 bytes).");
    settings.fontPixelHeight = 207; // an A of over 127 pixels wraps in the header's byte
    convertText("A", settings, frames, silent);
    EXPECT_EQ(u8g2FontProblem(frames, Settings()),
              "Its ascent or descent (of A, g or the parentheses) lies beyond 127 pixels, more "
              "than u8g2's header holds.");
    frames.names[0] = utf8Of(L"\U0001F600");
    frames.unicodeNames = true;
    EXPECT_EQ(u8g2FontProblem(frames, Settings()), "u8g2 takes no character above U+FFFF.");
    EXPECT_EQ(sourceProblem(framesOf(8, 8, 1, {}, {"Custom 1"}), settings),
              "Only text frames become a u8g2 font: these are painted or a picture.");
}
