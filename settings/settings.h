// Settings: registry persistence and the settings, colour, font and About dialogs.
#pragma once

#include <windows.h>

extern const char settingsKeyPath[];

int initDefaultFont();
int loadSettings();
int saveSettings();

INT_PTR CALLBACK systemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void initSystemSettingsDialog(HWND dialog);

INT_PTR CALLBACK colorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void paintColorSwatch(HWND dialog, int id);
COLORREF chooseColor(HWND owner);
int chooseDefaultFont(HWND owner);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
