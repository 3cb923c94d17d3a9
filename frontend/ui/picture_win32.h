// Pictures and persistent images for the forms runtime and the custom button.
// A picture is a decoded resource of Kestrine.scr held as a 32-bit DIB
// section; a surface is a memory device context with a bitmap that keeps
// whatever is drawn on it (a window's persistent image).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

struct PictureData {
    HBITMAP bitmap = nullptr;  // 32-bit top-down DIB section, blue-green-red-unused
    const unsigned char* bits = nullptr;
    int width = 0;
    int height = 0;
    PictureData() = default;
    PictureData(const PictureData&) = delete;
    PictureData& operator=(const PictureData&) = delete;
    ~PictureData();
};
using PictureRef = std::shared_ptr<const PictureData>;

// Decodes the picture resource (JPEG or BMP, type RCDATA) with the platform's
// imaging component. Decoded pictures are shared: the same id gives the same
// picture. Null when the resource is missing or does not decode.
PictureRef loadPictureResource(int id);

// The picture smoothly resampled to width x height (picture.h); the same
// picture when it has that size already. Scaled pictures are kept for the
// next use. Null for a null picture or when the platform refuses.
PictureRef scaledPicture(const PictureRef& picture, int width, int height);
// The picture at a screen's dots per inch: its pixels are made for 96.
PictureRef pictureAtDpi(const PictureRef& picture, int dpi);

// A cursor resource for a screen's dots per inch: the cursor itself where
// the system and dpi are at 96, else its 32 x 32 picture smoothly scaled by
// dpi / 96 with its hot spot. Cursors are kept for the process's life. Null
// when the resource is missing.
HCURSOR loadCursorAtDpi(int id, int dpi);

// The picture as a 24-bit bottom-up BMP file with a 40-byte info header;
// empty for a picture without pixels.
std::vector<uint8_t> pictureBmpFile(const PictureData& picture);

// Writes pictureBmpFile to path.
bool writePictureBmp(const PictureData& picture, const char* path);

// Draws the source rectangle of the picture stretched to the destination.
void drawPicture(HDC dc, const PictureData& picture, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh);

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;
};
// Makes the surface at least width x height, keeping what was drawn and
// filling any new area with fill. False when the platform refused.
bool growSurface(Surface& s, int width, int height, COLORREF fill);
void freeSurface(Surface& s);
