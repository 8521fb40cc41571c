// Text conversion: convertText against the conversion that drew a frame for every byte of the
// text, on the same text, run after one another; the listed frames and names compared. The
// largest case, 1024 x 1024 from a text file of 94 distinct characters, also shows the peak
// memory of each (the product first, as the peak only grows).
#include "bench.h"

#include "convert/text_conversion.h"
#include "convert/text_file.h"

#include <cstdio>
#include <cstring>

static bool sameListedFrames(const FrameSet &baseline, const FrameSet &product) {
    size_t listed = frameBytesOf(product.width, product.height) * product.count;
    return baseline.names == product.names && baseline.bytes.size() >= listed &&
           memcmp(baseline.bytes.data(), product.bytes.data(), listed) == 0;
}

static Settings settingsOf(int size, bool dropRepeats) {
    Settings settings;
    settings.width = settings.height = size;
    settings.font = builtInGlyphFont();
    settings.characterDetect = dropRepeats;
    return settings;
}

static void compare(const std::string &what, const std::string &text, int size, bool dropRepeats,
                    int runs) {
    std::vector<double> before, now;
    bool equal = true;
    SilentReporter silent;
    for (int run = 0; run < runs; ++run) {
        FrameSet baseline, product;
        Settings settings = settingsOf(size, dropRepeats);
        double start = seconds();
        baselineConvertText(text, settings, baseline);
        before.push_back(seconds() - start);
        settings = settingsOf(size, dropRepeats);
        start = seconds();
        convertText(text, settings, product, silent);
        now.push_back(seconds() - start);
        equal = equal && sameListedFrames(baseline, product);
    }
    reportPair(what + " " + std::to_string(size) + "x" + std::to_string(size), figuresOf(before),
               figuresOf(now), equal);
}

// The text file of 10240 characters drawn from the 94 printable ones, repeats dropped.
static void compareLargest(const std::string &file) {
    SilentReporter silent;
    FrameSet product, baseline;
    Settings settings = settingsOf(1024, true);
    double start = seconds();
    convertText(file, settings, product, silent);
    double now = seconds() - start, nowPeak = peakMemoryMiB();
    product.bytes.clear();
    product.bytes.shrink_to_fit();
    settings = settingsOf(1024, true);
    start = seconds();
    baselineConvertText(file, settings, baseline);
    double before = seconds() - start, beforePeak = peakMemoryMiB();
    FrameSet again;
    settings = settingsOf(1024, true);
    convertText(file, settings, again, silent);
    printf("%-34s before: %7.3f s, peak %6.0f MiB   now: %7.3f s, peak %6.0f MiB   %6.1fx   "
           "output %s\n",
           "94 distinct of 10240 1024x1024", before, beforePeak, now, nowPeak, before / now,
           sameListedFrames(baseline, again) ? "equal" : "DIFFERENT");
    fflush(stdout);
}

void runTextBenchmarks(int runs) {
    std::string file; // a text file of 10240 printable characters
    for (int i = 0; i < 10240; ++i)
        file += static_cast<char>(33 + (i * 7) % 94);
    compareLargest(file);
    for (int size : {16, 64})
        compare("text of 10240 characters", file, size, false, runs);
    compare("ASCII table", asciiTable, 16, true, runs);
}
