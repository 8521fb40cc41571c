/* Reads the generated CODE_MATRIX as its clients do: prints every byte, one a line; with RGB565
 * every pixel as a colour display's driver reads it, (high << 8) | low; or, with GLYPH, draws
 * the 16 x 16 glyph in it, a line of # and . a row: with PAGES as a driver of a 128 x 64
 * page-organised display does, else by the usual row loop, high bit first. */
#include <stdio.h>

#include SOURCE

int main(void) {
#ifdef GLYPH
    static unsigned char display[8 * 128];
    int x, y, dot;
    for (x = 0; x < 2 * 16; ++x)
        display[x / 16 * 128 + x % 16] |= CODE_MATRIX[x];
    for (y = 0; y < 16; ++y) {
        for (x = 0; x < 16; ++x) {
#ifdef PAGES
            dot = display[y / 8 * 128 + x] >> (y % 8) & 1;
#else
            dot = CODE_MATRIX[y * 2 + x / 8] & (0x80 >> (x % 8));
#endif
            putchar(dot ? '#' : '.');
        }
        putchar('\n');
    }
#elif defined RGB565
    size_t i;
    for (i = 0; i < sizeof CODE_MATRIX; i += 2)
        printf("%04x\n", CODE_MATRIX[i] << 8 | CODE_MATRIX[i + 1]);
#else
    size_t i;
    for (i = 0; i < sizeof CODE_MATRIX; ++i)
        printf("%02x\n", CODE_MATRIX[i]);
#endif
    return 0;
}
