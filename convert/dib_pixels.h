// 32-bit top-down device-independent pixels: how the painter fills the preview and how
// the converters read a canvas or a bitmap in one call.
#pragma once

#include <windows.h>

#include <vector>

BITMAPINFO topDownInfo(int width, int height);
// Reads a bitmap that is selected into no device context; false when that fails.
bool readTopDownPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<DWORD> &pixels);
