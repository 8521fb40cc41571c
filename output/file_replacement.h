// Saving without risk to the previous file: the content goes into a new file of ours beside
// the target, which replaces the target in one step only once it is complete.
#pragma once

#include <string>

// Why target can't be written (a device, a folder, a read-only file); nullptr when it can.
const char *targetProblem(const char *target);
// The system's words for an error code of GetLastError.
std::string systemReason(unsigned long error);
// Creates an empty file with a unique name of ours in the folder of target (UTF-8); its path goes
// into temporary. False when the folder takes no new file, with the reason.
bool createFileBeside(const char *target, std::wstring &temporary, std::string &reason);
// Writes the bytes into the file (created before), replacing what it held; false when not all
// of them were written.
bool writeWholeFile(const std::wstring &path, const std::string &bytes);
// Replaces the target with the complete file; false (the file removed) when that fails.
bool replaceTarget(const std::wstring &temporary, const char *target);
