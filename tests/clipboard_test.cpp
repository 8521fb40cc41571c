#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "output/output.h"
#include "res/resource.h"

#include <cstring>

class ClipboardTest : public AppTest {
  protected:
    std::string folder;
    void SetUp() override {
        AppTest::SetUp();
        folder = testDataPath("clip");
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        sendCommand(ManualPaint);
        setDot(3, 2);
        editor.modified = 1;
    }
    std::string savedText() {
        std::string path = folder + "\\expected.src";
        saveSource(path.c_str());
        return readFile(path);
    }
};

static std::string clipboardText(UINT format) {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    if (HANDLE data = GetClipboardData(format)) {
        if (format == CF_UNICODETEXT) {
            const wchar_t *wide = static_cast<const wchar_t *>(GlobalLock(data));
            for (; *wide; ++wide)
                text += static_cast<char>(*wide);
        } else {
            text = static_cast<const char *>(GlobalLock(data));
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

static bool tempFileExists() {
    return GetFileAttributesA(clipboardTempFile) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(ClipboardTest, CopyPutsExactlyTheSavedTextAndRemovesTheTemporaryFile) {
    writeFile(clipboardTempFile, "stale file from before");
    // text another program left in a richer format must not survive the export
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE, 32);
    wcscpy(static_cast<wchar_t *>(GlobalLock(wide)), L"stale");
    GlobalUnlock(wide);
    SetClipboardData(CF_UNICODETEXT, wide);
    CloseClipboard();

    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    std::string expected = savedText();
    EXPECT_EQ(clipboardText(CF_TEXT), expected);
    EXPECT_EQ(clipboardText(CF_UNICODETEXT), expected);
    EXPECT_FALSE(tempFileExists());
    EXPECT_EQ(editor.modified, 1);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Copy DOT Matrix to clipboard Successed!");
    EXPECT_EQ(modalLog()[0].caption, "Tarvell VELDRIN Author BETA V1.0");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONINFORMATION);

    editor.outputStyle = OutputAsm;
    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    EXPECT_EQ(clipboardText(CF_TEXT), savedText());
    EXPECT_NE(clipboardText(CF_TEXT).find("CODE_MATRIX:\r\n\tdb "), std::string::npos);
}

static DWORD WINAPI holdClipboard(LPVOID events) {
    HANDLE *pair = static_cast<HANDLE *>(events);
    OpenClipboard(nullptr);
    SetEvent(pair[0]);
    WaitForSingleObject(pair[1], 30000);
    CloseClipboard();
    return 0;
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherThreadFailsAndKeepsTheFile) {
    HANDLE events[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                        CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE holder = CreateThread(nullptr, 0, holdClipboard, events, 0, nullptr);
    WaitForSingleObject(events[0], 10000);
    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    SetEvent(events[1]);
    WaitForSingleObject(holder, 10000);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, "Copy DOT Matrix to clipboard Failed!");
    EXPECT_EQ(modalLog()[0].caption, "Tarvell VELDRIN Author BETA V1.0");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONERROR);
    EXPECT_TRUE(tempFileExists());
    EXPECT_EQ(readFile(clipboardTempFile), savedText());
    for (HANDLE handle : {events[0], events[1], holder})
        CloseHandle(handle);
}

// The temporary file on a full disk (a link to the host's /dev/full made by the build): the
// write failure is told and the clipboard keeps what it had, never a cut text.
TEST_F(ClipboardTest, FailedSaveLeavesTheClipboardAlone) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    strcpy(static_cast<char *>(GlobalLock(block)), "before");
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    SetCurrentDirectoryA(MORVEX7_FULL_DISK_FOLDER);
    answerMessageBox(IDOK);
    answerMessageBox(IDOK);
    sendCommand(IDM_COPY_CLIPBOARD);
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(modalLog()[0].text, "Can't write ~~$$~~.tmp!\nThe file is not complete.");
    EXPECT_EQ(modalLog()[1].text, "Copy DOT Matrix to clipboard Failed!");
    EXPECT_EQ(clipboardText(CF_TEXT), "before");
}
