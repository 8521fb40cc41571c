// Shared by the benchmarks: timing, the window's message pump, and what a conversion left.
#pragma once

#include "app/app.h"

#include <windows.h>

#include <string>
#include <vector>

double seconds();
std::vector<unsigned char> allFrames();
// The frame list's entries, then the selected index.
std::vector<std::string> listedFrames();
// Records the texts written into status-bar part 0 into log (nullptr stops).
void recordStatus(std::vector<std::string> *log);

struct Figures {
    double min, median;
};
Figures figuresOf(std::vector<double> times);
// One line: the baseline's and the product's figures, their ratio, and whether the outputs
// were equal.
void reportPair(const std::string &what, Figures baseline, Figures product, bool equal);

DWORD WINAPI baselineTextWorker(LPVOID text);
void runTextBenchmarks(int runs);
void runImportBenchmarks(int runs);
