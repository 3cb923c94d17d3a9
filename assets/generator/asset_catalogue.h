// Every file the generator makes, by name, and the one call that writes them.
#pragma once
#include <string>
#include <vector>

enum class AssetFormat { Jpeg, Bmp24, Icon8, Cursor1, Ms3d };

struct AssetEntry {
    const char* fileName;
    AssetFormat format;
    int width, height;  // 0 for the model
};

// The committed files the generator reproduces (the preview thumbnail is
// made separately, from a rendered frame).
const std::vector<AssetEntry>& assetCatalogue();

// Writes every catalogued file into folder; reports failures on stderr.
bool writeAllAssets(const std::string& folder);

// JPEG quality used for each JPEG asset.
int jpegQualityFor(const std::string& fileName);
