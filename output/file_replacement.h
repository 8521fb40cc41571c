// Saving without risk to the previous file: the content goes into a new file of ours beside
// the target, which replaces the target in one step only once it is complete.
#pragma once

#include <windows.h>

// Creates an empty file with a unique name of ours in the target's folder; its path goes into
// temporary (MAX_PATH characters). False when the folder takes no new file.
bool createFileBeside(const char *target, char *temporary);
// Replaces the target with the complete file; false (the file removed) when that fails.
bool replaceTarget(const char *temporary, const char *target);
