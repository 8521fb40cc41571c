// Every size the program allocates is computed here, with overflow checks, against one bound
// for all frames together.
#pragma once

#include "model/reporter.h"

#include <cstddef>

// The most all frames together may take. The 64-bit program holds the largest text file
// (10241 frames of 1024 x 1024, 1.25 GiB); the 32-bit program's 2 GiB address space cannot
// give a single block much beyond a quarter of itself.
#ifdef _WIN64
constexpr unsigned long long maxFrameStoreBytes = 2ULL << 30;
#else
constexpr unsigned long long maxFrameStoreBytes = 512ULL << 20;
#endif

// a x b; false when the product does not fit a size_t.
bool multiplySizes(size_t a, size_t b, size_t &product);
// The bytes of `frames` frames of width x height, each depthFactor times the 1-bit frame;
// false when that exceeds maxFrameStoreBytes or cannot be represented.
bool frameStoreBytes(long long width, long long height, long long frames, int depthFactor,
                     size_t &bytes);
// Like frameStoreBytes for 1-bit frames, but tells the user when the frames would not fit.
bool framesFit(Reporter &report, long long width, long long height, long long frames);
