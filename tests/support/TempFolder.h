#pragma once

#include "core/text/ReadFile.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qs::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    // Under base: the system's temporary folder unless a test needs another.
    explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path())
    {
        std::random_device seed;
        path_ = base / ("qs-test-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(std::string_view name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

    // Writes bytes directly, bypassing the code under test.
    std::string write(std::string_view name, std::string_view bytes) const
    {
        std::ofstream(file(name), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file(name);
    }
    std::string read(std::string_view name) const { return readFileBytes(file(name)); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

} // namespace qs::test
