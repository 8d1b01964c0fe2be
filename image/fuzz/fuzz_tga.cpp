// libFuzzer target for the TGA reader: any bytes as the contents of a file, decoded exactly as
// TgaImage::load decodes what it has read. ASan catches a read past the file (held in a buffer of
// exactly its size) or a write past the pixels; the checks below catch a result that lies.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > UINT32_MAX) return 0;
    TgaImage image;
    if (size > 0) {
        image.fileData.reset(new std::uint8_t[size]);
        std::memcpy(image.fileData.get(), data, size);
        image.fileSize = static_cast<std::uint32_t>(size);
    }
    const TgaResult result = decodeFileData(image);
    if (result == TgaOk) {
        checkLoaded(image);
    } else {
        require(result == TgaNoFile || result == TgaNoMemory || result == TgaBadFile ||
                result == TgaUnsupported);
        require(result != TgaNoFile || size == 0);
    }
    image.release();
    require(!image.pixels && !image.palette && !image.fileData);
    return 0;
}
