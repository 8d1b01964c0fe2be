// Reading and checking the bitmap-font file: everything the loader does before the texture
// steps. Pure computation on the file's bytes, so it runs without an OpenGL context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "text/text.h"

// The header: magic, four int32 sizes, depth, base character and the 256 widths.
inline constexpr std::size_t FontHeaderSize = 276;

// The font image taken out of the file, ready for the upload.
struct FontImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<std::uint8_t[]> pixels;  // rows without padding, top row first
};

// Checks the file's bytes in the loader's order and fills font's header fields, its widths
// and image. False on the first failed check or when the pixel copy cannot be allocated; font
// may then hold some header values and image stays empty.
bool parseFontFile(const std::uint8_t* data, std::size_t size, BitmapFont& font, FontImage& image);
