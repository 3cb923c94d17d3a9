// The preview's picture, checked in-process: Wine does not show another
// process's child-window drawing in X screenshots, so this program hosts the
// preview form itself, in a 152 x 112 window of its own, and writes what the
// window shows to a BMP file.
//   frontend_preview_picture REPORT BMP_PATH
// REPORT gets "key value" lines (form and image sizes); exit 0 when they are right.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/preview_mode_win32.h"
#include "host_windows.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

void pumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    MSG message;
    while (GetTickCount64() < end) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
}

bool writeBmp(const char* path, HWND window, int width, int height) {
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + stride * height;
    FILE* out = std::fopen(path, "wb");
    bool ok = out != nullptr;
    if (out) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, static_cast<size_t>(stride) * height, 1, out) == 1;
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (!test_report::open(argv[1])) return 2;
    HWND box = makeHostWindows("KestrinePictureHost", "Kestrine picture host", WS_POPUP | WS_VISIBLE,
                               RECT{20, 20, 320, 220}, WS_CHILD | WS_VISIBLE, RECT{30, 20, 182, 132})
                   .box;
    // As Main hands it the host window's size.
    loadPreviewForm(box, 152, 112);
    pumpFor(500);

    HWND preview = GetWindow(box, GW_CHILD);
    check(preview != nullptr, "child");
    RECT client = {};
    if (preview) GetClientRect(preview, &client);
    note("form_client", std::to_string(client.right) + " " + std::to_string(client.bottom));
    check(client.right == 152 && client.bottom == 112, "form_covers_host");
    InvalidateRect(box, nullptr, TRUE);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpFor(300);
    check(writeBmp(argv[2], box, 152, 112), "picture_written");
    ExitProcess(test_report::finish());
}
