#include "frontend/ui/picture_win32.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

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

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    auto picture = std::make_shared<PictureData>();
    picture->bitmap = bitmap;
    picture->bits = static_cast<const unsigned char*>(bits);
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    return picture;
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

bool writePictureBmp(const PictureData& picture, const char* path) {
    if (!picture.bits || picture.width <= 0 || picture.height <= 0 || !path) return false;
    const DWORD rowBytes = (static_cast<DWORD>(picture.width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(picture.height);
    const DWORD headerBytes = 14 + 40;

    std::vector<unsigned char> file(headerBytes + imageBytes, 0);
    auto put16 = [&](size_t at, unsigned v) {
        file[at] = v & 0xFF;
        file[at + 1] = (v >> 8) & 0xFF;
    };
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF;
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, headerBytes + imageBytes);
    put32(10, headerBytes);
    put32(14, 40);
    put32(18, static_cast<DWORD>(picture.width));
    put32(22, static_cast<DWORD>(picture.height));  // bottom row first
    put16(26, 1);
    put16(28, 24);
    put32(30, 0);  // BI_RGB
    put32(34, imageBytes);
    put32(38, 3780);  // 96 dots per inch
    put32(42, 3780);
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* src = picture.bits + static_cast<size_t>(picture.height - 1 - y) * picture.width * 4;
        unsigned char* dst = file.data() + headerBytes + static_cast<size_t>(y) * rowBytes;
        for (int x = 0; x < picture.width; ++x) {
            dst[x * 3 + 0] = src[x * 4 + 0];
            dst[x * 3 + 1] = src[x * 4 + 1];
            dst[x * 3 + 2] = src[x * 4 + 2];
        }
    }

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
    s.dc = dc;
    s.bitmap = bitmap;
    s.previous = previous;
    s.width = newWidth;
    s.height = newHeight;
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
