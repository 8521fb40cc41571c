// Text conversion: the product's worker against the per-character baseline on the same
// text, run after one another several times; frames, list, selection and the distinct
// progress texts compared.
#include "bench.h"

#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"

#include <cstdio>

struct Outcome {
    std::vector<unsigned char> frames;
    std::vector<std::string> list, progress;
    bool operator==(const Outcome &other) const {
        return frames == other.frames && list == other.list && progress == other.progress;
    }
};

static double convertOnce(LPTHREAD_START_ROUTINE worker, Outcome &outcome) {
    std::vector<std::string> status;
    recordStatus(&status);
    double start = seconds();
    startTextConversion(editor.mainWindow, worker);
    pumpUntilIdle();
    double time = seconds() - start;
    recordStatus(nullptr);
    outcome.frames = allFrames();
    outcome.list = listedFrames();
    outcome.progress.clear();
    for (const std::string &text : status)
        if (text.rfind("Format progress:", 0) == 0) outcome.progress.push_back(text);
    return time;
}

static void compare(const std::string &what, const std::string &text, int size, int runs) {
    editor.pixelWidth = editor.matrixWidth = size;
    editor.pixelHeight = editor.matrixHeight = size;
    allocateFrames(editor.mainWindow);
    SetWindowTextA(editor.textEdit, text.c_str());
    std::vector<double> before, now;
    Outcome baseline, product;
    bool equal = true;
    for (int run = 0; run < runs; ++run) {
        before.push_back(convertOnce(baselineTextWorker, baseline));
        now.push_back(convertOnce(textRasterizerWorker, product));
        equal = equal && baseline == product;
    }
    reportPair(what + " " + std::to_string(size) + "x" + std::to_string(size), figuresOf(before),
               figuresOf(now), equal);
}

void runTextBenchmarks(int runs) {
    std::string file; // a text file of 10240 printable characters, no repeats removed
    for (int i = 0; i < 10240; ++i)
        file += static_cast<char>(33 + (i * 7) % 94);
    editor.characterDetect = 0;
    SendMessageA(editor.mainWindow, WM_COMMAND, ManualText, 0);
    pumpUntilIdle();
    for (int size : {16, 64})
        compare("text of 10240 characters", file, size, runs);
    compare("ASCII table", asciiTable, 16, runs);
}
