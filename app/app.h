// Application shell: start-up, main window, command dispatcher, control state and menus.
#pragma once

#include <windows.h>

extern const char mainWindowTitle[];
extern const char mainWindowClassName[];

int runApplication(HINSTANCE instance);
// Handles the window's messages until no conversion runs and the mode buttons are enabled
// again, then what is still waiting: for the programs that drive the window themselves.
void pumpUntilIdle();
bool registerMainWindowClass(HINSTANCE instance);
bool createMainWindow(HINSTANCE instance);
void initEditorState(HWND window);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool onClose();
void CALLBACK updateClock(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Ctrl+O, Ctrl+S and Ctrl+C of the menu: true when the message was one of them and was sent.
bool translateShortcut(MSG &message);
// With the keyboard focus in the text box and text selected there, copies that text as the
// box itself would; true when it did.
bool copiedFromTextBox();

// Writes a text into one part of the status bar.
void setStatusText(int part, const char *text);

int onCommand(HWND window, WPARAM wParam, LPARAM lParam);
bool chooseOpenFile(HWND owner, char *path, const char *filter);
bool chooseSaveFile(HWND owner, char *path, const char *filter);
// Sends a command to the main window as the program itself (lParam 0).
void sendOwnCommand(HWND window, int id);
// Sends the ManualText mode command with inputMode 0 for its duration, so it runs again.
void rerunManualText(HWND window);

void refreshControls();
int onInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam);
int onMenuSelect(HWND window, WPARAM wParam, LPARAM lParam);
const char *menuHelpText(int id);

// Posted by the bitmap importer when a file could not be imported; lParam is the worker's
// block of two paths (the file, then the stored path before it), released by the handler.
#define WM_APP_IMPORT_FAILED (WM_APP + 1)
// Sent by the text rasterizer when its frames are drawn: wParam the text's length, lParam the
// text; the handler lists the characters.
#define WM_APP_LIST_TEXT (WM_APP + 2)
