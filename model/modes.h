// The values the settings and the written sources share.
#pragma once

enum InputMode { ManualPaint = 201, ManualText = 202, TextFile = 203, BitmapFile = 204 };

enum OutputStyle { OutputC51 = 0, OutputAnsiC = 1, OutputAsm = 2 };

// How a glyph is sized: stretched to the matrix, or drawn at the font's own size on a baseline.
enum GlyphSize { StretchToMatrix = 0, FontsOwnSize = 1 };

constexpr int pathCapacity = 256; // 255 characters and the terminating zero
