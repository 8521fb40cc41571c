// The benchmarks: text conversion and bitmap import, today's code against what it replaced,
// in one run. Usage: morvex7_bench.exe [runs [picture folder]] (default 3 runs); scripts/bench.sh
// runs it headless with the pictures it makes.
#include "bench.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 3;
    if (runs < 1) runs = 1;
    printf("%d runs each; times per conversion, ratio of the medians\n", runs);
    runTextBenchmarks(runs);
    runImportBenchmarks(runs);
    if (argc > 2) runPictureBenchmark(runs, argv[2]);
    return 0;
}
