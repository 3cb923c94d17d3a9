#include "tests/bmp_corpus/bmp_builder.h"

namespace {

void putU16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void putU32(Bytes& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

Bytes headerBytes(const BmpRecipe& recipe) {
    Bytes out;
    uint32_t size = recipe.headerSize ? recipe.headerSize : (recipe.core ? 12 : 40);
    putU32(out, size);
    if (recipe.core) {
        putU16(out, uint32_t(recipe.width));
        putU16(out, uint32_t(recipe.height));
        putU16(out, recipe.planes);
        putU16(out, recipe.bitCount);
    } else {
        putU32(out, uint32_t(recipe.width));
        putU32(out, uint32_t(recipe.height));
        putU16(out, recipe.planes);
        putU16(out, recipe.bitCount);
        putU32(out, recipe.compression);
        putU32(out, recipe.sizeImage);
        putU32(out, 2835);
        putU32(out, 2835);
        putU32(out, recipe.clrUsed);
        putU32(out, 0);
    }
    while (out.size() < size) out.push_back(0);
    return out;
}

Bytes tableBytes(const BmpRecipe& recipe) {
    Bytes out;
    for (uint32_t m : recipe.masks) putU32(out, m);
    for (uint32_t c : recipe.palette) {
        out.push_back(uint8_t(c));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c >> 16));
        if (!recipe.core) out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes buildBmp(const BmpRecipe& recipe) {
    Bytes header = headerBytes(recipe);
    Bytes table = tableBytes(recipe);
    Bytes out;
    if (recipe.fileHeader) {
        uint32_t offset = uint32_t(14 + header.size() + table.size());
        out.push_back('B');
        out.push_back('M');
        putU32(out, uint32_t(offset + recipe.pixels.size()));
        putU32(out, 0);
        putU32(out, offset);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), recipe.pixels.begin(), recipe.pixels.end());
    return out;
}

Bytes packRows(int width, int height, int bitCount, const std::vector<uint32_t>& values) {
    size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
    Bytes out(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = out.data() + stride * size_t(y);
        for (int x = 0; x < width; ++x) {
            uint32_t v = values[size_t(y) * size_t(width) + size_t(x)];
            if (bitCount < 8) {
                // Most significant bit first, also across byte boundaries.
                for (int b = 0; b < bitCount; ++b) {
                    size_t bit = size_t(x) * bitCount + size_t(b);
                    if ((v >> (bitCount - 1 - b)) & 1) row[bit / 8] |= uint8_t(0x80 >> (bit % 8));
                }
            } else {
                for (int b = 0; b < bitCount / 8; ++b) row[size_t(x) * (bitCount / 8) + b] = uint8_t(v >> (8 * b));
            }
        }
    }
    return out;
}

std::vector<uint32_t> rampPalette(int count) {
    std::vector<uint32_t> out;
    for (int i = 0; i < count; ++i) {
        uint32_t r = uint32_t(i * 37 + 11) & 0xFF, g = uint32_t(255 - i * 13) & 0xFF, b = uint32_t(i * 91 + 5) & 0xFF;
        out.push_back((r << 16) | (g << 8) | b);
    }
    return out;
}

std::vector<uint32_t> noiseValues(size_t count, uint32_t limit, uint32_t seed) {
    std::vector<uint32_t> out;
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        uint32_t v = state ^ (state >> 15);
        out.push_back(limit ? v % limit : v);
    }
    return out;
}

BmpRecipe runLengthRecipe(int width, int height, bool fourBit, Bytes stream) {
    BmpRecipe s;
    s.width = width;
    s.height = height;
    s.bitCount = fourBit ? 4 : 8;
    s.compression = fourBit ? 2 : 1;
    s.palette = rampPalette(fourBit ? 16 : 256);
    s.sizeImage = uint32_t(stream.size());
    s.pixels = std::move(stream);
    return s;
}

namespace {

BmpRecipe indexed(int width, int height, int bitCount, int paletteSize, uint32_t seed) {
    BmpRecipe s;
    s.width = width;
    s.height = height;
    s.bitCount = uint16_t(bitCount);
    s.palette = rampPalette(paletteSize);
    if (paletteSize != (1 << bitCount)) s.clrUsed = uint32_t(paletteSize);
    s.pixels = packRows(width, height, bitCount, noiseValues(size_t(width) * height, 1u << bitCount, seed));
    return s;
}

BmpRecipe direct(int width, int height, int bitCount, uint32_t seed) {
    BmpRecipe s;
    s.width = width;
    s.height = height;
    s.bitCount = uint16_t(bitCount);
    uint32_t limit = bitCount == 32 ? 0 : (1u << bitCount);
    s.pixels = packRows(width, height, bitCount, noiseValues(size_t(width) * height, limit, seed));
    return s;
}

BmpRecipe masked(int width, int height, int bitCount, std::vector<uint32_t> masks, uint32_t seed) {
    BmpRecipe s = direct(width, height, bitCount, seed);
    s.compression = 3;
    s.masks = std::move(masks);
    return s;
}

BmpRecipe withoutFileHeader(BmpRecipe s) {
    s.fileHeader = false;
    return s;
}

BmpRecipe topDown(BmpRecipe s) {
    // Reverse nothing: the same bytes read as top-down rows.
    s.height = -s.height;
    return s;
}

BmpRecipe asCore(BmpRecipe s) {
    s.core = true;
    s.clrUsed = 0;
    s.compression = 0;
    return s;
}

void add(std::vector<NamedBmp>& out, const std::string& name, const BmpRecipe& recipe) {
    out.push_back(NamedBmp{name, buildBmp(recipe)});
}

void addPaletteImages(std::vector<NamedBmp>& out) {
    add(out, "info_1bit_w13", indexed(13, 5, 1, 2, 1));
    add(out, "info_4bit_w7", indexed(7, 4, 4, 16, 2));
    add(out, "info_8bit_w5", indexed(5, 3, 8, 256, 3));
    add(out, "info_8bit_w1", indexed(1, 4, 8, 256, 4));
    add(out, "packed_4bit_w3", withoutFileHeader(indexed(3, 3, 4, 16, 5)));
    add(out, "packed_8bit_w6", withoutFileHeader(indexed(6, 2, 8, 256, 6)));
    add(out, "short_palette_8bit", indexed(9, 4, 8, 5, 7));
    add(out, "short_palette_4bit", indexed(5, 3, 4, 3, 8));
    add(out, "short_palette_1bit", indexed(17, 2, 1, 1, 9));
    add(out, "packed_short_palette_8bit", withoutFileHeader(indexed(4, 4, 8, 12, 10)));
    BmpRecipe tooMany = indexed(6, 3, 4, 20, 11);  // more entries than 4 bits can index
    add(out, "long_palette_4bit", tooMany);
    add(out, "topdown_8bit", topDown(indexed(5, 4, 8, 256, 12)));
    add(out, "topdown_1bit", topDown(indexed(9, 3, 1, 2, 13)));
    add(out, "core_1bit_w11", asCore(indexed(11, 3, 1, 2, 14)));
    add(out, "core_4bit_w5", asCore(indexed(5, 4, 4, 16, 15)));
    add(out, "core_8bit_w3", asCore(indexed(3, 3, 8, 256, 16)));
    add(out, "packed_core_8bit_w7", withoutFileHeader(asCore(indexed(7, 2, 8, 256, 17))));
    add(out, "packed_core_4bit_w2", withoutFileHeader(asCore(indexed(2, 5, 4, 16, 18))));
}

void addDirectImages(std::vector<NamedBmp>& out) {
    add(out, "info_16bit_w3", direct(3, 4, 16, 21));
    add(out, "info_16bit_w4", direct(4, 2, 16, 22));
    add(out, "info_24bit_w1", direct(1, 3, 24, 23));
    add(out, "info_24bit_w5", direct(5, 3, 24, 24));
    add(out, "info_24bit_w2", direct(2, 2, 24, 25));
    add(out, "info_32bit_w3", direct(3, 3, 32, 26));
    add(out, "packed_24bit_w3", withoutFileHeader(direct(3, 2, 24, 27)));
    add(out, "packed_16bit_w5", withoutFileHeader(direct(5, 2, 16, 28)));
    add(out, "topdown_24bit", topDown(direct(3, 4, 24, 29)));
    add(out, "topdown_32bit", topDown(direct(2, 3, 32, 30)));
    add(out, "core_24bit_w3", asCore(direct(3, 3, 24, 31)));
    add(out, "packed_core_24bit_w5", withoutFileHeader(asCore(direct(5, 2, 24, 32))));
    add(out, "core_16bit_w3", asCore(direct(3, 2, 16, 33)));
    BmpRecipe paletted24 = withoutFileHeader(direct(3, 2, 24, 35));
    paletted24.clrUsed = 3;  // an optional palette the pixels come after
    paletted24.palette = rampPalette(3);
    add(out, "packed_24bit_with_palette", paletted24);
    add(out, "packed_topdown_16bit", withoutFileHeader(topDown(direct(3, 3, 16, 36))));
    BmpRecipe wide = direct(37, 2, 24, 37);
    add(out, "info_24bit_w37", wide);
    add(out, "info_1bit_w64", indexed(64, 2, 1, 2, 38));
    add(out, "core_32bit_w2", asCore(direct(2, 2, 32, 34)));
}

void addBitFieldImages(std::vector<NamedBmp>& out) {
    add(out, "fields16_565", masked(5, 3, 16, {0xF800, 0x07E0, 0x001F}, 41));
    add(out, "fields16_555", masked(3, 3, 16, {0x7C00, 0x03E0, 0x001F}, 42));
    add(out, "fields16_444", masked(4, 2, 16, {0x0F00, 0x00F0, 0x000F}, 43));
    add(out, "fields16_bgr565", masked(3, 2, 16, {0x001F, 0x07E0, 0xF800}, 44));
    add(out, "fields16_narrow", masked(6, 2, 16, {0xE000, 0x1C00, 0x0300}, 45));
    add(out, "fields16_one_bit", masked(5, 2, 16, {0x8000, 0x0100, 0x0001}, 46));
    add(out, "fields32_888", masked(3, 3, 32, {0xFF0000, 0x00FF00, 0x0000FF}, 47));
    add(out, "fields32_bgr", masked(2, 3, 32, {0x0000FF, 0x00FF00, 0xFF0000}, 48));
    add(out, "fields32_101010", masked(3, 2, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, 49));
    add(out, "fields32_high", masked(3, 2, 32, {0xFF000000, 0x00FF0000, 0x0000FF00}, 50));
    add(out, "packed_fields16_565", withoutFileHeader(masked(3, 3, 16, {0xF800, 0x07E0, 0x001F}, 51)));
    add(out, "topdown_fields32", topDown(masked(3, 2, 32, {0xFF0000, 0x00FF00, 0x0000FF}, 52)));
    BmpRecipe fieldsWithPalette = withoutFileHeader(masked(3, 2, 16, {0xF800, 0x07E0, 0x001F}, 53));
    fieldsWithPalette.clrUsed = 2;  // masks, then the palette, then the pixels
    fieldsWithPalette.palette = rampPalette(2);
    add(out, "packed_fields16_with_palette", fieldsWithPalette);
    add(out, "topdown_fields16", topDown(masked(4, 3, 16, {0x7C00, 0x03E0, 0x001F}, 54)));
}

void addRunLengthImages(std::vector<NamedBmp>& out) {
    // Runs, an absolute run, end of line, delta and end of picture.
    add(out, "rle8_basic",
        runLengthRecipe(8, 4, false, {3, 10, 2, 20, 0, 0, 0, 3, 1, 2, 3, 0, 4, 40, 0, 0, 0, 2, 2, 1, 2, 50, 0, 1}));
    // Runs wider than the picture, rows left unset, no end-of-picture mark.
    add(out, "rle8_overrun", runLengthRecipe(5, 4, false, {9, 7, 0, 0, 2, 8, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0}));
    add(out, "rle8_absolute_odd", runLengthRecipe(7, 2, false, {0, 5, 9, 8, 7, 6, 5, 0, 2, 33, 0, 0, 7, 1, 0, 1}));
    add(out, "packed_rle8", withoutFileHeader(runLengthRecipe(6, 3, false, {6, 100, 0, 0, 3, 101, 0, 1})));
    add(out, "rle8_delta_far", runLengthRecipe(4, 4, false, {1, 3, 0, 2, 9, 1, 1, 4, 0, 2, 0, 9, 1, 5, 0, 1}));
    add(out, "rle4_basic",
        runLengthRecipe(9, 3, true, {5, 0x12, 0, 0, 0, 3, 0x45, 0x60, 2, 0x77, 0, 2, 1, 1, 3, 0x9A, 0, 1}));
    add(out, "rle4_absolute_even",
        runLengthRecipe(6, 2, true, {0, 4, 0x12, 0x34, 0, 0, 0, 6, 0xAB, 0xCD, 0xEF, 0, 0, 1}));
    add(out, "rle4_overrun", runLengthRecipe(3, 3, true, {7, 0x5A, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 0}));
    add(out, "packed_rle4", withoutFileHeader(runLengthRecipe(5, 2, true, {5, 0xC3, 0, 0, 4, 0x21, 0, 1})));
    BmpRecipe shortPalette = runLengthRecipe(6, 2, false, {6, 200, 0, 0, 3, 2, 0, 1});
    shortPalette.palette = rampPalette(4);
    shortPalette.clrUsed = 4;
    add(out, "rle8_short_palette", shortPalette);
    BmpRecipe cut = runLengthRecipe(6, 2, false, {6, 17, 0, 0, 6, 18, 0, 1});
    cut.sizeImage = 4;  // only the first run counts
    add(out, "rle8_size_cut", cut);
    BmpRecipe cutLiteral = runLengthRecipe(8, 2, false, {0, 6, 1, 2, 3, 4, 5, 6, 0, 1});
    cutLiteral.sizeImage = 5;  // ends inside the literal run
    add(out, "rle8_size_cut_literal", cutLiteral);
    BmpRecipe cutLiteral4 = runLengthRecipe(8, 2, true, {0, 7, 0x12, 0x34, 0x56, 0x70, 0, 1});
    cutLiteral4.sizeImage = 4;
    add(out, "rle4_size_cut_literal", cutLiteral4);
    add(out, "rle8_odd_length", runLengthRecipe(4, 2, false, {2, 9, 0, 0, 3, 8, 0}));
    // Wine's GDI loses its place after a literal of 255 pixels (its padded
    // length, 256, wraps to 0); the longest odd literal it reads is 253.
    add(out, "rle8_long_literal", runLengthRecipe(300, 1, false, [] {
            Bytes b = {0, 253};
            for (int i = 0; i < 253; ++i) b.push_back(uint8_t(i * 7));
            b.push_back(0);  // pad the odd literal run
            b.insert(b.end(), {60, 3, 0, 1});
            return b;
        }()));
    add(out, "rle8_delta_past_top", runLengthRecipe(3, 2, false, {1, 4, 0, 2, 1, 5, 2, 6, 0, 0, 3, 7, 0, 1}));
    add(out, "rle8_lines_past_top", runLengthRecipe(2, 2, false, {2, 1, 0, 0, 2, 2, 0, 0, 0, 0, 2, 3, 0, 1}));
    add(out, "rle4_delta",
        runLengthRecipe(7, 3, true, {3, 0x12, 0, 2, 2, 1, 3, 0x34, 0, 2, 0, 1, 0, 3, 0xAB, 0xC0, 0, 1}));
    add(out, "rle4_odd_runs", runLengthRecipe(5, 2, true, {3, 0x9F, 3, 0x8E, 0, 0, 1, 0x7D, 0, 1, 0x6C, 0, 1}));
    add(out, "rle8_run_then_cut_literal", runLengthRecipe(6, 2, false, {6, 3, 0, 0, 2, 7, 0, 5, 1, 2}));
    add(out, "rle8_run_literal_no_end", runLengthRecipe(6, 1, false, {2, 7, 0, 3, 1, 2, 3, 0}));
    add(out, "rle4_run_literal_then_end", runLengthRecipe(6, 1, true, {2, 0x77, 0, 3, 0x12, 0x30, 0, 1}));
    add(out, "rle8_no_end", runLengthRecipe(4, 3, false, {4, 11, 0, 0, 4, 12}));
    BmpRecipe unsized = runLengthRecipe(5, 2, false, {5, 30, 0, 0, 2, 31, 0, 1});
    unsized.sizeImage = 0;
    add(out, "rle8_no_size", unsized);
    BmpRecipe unsized4 = runLengthRecipe(
        7, 3, true, {3, 0x12, 0, 3, 0x45, 0x60, 0, 0, 0, 2, 2, 1, 4, 0x9A, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1});
    unsized4.sizeImage = 0;
    add(out, "rle4_no_size", unsized4);
}

void addRefusedImages(std::vector<NamedBmp>& out) {
    add(out, "refused_topdown_rle8", topDown(runLengthRecipe(4, 2, false, {4, 1, 0, 0, 4, 2, 0, 1})));
    BmpRecipe fields24 = direct(2, 2, 24, 61);
    fields24.compression = 3;
    fields24.masks = {0xFF0000, 0xFF00, 0xFF};
    add(out, "refused_fields_24bit", fields24);
    BmpRecipe rle8as4 = runLengthRecipe(4, 2, false, {4, 1, 0, 1});
    rle8as4.bitCount = 4;
    rle8as4.palette = rampPalette(16);
    add(out, "refused_rle8_4bit", rle8as4);
    BmpRecipe jpeg = direct(2, 2, 24, 62);
    jpeg.compression = 4;
    add(out, "refused_jpeg", jpeg);
    add(out, "refused_bits_7", direct(3, 2, 7, 63));
    add(out, "edge_bits_2", indexed(5, 2, 2, 4, 64));
    BmpRecipe planes = indexed(3, 2, 8, 256, 65);
    planes.planes = 2;
    add(out, "edge_planes_2", planes);
    planes.planes = 0;
    add(out, "edge_planes_0", planes);
    BmpRecipe rlePlanes = runLengthRecipe(4, 2, false, {4, 9, 0, 0, 2, 8, 0, 1});
    rlePlanes.planes = 0;  // run-length images do not mind
    add(out, "edge_rle8_planes_0", rlePlanes);
    add(out, "edge_fields16_zero_masks", masked(3, 2, 16, {0, 0, 0}, 66));
    add(out, "edge_fields16_no_red", masked(3, 2, 16, {0, 0x03E0, 0x001F}, 71));
    add(out, "edge_fields32_no_blue", masked(3, 2, 32, {0xFF0000, 0xFF00, 0}, 72));
    add(out, "edge_fields32_overlap", masked(3, 2, 32, {0xFFFF0000, 0x00FFFF00, 0x000000FF}, 67));
    add(out, "edge_fields32_full_mask", masked(3, 2, 32, {0xFFFFFFFF, 0x0000FF00, 0x000000FF}, 74));
    add(out, "edge_fields16_gappy", masked(3, 2, 16, {0xA000, 0x0500, 0x0011}, 68));
    BmpRecipe huge = indexed(4, 2, 8, 256, 69);
    huge.clrUsed = 300;
    huge.palette = rampPalette(300);
    add(out, "edge_palette_300", huge);
    BmpRecipe cut = indexed(5, 2, 8, 3, 73);
    cut.clrUsed = 0x10003;  // counted as 3 entries; GDI reads up to 256
    add(out, "edge_colours_used_above_16_bits", cut);
    cut.clrUsed = 0x10000;  // counted as none
    cut.palette.clear();
    add(out, "edge_colours_used_65536", cut);
    BmpRecipe noBits = direct(2, 2, 24, 70);
    noBits.bitCount = 0;
    add(out, "edge_bits_0", noBits);
}

}  // namespace

std::vector<NamedBmp> bmpCorpus() {
    std::vector<NamedBmp> out;
    addPaletteImages(out);
    addDirectImages(out);
    addBitFieldImages(out);
    addRunLengthImages(out);
    addRefusedImages(out);
    return out;
}
