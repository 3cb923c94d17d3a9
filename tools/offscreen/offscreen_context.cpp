#include "tools/offscreen/offscreen_context.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <cstring>

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
}

OffscreenContext::~OffscreenContext() {
    if (context_ != nullptr) {
        if (OSMesaGetCurrentContext() == static_cast<OSMesaContext>(context_))
            OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
        OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
    }
}

bool OffscreenContext::makeCurrent() {
    return context_ != nullptr &&
           OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE, width_, height_);
}

Rgba OffscreenContext::pixel(int x, int y) const {
    if (context_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0, 0};
    glFinish();
    const size_t row = static_cast<size_t>(height_ - 1 - y);
    const unsigned char* p = &buffer_[(row * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 4u];
    return {p[0], p[1], p[2], p[3]};
}

std::vector<unsigned char> OffscreenContext::frame() const {
    std::vector<unsigned char> picture(buffer_.size());
    if (context_ != nullptr) glFinish();
    const size_t rowBytes = static_cast<size_t>(width_) * 4u;
    for (int y = 0; y < height_; ++y) {
        const size_t from = static_cast<size_t>(height_ - 1 - y) * rowBytes;
        std::memcpy(&picture[static_cast<size_t>(y) * rowBytes], &buffer_[from], rowBytes);
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
