// Writes the generated BMP corpus into a folder, one NAME.bmp per image.
//   bmp_corpus_writer DIR             the whole corpus
//   bmp_corpus_writer DIR --prefixes  every non-empty proper prefix of a few
//                                     files of different kinds, NAME.cutN.bmp
//   bmp_corpus_writer DIR --mutations N   N variants of each file (more for
//                                     run-length ones) with changed header
//                                     fields, pixel bytes and lengths, NAME.mK.bmp
#include "tests/bmp_corpus/bmp_builder.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

bool writeFile(const std::string& path, const uint8_t* bytes, size_t length) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::fwrite(bytes, 1, length, file);
    std::fclose(file);
    return true;
}

const std::set<std::string> truncatedKinds = {"core_4bit_w5", "packed_8bit_w6", "fields16_565", "topdown_24bit",
                                              "rle8_basic", "rle4_basic", "packed_rle8", "packed_core_24bit_w5",
                                              "rle8_no_size", "rle4_no_size"};

// A deterministic generator, so every run writes the same variants.
struct Random {
    uint32_t state;
    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state ^ (state >> 16);
    }
    size_t below(size_t n) { return n ? next() % n : 0; }
};

void putI32(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

// One variant: a header field set to a telling value, or a few bytes after
// the header changed; sometimes cut short or given trailing bytes.
Bytes mutate(const Bytes& original, Random& random) {
    Bytes b = original;
    size_t headerAt = b.size() >= 2 && b[0] == 'B' && b[1] == 'M' ? 14 : 0;
    if (random.below(100) < 15) {
        static const size_t fields[] = {4, 8, 14, 16, 20, 32};
        static const int32_t values[] = {0, 1, 2, 3, 4, 8, 16, 24, 32, -1, -3, 7, 255, 65536};
        size_t at = headerAt + fields[random.below(6)];
        if (at + 4 <= b.size()) putI32(b, at, values[random.below(14)]);
    } else {
        size_t from = std::min<size_t>(b.size() - 1, 54);
        for (size_t n = 1 + random.below(6); n > 0; --n) {
            static const int values[] = {0, 0, 1, 2, 3, 255, -1};
            int v = values[random.below(7)];
            b[from + random.below(b.size() - from)] = uint8_t(v < 0 ? random.below(256) : size_t(v));
        }
    }
    if (random.below(100) < 20) b.resize(b.size() / 2 + random.below(b.size() - b.size() / 2 + 1));
    if (random.below(100) < 10) {
        for (size_t n = 1 + random.below(40); n > 0; --n) b.push_back(uint8_t(random.below(256)));
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    bool prefixes = argc == 3 && std::strcmp(argv[2], "--prefixes") == 0;
    int mutations = argc == 4 && std::strcmp(argv[2], "--mutations") == 0 ? std::atoi(argv[3]) : 0;
    if (argc != 2 && !prefixes && mutations <= 0) {
        std::fprintf(stderr, "usage: bmp_corpus_writer DIR [--prefixes | --mutations N]\n");
        return 2;
    }
    std::string dir = argv[1];
    Random random{12345};
    for (const NamedBmp& item : bmpCorpus()) {
        if (mutations > 0) {
            int count = item.name.find("rle") != std::string::npos ? mutations * 4 : mutations;
            for (int k = 0; k < count; ++k) {
                Bytes variant = mutate(item.bytes, random);
                std::string path = dir + "/" + item.name + ".m" + std::to_string(k) + ".bmp";
                if (!writeFile(path, variant.data(), variant.size())) return 1;
            }
            continue;
        }
        if (!prefixes) {
            if (!writeFile(dir + "/" + item.name + ".bmp", item.bytes.data(), item.bytes.size())) return 1;
            continue;
        }
        if (!truncatedKinds.count(item.name)) continue;
        for (size_t length = 1; length < item.bytes.size(); ++length) {
            std::string path = dir + "/" + item.name + ".cut" + std::to_string(length) + ".bmp";
            if (!writeFile(path, item.bytes.data(), length)) return 1;
        }
    }
    return 0;
}
