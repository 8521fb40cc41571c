/* Adafruit GFX's font structures, as its gfxfont.h describes them, for the clients that draw a
 * GFX font the program wrote. */
#include <stdint.h>
typedef struct {
    unsigned short bitmapOffset;
    uint8_t width, height, xAdvance;
    signed char xOffset, yOffset;
} GFXglyph;
typedef struct {
    uint8_t *bitmap;
    GFXglyph *glyph;
    unsigned short first, last;
    uint8_t yAdvance;
} GFXfont;
#define PROGMEM
