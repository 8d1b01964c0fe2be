// Building TGA files byte by byte for the reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

using Bytes = std::vector<std::uint8_t>;

// The 18 header bytes, field by field. The ID field that follows holds idLength bytes.
struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 2;
    std::uint16_t firstEntry = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t entryBits = 0;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    std::uint8_t bitsPerPixel = 24;
    std::uint8_t descriptor = 0x20;
};

// A true-colour header (type 2, or 10 when runLength) without a colour map.
TgaHeader trueColourHeader(int width, int height, int bitsPerPixel, std::uint8_t descriptor,
                           bool runLength = false);
// An 8-bit colour-mapped header (type 1, or 9 when runLength) with a 256 × 24-bit colour map.
TgaHeader colourMappedHeader(int width, int height, std::uint8_t descriptor,
                             bool runLength = false);

// 256 distinct entries as the file stores them: blue, green, red.
Bytes testColourMap();

// Header, ID field (idLength bytes of 0xA0, 0xA1, ...), colour map when the header declares
// one (testColourMap() unless one is given), then data.
Bytes tgaFile(const TgaHeader& header, const Bytes& data, const Bytes& colourMap = {});

// One packet of a run-length plan: a run of count equal pixels, or count raw pixels.
struct Packet {
    bool run;
    int count;  // 1 to 128
};

// Pixels in stored order, generated to follow a packet plan, with the matching packet stream.
struct PackedPixels {
    Bytes pixels;
    Bytes packets;
};

// pixelCount pixels of pixelSize bytes, packed by the plan repeated as often as needed; the
// last packet is cut to the pixels that remain. Pixel values come from seed.
PackedPixels packPixels(int pixelCount, int pixelSize, const std::vector<Packet>& plan,
                        std::uint32_t seed);

// Writes bytes to a new file in the test's temporary directory and returns its path.
std::string writeTempFile(const Bytes& bytes);

// Writes bytes to a file and loads it into image.
TgaResult loadBytes(TgaImage& image, const Bytes& bytes);
