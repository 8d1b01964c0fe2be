#include "image/test/tga_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

void putWord(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// A small deterministic generator, so that failures repeat.
std::uint8_t nextByte(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(state >> 24);
}

}  // namespace

TgaHeader trueColourHeader(int width, int height, int bitsPerPixel, std::uint8_t descriptor,
                           bool runLength) {
    TgaHeader header;
    header.imageType = runLength ? 10 : 2;
    header.width = static_cast<std::uint16_t>(width);
    header.height = static_cast<std::uint16_t>(height);
    header.bitsPerPixel = static_cast<std::uint8_t>(bitsPerPixel);
    header.descriptor = descriptor;
    return header;
}

TgaHeader colourMappedHeader(int width, int height, std::uint8_t descriptor, bool runLength) {
    TgaHeader header = trueColourHeader(width, height, 8, descriptor);
    header.imageType = runLength ? 9 : 1;
    header.colourMapType = 1;
    header.mapLength = 256;
    header.entryBits = 24;
    return header;
}

Bytes testColourMap() {
    Bytes map;
    for (int i = 0; i < 256; ++i) {
        map.push_back(static_cast<std::uint8_t>(i));            // blue
        map.push_back(static_cast<std::uint8_t>(255 - i));      // green
        map.push_back(static_cast<std::uint8_t>(i * 7 + 3));    // red
    }
    return map;
}

Bytes tgaFile(const TgaHeader& header, const Bytes& data, const Bytes& colourMap) {
    Bytes bytes{header.idLength, header.colourMapType, header.imageType};
    putWord(bytes, header.firstEntry);
    putWord(bytes, header.mapLength);
    bytes.push_back(header.entryBits);
    putWord(bytes, 0);
    putWord(bytes, 0);
    putWord(bytes, header.width);
    putWord(bytes, header.height);
    bytes.push_back(header.bitsPerPixel);
    bytes.push_back(header.descriptor);
    for (int i = 0; i < header.idLength; ++i) bytes.push_back(static_cast<std::uint8_t>(0xA0 + i));
    if (header.colourMapType == 1) {
        const Bytes map = colourMap.empty() ? testColourMap() : colourMap;
        bytes.insert(bytes.end(), map.begin(), map.end());
    }
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

PackedPixels packPixels(int pixelCount, int pixelSize, const std::vector<Packet>& plan,
                        std::uint32_t seed) {
    PackedPixels packed;
    for (std::size_t next = 0; pixelCount > 0; next = (next + 1) % plan.size()) {
        const int count = std::min(plan[next].count, pixelCount);
        pixelCount -= count;
        if (plan[next].run) {
            packed.packets.push_back(static_cast<std::uint8_t>(0x80 + count - 1));
            Bytes pixel;
            for (int b = 0; b < pixelSize; ++b) pixel.push_back(nextByte(seed));
            packed.packets.insert(packed.packets.end(), pixel.begin(), pixel.end());
            for (int i = 0; i < count; ++i) {
                packed.pixels.insert(packed.pixels.end(), pixel.begin(), pixel.end());
            }
        } else {
            packed.packets.push_back(static_cast<std::uint8_t>(count - 1));
            for (int b = 0; b < count * pixelSize; ++b) {
                const std::uint8_t value = nextByte(seed);
                packed.packets.push_back(value);
                packed.pixels.push_back(value);
            }
        }
    }
    return packed;
}

std::string writeTempFile(const Bytes& bytes) {
    static int fileCount = 0;
    const std::string path = ::testing::TempDir() + "tga_test_" + std::to_string(getpid()) + "_" +
                             std::to_string(++fileCount) + ".tga";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (!file) return path;
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return path;
}

TgaResult loadBytes(TgaImage& image, const Bytes& bytes) {
    const std::string path = writeTempFile(bytes);
    const TgaResult result = image.load(path.c_str());
    std::remove(path.c_str());
    return result;
}
