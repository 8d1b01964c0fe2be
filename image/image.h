// Image textures: the TGA reader and the textures made from its images.
//
// The reader accepts uncompressed and run-length-encoded TGA files, true-colour (types 2 and 10)
// and colour-mapped with a 256-entry, 24-bit colour map (types 1 and 9). It delivers the pixels
// top row first, true-colour pixels as red, green, blue (alpha), colour-mapped pixels as the
// stored indices with a red-green-blue palette. It needs no OpenGL context.
#pragma once

#include <cstdint>
#include <memory>

// Result of a load; exactly one is returned.
enum TgaResult : std::int32_t {
    TgaOk = 1,           // the image was loaded
    TgaNoFile = 2,       // the file cannot be opened, or there is no file data to parse
    TgaNoMemory = 4,     // a buffer cannot be allocated
    TgaBadFile = 8,      // the header contradicts itself or the file is too short for its data
    TgaUnsupported = 64  // a TGA feature outside the accepted subset
};

// A decoded TGA image. The three buffers are owned by the record; an empty buffer is null.
struct TgaImage {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t bitsPerPixel = 0;  // the header's pixel depth, 0..255
    std::uint32_t imageSize = 0;    // bytes of decoded pixel data: width * height * (bitsPerPixel / 8)
    std::int8_t imageType = 0;      // the header's image type code
    std::unique_ptr<std::uint8_t[]> pixels;    // imageSize bytes, top row first
    std::unique_ptr<std::uint8_t[]> palette;   // 768 bytes of red, green, blue; colour-mapped only
    std::unique_ptr<std::uint8_t[]> fileData;  // the whole file, held while it is decoded
    std::uint32_t fileSize = 0;                // bytes in fileData

    // Reads the file at path (a backslash is taken as the directory separator) into this record,
    // replacing what it held.
    TgaResult load(const char* path);
    // Frees pixels, palette and fileData, in that order.
    void release();
};

// What TgaImage::load does once the file is in fileData and fileSize: parses, decodes and frees
// fileData. Lets the fuzzer and the benchmark decode bytes held in memory.
TgaResult decodeFileData(TgaImage& image);

// The steps of TgaImage::load, each working on the record; exposed for tests and the fuzzer.
// copyRawPixels and readPalette give TgaBadFile when called on a file too short for what they
// copy; load has refused such a file before it calls them.
TgaResult parseHeader(TgaImage& image);      // TgaOk, TgaNoFile, TgaBadFile or TgaUnsupported
TgaResult copyRawPixels(TgaImage& image);    // TgaOk or TgaNoMemory
TgaResult decodeRlePixels(TgaImage& image);  // TgaOk, TgaNoMemory or TgaBadFile
TgaResult readPalette(TgaImage& image);      // TgaOk or TgaNoMemory
void swapRedBlue(TgaImage& image);
void flipRows(TgaImage& image);

// Reads a 24- or 32-bit TGA file into a new OpenGL texture with linear filtering and clamped
// wrapping, left bound to GL_TEXTURE_2D. Returns the texture name, or -1 on any failure (then no
// texture is left behind). Render thread, with an OpenGL context current.
std::int32_t loadImageTexture(const char* path);
