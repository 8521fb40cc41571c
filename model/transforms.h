// Flips, quarter turns and wrap-around shifts of frames: pure functions of a frame set, shared by
// the window's Edit > Transform and morvex7c's --flip, --rotate and --shift.
#pragma once

#include "model/frame_set.h"

#include <string>

enum class Flip { none, horizontal, vertical };

// Frame n, or every frame when n is -1, flipped; dots and a picture's gray or colour values
// alike. A flipped glyph's metrics no longer hold: the frames become plain frames.
void flipFrames(FrameSet &frames, Flip flip, int n = -1);
// Turned clockwise by quarterTurns quarters: every frame (n -1), width and height swapping for
// odd turns, or frame n of a square matrix. The reason when it can't be done, else nullptr.
const char *rotateFrames(FrameSet &frames, int quarterTurns, int n = -1);
// Moved dx right and dy down, what leaves one edge entering at the other; a glyph's origin and
// baseline move with it.
void shiftFrames(FrameSet &frames, int dx, int dy, int n = -1);

// "DX,DY" as --shift and the header give it; false when it is none.
bool readShift(const std::string &text, int &dx, int &dy);

struct Settings;
// Every frame flipped, turned, then shifted as the settings say; the matrix size follows.
void transformAsSettingsSay(FrameSet &frames, Settings &settings);
