// The frame buffer: frameCount 1-bit frames back to back, rows top to bottom,
// the leftmost dot of each group of eight in the least significant bit.
#pragma once

#include <windows.h>

int rowBytesOf(int width);
int frameBytesOf(int width, int height);
int currentFrameBytes();

int testDot(int column, int row);
void setDot(int column, int row);
void clearDot(int column, int row);

int invertCurrentFrame();
int clearCurrentFrame();
int invertAllFrames();
int clearAllFrames();

int allocateFrames(HWND owner);
int appendCustomFrame(HWND owner);
// Replaces the buffer by one blank frame of width x height for a bitmap import and makes
// that the matrix size, in one step as seen by the painter. On failure nothing changes.
int allocateBitmapFrame(int width, int height);
void releaseFrames();

// The painter reads the buffer on the user-interface thread while a worker may replace it.
// A replacement swaps {size, buffer, view origin} under a lock that the painter holds
// for the whole paint, so it never sees a size that does not match the
// buffer nor a released buffer. Dot writes are not locked: a paint may show a frame that a
// worker is still filling, which is harmless.
void lockFramesForReading();
void unlockFramesForReading();
