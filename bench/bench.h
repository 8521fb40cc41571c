// Shared by the benchmarks: timing, memory, and the report lines. The benchmarks call the core
// directly, as the console program does: no window.
#pragma once

#include "model/frame_set.h"

#include <windows.h>

#include <string>
#include <vector>

double seconds();
// The most memory the process has held so far, in MiB.
double peakMemoryMiB();

struct Figures {
    double min, median;
};
Figures figuresOf(std::vector<double> times);
// One line: the baseline's and the product's figures, their ratio, and whether the outputs
// were equal.
void reportPair(const std::string &what, Figures baseline, Figures product, bool equal);

// The conversion before only listed frames were made: a frame for every byte of the text and
// one more, each drawn.
void baselineConvertText(const std::string &text, struct Settings &settings, FrameSet &frames);
void runTextBenchmarks(int runs);
void runImportBenchmarks(int runs);
// folder: where the bench.bmp and bench.png of 1024 x 1024 pixels lie.
void runPictureBenchmark(int runs, const std::string &folder);
