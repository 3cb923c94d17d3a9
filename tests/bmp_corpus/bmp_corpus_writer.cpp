// Writes the generated BMP corpus into a folder, one NAME.bmp per image.
//   bmp_corpus_writer DIR             the whole corpus
//   bmp_corpus_writer DIR --prefixes  every non-empty proper prefix of a few
//                                     files of different kinds, NAME.cutN.bmp
//   bmp_corpus_writer DIR --mutations N   N variants of each file (more for
//                                     run-length ones) with changed header
//                                     fields, pixel bytes and lengths, NAME.mK.bmp
//   bmp_corpus_writer DIR --random N  N made-up run-length files (random code
//                                     streams) and N/2 bit-field files
//                                     (random masks), randK.bmp / fieldsK.bmp
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include "tests/bmp_corpus/bmp_builder.h"

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
                                              "rle8_basic",   "rle4_basic",     "packed_rle8",  "packed_core_24bit_w5",
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

// A run-length stream of random codes: runs, ends of line, moves, ends of
// picture and literal runs (mostly padded), sometimes cut anywhere.
Bytes randomRunLengthStream(Random& random, bool fourBit) {
    Bytes s;
    for (size_t codes = random.below(41); codes > 0; --codes) {
        size_t kind = random.below(100);
        if (kind < 45) {
            s.push_back(uint8_t(1 + random.below(60)));
            s.push_back(uint8_t(random.below(256)));
        } else if (kind < 60) {
            s.insert(s.end(), {0, 0});
        } else if (kind < 70) {
            s.insert(s.end(), {0, 2, uint8_t(random.below(11)), uint8_t(random.below(4))});
        } else if (kind < 72) {
            s.insert(s.end(), {0, 1});
        } else {
            size_t count = 3 + random.below(68);
            size_t bytes = fourBit ? (count + 1) / 2 : count;
            s.push_back(0);
            s.push_back(uint8_t(count));
            for (size_t i = 0; i < bytes; ++i) s.push_back(uint8_t(random.below(256)));
            if (bytes % 2 && random.below(10) < 9) s.push_back(0);
        }
    }
    if (!s.empty() && random.below(5) == 0) s.resize(random.below(s.size()));
    return s;
}

BmpRecipe randomRunLengthImage(Random& random) {
    bool fourBit = random.below(2) == 0;
    BmpRecipe recipe;
    recipe.fileHeader = random.below(10) < 7;
    recipe.width = int32_t(1 + random.below(40));
    recipe.height = int32_t(1 + random.below(12));
    recipe.bitCount = fourBit ? 4 : 8;
    recipe.compression = fourBit ? 2 : 1;
    static const uint32_t counts8[] = {0, 0, 2, 5, 16, 100, 256};
    static const uint32_t counts4[] = {0, 0, 3, 16};
    recipe.clrUsed = fourBit ? counts4[random.below(4)] : counts8[random.below(7)];
    recipe.palette = noiseValues(recipe.clrUsed ? recipe.clrUsed : (fourBit ? 16u : 256u), 1u << 24, random.next());
    recipe.pixels = randomRunLengthStream(random, fourBit);
    size_t sizing = random.below(10);
    recipe.sizeImage =
        sizing == 0 ? 0 : uint32_t(sizing == 1 ? random.below(recipe.pixels.size() + 1) : recipe.pixels.size());
    return recipe;
}

// A mask that is one run of bits, or any bits at all.
uint32_t randomMask(Random& random, int bitCount) {
    if (random.below(2) == 0) {
        int shift = int(random.below(size_t(bitCount)));
        int length = 1 + int(random.below(size_t(bitCount - shift)));
        return uint32_t(((uint64_t(1) << length) - 1) << shift);
    }
    return uint32_t(1 + random.below((size_t(1) << bitCount) - 1));
}

BmpRecipe randomBitFieldImage(Random& random) {
    BmpRecipe recipe;
    recipe.fileHeader = random.below(10) < 7;
    recipe.bitCount = random.below(2) ? 16 : 32;
    recipe.compression = 3;
    recipe.width = int32_t(1 + random.below(9));
    static const int32_t heights[] = {1, 2, 3, -2};
    recipe.height = heights[random.below(4)];
    recipe.masks = {randomMask(random, recipe.bitCount), randomMask(random, recipe.bitCount),
                    randomMask(random, recipe.bitCount)};
    size_t bytes = (size_t(recipe.width) * recipe.bitCount + 31) / 32 * 4 *
                   size_t(recipe.height < 0 ? -recipe.height : recipe.height);
    for (size_t i = 0; i < bytes; ++i) recipe.pixels.push_back(uint8_t(random.below(256)));
    return recipe;
}

bool writeRandomFiles(const std::string& dir, int count, Random& random) {
    for (int k = 0; k < count; ++k) {
        Bytes file = buildBmp(randomRunLengthImage(random));
        if (!writeFile(dir + "/rand" + std::to_string(k) + ".bmp", file.data(), file.size())) return false;
    }
    for (int k = 0; k < count / 2; ++k) {
        Bytes file = buildBmp(randomBitFieldImage(random));
        if (!writeFile(dir + "/fields" + std::to_string(k) + ".bmp", file.data(), file.size())) return false;
    }
    return true;
}

bool writeVariants(const std::string& dir, const NamedBmp& item, int mutations, Random& random) {
    int count = item.name.find("rle") != std::string::npos ? mutations * 4 : mutations;
    for (int k = 0; k < count; ++k) {
        Bytes variant = mutate(item.bytes, random);
        if (!writeFile(dir + "/" + item.name + ".m" + std::to_string(k) + ".bmp", variant.data(), variant.size())) {
            return false;
        }
    }
    return true;
}

bool writePrefixes(const std::string& dir, const NamedBmp& item) {
    if (!truncatedKinds.count(item.name)) return true;
    for (size_t length = 1; length < item.bytes.size(); ++length) {
        std::string path = dir + "/" + item.name + ".cut" + std::to_string(length) + ".bmp";
        if (!writeFile(path, item.bytes.data(), length)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc >= 3 ? argv[2] : "";
    int count = argc == 4 ? std::atoi(argv[3]) : 0;
    bool valid = (argc == 2) || (argc == 3 && mode == "--prefixes") ||
                 (argc == 4 && (mode == "--mutations" || mode == "--random") && count > 0);
    if (!valid) {
        std::fprintf(stderr, "usage: bmp_corpus_writer DIR [--prefixes | --mutations N | --random N]\n");
        return 2;
    }
    std::string dir = argv[1];
    Random random{12345};
    if (mode == "--random") return writeRandomFiles(dir, count, random) ? 0 : 1;
    for (const NamedBmp& item : bmpCorpus()) {
        bool written = mode == "--mutations" ? writeVariants(dir, item, count, random)
                       : mode == "--prefixes"
                           ? writePrefixes(dir, item)
                           : writeFile(dir + "/" + item.name + ".bmp", item.bytes.data(), item.bytes.size());
        if (!written) return 1;
    }
    return 0;
}
