// Application shell: start-up, main window, command dispatcher, control state and menus.
#pragma once

#include <windows.h>

#include <shellapi.h>

extern const char mainWindowClassName[];
// The bitmap button's caption while no picture is chosen.
extern const char openCaption[];

int runApplication(HINSTANCE instance);
// A message of the loop: the menu's shortcuts, then translated and dispatched as Unicode.
void dispatchMessage(MSG &message);
bool registerMainWindowClass(HINSTANCE instance);
bool createMainWindow(HINSTANCE instance);
void initEditorState(HWND window);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Refuses to close while a worker runs, or when the user keeps changed frames.
bool onClose();
// Asks before changed frames are lost; true when the user agrees.
bool mayLoseChanges(HWND window);
void CALLBACK updateClock(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Ctrl+O, Ctrl+S and Ctrl+C of the menu: true when the message was one of them and was sent.
bool translateShortcut(MSG &message);
// With the keyboard focus in the text box and text selected there, copies that text as the
// box itself would; true when it did.
bool copiedFromTextBox();

int onCommand(HWND window, WPARAM wParam, LPARAM lParam);
bool chooseOpenFile(HWND owner, char *path, const char *filter);
bool chooseSaveFile(HWND owner, char *path, const char *filter, const char *extension);
// Switches the input mode; ask: the user switched, and is asked before changed frames are lost.
void switchMode(HWND window, int mode, bool ask);
// A file dropped on the window: imported, read or loaded by its kind; several or an unknown kind
// are told.
void onDropFiles(HWND window, HDROP drop);
// The text box's text converted into the frames.
void convertTextBox(HWND window);
// The settings a written source records, from the settings in force.
struct Settings outputSettings();
// Saves the frames as source to path with the settings in force; failures are told.
int saveFrames(HWND window, const char *path);

void refreshControls();

extern const char clipboardTempFile[];
// Copies the source to the clipboard through the temporary file; tells the result.
int copyToClipboard(HWND window);
int onInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam);
int onMenuSelect(HWND window, WPARAM wParam, LPARAM lParam);
const char *menuHelpText(int id);
