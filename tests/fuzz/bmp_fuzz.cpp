// Feeds arbitrary bytes to the BMP loader's reader, the same code loadDibImage
// runs on a mapped file, with the native converter behind it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include "renderer/image/bmp_loader.h"

namespace {
void ignoreMessage(const char*) {}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    loaderMessageHandler = ignoreMessage;
    // Small ceiling: the fuzzer spends its time on parsing and decoding, not on
    // clearing and copying huge (if legitimate) run-length pictures.
    largestDibTargetBytes = 1 << 20;
    // A copy of exactly the input's size, so reads past the end are caught.
    std::unique_ptr<unsigned char[]> file(new unsigned char[size ? size : 1]);
    if (size) std::memcpy(file.get(), data, size);
    RgbImage* image = decodeDibFile(file.get(), size);
    if (image) {
        // The record must own the whole buffer it claims: touch both ends.
        size_t bytes = size_t(image->width) * size_t(image->height) * 3;
        volatile unsigned char ends = image->data[0] ^ image->data[bytes - 1];
        (void)ends;
        freeRgbImage(image);
    }
    return 0;
}
