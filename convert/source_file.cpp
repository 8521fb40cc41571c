#include "convert/source_file.h"

#include "convert/input_file.h"
#include "convert/source_parser.h"
#include "convert/text_conversion.h"
#include "convert/text_file.h"
#include "model/modes.h"
#include "model/size_limits.h"
#include "output/dot_orders.h"

#include <cstdio>
#include <cstring>

static const long long maxSourceBytes = 64LL << 20;
static const size_t maxSourceFrames = 65536;

static const char *checkSource(const ParsedSource &source) {
    const Settings &settings = source.settings;
    if (settings.bitmapStyle != 0) return "Its gray or colour pixels can't be edited as dots.";
    if (source.settingsProblem) return source.settingsProblem;
    size_t bytes;
    if (source.frames.empty() || source.frames.size() > maxSourceFrames ||
        !frameStoreBytes(settings.width, settings.height, source.frames.size(), 1, bytes))
        return sizeProblem;
    size_t frameBytes = orderedFrameBytes(settings.width, settings.height, settings.codingStyle);
    for (const std::vector<unsigned char> &frame : source.frames)
        if (frame.size() != frameBytes)
            return "A frame in it has fewer or more bytes than its size needs.";
    return nullptr;
}

// The frames' names: the characters of the keywords when they were written from a text or
// from frames named so, then "Custom %d".
static std::vector<std::string> frameNames(const ParsedSource &source) {
    if (source.utf8Keywords) { // a name a Unicode character
        std::vector<std::string> names;
        for (const std::wstring &character : unicodeCharacters(wideOf(source.keywords), false))
            names.push_back(utf8Of(character));
        for (size_t i = names.size(); i < source.frames.size(); ++i)
            names.push_back("Custom " + std::to_string(i + 1));
        names.resize(source.frames.size());
        return names;
    }
    const std::string &keywords = source.keywords;
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(keywords.data());
    int mode = source.settings.inputMode;
    bool characters = mode == ManualPaint || mode == ManualText;
    std::vector<std::string> names;
    size_t at = 0;
    for (size_t i = 0; i < source.frames.size(); ++i) {
        if (at < keywords.size() && keywords[at] == '\t') ++at; // after a high byte alone
        size_t length =
            at < keywords.size() ? characterBytes(bytes, static_cast<int>(at), keywords.size()) : 1;
        if (characters && at + length <= keywords.size()) {
            names.push_back(keywords.substr(at, length));
            at += length;
        } else {
            names.push_back("Custom " + std::to_string(i + 1));
        }
    }
    return names;
}

static void takeFrames(const ParsedSource &source, LoadedSource &loaded) {
    FrameSet &frames = loaded.frames;
    const Settings &settings = source.settings;
    size_t frameBytes = frameBytesOf(settings.width, settings.height);
    for (size_t i = 0; i < source.frames.size(); ++i) {
        unsigned char *frame = frameStart(frames, static_cast<int>(i));
        if (settings.codingStyle == 0 && settings.alignStyle == 0) // as written, padding too
            memcpy(frame, source.frames[i].data(), frameBytes);
        else
            unpackInOrder(source.frames[i].data(), settings.width, settings.height,
                          settings.codingStyle, settings.alignStyle, frame);
    }
    frames.names = frameNames(source);
    frames.unicodeNames = source.utf8Keywords;
    loaded.settings = settings;
}

FramesMade loadSource(const char *path, LoadedSource &loaded, Reporter &report) {
    if (pathTooLong(path)) {
        reportPathTooLong(report);
        return FramesMade::refused;
    }
    std::string text;
    ParsedSource source;
    const char *reason = readWholeFile(path, maxSourceBytes, text);
    if (!reason) reason = parseSource(text, source);
    if (!reason) reason = checkSource(source);
    if (reason) {
        report.tell(std::string("Can't load ") + path + "!\n" + reason, MB_ICONERROR);
        return FramesMade::refused;
    }
    FramesMade made = makeFrames(loaded.frames, source.settings.width, source.settings.height,
                                 static_cast<int>(source.frames.size()));
    if (made == FramesMade::made) takeFrames(source, loaded);
    return made;
}
