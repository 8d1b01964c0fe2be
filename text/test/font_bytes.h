// Building bitmap-font files byte by byte for the tests.
#pragma once

#include <cstdint>
#include <vector>

struct FontHeaderFields {
    std::int32_t imageWidth = 256;
    std::int32_t imageHeight = 256;
    std::int32_t cellWidth = 16;
    std::int32_t cellHeight = 16;
    std::int8_t bitsPerPixel = 8;
    std::int8_t baseChar = 32;
};

inline void putInt32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// The 276-byte header: magic, sizes, depth, base character, and a width of 8 for every code.
inline std::vector<std::uint8_t> fontHeader(const FontHeaderFields& fields) {
    std::vector<std::uint8_t> bytes(276, 8);
    bytes[0] = 0xBF;
    bytes[1] = 0xF2;
    putInt32(bytes, 2, fields.imageWidth);
    putInt32(bytes, 6, fields.imageHeight);
    putInt32(bytes, 10, fields.cellWidth);
    putInt32(bytes, 14, fields.cellHeight);
    bytes[18] = static_cast<std::uint8_t>(fields.bitsPerPixel);
    bytes[19] = static_cast<std::uint8_t>(fields.baseChar);
    return bytes;
}

// Header followed by pixelBytes bytes of a pattern that differs from row to row and pixel to pixel.
inline std::vector<std::uint8_t> fontFile(const FontHeaderFields& fields, std::size_t pixelBytes) {
    std::vector<std::uint8_t> bytes = fontHeader(fields);
    for (std::size_t i = 0; i < pixelBytes; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 7 + 3));
    return bytes;
}

// A well-formed file: exactly the pixel bytes its header asks for.
inline std::vector<std::uint8_t> wellFormedFontFile(const FontHeaderFields& fields) {
    const auto pixelBytes = static_cast<std::size_t>(fields.bitsPerPixel / 8) *
                            static_cast<std::size_t>(fields.imageWidth) * static_cast<std::size_t>(fields.imageHeight);
    return fontFile(fields, pixelBytes);
}
