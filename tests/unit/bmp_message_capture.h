// Collects the BMP loader's messages for the duration of a test instead of
// printing them.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "renderer/image/bmp_loader.h"
#include "tests/bmp_corpus/bmp_builder.h"

inline std::vector<std::string>& capturedLoaderMessages() {
    static std::vector<std::string> messages;
    return messages;
}

class BmpTest : public ::testing::Test {
protected:
    void SetUp() override {
        capturedLoaderMessages().clear();
        saved_ = loaderMessageHandler;
        loaderMessageHandler = [](const char* text) { capturedLoaderMessages().push_back(text); };
    }
    void TearDown() override { loaderMessageHandler = saved_; }

    const std::vector<std::string>& messages() const { return capturedLoaderMessages(); }

    // Decodes from a buffer of exactly the file's size, so a read past its end
    // is caught by the address sanitizer.
    static RgbImage* decode(const Bytes& file) { return decodePrefix(file, file.size()); }
    static RgbImage* decodePrefix(const Bytes& file, size_t length) {
        std::unique_ptr<unsigned char[]> exact(new unsigned char[length ? length : 1]);
        std::copy(file.begin(), file.begin() + std::ptrdiff_t(length), exact.get());
        return decodeDibFile(exact.get(), length);
    }

    // The image's pixel (x, y), y = 0 the bottom row, as 0xRRGGBB.
    static uint32_t pixel(const RgbImage* image, int x, int y) {
        const unsigned char* p = image->data + (size_t(y) * size_t(image->width) + size_t(x)) * 3;
        return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }

private:
    void (*saved_)(const char*) = nullptr;
};
