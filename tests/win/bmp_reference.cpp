// Loads each BMP named on the command line with loadDibImage and writes one
// line per file to OUT: "<name> <width> <height> <hex R,G,B bytes>" or
// "<name> error <message>". Built for Windows (GDI conversion) and natively
// (the project's converter); the bmp_differential test compares the two.
//   bmp_reference [--box] OUT FILE...
// --box also shows each message in the real "Error" box; an argument @LIST
// names a file listing one path per line.
#include <cstdio>
#include <cstring>
#include <string>
#include "renderer/image/bmp_loader.h"
#include "renderer/image/bmp_platform.h"

namespace {

std::string lastMessage;
bool showBox = false;

void collectMessage(const char* text) {
    lastMessage = text;
    if (showBox) showLoaderMessageBox(text);
}

const char* baseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    return name;
}

void writeResult(std::FILE* out, const char* path, const RgbImage* image) {
    std::fprintf(out, "%s ", baseName(path));
    if (!image) {
        std::string text = lastMessage;
        for (char& c : text) {
            if (c == '\n') c = '|';
        }
        std::fprintf(out, "error %s\n", text.c_str());
        return;
    }
    std::fprintf(out, "%d %d ", image->width, image->height);
    size_t bytes = size_t(image->width) * size_t(image->height) * 3;
    for (size_t i = 0; i < bytes; ++i) std::fprintf(out, "%02x", image->data[i]);
    std::fprintf(out, "\n");
}

void loadAndWrite(std::FILE* out, const char* path) {
    lastMessage.clear();
    RgbImage* image = loadBitmapIfPresent(path);
    if (!image && lastMessage.empty()) lastMessage = "missing";
    writeResult(out, path, image);
    std::fflush(out);  // a watcher sees each result as soon as it is known
    freeRgbImage(image);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--box") == 0) {
        showBox = true;
        ++first;
    }
    if (argc - first < 1) {
        std::fprintf(stderr, "usage: bmp_reference [--box] OUT FILE...\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[first], "w");
    if (!out) return 2;
    loaderMessageHandler = collectMessage;
    for (int i = first + 1; i < argc; ++i) {
        if (argv[i][0] != '@') {
            loadAndWrite(out, argv[i]);
            continue;
        }
        std::FILE* list = std::fopen(argv[i] + 1, "r");
        if (!list) return 2;
        char line[1024];
        while (std::fgets(line, sizeof line, list)) {
            line[std::strcspn(line, "\r\n")] = 0;
            if (line[0]) loadAndWrite(out, line);
        }
        std::fclose(list);
    }
    std::fclose(out);
    return 0;
}
