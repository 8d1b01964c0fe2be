// Feeds arbitrary bytes to the font file's checks. Every accepted file must have produced the
// fields the drawing divides by and an image whose size matches the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "text/font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BitmapFont font{};
    FontImage image;
    if (!parseFontFile(data, size, font, image)) return 0;
    const int bytesPerPixel = font.pixelFormat == FontLuminance ? 1 : font.pixelFormat == FontRgb ? 3 : 4;
    const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) *
                          static_cast<std::size_t>(bytesPerPixel);
    if (font.cellsPerRow < 1 || font.cellHeight < 1 || expected != size - FontHeaderSize) std::abort();
    // Touch both ends of the copy so that a short allocation shows up.
    volatile std::uint8_t first = image.pixels[0];
    volatile std::uint8_t last = image.pixels[expected - 1];
    (void)first;
    (void)last;
    return 0;
}
