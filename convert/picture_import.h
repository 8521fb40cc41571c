// A picture file imported as frames of its own size or fitted to the matrix: BMP as the system
// loads it, every common format through the imaging component.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "model/reporter.h"
#include "model/settings.h"

#include <windows.h>

// Checks a BMP file's headers; nullptr when sound, else the reason for the user.
const char *checkBitmapFile(const char *path);
// Loads a bitmap file (LoadImage with flags and LR_LOADFROMFILE), top-down files too; nullptr
// with the reason for the user for a file that is no file, missing, truncated, has unsound
// headers or claims more pixels than it can hold.
HBITMAP loadBitmapFile(const char *path, UINT flags, const char *&reason);
// Imports a picture (UTF-8 path) into frames: a frame for each frame of an animation ("Frame
// %d"), dots by settings.toDots or, in a bitmap coding, the first frame's values. A BMP file
// with the default settings is loaded as the system loads it. A failure is told ("Can't load the
// bitmap ...!" and the reason) and leaves the frames as they were.
FramesMade importPicture(const char *path, const Settings &settings, FrameSet &frames,
                         Reporter &report);
