#include "output/output.h"

#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "output/coded_output.h"
#include "output/dot_orders.h"

#include <cstdlib>
#include <cstring>

// A coding other than what the store holds (a bitmap coding with no picture loaded in it) has
// no record.
unsigned char *frameRecord(int n) {
    if (editor.bitmapStyle != editor.frameCoding) return nullptr;
    return packFrame(n);
}

size_t frameRecordLength() {
    if (editor.frameCoding != 0)
        return codedFrameBytes(editor.pixelWidth, editor.pixelHeight, editor.frameCoding);
    return orderedFrameBytes(editor.pixelWidth, editor.pixelHeight, editor.codingStyle);
}

unsigned char *packFrame(int n) {
    size_t length = frameRecordLength();
    free(editor.packBuffer);
    editor.packBuffer = static_cast<unsigned char *>(calloc(length + 2, 1));
    if (!editor.packBuffer) return nullptr;
    unsigned char *record = editor.packBuffer;
    record[0] = static_cast<unsigned char>((length / 256) % 256);
    record[1] = static_cast<unsigned char>(length % 256);

    // The stored layout is the default order, so there the frame's bytes are copied as they
    // are, padding bits included. A frame beyond the buffer packs as zero data.
    size_t frameBytes = currentFrameBytes();
    if (!editor.frameBuffer || n < 0 || n >= editor.frameCount) return record;
    const unsigned char *frame = editor.frameBuffer + frameBytes * n;
    bool sameSize =
        editor.matrixWidth == editor.pixelWidth && editor.matrixHeight == editor.pixelHeight;
    if (editor.frameCoding != 0) {
        if (sameSize)
            packCodedFrame(editor.matrixWidth, editor.matrixHeight, editor.codingStyle,
                           editor.alignStyle, editor.frameCoding, record + 2);
    } else if (editor.codingStyle == 0 && editor.alignStyle == 0)
        memcpy(record + 2, frame, length < frameBytes ? length : frameBytes);
    else if (sameSize)
        packInOrder(frame, editor.matrixWidth, editor.matrixHeight, editor.codingStyle,
                    editor.alignStyle, record + 2);
    return record;
}
