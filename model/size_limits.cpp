#include "model/size_limits.h"
#include "model/frame_set.h"

#include <cstdio>

bool multiplySizes(size_t a, size_t b, size_t &product) {
    return !__builtin_mul_overflow(a, b, &product);
}

bool frameStoreBytes(long long width, long long height, long long frames, int depthFactor,
                     size_t &bytes) {
    if (width <= 0 || height <= 0 || frames <= 0 || depthFactor <= 0) return false;
    unsigned long long total = 0;
    unsigned long long rowBytes = (static_cast<unsigned long long>(width) + 7) / 8;
    if (__builtin_mul_overflow(rowBytes, static_cast<unsigned long long>(height), &total) ||
        __builtin_mul_overflow(total, static_cast<unsigned long long>(frames), &total) ||
        __builtin_mul_overflow(total, static_cast<unsigned long long>(depthFactor), &total) ||
        total > maxFrameStoreBytes || total > static_cast<unsigned long long>(SIZE_MAX))
        return false;
    bytes = static_cast<size_t>(total);
    return true;
}

bool framesFit(Reporter &report, long long width, long long height, long long frames) {
    size_t bytes;
    if (frameStoreBytes(width, height, frames, 1, bytes)) return true;
    report.tell(framesTooLargeText(width, height, frames), MB_ICONERROR);
    return false;
}
