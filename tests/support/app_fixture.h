// Starts the real main window inside the test process and drives it.
#pragma once

#include "modal_answerer.h"
#include "model/editor_state.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// Pumps until the running conversion worker, if any, has finished.
void waitForWorker();
std::string windowText(HWND window);
std::vector<std::string> comboEntries();
// Sends a command as a control or menu would (lParam: the control's handle, or 0 for a menu).
void sendCommand(int id, HWND control = nullptr);
// A mouse message at a point inside a cell; the window is made the foreground window, as only
// then does the grid take mouse input (other test programs may run beside this one).
void mouse(UINT message, WPARAM keys, int column, int row);
// Sets the matrix size and reallocates the frames, as a settings change does.
void setMatrixSize(int width, int height);
std::string testDataPath(const std::string &name);
std::vector<unsigned char> frameBytes(int frame);
void writeFile(const std::string &path, const std::string &bytes);
std::string readFile(const std::string &path);

// A fresh main window for each test, no stored settings, dialogs answered and recorded.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};
