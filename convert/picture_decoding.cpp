#include "convert/picture_pixels.h"

#include "convert/unicode_text.h"
#include "model/modes.h"

#include <wincodec.h>

#include <algorithm>
#include <cmath>

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

static const char *decodeFrame(IWICBitmapDecoder *decoder, UINT n, long long &pixelsLeft,
                               PicturePixels &picture) {
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(n, &frame.object)) || FAILED(frame->GetSize(&width, &height)))
        return "It can't be read as a picture.";
    pixelsLeft -= static_cast<long long>(width) * height;
    if (width == 0 || height == 0 || pixelsLeft < 0)
        return "Its size is not one this program imports.";
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.object,
                                      &converted.object)) ||
        !readPixels(converted.object, picture.width, picture.height, picture.pixels))
        return "It can't be read as a picture.";
    for (DWORD &pixel : picture.pixels)
        pixel = overWhite(pixel);
    return nullptr;
}

const char *decodePicture(const char *path, int size, int width, int height,
                          std::vector<PicturePixels> &frames) {
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
    long long pixelsLeft = maxPicturePixels;
    std::vector<PicturePixels> decoded(count);
    for (UINT n = 0; n < count; ++n) {
        if (const char *reason = decodeFrame(decoder.object, n, pixelsLeft, decoded[n]))
            return reason;
        bool scaled = size == PictureFitted      ? fit(factory.object, decoded[n], width, height)
                      : size == PictureStretched ? scale(factory.object, decoded[n], width, height)
                                                 : true;
        if (!scaled) return "It can't be scaled to the matrix.";
    }
    frames = std::move(decoded);
    return nullptr;
}
