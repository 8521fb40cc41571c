// The benchmarks: text conversion and bitmap import, today's code against what it replaced,
// in one run. Usage: morvex7_bench.exe [runs] (default 3); scripts/bench.sh runs it headless.
#include "bench.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 3;
    if (runs < 1) runs = 1;
    printf("%d runs each; times per conversion, ratio of the medians\n", runs);
    runTextBenchmarks(runs);
    runImportBenchmarks(runs);
    return 0;
}
