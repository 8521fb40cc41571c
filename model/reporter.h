// How the core tells the user and shows its progress: the window program in message boxes and
// the status bar, the console program as lines on standard error, the tests by recording.
#pragma once

#include <windows.h>

#include <string>

class Reporter {
  public:
    virtual ~Reporter() = default;
    // A message as a box without caption would show it; type holds its MB_ICON... icon.
    virtual void tell(const std::string &text, UINT type) = 0;
    // "Format progress:%d%%" as a conversion goes on; only when the percentage changes.
    virtual void progress(int percent) { (void)percent; }
    // A remark on a result that is no failure: the status bar, or a line on standard error.
    virtual void remark(const std::string &text) { (void)text; }
    // The user asked the conversion to stop: it ends at once, its frames not made.
    virtual bool cancelled() { return false; }
};

// Tells nothing: for callers that only want the result.
class SilentReporter : public Reporter {
  public:
    void tell(const std::string &, UINT) override {}
};
