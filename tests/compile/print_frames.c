/* Prints every byte of the generated CODE_MATRIX, one per line. */
#include <stdio.h>

#include FRAMES_SOURCE

int main(void) {
    size_t i;
    for (i = 0; i < sizeof CODE_MATRIX; ++i)
        printf("%02x\n", CODE_MATRIX[i]);
    return 0;
}
