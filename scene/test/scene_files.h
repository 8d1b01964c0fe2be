// Small resource files for scene tests, written into a temporary working directory.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace scenetest {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// An uncompressed 32-bit TGA of one colour, stored top row first.
inline std::vector<std::uint8_t> solidTga(int width, int height, Rgba colour) {
    std::vector<std::uint8_t> file(18, 0);
    file[2] = 2;  // true-colour, uncompressed
    file[12] = static_cast<std::uint8_t>(width);
    file[13] = static_cast<std::uint8_t>(width >> 8);
    file[14] = static_cast<std::uint8_t>(height);
    file[15] = static_cast<std::uint8_t>(height >> 8);
    file[16] = 32;
    file[17] = 0x20;  // top row first
    for (int i = 0; i < width * height; ++i) {
        file.insert(file.end(), {colour.b, colour.g, colour.r, colour.a});  // stored blue, green, red, alpha
    }
    return file;
}

// A luminance font of 16 x 16 cells on a 256 x 128 image (codes 32..159), every cell fully
// lit, every advance width the given value.
inline std::vector<std::uint8_t> solidFont(std::int8_t advance) {
    const std::int32_t header[4] = {256, 128, 16, 16};
    std::vector<std::uint8_t> file = {0xBF, 0xF2};
    for (std::int32_t value : header) {
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    file.push_back(8);   // bits per pixel
    file.push_back(32);  // base character
    file.insert(file.end(), 256, static_cast<std::uint8_t>(advance));
    file.insert(file.end(), 256 * 128, 0xFF);
    return file;
}

// A temporary directory that becomes the working directory for the test's life, with a res/
// folder to put resource files in. The previous working directory comes back afterwards.
class ResourceDir {
public:
    ResourceDir() : previous_(std::filesystem::current_path()) {
        char pattern[] = "/tmp/velmory-scene-XXXXXX";
        dir_ = mkdtemp(pattern);
        std::filesystem::create_directory(dir_ / "res");
        std::filesystem::current_path(dir_);
    }
    ~ResourceDir() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    ResourceDir(const ResourceDir&) = delete;
    ResourceDir& operator=(const ResourceDir&) = delete;

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::FILE* f = std::fopen((dir_ / "res" / name).c_str(), "wb");
        if (f == nullptr) return;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

}  // namespace scenetest
