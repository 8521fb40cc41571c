// Identifiers shared by the resource script and the code.
#pragma once

// menu commands
#define IDM_LOAD 101
#define IDM_SAVE 102
#define IDM_EXIT 103
#define IDM_MANUAL_PAINT 201
#define IDM_MANUAL_TEXT 202
#define IDM_TEXT_FILE 203
#define IDM_BITMAP_FILE 204
#define IDM_INVERT_ALL 205
#define IDM_CLEAR_ALL 206
#define IDM_INVERT_CURRENT 207
#define IDM_CLEAR_CURRENT 208
#define IDM_MAP_ALL_ASCII 209
#define IDM_COPY_CLIPBOARD 210
#define IDM_SYSTEM_SETUP 301
#define IDM_FONT_SETUP 302
#define IDM_COLOR_SETUP 303
#define IDM_WEB 401
#define IDM_ABOUT 402

// main window controls
#define IDC_TEXT_EDIT 401
#define IDC_FRAME_COMBO 501
#define IDC_NEW 502
#define IDC_UPDATE 503
#define IDC_BROWSE 504
#define IDC_OPEN 505
#define IDC_VIEW_SCROLL_H 1101
#define IDC_VIEW_SCROLL_V 1102
#define IDC_TEXT_SCROLL_H 1103
#define IDC_TEXT_SCROLL_V 1104
#define IDC_STATUS_BAR 2201

// system settings dialog
#define IDC_SETUP_WIDTH 101
#define IDC_SETUP_HEIGHT 102
#define IDC_SETUP_CODING 201
#define IDC_SETUP_C51 401
#define IDC_SETUP_ANSI_C 402
#define IDC_SETUP_ASM 403
#define IDC_SETUP_BITMAP 501
#define IDC_SETUP_DETECT 601
#define IDC_SETUP_HIGH_BIT 602
#define IDC_SETUP_CENTRE 603
#define IDC_SETUP_GLYPH_SIZE 701

// colour dialog swatches
#define IDC_SWATCH_FOREGROUND 101
#define IDC_SWATCH_BACKGROUND 102
#define IDC_SWATCH_GRID 103
#define IDC_SWATCH_CLIENT 104

// about box
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_TITLE 301
#define IDC_ABOUT_COPYRIGHT 302
