// The window's side of the conversions: each runs the core on a worker thread, whose end
// reaches the window's thread as one message carrying the result; that thread shows it,
// refreshes the controls and only then clears busy.
#pragma once

#include "convert/picture_import.h"
#include "convert/text_conversion.h"
#include "model/frame_set.h"
#include "model/reporter.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Posted by a conversion worker as its last act; lParam is its WorkerResult, released by the
// handler. Posted by a worker for its progress; wParam the percentage.
#define WM_APP_WORKER_DONE (WM_APP + 1)
#define WM_APP_PROGRESS (WM_APP + 2)

struct WorkerResult {
    FramesMade made = FramesMade::refused;
    FrameSet frames;
    std::vector<std::pair<std::string, UINT>> messages; // told on the window's thread
    std::string remark;                                 // shown in the status bar at the end
    Settings settings;      // the conversion's settings, taken when it starts; the font record
                            // sized as the glyphs were drawn
    HWND window = nullptr;  // where an import's progress and result go
    bool picture = false;   // an import, whose failure puts the stored path back
    bool cancelled = false; // the user stopped it: the frames in hand come back
    std::string path, previousPath;
};

// A worker's reporter: progress posted to the window, messages kept for the result.
class WorkerReporter : public Reporter {
  public:
    WorkerReporter(HWND window, WorkerResult &result) : window(window), result(result) {}
    void tell(const std::string &text, UINT type) override;
    void progress(int percent) override;
    void remark(const std::string &text) override { result.remark = text; }
    bool cancelled() override;

  private:
    HWND window;
    WorkerResult &result;
    int lastPercent = -1;
};

// Starts a worker suspended with a small stack, publishes it as busy, puts it below the window
// that shows its progress and resumes it.
HANDLE startWorker(LPTHREAD_START_ROUTINE routine, LPVOID argument);
// The worker's last act; the result now belongs to the window's thread.
void postWorkerResult(HWND window, WorkerResult *result);
// On the window's thread: takes the frames, tells the messages, refreshes the window, ends busy.
void onWorkerDone(HWND window, WorkerResult *result);
// Asks the running worker to stop (Esc, Edit > Cancel the Conversion); nothing when none runs.
void cancelWorker();
// Disables or enables the four input-mode radio buttons.
void enableModeRadios(BOOL enable);

// Converts text into the frames on a worker; an empty text gives one blank frame at once. The
// settings record the range list the text comes from (none: a text). Returns 1 when a worker
// started.
int startTextConversion(HWND window, const Text &text, const std::string &range = "");
// Imports a picture on a worker; the stored path comes back when it fails.
int startBitmapImport(HWND window, const char *path);

// What the text worker gets.
struct TextJob {
    HWND window;
    Text text;
    Settings settings;
};

// Reads a text file and converts it in Text File mode; 1 when the conversion started.
int loadTextFile(HWND window, const char *path);
// Converts the ASCII table in Manual Text mode.
int mapAllAscii(HWND window);
// Converts the characters of a range list in Manual Text mode; false (told) for a bad list.
int mapCharacterRange(HWND window, const std::string &list);
// Reads a source file this program wrote back as Manual Paint frames; on bad input the user is
// told why and nothing changes. Returns 1 when loaded.
int loadSourceFile(HWND window, const char *path);
