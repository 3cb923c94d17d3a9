// Pixel formats, contexts and swap control through WGL.
#include "renderer/gl_context_win32.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "diagnostics/failure_log_win32.h"

namespace {

using SwapIntervalProc = BOOL(WINAPI*)(int);
using ExtensionsStringProc = const char*(WINAPI*)();

template <typename Proc>
Proc glProc(const char* name) {
    const PROC address = wglGetProcAddress(name);
    // Some drivers answer a name they do not know with 1, 2, 3 or -1.
    const auto value = reinterpret_cast<std::intptr_t>(address);
    if (value >= -1 && value <= 3) return nullptr;
    // Through a plain function pointer, so the cast from PROC is not taken
    // for a signature mismatch.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(address));
}

bool swapControlOffered() {
    const auto wglExtensions = glProc<ExtensionsStringProc>("wglGetExtensionsStringEXT");
    if (wglExtensions != nullptr) {
        const char* list = wglExtensions();
        if (list != nullptr && std::strstr(list, "WGL_EXT_swap_control") != nullptr) return true;
    }
    const char* glList = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return glList != nullptr && std::strstr(glList, "WGL_EXT_swap_control") != nullptr;
}

PIXELFORMATDESCRIPTOR pixelFormatRequest(int bits) {
    PIXELFORMATDESCRIPTOR pfd;
    std::memset(&pfd, 0, sizeof pfd);
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(bits);
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

}  // namespace

HGLRC createGlContext(HDC deviceContext, int bits, HGLRC shareWith) {
    const PIXELFORMATDESCRIPTOR request = pixelFormatRequest(bits);
    const int format = ChoosePixelFormat(deviceContext, &request);
    if (format == 0) {
        logLastError("no pixel format for " + std::to_string(bits) + "-bit colour");
        return nullptr;
    }
    if (!SetPixelFormat(deviceContext, format, &request)) {
        logLastError("pixel format " + std::to_string(format) + " cannot be set");
        return nullptr;
    }
    const HGLRC context = wglCreateContext(deviceContext);
    if (context == nullptr) {
        logLastError("the GL context cannot be made");
        return nullptr;
    }
    // Sharing must come before the new context is first made current.
    if (shareWith != nullptr && !wglShareLists(shareWith, context)) {
        logLastError("the GL context cannot share the lake's textures");
        wglDeleteContext(context);
        return nullptr;
    }
    return context;
}

void setSwapInterval(int interval) {
    if (!swapControlOffered()) return;
    const auto swapInterval = glProc<SwapIntervalProc>("wglSwapIntervalEXT");
    if (swapInterval != nullptr) swapInterval(interval);
}

void (*lookUpWglProc(const char* name))() { return glProc<void (*)()>(name); }
