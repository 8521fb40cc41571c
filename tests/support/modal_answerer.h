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
void clearModalLog();
void clickButton(HWND dialog, int id);
