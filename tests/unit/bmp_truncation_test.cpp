// Every file of the generated corpus, and every prefix of it: the loader must
// either refuse with exactly one of its messages or load a picture of the
// header's size, and never read outside the buffer (run under the address
// sanitizer too).
#include <algorithm>
#include <set>
#include "tests/unit/bmp_message_capture.h"

namespace {

bool isLoaderMessage(const std::string& text) {
    static const std::set<std::string> known = {"Unknown DIB file format.", "Out of memory.",
                                                "Image file conversion error."};
    return known.count(text) == 1;
}

bool expectedToLoad(const std::string& name) {
    return name.rfind("refused_", 0) != 0 && name != "edge_bits_2" && name != "edge_bits_0" &&
           name != "edge_planes_0" && name != "edge_fields16_zero_masks" && name != "edge_fields16_no_red" &&
           name != "edge_fields32_no_blue";
}

// The picture size the file's header gives: width and |height|.
std::pair<int, int> headerSize(const Bytes& file) {
    size_t at = file[0] == 'B' && file[1] == 'M' ? 14 : 0;
    auto u16 = [&](size_t o) { return int(file[at + o] | (file[at + o + 1] << 8)); };
    auto s32 = [&](size_t o) { return int32_t(uint32_t(u16(o)) | (uint32_t(u16(o + 2)) << 16)); };
    if (u16(0) == 12) return {u16(4), u16(6)};
    int32_t h = s32(8);
    return {s32(4), h < 0 ? -h : h};
}

}  // namespace

using BmpCorpus = BmpTest;

TEST_F(BmpCorpus, WholeFilesLoadOrAreRefusedAsGdiDoes) {
    std::vector<NamedBmp> corpus = bmpCorpus();
    ASSERT_GE(corpus.size(), 40u);
    for (const NamedBmp& item : corpus) {
        capturedLoaderMessages().clear();
        RgbImage* image = decode(item.bytes);
        if (expectedToLoad(item.name)) {
            ASSERT_NE(image, nullptr) << item.name;
            EXPECT_EQ(std::make_pair(image->width, image->height), headerSize(item.bytes)) << item.name;
            EXPECT_TRUE(messages().empty()) << item.name;
        } else {
            EXPECT_EQ(image, nullptr) << item.name;
            ASSERT_EQ(messages().size(), 1u) << item.name;
            EXPECT_EQ(messages()[0], "Image file conversion error.") << item.name;
        }
        freeRgbImage(image);
    }
}

TEST_F(BmpCorpus, EveryPrefixFailsCleanlyOrLoadsWhole) {
    for (const NamedBmp& item : bmpCorpus()) {
        for (size_t length = 0; length < item.bytes.size(); ++length) {
            capturedLoaderMessages().clear();
            RgbImage* image = decodePrefix(item.bytes, length);
            if (image) {
                // Only run-length data bounded by its own image size, or
                // read to the end of the file, can lose its tail and load.
                EXPECT_TRUE(messages().empty()) << item.name << " at " << length;
                EXPECT_EQ(std::make_pair(image->width, image->height), headerSize(item.bytes))
                    << item.name << " at " << length;
                freeRgbImage(image);
            } else {
                ASSERT_EQ(messages().size(), 1u) << item.name << " at " << length;
                EXPECT_TRUE(isLoaderMessage(messages()[0])) << item.name << " at " << length << ": " << messages()[0];
            }
        }
    }
}

TEST_F(BmpCorpus, UncompressedFilesNeedEveryByte) {
    for (const NamedBmp& item : bmpCorpus()) {
        if (item.name.find("rle") != std::string::npos || !expectedToLoad(item.name)) continue;
        for (size_t length = 0; length < item.bytes.size(); ++length) {
            capturedLoaderMessages().clear();
            RgbImage* image = decodePrefix(item.bytes, length);
            EXPECT_EQ(image, nullptr) << item.name << " at " << length;
            freeRgbImage(image);
        }
    }
}

TEST_F(BmpCorpus, FlippedBytesNeverCrash) {
    // Every single-byte corruption of a few formats' headers and tables.
    for (const NamedBmp& item : bmpCorpus()) {
        if (item.name != "info_8bit_w5" && item.name != "core_4bit_w5" && item.name != "fields16_565" &&
            item.name != "rle4_basic" && item.name != "packed_rle8") {
            continue;
        }
        for (size_t at = 0; at < std::min<size_t>(item.bytes.size(), 80); ++at) {
            for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0x80), uint8_t(0xFF)}) {
                Bytes changed = item.bytes;
                changed[at] = value;
                capturedLoaderMessages().clear();
                RgbImage* image = decode(changed);
                EXPECT_EQ(messages().size(), image ? 0u : 1u) << item.name << " byte " << at;
                freeRgbImage(image);
            }
        }
    }
}
