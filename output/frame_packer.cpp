#include "output/output.h"

#include "output/coded_output.h"
#include "output/dot_orders.h"

#include <cstring>
#include <new>

size_t frameRecordLength(const FrameSet &frames, const Settings &settings) {
    if (frames.coding != 0) return codedFrameBytes(settings.width, settings.height, frames.coding);
    return orderedFrameBytes(settings.width, settings.height, settings.codingStyle);
}

bool packFrame(const FrameSet &frames, int n, const Settings &settings,
               std::vector<unsigned char> &record) {
    if (settings.bitmapStyle != frames.coding) return false;
    size_t length = frameRecordLength(frames, settings);
    try {
        record.assign(length + 2, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    record[0] = static_cast<unsigned char>((length / 256) % 256);
    record[1] = static_cast<unsigned char>(length % 256);

    // The stored layout is the default order, so there the frame's bytes are copied as they
    // are, padding bits included. The packer packs only frames of the configured size.
    if (n < 0 || n >= frames.count) return true;
    size_t frameBytes = frameBytesOf(frames.width, frames.height);
    const unsigned char *frame = frameStart(frames, n);
    unsigned char *data = record.data() + 2;
    bool sameSize = frames.width == settings.width && frames.height == settings.height;
    if (frames.coding != 0) {
        if (sameSize) packCodedFrame(frames, settings.codingStyle, settings.alignStyle, data);
    } else if (settings.codingStyle == 0 && settings.alignStyle == 0) {
        memcpy(data, frame, length < frameBytes ? length : frameBytes);
    } else if (sameSize) {
        packInOrder(frame, frames.width, frames.height, settings.codingStyle, settings.alignStyle,
                    data);
    }
    return true;
}
