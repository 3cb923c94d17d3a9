// A fresh folder under the system's temporary folder, for files that are
// made only to be read back at once.
#pragma once
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

inline std::filesystem::path makeScratchFolder(const std::string& prefix) {
    std::random_device entropy;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / (prefix + std::to_string(ticks) + "_" + std::to_string(entropy()));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}
