#include "tools/offscreen/offscreen_context.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>

#include <cstdio>
#include <cstring>

#include "renderer/water_mesh.h"

OffscreenContext::OffscreenContext(int width, int height)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      buffer_(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4u, 0) {
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (context == nullptr) return;
    if (!OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, width_, height_)) {
        OSMesaDestroyContext(context);
        return;
    }
    context_ = context;
    // The scene finds the buffer objects the program uses, as the program does.
    glProcLookup = OSMesaGetProcAddress;
    if (!makeFramebuffer()) {
        OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
        OSMesaDestroyContext(context);
        context_ = nullptr;
    }
}

OffscreenContext::~OffscreenContext() {
    if (context_ != nullptr) {
        if (OSMesaGetCurrentContext() == static_cast<OSMesaContext>(context_))
            OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
        OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
    }
}

bool OffscreenContext::makeFramebuffer() {
    glGenRenderbuffers(2, renderbuffers_);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width_, height_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE && glGetError() == GL_NO_ERROR;
}

bool OffscreenContext::makeCurrent() {
    if (context_ == nullptr ||
        !OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE, width_, height_))
        return false;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    return true;
}

Rgba OffscreenContext::pixel(int x, int y) const {
    Rgba seen = {0, 0, 0, 0};
    if (context_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return seen;
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &seen);
    return seen;
}

std::vector<unsigned char> OffscreenContext::frame() const {
    std::vector<unsigned char> picture(buffer_.size());
    if (context_ == nullptr) return picture;
    std::vector<unsigned char> rows(buffer_.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    // GL reads rows from the bottom.
    const size_t rowBytes = static_cast<size_t>(width_) * 4u;
    for (int y = 0; y < height_; ++y) {
        const size_t from = static_cast<size_t>(height_ - 1 - y) * rowBytes;
        std::memcpy(&picture[static_cast<size_t>(y) * rowBytes], &rows[from], rowBytes);
    }
    return picture;
}

bool OffscreenContext::writePpm(const std::string& path) const {
    const std::vector<unsigned char> picture = frame();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width_, height_);
    bool ok = true;
    for (size_t i = 0; i < picture.size() && ok; i += 4) ok = std::fwrite(&picture[i], 1, 3, file) == 3;
    return std::fclose(file) == 0 && ok;
}
