// Answers modal message boxes and dialogs from the test thread, the way Wine's own user32
// tests do: a WH_CBT hook sees each dialog as it is activated and acts on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ModalRecord {
    std::string caption;
    std::string text; // the message of a message box
    int icon = 0;     // MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONWARNING or 0
};

// A step acts on an activated dialog whose caption matches; it returns nothing and usually
// posts a button click.
struct ModalStep {
    std::string caption; // empty: any caption
    std::function<void(HWND)> act;
};

void startAnsweringModals();
void stopAnsweringModals();
void expectModal(const std::string &caption, std::function<void(HWND)> act);
// A message box (any caption) answered with the given button id.
void answerMessageBox(int button);
const std::vector<ModalRecord> &modalLog();
void clearModalLog();

// Runs an action on a dialog a moment after it was shown, once the dialog has filled its
// controls (the common dialogs do part of that after activation).
void actLater(HWND dialog, std::function<void(HWND)> act);

// Answers the next file chooser: types path into its name box and confirms. firstFilter, when
// given, receives the first entry of its filter list.
void answerFileChooser(const std::string &path, std::string *firstFilter = nullptr);

// Posts a button click to a dialog.
void clickButton(HWND dialog, int id);
