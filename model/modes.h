// The values the settings and the written sources share.
#pragma once

enum InputMode { ManualPaint = 201, ManualText = 202, TextFile = 203, BitmapFile = 204 };


constexpr char defaultArrayName[] = "CODE_MATRIX";

// How a glyph is sized: stretched to the matrix, or drawn on a baseline at the font's own size
// (the pixel height of its cell) or at its em size (the pixel height of its em square).
enum GlyphSize { StretchToMatrix = 0, FontsOwnSize = 1, FontsEmSize = 2 };

// How a picture's pixels become dots: as the system converts (a pixel not black lights its dot),
// or by its luminance against a threshold, plain or dithered.
enum PictureToDots {
    AsTheSystemConverts = 0,
    ThresholdDots = 1,
    FloydSteinberg = 2,
    AtkinsonDots = 3,
    OrderedBayer = 4
};
// A picture's size in frames: its own, fitted into the matrix keeping its shape, or stretched.
enum PictureSize { PictureAsTheFile = 0, PictureFitted = 1, PictureStretched = 2 };

constexpr int pathCapacity = 256; // 255 characters and the terminating zero
