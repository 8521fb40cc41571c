// The text conversion as it was before only listed frames were made: frames for the whole text
// and one more, each position of the (repeat-free) text drawn, the zero bytes behind the last
// character too, with one font and one canvas. The benchmark runs it beside convertText.
#include "bench.h"

#include "convert/dib_pixels.h"
#include "convert/text_conversion.h"

#include <cstring>

void baselineConvertText(const std::string &text, Settings &settings, FrameSet &frames) {
    int length = static_cast<int>(text.size()) + 1;
    std::vector<unsigned char> kept(length);
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text.c_str());
    if (settings.characterDetect != 0)
        removeRepeatedCharacters(bytes, length, kept.data());
    else
        memcpy(kept.data(), bytes, length);
    if (makeFrames(frames, settings.width, settings.height, length) != FramesMade::made) return;
    int canvasWidth = settings.width + 10;
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = topDownInfo(canvasWidth, settings.height);
    void *bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, canvas);
    HFONT fonts[2] = {createGlyphFont(settings.font, settings.width, settings.height),
                      createGlyphFont(settings.font, settings.width / 2, settings.height)};
    HGDIOBJ oldFont = SelectObject(dc, fonts[0]);
    int frame = 0;
    for (int p = 0; p < length; ++p) {
        if (kept[p] == '\n' || kept[p] == '\r' || kept[p] == '\t') continue;
        int characterLength = characterBytes(kept.data(), p, length);
        SelectObject(dc, fonts[characterLength - 1]);
        memset(bits, 0xFF, sizeof(DWORD) * canvasWidth * settings.height);
        TextOutA(dc, 0, 0, reinterpret_cast<const char *>(&kept[p]), characterLength);
        GdiFlush();
        sampleCanvas(static_cast<DWORD *>(bits), canvasWidth, settings.height, frames, frame++,
                     settings.textShiftX, settings.textShiftY);
        p += characterLength - 1;
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    for (HFONT font : fonts)
        DeleteObject(font);
    DeleteObject(canvas);
    DeleteDC(dc);
    frames.names = textCharacters(text, settings.characterDetect != 0);
}
