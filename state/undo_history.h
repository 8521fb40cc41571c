// Undo and redo of every change of the frames: a step holds the frames as they were (names, size
// and glyph metrics), the frame shown, the configured size and whether they differed from the
// file saved. The steps are bounded in number and in memory, the oldest dropped first.
#pragma once

#include <cstddef>

constexpr size_t maxUndoSteps = 100;

// Before a change: the frames as they are become a step to undo, and redo is forgotten. A step
// too large for the bound is told as not undoable.
void rememberFrames();
// Within its scope the changes of frames are one step: only the first is remembered (a mode
// switch that blanks the frames and then converts).
struct OneUndoStep {
    OneUndoStep();
    ~OneUndoStep();
    OneUndoStep(const OneUndoStep &) = delete;
    OneUndoStep &operator=(const OneUndoStep &) = delete;
};
// Puts back the frames before the last change, or after the last undone one, and lists them;
// false when there is none. The caller shows them.
bool undoFrames();
bool redoFrames();
// Puts back the frames remembered last and forgets that step (a conversion that was cancelled).
void takeBackFrames();
bool canUndo();
bool canRedo();
// The frames were saved: every step kept now differs from the file.
void framesSaved();
// Forgets every step (a new window).
void forgetFrameSteps();
