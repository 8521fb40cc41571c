// What the window program tells the user: message boxes, and progress in the status bar.
#pragma once

#include "model/reporter.h"

#include <windows.h>

// The main window's title: the caption of the boxes that tell a result, and the About box's.
extern const char mainWindowTitle[];

// MessageBox's arguments (the texts in UTF-8, as the core tells) and result.
int tellUser(HWND owner, const char *text, const char *caption, UINT type);

// The core's messages as boxes owned by a window, without caption; its progress in the status
// bar, written only when its text changes.
class WindowReporter : public Reporter {
  public:
    explicit WindowReporter(HWND owner) : owner(owner) {}
    void tell(const std::string &text, UINT type) override;
    void progress(int percent) override;
    void remark(const std::string &text) override;

  private:
    HWND owner;
    int lastPercent = -1;
};

// Writes a text into one part of the status bar.
void setStatusText(int part, const char *text);
// The status bar's progress text.
void showProgress(int percent);
