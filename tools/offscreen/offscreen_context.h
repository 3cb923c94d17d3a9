// A GL context that draws into memory: RGBA, 16-bit depth, made current when
// constructed. Pixels are addressed as on screen, (0, 0) at the top left.
//
// Drawing goes to a framebuffer object, as a window's drawing goes to its
// back buffer: OSMesa's own buffer is a front buffer that every glFlush
// copies out in full, a cost no window pays.
#pragma once
#include <string>
#include <vector>

struct Rgba {
    unsigned char r, g, b, a;
};

class OffscreenContext {
public:
    explicit OffscreenContext(int width = 1024, int height = 768);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // False when the context could not be made or made current.
    bool ready() const { return context_ != nullptr; }
    // Makes this context the current one again (after another was made
    // current); false when it is not ready.
    bool makeCurrent();
    int width() const { return width_; }
    int height() const { return height_; }

    // Both finish the GL's work first. Outside the picture: all zero.
    Rgba pixel(int x, int y) const;
    // The whole picture, rows from the top, 4 bytes a pixel.
    std::vector<unsigned char> frame() const;
    // Binary PPM (RGB) of the picture, for looking at a frame by eye.
    bool writePpm(const std::string& path) const;

private:
    bool makeFramebuffer();

    int width_;
    int height_;
    std::vector<unsigned char> buffer_;  // OSMesa's own, rows from the bottom
    void* context_ = nullptr;
    unsigned int framebuffer_ = 0;
    unsigned int renderbuffers_[2] = {0, 0};  // colour, depth
};
