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
#define IDM_MAP_RANGE 211
#define IDM_UNDO 212
#define IDM_REDO 213
#define IDM_FLIP_H 220
#define IDM_FLIP_V 221
#define IDM_ROTATE_RIGHT 222
#define IDM_ROTATE_LEFT 223
#define IDM_SHIFT_UP 224
#define IDM_SHIFT_DOWN 225
#define IDM_SHIFT_LEFT 226
#define IDM_SHIFT_RIGHT 227
#define IDM_ALL_FRAMES 228
#define IDM_CANCEL 229
// no menu item: the text scroll bars moved the glyphs, and the text is converted again
#define IDM_CONVERT_SHIFTED 230
#define IDM_SYSTEM_SETUP 301
#define IDM_FONT_SETUP 302
#define IDM_COLOR_SETUP 303
#define IDM_FONT_FILE 304
#define IDM_WEB 401
#define IDM_ABOUT 402

// main window controls
#define IDC_TEXT_EDIT 506
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
// the output styles' radio buttons, 401 and on by the style's value, made in their group box
#define IDC_SETUP_STYLES 401
#define IDC_SETUP_STYLES_BOX 450
#define IDC_SETUP_BPP 704
#define IDC_SETUP_COMPRESSED 606
#define IDC_SETUP_KERNING 607
#define IDC_SETUP_BITMAP 501
#define IDC_SETUP_DETECT 601
#define IDC_SETUP_HIGH_BIT 602
#define IDC_SETUP_CENTRE 603
#define IDC_SETUP_GLYPH_SIZE 701
#define IDC_SETUP_PICTURE_DOTS 702
#define IDC_SETUP_PICTURE_SIZE 703
#define IDC_SETUP_THRESHOLD 103
#define IDC_SETUP_DARK_DOTS 604
#define IDC_SETUP_COMMENT_FRAMES 605
#define IDC_SETUP_ARRAY_NAME 104

// colour dialog swatches
#define IDC_SWATCH_FOREGROUND 101
#define IDC_SWATCH_BACKGROUND 102
#define IDC_SWATCH_GRID 103
#define IDC_SWATCH_CLIENT 104

// character range dialog
#define IDC_RANGE_LIST 101

// about box
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_TITLE 301
#define IDC_ABOUT_COPYRIGHT 302
