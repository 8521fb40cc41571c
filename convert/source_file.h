// A source file this program wrote, read back as Manual Paint frames.
#pragma once

#include "model/frame_set.h"
#include "model/reporter.h"

struct LoadedSource {
    FrameSet frames; // named by the characters the file records, else "Custom %d"
    int outputStyle = 0, codingStyle = 0, alignStyle = 0;
    int glyphSize = 0, centreGlyphs = 0, fontPixelHeight = 16;
    int pictureToDots = 0, threshold = 128, darkDots = 0, pictureSize = 0;
    std::string arrayName = "CODE_MATRIX";
    int commentFrames = 0;
};

// Reads path into loaded. A file that is not one of ours is told, naming the reason, and
// gives refused (nothing made); outOfMemory when its frames find no memory.
FramesMade loadSource(const char *path, LoadedSource &loaded, Reporter &report);
