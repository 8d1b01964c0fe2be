// libFuzzer target for the TGA reader: any bytes as the contents of a file, decoded exactly as
// TgaImage::load decodes what it has read. ASan catches a read past the file (held in a buffer of
// exactly its size) or a write past the pixels; the checks below catch a result that lies, and
// every image that loads with 24- or 32-bit colours or 8-bit indices must match stb_image's.
#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/image.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkLoaded(const TgaImage& image) {
    const std::uint64_t pixelSize = static_cast<std::uint8_t>(image.bitsPerPixel) / 8u;
    require(image.width >= 1 && image.height >= 1);
    require(image.imageSize == static_cast<std::uint64_t>(image.width) * image.height * pixelSize);
    require(image.pixels != nullptr);
    require(image.fileData == nullptr);
    const bool mapped = image.imageType == 1 || image.imageType == 9;
    require(mapped == (image.palette != nullptr));
    // Reading every byte makes ASan check the whole buffer.
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < image.imageSize; ++i) sum += image.pixels[i];
    if (image.palette) {
        for (int i = 0; i < 768; ++i) sum += image.palette[i];
    }
    volatile std::uint32_t sink = sum;
    (void)sink;
}

// stb_image expands indices through the palette and ignores the right-to-left bit, as the reader
// keeps the order stored; so the two must agree byte for byte once indices are looked up.
void checkAgainstStb(const TgaImage& image, const std::uint8_t* data, std::size_t size) {
    const bool mapped = image.palette != nullptr;
    if (mapped ? image.bitsPerPixel != 8 : image.bitsPerPixel != 24 && image.bitsPerPixel != 32) {
        return;
    }
    int width = 0, height = 0, channels = 0;
    stbi_uc* theirs = stbi_load_from_memory(data, static_cast<int>(size), &width, &height,
                                            &channels, 0);
    require(theirs != nullptr);
    require(width == image.width && height == image.height);
    require(channels == (mapped ? 3 : image.bitsPerPixel / 8));
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint8_t* ours = mapped ? image.palette.get() + 3 * image.pixels[i]
                                          : image.pixels.get() + i * channels;
        require(std::memcmp(ours, theirs + i * channels, channels) == 0);
    }
    stbi_image_free(theirs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > INT32_MAX) return 0;
    TgaImage image;
    if (size > 0) {
        image.fileData.reset(new std::uint8_t[size]);
        std::memcpy(image.fileData.get(), data, size);
        image.fileSize = static_cast<std::uint32_t>(size);
    }
    const TgaResult result = decodeFileData(image);
    if (result == TgaOk) {
        checkLoaded(image);
        checkAgainstStb(image, data, size);
    } else {
        require(result == TgaNoFile || result == TgaNoMemory || result == TgaBadFile ||
                result == TgaUnsupported);
        require(result != TgaNoFile || size == 0);
    }
    image.release();
    require(!image.pixels && !image.palette && !image.fileData);
    return 0;
}
