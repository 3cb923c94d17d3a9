// Running the generator again reproduces the committed files: byte for byte
// for the bitmaps, icon, cursor and model; the same decoded pixels for JPEGs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assets/generator/asset_catalogue.h"
#include "assets/generator/jpeg_file.h"
#include "assets/generator/scratch_folder.h"
#include "tests/unit/asset_file_reading.h"

namespace {

TEST(AssetRegeneration, GeneratorReproducesTheCommittedFiles) {
    const std::filesystem::path folder = makeScratchFolder("kestrine_assets_regen_");
    ASSERT_TRUE(writeAllAssets(folder.string()));
    for (const AssetEntry& e : assetCatalogue()) {
        SCOPED_TRACE(e.fileName);
        std::vector<uint8_t> made, committed;
        ASSERT_TRUE(readWholeFile((folder / e.fileName).string(), made));
        ASSERT_TRUE(readWholeFile(assetPath(e.fileName), committed)) << "not committed";
        if (e.format != AssetFormat::Jpeg) {
            EXPECT_TRUE(made == committed) << "bytes differ: regenerate with assets/regenerate.sh";
            continue;
        }
        Rgb8Picture a, b;
        ASSERT_TRUE(decodeJpeg(made, a));
        ASSERT_TRUE(decodeJpeg(committed, b));
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        EXPECT_TRUE(a.rgb == b.rgb) << "decoded pixels differ: regenerate with assets/regenerate.sh";
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
