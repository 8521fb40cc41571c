// Code output: the frame packer and the source writer. Frames in, source text out.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "model/reporter.h"
#include "model/settings.h"

#include <cstdio>
#include <string>
#include <vector>

// The number of data bytes in a frame record (the length field holds it modulo 65536).
size_t frameRecordLength(const FrameSet &frames, const Settings &settings);
// Frame n as a record: a 2-byte big-endian length, then its data bytes (zero data for a frame
// not held or of another size). False when it can't be packed: a bitmap coding other than
// what the frames hold, or no memory.
bool packFrame(const FrameSet &frames, int n, const Settings &settings,
               std::vector<unsigned char> &record);

// The comment naming frame n: the character and its code ("'A' 0x41", "U+4F60"), or its name.
std::string frameComment(const FrameSet &frames, int n);
// Why the frames can't be written as an Adafruit GFX font; nullptr when they can.
const char *gfxFontProblem(const FrameSet &frames);
// Why the frames can't be written as a u8g2 font; "" when they can.
std::string u8g2FontProblem(const FrameSet &frames);
// The frames as a u8g2 font after the header: its bytes as a string named after the array name;
// false, and nothing written, when they can't be one.
bool writeU8g2Font(FILE *file, const FrameSet &frames, const Settings &settings);
// Why the text frames can't be written as an LVGL font with these settings; "" when they can.
std::string lvglFontProblem(const FrameSet &frames, const Settings &settings);
// The frames as an LVGL font after the header; false, and nothing written, when they can't be
// one.
bool writeLvglFont(FILE *file, const FrameSet &frames, const Settings &settings);
// The frames as an Adafruit GFX font after the header: its bitmaps, glyphs and font, named
// after the array name.
void writeGfxFont(FILE *file, const FrameSet &frames, const Settings &settings);

// Writes the whole source into an open file in text mode; 1 when every frame was packed and
// nothing written was lost.
int writeSource(FILE *file, const FrameSet &frames, const Settings &settings);
// The settings as a written source records them: outside Bitmap File mode the frames are dots.
Settings writtenSettings(const Settings &settings);
// Why the frames can't be written with these settings (the array's name for the style, a GFX
// font's limits); nullptr when they can.
const char *sourceProblem(const FrameSet &frames, const Settings &settings);
// Writes the source into a new file beside path, which replaces path only when complete; the
// failures are told. Outside Bitmap File mode the frames are written as dots. Returns 1 when
// saved.
int saveSource(const char *path, const FrameSet &frames, const Settings &settings,
               Reporter &report);
