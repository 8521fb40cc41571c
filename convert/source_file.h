// A source file this program wrote, read back as Manual Paint frames.
#pragma once

#include "model/frame_set.h"
#include "model/reporter.h"
#include "model/settings.h"

struct LoadedSource {
    FrameSet frames;   // named by the characters the file records, else "Custom %d"
    Settings settings; // the settings its header records, the defaults for the others
};

// Reads path into loaded. A file that is not one of ours is told, naming the reason, and
// gives refused (nothing made); outOfMemory when its frames find no memory.
FramesMade loadSource(const char *path, LoadedSource &loaded, Reporter &report);
