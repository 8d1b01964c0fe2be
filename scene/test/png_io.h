// Reading and writing RGBA PNG files for the reference-image tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // top row first
};

// False when the file is missing or not a PNG.
bool readPng(const std::string& path, PngImage& image);
bool writePng(const std::string& path, const PngImage& image);
