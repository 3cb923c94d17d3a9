// Writes the generated BMP corpus into a folder, one NAME.bmp per image.
//   bmp_corpus_writer DIR
#include "tests/bmp_corpus/bmp_builder.h"
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bmp_corpus_writer DIR\n");
        return 2;
    }
    for (const NamedBmp& item : bmpCorpus()) {
        std::string path = std::string(argv[1]) + "/" + item.name + ".bmp";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::fwrite(item.bytes.data(), 1, item.bytes.size(), file);
        std::fclose(file);
    }
    return 0;
}
