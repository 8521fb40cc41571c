// Starts the real main window inside the test process and drives it (the headers of what the
// tests drive come with it), and answers its modal
// message boxes and dialogs from the test thread the way Wine's own user32 tests do: a WH_CBT
// hook sees each dialog as it is activated and acts on it.
#pragma once

#include "app/app.h"
#include "app/conversions.h"
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "output/output.h"
#include "res/resource.h"
#include "test_files.h"
#include "view/view.h"

#include <functional>
#include <gtest/gtest.h>

// Pumps until the running conversion worker, if any, has finished and its result is shown.
void waitForWorker();
// Handles the messages waiting, as the program's own loop does.
void dispatchWaiting();
std::string windowText(HWND window);
// Sends a command as a control or menu would (lParam: the control's handle, or 0 for a menu).
void sendCommand(int id, HWND control = nullptr);
// A mouse message at a point inside a cell; the window is made the foreground window, as only
// then does the grid take mouse input (other test programs may run beside this one).
void mouse(UINT message, WPARAM keys, int column, int row);
// Sets the matrix size and reallocates the frames, as a settings change does.
void setMatrixSize(int width, int height);
std::string clipboardText();

// A fresh main window for each test, no stored settings, dialogs answered and recorded.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

struct ModalRecord {
    std::string caption;
    std::string text; // the message of a message box
};

// Starts a new log of dialogs.
void startAnsweringModals();
void stopAnsweringModals();
// The next dialog shown, or activated again unless newDialogOnly, is recorded and handed to
// act. A dialog nobody expected is recorded with "unexpected: " before its caption and
// dismissed.
void expectModal(std::function<void(HWND)> act, bool newDialogOnly = false);
// A message box answered with the given button id.
void answerMessageBox(int button);
// The next file chooser: path typed into its name box, then confirmed.
void answerFileChooser(const std::string &path);
const std::vector<ModalRecord> &modalLog();
void clickButton(HWND dialog, int id);
