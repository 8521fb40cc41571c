#include "convert/picture_pixels.h"

#include "convert/unicode_text.h"
#include "model/modes.h"

#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <memory>

// Releases a COM object at the end of its scope.
template <typename Interface> struct Held {
    Interface *object = nullptr;
    ~Held() {
        if (object) object->Release();
    }
    Interface *operator->() const { return object; }
};

// COM for the calling thread while a picture is decoded.
struct ComApartment {
    bool initialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ~ComApartment() {
        if (initialized) CoUninitialize();
    }
};

static bool createFactory(Held<IWICImagingFactory> &factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory.object)));
}

const char imagingMissing[] = "The imaging component is missing: only BMP pictures can be read.";

// Straight alpha laid over white: the opaque colour, 0xRRGGBB.
static DWORD overWhite(DWORD bgra) {
    unsigned alpha = bgra >> 24, rgb = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        unsigned channel = bgra >> shift & 255;
        rgb |= (channel * alpha + 255 * (255 - alpha) + 127) / 255 << shift;
    }
    return rgb;
}

static bool readPixels(IWICBitmapSource *source, int width, int height,
                       std::vector<DWORD> &pixels) {
    pixels.assign(static_cast<size_t>(width) * height, 0);
    WICRect all = {0, 0, width, height};
    return SUCCEEDED(source->CopyPixels(&all, width * 4, static_cast<UINT>(pixels.size() * 4),
                                        reinterpret_cast<BYTE *>(pixels.data())));
}

// The picture scaled to width x height with the imaging component's high-quality scaler.
static bool scale(IWICImagingFactory *factory, PicturePixels &picture, int width, int height) {
    Held<IWICBitmap> bitmap;
    Held<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapFromMemory(
            picture.width, picture.height, GUID_WICPixelFormat32bppBGR, picture.width * 4,
            static_cast<UINT>(picture.pixels.size() * 4),
            reinterpret_cast<BYTE *>(picture.pixels.data()), &bitmap.object)) ||
        FAILED(factory->CreateBitmapScaler(&scaler.object)) ||
        FAILED(scaler->Initialize(bitmap.object, width, height, WICBitmapInterpolationModeFant)))
        return false;
    std::vector<DWORD> scaled;
    if (!readPixels(scaler.object, width, height, scaled)) return false;
    for (DWORD &pixel : scaled)
        pixel &= 0xFFFFFF;
    picture = {width, height, std::move(scaled)};
    return true;
}

// Fitted: scaled to keep its shape inside width x height, centred on white.
static bool fit(IWICImagingFactory *factory, PicturePixels &picture, int width, int height) {
    double factor = std::min(double(width) / picture.width, double(height) / picture.height);
    int fittedWidth = std::max(1, static_cast<int>(std::lround(picture.width * factor)));
    int fittedHeight = std::max(1, static_cast<int>(std::lround(picture.height * factor)));
    if (!scale(factory, picture, fittedWidth, fittedHeight)) return false;
    PicturePixels framed = {width, height, std::vector<DWORD>(size_t(width) * height, 0xFFFFFF)};
    int left = (width - fittedWidth) / 2, top = (height - fittedHeight) / 2;
    for (int y = 0; y < fittedHeight; ++y)
        std::copy_n(picture.pixels.begin() + size_t(y) * fittedWidth, fittedWidth,
                    framed.pixels.begin() + size_t(y + top) * width + left);
    picture = std::move(framed);
    return true;
}

// A number from a metadata reader by its query, or fallback where it has none.
static unsigned metadataNumber(IWICMetadataQueryReader *reader, const wchar_t *query,
                               unsigned fallback) {
    PROPVARIANT value;
    PropVariantInit(&value);
    if (!reader || FAILED(reader->GetMetadataByName(query, &value))) return fallback;
    unsigned number = value.vt == VT_UI1 ? value.bVal : value.vt == VT_UI2 ? value.uiVal : fallback;
    PropVariantClear(&value);
    return number;
}

// Where a frame of an animation lies on its logical screen, and what happens to it after.
struct FramePlace {
    int left = 0, top = 0;
    unsigned disposal = 0; // 2: its area goes back to the background, 3: to what was before
};

static FramePlace placeOf(IWICBitmapFrameDecode *frame) {
    Held<IWICMetadataQueryReader> reader;
    frame->GetMetadataQueryReader(&reader.object);
    return {static_cast<int>(metadataNumber(reader.object, L"/imgdesc/Left", 0)),
            static_cast<int>(metadataNumber(reader.object, L"/imgdesc/Top", 0)),
            metadataNumber(reader.object, L"/grctlext/Disposal", 0)};
}

// A frame's pixels, 0xAARRGGBB.
static const char *decodeFrame(IWICBitmapFrameDecode *frame, PicturePixels &picture) {
    Held<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height))) return "It can't be read as a picture.";
    if (width == 0 || height == 0 || static_cast<long long>(width) * height > maxPicturePixels)
        return "Its size is not one this program imports.";
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted.object)) ||
        !readPixels(converted.object, picture.width, picture.height, picture.pixels))
        return "It can't be read as a picture.";
    return nullptr;
}

// An animation as it is shown: each frame laid at its place over what the frames before it left
// on the logical screen, then its area disposed of as it says.
class AnimationScreen {
  public:
    AnimationScreen(int width, int height)
        : screen{width, height, std::vector<DWORD>(size_t(width) * height, 0)} {}
    PicturePixels show(const PicturePixels &frame, const FramePlace &place) {
        PicturePixels before = screen;
        forEachPixel(frame, place, [&frame](DWORD &pixel, size_t i) {
            if (frame.pixels[i] >> 24) pixel = frame.pixels[i];
        });
        PicturePixels shown = screen;
        if (place.disposal == 3) screen = std::move(before);
        if (place.disposal == 2)
            forEachPixel(frame, place, [](DWORD &pixel, size_t) { pixel = 0; });
        return shown;
    }

  private:
    PicturePixels screen;
    template <typename Action>
    void forEachPixel(const PicturePixels &frame, const FramePlace &place, Action action) {
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x) {
                int sx = place.left + x, sy = place.top + y;
                if (sx < screen.width && sy < screen.height)
                    action(screen.pixels[size_t(sy) * screen.width + sx],
                           size_t(y) * frame.width + x);
            }
    }
};

const char *decodePicture(const char *path, std::vector<PicturePixels> &frames) {
    ComApartment com;
    Held<IWICImagingFactory> factory;
    if (!createFactory(factory)) return imagingMissing;
    Held<IWICBitmapDecoder> decoder;
    UINT count = 0;
    if (FAILED(factory->CreateDecoderFromFilename(wideOf(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand,
                                                  &decoder.object)) ||
        FAILED(decoder->GetFrameCount(&count)))
        return "It can't be read as a picture.";
    if (count == 0) return "It holds no picture.";
    GUID container = {};
    decoder->GetContainerFormat(&container);
    Held<IWICMetadataQueryReader> reader;
    bool animation = container == GUID_ContainerFormatGif &&
                     SUCCEEDED(decoder->GetMetadataQueryReader(&reader.object));
    long long pixelsLeft = maxPicturePixels;
    std::vector<PicturePixels> decoded(count);
    std::unique_ptr<AnimationScreen> screen;
    for (UINT n = 0; n < count; ++n) {
        Held<IWICBitmapFrameDecode> frame;
        if (FAILED(decoder->GetFrame(n, &frame.object))) return "It can't be read as a picture.";
        if (const char *reason = decodeFrame(frame.object, decoded[n])) return reason;
        if (animation) {
            int width = static_cast<int>(metadataNumber(reader.object, L"/logscrdesc/Width", 0));
            int height = static_cast<int>(metadataNumber(reader.object, L"/logscrdesc/Height", 0));
            if (width <= 0 || height <= 0) width = decoded[0].width, height = decoded[0].height;
            if (!screen) screen.reset(new AnimationScreen(width, height));
            decoded[n] = screen->show(decoded[n], placeOf(frame.object));
        }
        pixelsLeft -= static_cast<long long>(decoded[n].width) * decoded[n].height;
        if (pixelsLeft < 0) return "Its size is not one this program imports.";
    }
    for (PicturePixels &picture : decoded)
        for (DWORD &pixel : picture.pixels)
            pixel = overWhite(pixel);
    frames = std::move(decoded);
    return nullptr;
}

const char *sizePictures(std::vector<PicturePixels> &pictures, int size, int width, int height) {
    if (size == PictureAsTheFile) return nullptr;
    // the pixels held scaled, all frames together, within the bound, before any is made
    if (static_cast<long long>(width) * height * static_cast<long long>(pictures.size()) >
        maxPicturePixels)
        return "Its frames scaled to the matrix would be too large.";
    ComApartment com;
    Held<IWICImagingFactory> factory;
    if (!createFactory(factory)) return imagingMissing;
    for (PicturePixels &picture : pictures) {
        bool scaled = size == PictureFitted ? fit(factory.object, picture, width, height)
                                            : scale(factory.object, picture, width, height);
        if (!scaled) return "It can't be scaled to the matrix.";
    }
    return nullptr;
}
