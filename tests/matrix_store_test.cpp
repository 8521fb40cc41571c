#include "app_fixture.h"
#include "model/matrix_store.h"

class MatrixStoreTest : public AppTest {};

TEST_F(MatrixStoreTest, TwelveByTwelveLayoutWithPaddingAndInversion) {
    setMatrixSize(12, 12);
    EXPECT_EQ(currentFrameBytes(), 24);
    setDot(8, 0);
    setDot(0, 1);
    EXPECT_EQ(editor.frameBuffer[1], 0x01);
    EXPECT_EQ(editor.frameBuffer[2], 0x01);
    EXPECT_NE(testDot(8, 0), 0);
    clearDot(8, 0);
    EXPECT_EQ(testDot(8, 0), 0);
    clearCurrentFrame();
    EXPECT_EQ(invertCurrentFrame(), 1);
    for (unsigned char byte : frameBytes(0))
        EXPECT_EQ(byte, 0xFF); // padding flipped too
}

TEST_F(MatrixStoreTest, WidthOneAndLargestFrame) {
    setMatrixSize(1, 5);
    EXPECT_EQ(currentFrameBytes(), 5);
    setDot(0, 3);
    EXPECT_EQ(editor.frameBuffer[3], 0x01);
    setMatrixSize(1024, 1024);
    EXPECT_EQ(currentFrameBytes(), 131072);
    setDot(1023, 1023);
    EXPECT_EQ(editor.frameBuffer[131071], 0x80);
}

TEST_F(MatrixStoreTest, AppendCustomFrameKeepsEarlierFrames) {
    setMatrixSize(16, 12);
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);
    editor.frameCount = 1;
    ASSERT_TRUE(appendCustomFrame(editor.mainWindow));
    setDot(3, 4);
    std::vector<unsigned char> first = frameBytes(0);
    editor.frameCount = 2;
    ASSERT_TRUE(appendCustomFrame(editor.mainWindow));
    EXPECT_EQ(editor.currentFrame, 1);
    EXPECT_EQ(frameBytes(0), first);
    for (unsigned char byte : frameBytes(1))
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(comboEntries(editor.frameComboBox),
              (std::vector<std::string>{"Custom 1", "Custom 2"}));
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(MatrixStoreTest, BitmapFrameSizeFollowsBitmapStyle) {
    const int factors[4] = {1, 4, 8, 16};
    for (int style = 0; style < 4; ++style) {
        editor.bitmapStyle = style;
        ASSERT_TRUE(allocateBitmapFrame(12, 12));
        EXPECT_EQ(editor.matrixWidth, 12);
        EXPECT_EQ(_msize(editor.frameBuffer), static_cast<size_t>(24 * factors[style]));
    }
}

TEST_F(MatrixStoreTest, WholeFrameOperationsWithAndWithoutBuffer) {
    editor.frameCount = 3;
    allocateFrames(editor.mainWindow);
    invertAllFrames();
    for (int i = 0; i < 96; ++i)
        ASSERT_EQ(editor.frameBuffer[i], 0xFF);
    EXPECT_EQ(clearAllFrames(), 1);
    for (int i = 0; i < 96; ++i)
        ASSERT_EQ(editor.frameBuffer[i], 0);
    editor.currentFrame = 2;
    setDot(0, 0);
    EXPECT_EQ(editor.frameBuffer[64], 0x01);

    releaseFrames();
    EXPECT_EQ(invertAllFrames(), 0);
    EXPECT_EQ(clearAllFrames(), 0);
    EXPECT_EQ(invertCurrentFrame(), 0);
    EXPECT_EQ(clearCurrentFrame(), 0);
    setDot(1, 1);
    EXPECT_EQ(testDot(1, 1), 0);
}
