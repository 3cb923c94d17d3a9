// kestrine_assetgen FOLDER: writes the program's pictures and model file.
#include <cstdio>

#include "assets/generator/asset_catalogue.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    return writeAllAssets(argv[1]) ? 0 : 1;
}
