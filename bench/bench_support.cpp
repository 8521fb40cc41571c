#include "bench.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

double peakMemoryMiB() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

Figures figuresOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

void reportPair(const std::string &what, Figures baseline, Figures product, bool equal) {
    printf("%-34s before: min %7.3f s median %7.3f s   now: min %7.3f s median %7.3f s   "
           "%6.1fx   output %s\n",
           what.c_str(), baseline.min, baseline.median, product.min, product.median,
           baseline.median / product.median, equal ? "equal" : "DIFFERENT");
    fflush(stdout);
}
