// The window's frames: the dot operations on the frame shown, the whole-frame operations, and
// the allocations, which keep the frame list mirroring the frame set's names.
#pragma once

#include <windows.h>

int currentFrameBytes();

int testDot(int column, int row);
// The shown frame's pixel: a smoothed glyph's coverage 0 to 255, else 255 for a dot.
int shadeOfDot(int column, int row);
void setDot(int column, int row);
void clearDot(int column, int row);

int invertCurrentFrame();
int clearCurrentFrame();
int invertAllFrames();
int clearAllFrames();

// Blank frames of the frames' size, as many as they count, names kept; the bound refuses with
// a message, a failed allocation ends the program.
int allocateFrames(HWND owner);
// A blank frame "Custom %d" after the others, shown.
int appendCustomFrame(HWND owner);
void releaseFrames();
// Ends the program after telling that memory ran out.
int reportOutOfMemory(HWND owner);
// Fills the frame list with the frames' names and selects the frame shown.
void showFrameNames();
