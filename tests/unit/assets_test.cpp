// The committed assets: each file's format, size and bit depth as its
// consumers need them, the contents that make each picture do its job, and
// loading through the renderer's own model and BMP loaders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/generator/asset_catalogue.h"
#include "assets/generator/jpeg_file.h"
#include "assets/generator/scratch_folder.h"
#include "contract/saver_contract.h"
#include "renderer/image/bmp_loader.h"
#include "renderer/ms3d_model.h"
#include "tests/unit/asset_file_reading.h"

namespace {

// In place of the scene's texture loader. The shipped model's material names
// no texture file, so its texture pass must never ask for one.
unsigned int refuseTextureRequest(const char* path) {
    ADD_FAILURE() << "the model asked for a texture file: " << (path ? path : "(null)");
    return 0;
}

Rgb8Picture decodedAsset(const std::string& name) {
    Rgb8Picture picture;
    EXPECT_TRUE(readJpeg(assetPath(name), picture)) << name;
    return picture;
}

// Start-of-frame facts read from the JPEG's markers.
struct JpegFrame {
    bool found = false;
    int marker = 0, precision = 0, height = 0, width = 0, components = 0;
};

JpegFrame readJpegFrame(const std::vector<uint8_t>& b) {
    JpegFrame frame;
    size_t at = 2;
    while (at + 4 <= b.size() && b[at] == 0xFF) {
        const int marker = b[at + 1];
        const size_t length = (b[at + 2] << 8) | b[at + 3];
        if (marker >= 0xC0 && marker <= 0xC2 && at + 10 <= b.size()) {
            frame.found = true;
            frame.marker = marker;
            frame.precision = b[at + 4];
            frame.height = (b[at + 5] << 8) | b[at + 6];
            frame.width = (b[at + 7] << 8) | b[at + 8];
            frame.components = b[at + 9];
            return frame;
        }
        at += 2 + length;
    }
    return frame;
}

std::vector<AssetEntry> entriesOf(AssetFormat format) {
    std::vector<AssetEntry> found;
    for (const AssetEntry& e : assetCatalogue())
        if (e.format == format) found.push_back(e);
    return found;
}

int channelSum(const uint8_t* p) { return p[0] + p[1] + p[2]; }

TEST(AssetFormats, JpegPicturesAreBaselineColourAtTheirSizes) {
    std::vector<AssetEntry> jpegs = entriesOf(AssetFormat::Jpeg);
    jpegs.push_back({"preview.jpg", AssetFormat::Jpeg, 152, 112});
    ASSERT_EQ(jpegs.size(), 6u);
    for (const AssetEntry& e : jpegs) {
        SCOPED_TRACE(e.fileName);
        const std::vector<uint8_t> bytes = assetBytes(e.fileName);
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
        const JpegFrame frame = readJpegFrame(bytes);
        ASSERT_TRUE(frame.found);
        EXPECT_EQ(frame.marker, 0xC0) << "baseline, which every picture decoder reads";
        EXPECT_EQ(frame.precision, 8);
        EXPECT_EQ(frame.components, 3);
        EXPECT_EQ(frame.width, e.width);
        EXPECT_EQ(frame.height, e.height);
        Rgb8Picture decoded;
        ASSERT_TRUE(decodeJpeg(bytes, decoded));
        EXPECT_EQ(decoded.width, e.width);
        EXPECT_EQ(decoded.height, e.height);
    }
}

TEST(AssetFormats, BitmapsAreUncompressed24BitWithFileHeader) {
    const std::vector<AssetEntry> bitmaps = entriesOf(AssetFormat::Bmp24);
    ASSERT_EQ(bitmaps.size(), 7u);  // six button faces and the metal tile
    for (const AssetEntry& e : bitmaps) {
        SCOPED_TRACE(e.fileName);
        const std::vector<uint8_t> b = assetBytes(e.fileName);
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 2), b.size());
        EXPECT_EQ(le32(b, 10), 54u);
        EXPECT_EQ(le32(b, 14), 40u);
        EXPECT_EQ(static_cast<int32_t>(le32(b, 18)), e.width);
        EXPECT_EQ(static_cast<int32_t>(le32(b, 22)), e.height) << "positive height: bottom row first";
        EXPECT_EQ(le16(b, 26), 1u);
        EXPECT_EQ(le16(b, 28), 24u);
        EXPECT_EQ(le32(b, 30), 0u) << "BI_RGB";
        const size_t row = (static_cast<size_t>(e.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(b.size(), 54 + row * e.height);
    }
}

TEST(AssetFormats, IconHoldsOne32By32ImageAt8BitsPerPixel) {
    const std::vector<uint8_t> b = assetBytes("dialog.ico");
    ASSERT_GE(b.size(), 22u + 40u);
    EXPECT_EQ(le16(b, 0), 0u);
    EXPECT_EQ(le16(b, 2), 1u) << "icon";
    EXPECT_EQ(le16(b, 4), 1u) << "one image";
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], 0) << "256 colours";
    EXPECT_EQ(le16(b, 10), 1u);
    EXPECT_EQ(le16(b, 12), 8u);
    const uint32_t size = le32(b, 14), offset = le32(b, 18);
    EXPECT_EQ(offset, 22u);
    ASSERT_EQ(static_cast<size_t>(offset) + size, b.size());
    EXPECT_EQ(le32(b, offset), 40u);
    EXPECT_EQ(le32(b, offset + 4), 32u);
    EXPECT_EQ(le32(b, offset + 8), 64u) << "colour image and mask";
    EXPECT_EQ(le16(b, offset + 14), 8u);
    EXPECT_EQ(size, 40u + 256 * 4 + 32 * 32 + 32 * 4);
}

TEST(AssetFormats, CursorIsMonochrome32By32WithHotSpotAt12_10) {
    const std::vector<uint8_t> b = assetBytes("link_hand.cur");
    ASSERT_GE(b.size(), 22u + 40u);
    EXPECT_EQ(le16(b, 2), 2u) << "cursor";
    EXPECT_EQ(le16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], 2);
    EXPECT_EQ(le16(b, 10), 12u) << "hot spot x";
    EXPECT_EQ(le16(b, 12), 10u) << "hot spot y";
    const uint32_t size = le32(b, 14), offset = le32(b, 18);
    ASSERT_EQ(static_cast<size_t>(offset) + size, b.size());
    EXPECT_EQ(le32(b, offset + 4), 32u);
    EXPECT_EQ(le32(b, offset + 8), 64u);
    EXPECT_EQ(le16(b, offset + 14), 1u) << "one bit per pixel";
    EXPECT_EQ(le32(b, offset + 40), 0x000000u) << "palette: black";
    EXPECT_EQ(le32(b, offset + 44), 0xFFFFFFu) << "palette: white";
    EXPECT_EQ(size, 40u + 8 + 2 * 128);
}

// Pixel (x, y) of the cursor, top-down: 'T' transparent, 'B' black, 'W' white.
char cursorPixel(const std::vector<uint8_t>& b, int x, int y) {
    const size_t xorPlane = 22 + 40 + 8, andPlane = xorPlane + 128;
    const size_t row = static_cast<size_t>(31 - y) * 4 + x / 8;
    const int bit = 0x80 >> (x % 8);
    const bool colour = b[xorPlane + row] & bit, mask = b[andPlane + row] & bit;
    return mask ? (colour ? 'I' : 'T') : (colour ? 'W' : 'B');
}

TEST(AssetContent, HandCursorPointsWithItsFingertipAtTheHotSpot) {
    const std::vector<uint8_t> b = assetBytes("link_hand.cur");
    ASSERT_EQ(b.size(), 22u + 40 + 8 + 256);
    EXPECT_EQ(cursorPixel(b, 12, 10), 'B') << "the fingertip's outline";
    EXPECT_EQ(cursorPixel(b, 12, 9), 'T') << "nothing above the tip";
    EXPECT_EQ(cursorPixel(b, 12, 11), 'W') << "the finger's inside";
    int opaque = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 32; ++x) opaque += cursorPixel(b, x, y) != 'T';
    EXPECT_EQ(opaque, 0) << "the fingertip is the topmost point";
    for (int y = 10; y < 32; ++y)
        for (int x = 0; x < 32; ++x) opaque += cursorPixel(b, x, y) != 'T';
    EXPECT_GT(opaque, 250) << "a hand, not a few dots";
}

TEST(AssetModel, StoneLoadsWithTheModelLoaderWithoutTextureAccess) {
    Ms3dModel model;
    ASSERT_TRUE(model.load(assetPath("Kestrine.data").c_str()));
    EXPECT_GE(model.numVertices, 12);
    EXPECT_LE(model.numVertices, 200) << "low-poly";
    EXPECT_GE(model.numTriangles, 20);
    EXPECT_LE(model.numTriangles, 400);
    ASSERT_EQ(model.numMeshes, 1);
    ASSERT_EQ(model.numMaterials, 1);
    EXPECT_EQ(model.meshes[0].materialIndex, 0);
    EXPECT_EQ(model.meshes[0].triangleCount, model.numTriangles);
    ASSERT_NE(model.materials[0].textureFilename, nullptr);
    EXPECT_STREQ(model.materials[0].textureFilename, "");
    EXPECT_EQ(model.materials[0].texture, 0u);
    for (int i = 0; i < model.meshes[0].triangleCount; ++i) {
        EXPECT_GE(model.meshes[0].triangleIndices[i], 0);
        EXPECT_LT(model.meshes[0].triangleIndices[i], model.numTriangles);
    }
    float lowest = 1e9f, highest = -1e9f;
    for (int t = 0; t < model.numTriangles; ++t)
        for (int k = 0; k < 3; ++k) {
            const int v = model.triangles[t].vertexIndices[k];
            ASSERT_GE(v, 0);
            ASSERT_LT(v, model.numVertices);
            const float* n = model.triangles[t].vertexNormals[k];
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-3f) << "unit normals";
        }
    for (int v = 0; v < model.numVertices; ++v) {
        lowest = std::min(lowest, model.vertices[v].position[1]);
        highest = std::max(highest, model.vertices[v].position[1]);
        EXPECT_EQ(model.vertices[v].boneId, -1);
    }
    EXPECT_GT(highest - lowest, 0.2f) << "a stone has some thickness";
    model.loadMaterialTextures(refuseTextureRequest);  // the renderer's second pass: still no file
    EXPECT_EQ(model.materials[0].texture, 0u);
}

class StagedScenePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        drive = makeScratchFolder("kestrine_assets_stage_");
        const std::string command =
            std::string(KESTRINE_SOURCE_DIR) + "/tools/stage_scene_files.sh '" + drive.string() + "'";
        staged = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(drive); }

    static std::filesystem::path drive;
    static bool staged;
};
std::filesystem::path StagedScenePictures::drive;
bool StagedScenePictures::staged = false;

// Where a staged file of the saver contract ("C:\\tolvin\\...") lies under the
// scratch drive the staging script wrote to.
std::string stagedFile(const std::filesystem::path& drive, std::string windowsPath) {
    windowsPath.erase(0, windowsPath.find('\\') + 1);
    std::replace(windowsPath.begin(), windowsPath.end(), '\\', '/');
    return (drive / windowsPath).string();
}

// The staging script writes the renderer's files where the contract says.
TEST_F(StagedScenePictures, LoadWithTheBmpLoaderAndMatchTheDecodedJpeg) {
    ASSERT_TRUE(staged);
    const std::pair<const char*, const char*> pictures[] = {
        {kLakeBedPath, "lake_bed.jpg"}, {kBackdropPath, "backdrop.jpg"}, {kSplashPath, "splash.jpg"}};
    for (const auto& [stagedPath, jpegName] : pictures) {
        SCOPED_TRACE(stagedPath);
        const std::string path = stagedFile(drive, stagedPath);
        const std::vector<uint8_t> file = [&] {
            std::vector<uint8_t> b;
            readWholeFile(path, b);
            return b;
        }();
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(le16(file, 28), 24u) << "saved at 24 bits per pixel";
        RgbImage* image = loadDibImage(path.c_str());
        ASSERT_NE(image, nullptr);
        const Rgb8Picture jpeg = decodedAsset(jpegName);
        ASSERT_EQ(image->width, jpeg.width);
        ASSERT_EQ(image->height, jpeg.height);
        int mismatches = 0;
        for (int y = 0; y < jpeg.height; ++y)
            for (int x = 0; x < jpeg.width; ++x) {
                const unsigned char* loaded =
                    image->data + (static_cast<size_t>(jpeg.height - 1 - y) * jpeg.width + x) * 3;
                const uint8_t* expected = jpeg.pixel(x, y);
                for (int c = 0; c < 3; ++c) mismatches += loaded[c] != expected[c];
            }
        EXPECT_EQ(mismatches, 0);
        freeRgbImage(image);
    }
    std::vector<uint8_t> model, shipped = assetBytes(kModelFileName);
    readWholeFile(stagedFile(drive, kModelPath), model);
    EXPECT_EQ(model, shipped) << "the staged model is the shipped file";
}

// The picture's lines (rows, or columns) as grey levels, each blurred along
// itself so that neighbouring lines compare by their shapes, not their grain.
std::vector<std::vector<double>> blurredLines(const Rgb8Picture& p, bool rows) {
    const int count = rows ? p.height : p.width, length = rows ? p.width : p.height, radius = 6;
    std::vector<std::vector<double>> lines(count, std::vector<double>(length));
    for (int l = 0; l < count; ++l)
        for (int i = 0; i < length; ++i) {
            double sum = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int j = (i + k + length) % length;
                sum += channelSum(rows ? p.pixel(j, l) : p.pixel(l, j)) / 3.0;
            }
            lines[l][i] = sum / (2 * radius + 1);
        }
    return lines;
}

double lineDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::fabs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
}

struct SeamMeasure {
    double neighbours;  // mean difference of adjacent lines
    double unrelated;   // mean difference of lines half the picture apart
    double wrap;        // difference of the last line and the first
};

SeamMeasure measureSeam(const Rgb8Picture& p, bool rows) {
    const std::vector<std::vector<double>> lines = blurredLines(p, rows);
    const int n = static_cast<int>(lines.size());
    SeamMeasure m{0, 0, lineDifference(lines[n - 1], lines[0])};
    for (int i = 0; i + 1 < n; ++i) m.neighbours += lineDifference(lines[i], lines[i + 1]) / (n - 1);
    for (int i = 0; i < n; ++i) m.unrelated += lineDifference(lines[i], lines[(i + n / 2) % n]) / n;
    return m;
}

// A seam shows as a jump between the last and the first line well beyond
// the usual jump between neighbouring lines.
void expectSeamless(const Rgb8Picture& p, bool rows) {
    const SeamMeasure m = measureSeam(p, rows);
    EXPECT_LT(m.wrap, m.neighbours * 2.0) << (rows ? "top and bottom" : "left and right") << " edges do not meet";
}

Rgb8Picture rolled(const Rgb8Picture& p, int dx, int dy) {
    Rgb8Picture out = p;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 3; ++c) out.pixel(x, y)[c] = p.pixel((x + dx) % p.width, (y + dy) % p.height)[c];
    return out;
}

TEST(AssetContent, SeamMeasureSeesACutThroughTheLakeBed) {
    // Rolling the picture moves the edges into the middle: what is now the
    // edge pair was never meant to meet, and the measure must notice.
    const Rgb8Picture cut = rolled(decodedAsset("lake_bed.jpg"), 101, 77);
    ASSERT_EQ(cut.width, 256);
    Rgb8Picture cropped = cut;
    cropped.height = 200;
    cropped.rgb.resize(static_cast<size_t>(cut.width) * 200 * 3);
    const SeamMeasure rows = measureSeam(cropped, true);
    EXPECT_GT(rows.unrelated, rows.neighbours * 2.5);
    EXPECT_GT(rows.wrap, rows.neighbours * 2.0);
}

TEST(AssetContent, LakeBedAndMetalTileTileWithoutSeams) {
    const Rgb8Picture bed = decodedAsset("lake_bed.jpg");
    ASSERT_EQ(bed.width, 256);
    expectSeamless(bed, true);
    expectSeamless(bed, false);
    Rgb8Picture tile;
    std::vector<uint8_t> bmp = assetBytes("metal_tile.bmp");
    ASSERT_EQ(bmp.size(), 54u + 556 * 3 * 20);
    tile.width = 556;
    tile.height = 20;
    tile.rgb.resize(556 * 20 * 3);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 556; ++x)
            for (int c = 0; c < 3; ++c)
                tile.pixel(x, y)[c] = bmp[54 + (static_cast<size_t>(19 - y) * 556 + x) * 3 + (2 - c)];
    expectSeamless(tile, true);
    expectSeamless(tile, false);
}

TEST(AssetContent, LakeBedIsGreyPebblesOfVariedTone) {
    const Rgb8Picture bed = decodedAsset("lake_bed.jpg");
    ASSERT_EQ(bed.height, 256);
    std::vector<int> histogram(8, 0);
    double red = 0, blue = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const uint8_t* p = bed.pixel(x, y);
            ++histogram[channelSum(p) / 3 / 32];
            red += p[0];
            blue += p[2];
        }
    EXPECT_LT(std::abs(red - blue) / (256.0 * 256.0), 12.0) << "grey, not tinted";
    int usedBands = 0;
    for (int count : histogram) usedBands += count > 256 * 256 / 100;
    EXPECT_GE(usedBands, 5) << "tones from dark gaps to pale stones";
}

TEST(AssetContent, SplashIsAPaleRingOnPureBlackEdges) {
    const Rgb8Picture splash = decodedAsset("splash.jpg");
    ASSERT_EQ(splash.width, 64);
    int brightestEdge = 0, brightestRing = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int edge = std::min({x, y, 63 - x, 63 - y});
            const int sum = channelSum(splash.pixel(x, y));
            if (edge < 4) brightestEdge = std::max(brightestEdge, sum);
            const double r = std::hypot(x + 0.5 - 32, y + 0.5 - 32);
            if (r > 15 && r < 24) brightestRing = std::max(brightestRing, sum);
        }
    EXPECT_LE(brightestEdge, 6) << "added onto the scene, the border must stay invisible";
    EXPECT_GT(brightestRing, 3 * 200) << "pale droplets";
    EXPECT_LT(channelSum(splash.pixel(32, 32)), 3 * 40) << "a ring, open in the middle";
}

TEST(AssetContent, BackdropHasBlueSkySnowAndADarkFoot) {
    const Rgb8Picture backdrop = decodedAsset("backdrop.jpg");
    ASSERT_EQ(backdrop.width, 1024);
    double topBlue = 0, topRed = 0, bottom = 0;
    int snow = 0;
    for (int x = 0; x < 1024; ++x) {
        for (int y = 0; y < 8; ++y) {
            topBlue += backdrop.pixel(x, y)[2];
            topRed += backdrop.pixel(x, y)[0];
        }
        for (int y = 248; y < 256; ++y) bottom += channelSum(backdrop.pixel(x, y)) / 3.0;
        for (int y = 16; y < 200; ++y) {
            const uint8_t* p = backdrop.pixel(x, y);
            snow += p[0] > 200 && p[1] > 200 && p[2] > 200;
        }
    }
    EXPECT_GT(topBlue, topRed * 2) << "blue sky at the top";
    EXPECT_LT(bottom / (1024 * 8), 30.0) << "the foot meets the dark lake";
    EXPECT_GT(snow, 1024 * 4) << "snow on the upper slopes";
}

Rgb8Picture decodedBitmap(const std::string& name) {
    const std::vector<uint8_t> b = assetBytes(name);
    Rgb8Picture p;
    if (b.size() < 54) return p;
    p.width = static_cast<int>(le32(b, 18));
    p.height = static_cast<int>(le32(b, 22));
    const size_t row = (static_cast<size_t>(p.width) * 3 + 3) / 4 * 4;
    if (b.size() < 54 + row * p.height) return Rgb8Picture{};
    p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 3; ++c) p.pixel(x, y)[c] = b[54 + (p.height - 1 - y) * row + x * 3 + (2 - c)];
    return p;
}

bool isDarkBlue(const uint8_t* p) { return p[2] > p[0] + 50 && channelSum(p) < 260; }
bool isOrange(const uint8_t* p) { return p[0] > 200 && p[0] > p[2] + 60; }
bool isLightBlue(const uint8_t* p) { return p[2] > p[0] + 30 && p[2] > 200; }

TEST(AssetContent, ButtonFacesShowTheirStatesInTheBorder) {
    struct Expect {
        const char* name;
        bool blueFrame, orangeInside, lightBlueInside;
    };
    const Expect faces[] = {
        {"button_normal.bmp", true, false, false},  {"button_highlight.bmp", true, true, false},
        {"button_selected.bmp", true, false, true}, {"button_highlight_select.bmp", true, true, false},
        {"button_pressed.bmp", true, false, false}, {"button_disable.bmp", false, false, false}};
    for (const Expect& e : faces) {
        SCOPED_TRACE(e.name);
        const Rgb8Picture face = decodedBitmap(e.name);
        ASSERT_EQ(face.width, 64);
        ASSERT_EQ(face.height, 25);
        // Frame pixels along the middle of each edge, and the pixel just inside.
        const int frame[4][4] = {{32, 0, 32, 1}, {32, 24, 32, 23}, {0, 12, 1, 12}, {63, 12, 62, 12}};
        for (const auto& f : frame) {
            EXPECT_EQ(isDarkBlue(face.pixel(f[0], f[1])), e.blueFrame) << "frame at " << f[0] << "," << f[1];
            EXPECT_EQ(isOrange(face.pixel(f[2], f[3])), e.orangeInside) << "inside at " << f[2] << "," << f[3];
            EXPECT_EQ(isLightBlue(face.pixel(f[2], f[3])), e.lightBlueInside) << "inside at " << f[2] << "," << f[3];
        }
        // Rounded corners: the corner pixel is not the frame colour.
        EXPECT_FALSE(isDarkBlue(face.pixel(0, 0)));
    }
    const Rgb8Picture normal = decodedBitmap("button_normal.bmp"), pressed = decodedBitmap("button_pressed.bmp");
    ASSERT_FALSE(normal.rgb.empty());
    ASSERT_FALSE(pressed.rgb.empty());
    EXPECT_LT(channelSum(pressed.pixel(32, 3)) + 60, channelSum(normal.pixel(32, 3))) << "pressed face is darker";
}

TEST(AssetContent, RadioMarksDifferOnlyByTheDotOnThePanelGrey) {
    const Rgb8Picture off = decodedAsset("radio_off.jpg"), on = decodedAsset("radio_on.jpg");
    ASSERT_EQ(off.width, 12);
    ASSERT_EQ(on.width, 12);
    for (const Rgb8Picture* mark : {&off, &on})
        for (const auto& corner : {std::pair{0, 0}, std::pair{11, 0}, std::pair{0, 11}, std::pair{11, 11}})
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(mark->pixel(corner.first, corner.second)[c], 224, 3);
    EXPECT_GT(channelSum(off.pixel(6, 6)), 3 * 220) << "unselected: a white well";
    EXPECT_LT(channelSum(on.pixel(6, 6)), 3 * 120) << "selected: a dark dot";
    EXPECT_LT(channelSum(off.pixel(6, 0)), 3 * 200) << "both have a ring";
    EXPECT_LT(channelSum(on.pixel(6, 0)), 3 * 200);
}

TEST(AssetContent, IconIsARoundLakeWithTransparentCorners) {
    const std::vector<uint8_t> b = assetBytes("dialog.ico");
    ASSERT_EQ(b.size(), 22u + 40 + 1024 + 1024 + 128);
    const size_t palette = 22 + 40, pixels = palette + 1024, mask = pixels + 1024;
    auto transparent = [&](int x, int y) { return (b[mask + (31 - y) * 4 + x / 8] & (0x80 >> (x % 8))) != 0; };
    auto colour = [&](int x, int y) { return &b[palette + 4 * b[pixels + (31 - y) * 32 + x]]; };  // B, G, R
    EXPECT_TRUE(transparent(0, 0));
    EXPECT_TRUE(transparent(31, 0));
    EXPECT_TRUE(transparent(0, 31));
    EXPECT_TRUE(transparent(31, 31));
    int opaque = 0, bluish = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (!transparent(x, y)) {
                ++opaque;
                bluish += colour(x, y)[0] > colour(x, y)[2] + 30;
            }
    EXPECT_GT(opaque, 700);
    EXPECT_LT(opaque, 32 * 32 - 100);
    EXPECT_GT(bluish, opaque * 3 / 4) << "water blue";
}

}  // namespace
