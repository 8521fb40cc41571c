/* Draws a space and the characters 0x21 to 0x7E with an Adafruit GFX font the way its structures
 * are defined: each glyph's box at the cursor plus its offsets, the cursor moved on by its
 * advance; the baseline at row 30, the cursor starting at column 10. Prints 1200 columns. */
#include <stdio.h>
#include <string.h>

#include "gfxfont.h"
#include FONT

static char canvas[40][2048];

int main(void) {
    const GFXfont *font = &Sans16;
    int x = 10, width = 1200, c, i, row;
    memset(canvas, '.', sizeof canvas);
    for (c = 0x20; c <= 0x7E; ++c) {
        const GFXglyph *glyph = &font->glyph[c - font->first];
        for (i = 0; i < glyph->width * glyph->height; ++i)
            if (font->bitmap[glyph->bitmapOffset + i / 8] & (0x80 >> (i % 8)))
                canvas[30 + glyph->yOffset + i / glyph->width]
                      [x + glyph->xOffset + i % glyph->width] = '#';
        x += glyph->xAdvance;
    }
    for (row = 0; row < 40; ++row)
        printf("%.*s\n", width, canvas[row]);
    return 0;
}
