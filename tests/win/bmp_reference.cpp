// Loads each BMP named on the command line with loadDibImage and reports one
// line per file to OUT, then the failure count (always 0). Built for Windows
// (GDI conversion) and natively (the project's converter); the
// bmp_differential test compares the two reports.
//   bmp_reference [--box] OUT FILE...
// --box also shows each message in the real "Error" box; an argument @LIST
// names a file listing one path per line.
#include <cstdio>
#include <cstring>
#include <string>
#include "renderer/image/bmp_loader.h"
#include "renderer/image/bmp_platform.h"
#include "tests/win/test_report.h"

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

// One report line per file: "<name> <width> <height> <hex R,G,B bytes>" or
// "<name> error <message>"; each line is flushed, so a watcher sees it as soon
// as it is known.
void loadAndWrite(const char* path) {
    lastMessage.clear();
    RgbImage* image = loadBitmapIfPresent(path);
    if (!image && lastMessage.empty()) lastMessage = "missing";
    std::string result;
    if (!image) {
        result = "error " + lastMessage;
        for (char& c : result) {
            if (c == '\n') c = '|';
        }
    } else {
        result = std::to_string(image->width) + " " + std::to_string(image->height) + " ";
        const size_t bytes = size_t(image->width) * size_t(image->height) * 3;
        static const char kHex[] = "0123456789abcdef";
        for (size_t i = 0; i < bytes; ++i) {
            result += kHex[image->data[i] >> 4];
            result += kHex[image->data[i] & 15];
        }
    }
    test_report::note(baseName(path), result);
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
    if (!test_report::open(argv[first])) return 2;
    loaderMessageHandler = collectMessage;
    for (int i = first + 1; i < argc; ++i) {
        if (argv[i][0] != '@') {
            loadAndWrite(argv[i]);
            continue;
        }
        std::FILE* list = std::fopen(argv[i] + 1, "r");
        if (!list) return 2;
        char line[1024];
        while (std::fgets(line, sizeof line, list)) {
            line[std::strcspn(line, "\r\n")] = 0;
            if (line[0]) loadAndWrite(line);
        }
        std::fclose(list);
    }
    return test_report::finish();
}
