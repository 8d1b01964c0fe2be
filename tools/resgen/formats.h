// Writers for the files the generator produces: run-length-encoded TGA, the bitmap-font file,
// the Windows icon and resource script, and the icon pixels as a C++ fragment. Each encoder is
// pure and returns the file's bytes; writeFile puts them on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/resgen/canvas.h"

using Bytes = std::vector<std::uint8_t>;

// A 32-bit true-colour TGA, image type 10. Rows are stored bottom row first with the descriptor
// announcing 8 alpha bits (0x08); packets never cross a row end.
Bytes encodeTgaRle(const Image8& image);

// A bitmap-font sheet: square-celled glyph image plus advance widths by character code.
struct FontSheet {
    int imageWidth = 0;
    int imageHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    std::int8_t baseChar = 0;
    std::int8_t widths[256] = {};
    std::vector<std::uint8_t> rgba;  // imageWidth * imageHeight * 4, top row first, premultiplied
};
// The "BFF2" layout at 32 bits per pixel: 276-byte header, then the pixels.
Bytes encodeBitmapFont(const FontSheet& sheet);

// One icon image at 8 bits per pixel: a 256-colour palette and an index per pixel.
struct IndexedImage {
    int size = 0;                       // width and height
    std::uint8_t palette[256][3] = {};  // red, green, blue
    std::vector<std::uint8_t> indices;  // size * size, top row first
};
// Applies the palette: size * size RGBA pixels, all opaque.
Image8 expandIndexed(const IndexedImage& image);
// A .ico file holding the images in the given order, each a 256-colour DIB with an all-clear AND
// mask (the icons are opaque).
Bytes encodeIco(const std::vector<IndexedImage>& images);
// The C++ fragment that gives the SDL window its icon: Icon129Size/Icon129Rgba for the large
// image and Icon16Size/Icon16Rgba for the small one, RGBA top row first.
std::string iconFragment(const IndexedImage& large, const IndexedImage& small);

bool writeFile(const std::string& path, const Bytes& bytes);
bool writeText(const std::string& path, const std::string& text);
