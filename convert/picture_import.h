// A BMP file imported as one frame of its own size.
#pragma once

#include "model/frame_set.h"
#include "model/reporter.h"

#include <windows.h>

// Loads a bitmap file (LoadImageA with flags and LR_LOADFROMFILE), top-down files too; nullptr
// with the reason for the user for a file that is no file, missing, truncated, has unsound
// headers or claims more pixels than it can hold.
HBITMAP loadBitmapFile(const char *path, UINT flags, const char *&reason);
// Imports path into frames: dots (coding 0: a pixel that is not black sets its dot) or the
// pixels' values in bitmap coding 1 to 3. A failure is told ("Can't load the bitmap ...!" and
// the reason) and leaves the frames as they were.
FramesMade importPicture(const char *path, int coding, FrameSet &frames, Reporter &report);
