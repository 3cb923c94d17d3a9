// Writes the generated BMP corpus into a folder, one NAME.bmp per image.
//   bmp_corpus_writer DIR             the whole corpus
//   bmp_corpus_writer DIR --prefixes  every non-empty proper prefix of a few
//                                     files of different kinds, NAME.cutN.bmp
#include "tests/bmp_corpus/bmp_builder.h"
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
    bool prefixes = argc == 3 && std::strcmp(argv[2], "--prefixes") == 0;
    if (argc != 2 && !prefixes) {
        std::fprintf(stderr, "usage: bmp_corpus_writer DIR [--prefixes]\n");
        return 2;
    }
    std::string dir = argv[1];
    for (const NamedBmp& item : bmpCorpus()) {
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
