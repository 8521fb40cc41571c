#include "state/undo_history.h"

#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "state/user_messages.h"
#include "model/size_limits.h"

#include <deque>
#include <new>

namespace {

struct FrameStep {
    FrameSet frames;
    int currentFrame = 0;
    int width = 16, height = 16; // the configured matrix size
    int modified = 0;
};

// The steps hold at most a quarter of what all frames together may take.
constexpr size_t undoMemoryBound = static_cast<size_t>(maxFrameStoreBytes / 4);

std::deque<FrameStep> undoSteps, redoSteps;
int stepsOpen = 0;      // OneUndoStep scopes open
bool stepTaken = false; // the open scope's step is remembered
size_t stepBytes = 0;   // held by both

size_t bytesOf(const FrameSet &frames) {
    size_t bytes = frames.bytes.size() + sizeof(FrameStep);
    for (const std::string &name : frames.names)
        bytes += name.size() + sizeof name;
    for (const FrameSet::Glyph &glyph : frames.glyphs)
        bytes += glyph.ink.size() / 8 + glyph.shades.size() + sizeof glyph;
    return bytes;
}

size_t bytesOf(const FrameStep &step) {
    return bytesOf(step.frames);
}

FrameStep stepNow() {
    return {editor.frames, editor.currentFrame, editor.settings.width, editor.settings.height,
            editor.modified};
}

void keep(std::deque<FrameStep> &steps, FrameStep step) {
    stepBytes += bytesOf(step);
    steps.push_back(std::move(step));
    while (!undoSteps.empty() && (stepBytes > undoMemoryBound || undoSteps.size() > maxUndoSteps)) {
        stepBytes -= bytesOf(undoSteps.front());
        undoSteps.pop_front();
    }
}

void forget(std::deque<FrameStep> &steps) {
    for (const FrameStep &step : steps)
        stepBytes -= bytesOf(step);
    steps.clear();
}

// Shows a step's frames as the frames in hand; the step left becomes one of the other list
// unless there is none.
bool restore(std::deque<FrameStep> &from, std::deque<FrameStep> *to) {
    if (from.empty()) return false;
    FrameStep step = std::move(from.back());
    stepBytes -= bytesOf(step);
    from.pop_back();
    try {
        if (to) keep(*to, stepNow());
    } catch (const std::bad_alloc &) { // the frames in hand stay, and the step with them
        stepBytes += bytesOf(step);
        from.push_back(std::move(step));
        setStatusText(0, "There is not enough memory to keep the frames in hand for this step.");
        return false;
    }
    editor.frames = std::move(step.frames);
    editor.currentFrame = step.currentFrame;
    editor.settings.width = step.width;
    editor.settings.height = step.height;
    editor.modified = step.modified;
    editor.viewOriginX = editor.viewOriginY = 0;
    showFrameNames();
    return true;
}

} // namespace

OneUndoStep::OneUndoStep() {
    if (stepsOpen++ == 0) stepTaken = false;
}

OneUndoStep::~OneUndoStep() {
    --stepsOpen;
}

void rememberFrames() {
    if (stepsOpen > 0 && stepTaken) return;
    stepTaken = stepsOpen > 0;
    forget(redoSteps);
    // measured before it is copied: a copy beyond the bound, or one memory can't hold, is no step
    try {
        if (bytesOf(editor.frames) <= undoMemoryBound) return keep(undoSteps, stepNow());
    } catch (const std::bad_alloc &) {
    }
    setStatusText(0, "This change can't be undone: the frames are too large to keep.");
    forget(undoSteps);
}

bool undoFrames() {
    return !isBusy() && restore(undoSteps, &redoSteps);
}

bool redoFrames() {
    return !isBusy() && restore(redoSteps, &undoSteps);
}

void takeBackFrames() {
    restore(undoSteps, nullptr);
}

bool canUndo() {
    return !undoSteps.empty();
}

bool canRedo() {
    return !redoSteps.empty();
}

void framesSaved() {
    for (std::deque<FrameStep> *steps : {&undoSteps, &redoSteps})
        for (FrameStep &step : *steps)
            step.modified = 1;
}

void forgetFrameSteps() {
    forget(undoSteps);
    forget(redoSteps);
}
