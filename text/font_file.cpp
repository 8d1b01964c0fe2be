#include "text/font_file.h"

#include <cstring>
#include <new>

namespace {

constexpr std::size_t WidthTableOffset = 20;

struct FontHeader {
    std::int32_t imageWidth;
    std::int32_t imageHeight;
    std::int32_t cellWidth;
    std::int32_t cellHeight;
    std::int8_t bitsPerPixel;
    std::int8_t baseChar;
};

std::int32_t readInt32(const std::uint8_t* p) {
    const std::uint32_t value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return static_cast<std::int32_t>(value);
}

FontHeader readHeader(const std::uint8_t* data) {
    return FontHeader{readInt32(data + 2),
                      readInt32(data + 6),
                      readInt32(data + 10),
                      readInt32(data + 14),
                      static_cast<std::int8_t>(data[18]),
                      static_cast<std::int8_t>(data[19])};
}

// The size rule: (depth / 8) * height * width, the depth a signed byte and the division
// truncating toward zero. Computed in 64 bits so that a product past 32 bits cannot wrap onto
// the file's length; false when even 64 bits overflow, which no file length can match.
bool pixelByteCount(const FontHeader& header, std::int64_t& count) {
    const std::int64_t bytesPerPixel = header.bitsPerPixel / 8;
    std::int64_t rows = 0;
    return !__builtin_mul_overflow(bytesPerPixel, std::int64_t{header.imageHeight}, &rows) &&
           !__builtin_mul_overflow(rows, std::int64_t{header.imageWidth}, &count);
}

bool lengthMeetsSizeRule(const FontHeader& header, std::size_t size) {
    std::int64_t pixelBytes = 0;
    return pixelByteCount(header, pixelBytes) && pixelBytes >= 0 &&
           static_cast<std::uint64_t>(pixelBytes) == size - FontHeaderSize;
}

// Zero or negative sizes can meet the size rule (0 x anything, or two negative factors); they
// are refused before the divisions. A cell wider than the image would make cellsPerRow 0, the
// divisor of every character's row when the text is drawn.
bool dimensionsUsable(const FontHeader& header) {
    return header.imageWidth > 0 && header.imageHeight > 0 && header.cellWidth > 0 && header.cellHeight > 0 &&
           header.cellWidth <= header.imageWidth;
}

bool pixelFormatOf(std::int8_t bitsPerPixel, FontPixelFormat& format) {
    switch (bitsPerPixel) {
        case 8: format = FontLuminance; return true;
        case 24: format = FontRgb; return true;
        case 32: format = FontRgba; return true;
        default: return false;
    }
}

}  // namespace

bool parseFontFile(const std::uint8_t* data, std::size_t size, BitmapFont& font, FontImage& image) {
    if (size < FontHeaderSize || data[0] != 0xBF || data[1] != 0xF2) return false;
    const FontHeader header = readHeader(data);
    font.cellWidth = header.cellWidth;
    font.cellHeight = header.cellHeight;
    font.baseChar = header.baseChar;
    if (!lengthMeetsSizeRule(header, size)) return false;
    if (!dimensionsUsable(header)) return false;
    font.uStep = static_cast<float>(static_cast<double>(header.cellWidth) / header.imageWidth);
    font.vStep = static_cast<float>(static_cast<double>(header.cellHeight) / header.imageHeight);
    font.cellsPerRow = header.imageWidth / header.cellWidth;
    if (!pixelFormatOf(header.bitsPerPixel, font.pixelFormat)) return false;
    const std::size_t pixelBytes = size - FontHeaderSize;
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[pixelBytes]);
    if (!pixels) return false;
    std::memcpy(font.charWidths, data + WidthTableOffset, sizeof font.charWidths);
    std::memcpy(pixels.get(), data + FontHeaderSize, pixelBytes);
    image.width = header.imageWidth;
    image.height = header.imageHeight;
    image.pixels = std::move(pixels);
    return true;
}
