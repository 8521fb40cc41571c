// Code output: the frame packer and the source writer. Frames in, source text out.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "model/reporter.h"
#include "model/settings.h"
#include "output/output_styles.h"

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
// The header comment recording the settings and the frames' names, as the style writes it.
std::string sourceHeader(const FrameSet &frames, const Settings &settings);

// The font styles' checks and writers (the checks after those every style shares; "" when the
// frames can be written; a writer's bytes have "\n" line breaks).
std::string gfxFontProblem(const FrameSet &frames, const Settings &settings);
bool writeGfxFont(const FrameSet &frames, const Settings &settings, std::string &out);
std::string u8g2FontProblem(const FrameSet &frames, const Settings &settings);
bool writeU8g2Font(const FrameSet &frames, const Settings &settings, std::string &out);
std::string lvglFontProblem(const FrameSet &frames, const Settings &settings);
bool writeLvglFont(const FrameSet &frames, const Settings &settings, std::string &out);

// The whole file in the style of the settings, as it is saved; false when it can't be written.
bool writeSource(const FrameSet &frames, const Settings &settings, std::string &bytes);
// The settings as a written source records them: outside Bitmap File mode the frames are dots.
Settings writtenSettings(const Settings &settings);
// Why the frames can't be written with these settings (the array's name for the style, the
// frames the style takes, the style's own limits); "" when they can.
std::string sourceProblem(const FrameSet &frames, const Settings &settings);
// Writes the source into a new file beside path, which replaces path only when complete; the
// failures are told. Outside Bitmap File mode the frames are written as dots. Returns 1 when
// saved.
int saveSource(const char *path, const FrameSet &frames, const Settings &settings,
               Reporter &report);
