#include "frontend/ui/picture_win32.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "files/bmp_encoder.h"
#include "frontend/ui/dpi_win32.h"
#include "frontend/ui/picture.h"

PictureData::~PictureData() {
    if (bitmap) DeleteObject(bitmap);
}

namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

IWICImagingFactory* imagingFactory() {
    static IWICImagingFactory* factory = [] {
        // The thread may already be initialised in another model; WIC works in both.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IWICImagingFactory* f = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&f))))
            f = nullptr;
        return f;
    }();
    return factory;
}

// A new picture of the size, its pixels to be filled through `bits`.
std::shared_ptr<PictureData> newPicture(int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (!bitmap || !*bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    auto picture = std::make_shared<PictureData>();
    picture->bitmap = bitmap;
    picture->bits = static_cast<const unsigned char*>(*bits);
    picture->width = width;
    picture->height = height;
    return picture;
}

std::shared_ptr<PictureData> decode(const void* data, DWORD size) {
    IWICImagingFactory* factory = imagingFactory();
    if (!factory || !data || size == 0) return nullptr;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 || height > 16384)
        return nullptr;

    void* bits = nullptr;
    std::shared_ptr<PictureData> picture = newPicture(static_cast<int>(width), static_cast<int>(height), &bits);
    const UINT stride = width * 4;
    if (!picture || FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
        return nullptr;
    return picture;
}

PixelImage pixelsOf(const PictureData& picture) {
    PixelImage image{picture.width, picture.height, {}};
    image.bytes.assign(picture.bits, picture.bits + static_cast<size_t>(picture.width) * picture.height * 4);
    return image;
}

// A cursor's picture at its size: its colours where its AND mask is clear,
// transparent where it is set. A monochrome cursor's mask holds the AND
// plane over the XOR plane: black and white show as themselves, an
// inverting pixel as black.
PixelImage cursorPixels(HCURSOR cursor, int side, POINT& hotSpot) {
    PixelImage image;
    ICONINFO info = {};
    if (!GetIconInfo(cursor, &info)) return image;
    hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    const int planes = info.hbmColor ? 1 : 2;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } format = {};
    format.header.biSize = sizeof(BITMAPINFOHEADER);
    format.header.biWidth = side;
    format.header.biHeight = -planes * side;
    format.header.biPlanes = 1;
    format.header.biBitCount = 1;
    const int rowBytes = ((side + 31) / 32) * 4;
    std::vector<uint8_t> mask(static_cast<size_t>(rowBytes) * planes * side);
    std::vector<uint8_t> colour(static_cast<size_t>(side) * side * 4, 0);
    HDC screen = GetDC(nullptr);
    bool read = info.hbmMask && GetDIBits(screen, info.hbmMask, 0, planes * side, mask.data(),
                                          reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS) == planes * side;
    if (read && info.hbmColor) {
        format.header.biHeight = -side;
        format.header.biBitCount = 32;
        read = GetDIBits(screen, info.hbmColor, 0, side, colour.data(), reinterpret_cast<BITMAPINFO*>(&format),
                         DIB_RGB_COLORS) == side;
    }
    ReleaseDC(nullptr, screen);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (!read) return image;
    auto bit = [&](int plane, int x, int y) {
        return (mask[static_cast<size_t>(plane * side + y) * rowBytes + x / 8] >> (7 - x % 8)) & 1;
    };
    image.width = side;
    image.height = side;
    image.bytes.assign(static_cast<size_t>(side) * side * 4, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint8_t* p = &image.bytes[(static_cast<size_t>(y) * side + x) * 4];
            if (planes == 1) {
                if (bit(0, x, y)) continue;
                std::memcpy(p, &colour[(static_cast<size_t>(y) * side + x) * 4], 3);
            } else {
                if (bit(0, x, y) && !bit(1, x, y)) continue;
                p[0] = p[1] = p[2] = !bit(0, x, y) && bit(1, x, y) ? 255 : 0;
            }
            p[3] = 255;
        }
    return image;
}

// A cursor from a picture with alpha whose colours are weighted by their
// alpha (as resampling a black-edged picture leaves them), and its hot spot.
HCURSOR makeCursor(PixelImage image, POINT hotSpot) {
    const int side = image.width;
    for (size_t i = 0; i < image.bytes.size(); i += 4) {
        const int a = image.bytes[i + 3];
        for (int c = 0; c < 3; ++c)
            image.bytes[i + c] = a == 0 ? 0 : static_cast<uint8_t>(std::min(255, image.bytes[i + c] * 255 / a));
    }
    void* bits = nullptr;
    std::shared_ptr<PictureData> colour = newPicture(side, image.height, &bits);
    if (!colour) return nullptr;
    std::memcpy(bits, image.bytes.data(), image.bytes.size());
    // The AND mask for systems that ignore the alpha: clear where mostly opaque.
    const int rowBytes = ((side + 15) / 16) * 2;
    std::vector<uint8_t> mask(static_cast<size_t>(rowBytes) * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < side; ++x)
            if (image.bytes[(static_cast<size_t>(y) * side + x) * 4 + 3] < 128)
                mask[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    HBITMAP maskBitmap = CreateBitmap(side, image.height, 1, 1, mask.data());
    ICONINFO info = {FALSE, static_cast<DWORD>(hotSpot.x), static_cast<DWORD>(hotSpot.y), maskBitmap, colour->bitmap};
    HCURSOR cursor = maskBitmap ? reinterpret_cast<HCURSOR>(CreateIconIndirect(&info)) : nullptr;
    if (maskBitmap) DeleteObject(maskBitmap);
    return cursor;
}

}  // namespace

PictureRef loadPictureResource(int id) {
    static std::map<int, PictureRef> cache;
    if (id == 0) return nullptr;
    auto found = cache.find(id);
    if (found != cache.end()) return found->second;
    PictureRef picture;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (resource) {
        HGLOBAL loaded = LoadResource(module, resource);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        picture = decode(data, SizeofResource(module, resource));
    }
    cache[id] = picture;
    return picture;
}

PictureRef scaledPicture(const PictureRef& picture, int width, int height) {
    if (!picture || (picture->width == width && picture->height == height)) return picture;
    // Keyed by the source itself, which the key keeps alive.
    static std::map<std::tuple<PictureRef, int, int>, PictureRef> cache;
    const auto key = std::make_tuple(picture, width, height);
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    const PixelImage scaled = resample(pixelsOf(*picture), width, height);
    void* bits = nullptr;
    std::shared_ptr<PictureData> made = scaled.bytes.empty() ? nullptr : newPicture(width, height, &bits);
    if (made) std::memcpy(bits, scaled.bytes.data(), scaled.bytes.size());
    cache[key] = made;
    return made;
}

PictureRef pictureAtDpi(const PictureRef& picture, int dpi) {
    if (!picture) return picture;
    return scaledPicture(picture, picturePixels(picture->width, dpi), picturePixels(picture->height, dpi));
}

HCURSOR loadCursorAtDpi(int id, int dpi) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HCURSOR original = LoadCursorW(instance, MAKEINTRESOURCEW(id));
    if (!original || (dpi == 96 && systemDpi() == 96)) return original;
    static std::map<std::pair<int, int>, HCURSOR> cache;
    auto found = cache.find({id, dpi});
    if (found != cache.end()) return found->second;
    // The resource's own image at its design size, 32 x 32 (not the shared
    // cursor, which the system makes at its own cursor size).
    const int side = 32;
    HCURSOR design =
        static_cast<HCURSOR>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_CURSOR, side, side, LR_DEFAULTCOLOR));
    POINT hotSpot = {0, 0};
    const PixelImage pixels = design ? cursorPixels(design, side, hotSpot) : PixelImage{};
    if (design) DestroyCursor(design);
    const int scaledSide = picturePixels(side, dpi);
    HCURSOR cursor = nullptr;
    if (!pixels.bytes.empty())
        cursor = makeCursor(resample(pixels, scaledSide, scaledSide),
                            POINT{picturePixels(hotSpot.x, dpi), picturePixels(hotSpot.y, dpi)});
    if (!cursor) cursor = original;
    cache[{id, dpi}] = cursor;
    return cursor;
}

std::vector<uint8_t> pictureBmpFile(const PictureData& picture) {
    if (!picture.bits || picture.width <= 0 || picture.height <= 0) return {};
    return encodeBmp24(picture.bits, picture.width, picture.height, PixelLayout::Bgrx);
}

bool writePictureBmp(const PictureData& picture, const char* path) {
    const std::vector<uint8_t> file = pictureBmpFile(picture);
    if (file.empty() || !path) return false;

    HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(handle);
    return ok && written == file.size();
}

void drawPicture(HDC dc, const PictureData& picture, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
    if (!picture.bitmap || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    HGDIOBJ old = SelectObject(source, picture.bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (dw == sw && dh == sh)
        BitBlt(dc, dx, dy, dw, dh, source, sx, sy, SRCCOPY);
    else
        StretchBlt(dc, dx, dy, dw, dh, source, sx, sy, sw, sh, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

bool growSurface(Surface& s, int width, int height, COLORREF fill) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (s.dc && width <= s.width && height <= s.height) return true;
    const int newWidth = std::max(width, s.width);
    const int newHeight = std::max(height, s.height);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, newWidth, newHeight);
    ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (dc) DeleteDC(dc);
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = {0, 0, newWidth, newHeight};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (s.dc) BitBlt(dc, 0, 0, s.width, s.height, s.dc, 0, 0, SRCCOPY);
    freeSurface(s);
    s = Surface{dc, bitmap, previous, newWidth, newHeight};
    return true;
}

void freeSurface(Surface& s) {
    if (s.dc) {
        SelectObject(s.dc, s.previous);
        DeleteDC(s.dc);
    }
    if (s.bitmap) DeleteObject(s.bitmap);
    s = Surface{};
}
