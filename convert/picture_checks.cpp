// What the importer checks of a picture file's structure before or beside the imaging component:
// a TIFF's chain of pages, which could lead the decoder round for ever, and the damage a PNG or a
// GIF may have that the decoder passes over without a word.
#include "convert/input_file.h"
#include "convert/picture_pixels.h"

#include <set>
#include <string>
#include <vector>

const char *tiffPagesProblem(const std::string &bytes) {
    if (bytes.size() < 8) return nullptr;
    bool bigEndian = bytes.compare(0, 2, "MM") == 0;
    if (!bigEndian && bytes.compare(0, 2, "II") != 0) return nullptr;
    unsigned long long version = numberAt(bytes, 2, 2, bigEndian);
    if (version != 42 && version != 43) return nullptr;
    // BigTIFF: 8-byte offsets and counts, 20-byte entries
    bool big = version == 43;
    int offsetBytes = big ? 8 : 4, countBytes = big ? 8 : 2, entryBytes = big ? 20 : 12;
    if (big && bytes.size() < 16) return "A page of it lies beyond its end.";
    unsigned long long page = numberAt(bytes, big ? 8 : 4, offsetBytes, bigEndian);
    std::set<unsigned long long> seen;
    while (page != 0) {
        if (!seen.insert(page).second) return "Its pages form a loop.";
        if (page > bytes.size() || bytes.size() - page < static_cast<size_t>(countBytes))
            return "A page of it lies beyond its end.";
        unsigned long long entries = numberAt(bytes, page, countBytes, bigEndian);
        unsigned long long next = page + countBytes + entries * entryBytes;
        if (entries > bytes.size() || next > bytes.size() ||
            bytes.size() - next < size_t(offsetBytes))
            return "A page of it lies beyond its end.";
        page = numberAt(bytes, next, offsetBytes, bigEndian);
    }
    return nullptr;
}

static unsigned long crcOf(const std::string &bytes, size_t at, size_t length) {
    unsigned long crc = 0xFFFFFFFF;
    for (size_t i = at; i < at + length; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFF;
}

static std::string pngDamage(const std::string &bytes) {
    for (size_t at = 8; at + 12 <= bytes.size();) {
        unsigned long long length = numberAt(bytes, at, 4, true);
        if (length > bytes.size() - at - 12) return "it ends inside a chunk.";
        std::string type = bytes.substr(at + 4, 4);
        if (crcOf(bytes, at + 4, length + 4) != numberAt(bytes, at + 8 + length, 4, true))
            return "the checksum of its " + type + " chunk is wrong.";
        if (type == "IEND") return "";
        at += length + 12;
    }
    return "it ends before its last chunk.";
}

// The sub-blocks from at, which the block of length 0 ends; false when the file ends first.
static bool skipSubBlocks(const std::string &bytes, size_t &at) {
    while (at < bytes.size()) {
        unsigned char length = static_cast<unsigned char>(bytes[at++]);
        if (length == 0) return true;
        at += length;
    }
    return false;
}

// The pixels an image's LZW data gives: the codes decoded for their lengths only.
static unsigned long long lzwPixels(const std::string &data, int minimumCodeSize) {
    if (minimumCodeSize < 2 || minimumCodeSize > 11) return 0;
    const unsigned clear = 1u << minimumCodeSize, end = clear + 1;
    std::vector<unsigned> lengths(4096, 1);
    unsigned next = end + 1, previous = 4096, width = minimumCodeSize + 1;
    unsigned long long pixels = 0, bitsLeft = data.size() * 8ULL, bit = 0;
    while (bitsLeft >= width) {
        unsigned code = 0;
        for (unsigned i = 0; i < width; ++i, ++bit)
            code |= (static_cast<unsigned char>(data[bit / 8]) >> (bit % 8) & 1u) << i;
        bitsLeft -= width;
        if (code == clear) {
            next = end + 1, width = minimumCodeSize + 1, previous = 4096;
            continue;
        }
        if (code == end || code > next || (code == next && previous == 4096)) break;
        unsigned length = code < next ? lengths[code] : lengths[previous] + 1;
        if (previous != 4096 && next < 4096) lengths[next++] = lengths[previous] + 1;
        if (next == 1u << width && width < 12) ++width;
        pixels += length;
        previous = code;
    }
    return pixels;
}

static std::string gifDamage(const std::string &bytes) {
    if (bytes.size() < 13) return "it ends inside its header.";
    unsigned char flags = static_cast<unsigned char>(bytes[10]);
    size_t at = 13 + (flags & 0x80 ? 3u << ((flags & 7) + 1) : 0);
    while (at < bytes.size()) {
        unsigned char block = static_cast<unsigned char>(bytes[at++]);
        if (block == 0x3B) return "";
        if (block == 0x21 && at < bytes.size()) {
            ++at; // the extension's label
            if (!skipSubBlocks(bytes, at)) break;
            continue;
        }
        if (block != 0x2C || at + 10 > bytes.size()) break;
        unsigned long long width = numberAt(bytes, at + 4, 2, false);
        unsigned long long height = numberAt(bytes, at + 6, 2, false);
        unsigned char imageFlags = static_cast<unsigned char>(bytes[at + 8]);
        at += 9 + (imageFlags & 0x80 ? 3u << ((imageFlags & 7) + 1) : 0);
        if (at >= bytes.size()) break;
        int minimumCodeSize = static_cast<unsigned char>(bytes[at++]);
        std::string data;
        size_t start = at;
        if (!skipSubBlocks(bytes, at)) break;
        for (size_t block = start; block + 1 < at;) {
            size_t length = static_cast<unsigned char>(bytes[block]);
            data += bytes.substr(block + 1, length);
            block += 1 + length;
        }
        if (lzwPixels(data, minimumCodeSize) < width * height)
            return "an image of it has fewer pixels than its size.";
    }
    return "it ends before its trailer.";
}

std::string pictureDamage(const std::string &bytes) {
    std::string damage;
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) damage = pngDamage(bytes);
    if (bytes.compare(0, 4, "GIF8") == 0) damage = gifDamage(bytes);
    return damage.empty() ? "" : "The picture is damaged: " + damage;
}
