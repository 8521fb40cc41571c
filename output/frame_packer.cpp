#include "output/output.h"

#include "model/editor_state.h"
#include "model/matrix_store.h"

#include <cstdlib>
#include <cstring>

unsigned char *frameRecord(int n) {
    if (editor.bitmapStyle != 0) return nullptr;
    return packFrame(n);
}

size_t frameRecordLength() {
    return static_cast<size_t>(rowBytesOf(editor.pixelWidth)) * editor.pixelHeight;
}

unsigned char *packFrame(int n) {
    size_t length = frameRecordLength();
    free(editor.packBuffer);
    editor.packBuffer = static_cast<unsigned char *>(calloc(length + 2, 1));
    if (!editor.packBuffer) return nullptr;
    unsigned char *record = editor.packBuffer;
    record[0] = static_cast<unsigned char>((length / 256) % 256);
    record[1] = static_cast<unsigned char>(length % 256);

    // The stored layout is the packing order, so the frame's bytes are copied as they are,
    // padding bits included. A frame beyond the buffer packs as zero data.
    size_t frameBytes = currentFrameBytes();
    bool inBuffer = editor.frameBuffer && n >= 0 && n < editor.frameCount;
    if (editor.codingStyle == 0 && inBuffer) {
        size_t count = length < frameBytes ? length : frameBytes;
        memcpy(record + 2, editor.frameBuffer + frameBytes * n, count);
    }
    return record;
}
