// The TGA reader. Every step checks the bounds of what it reads against fileSize and of what it
// writes against imageSize, so that no file, however it lies, makes it reach outside its buffers.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "common/resource_file.h"
#include "image/image.h"

namespace {

constexpr std::uint32_t HeaderSize = 18;
constexpr std::uint32_t ColourMapSize = 768;  // 256 entries of 3 bytes
constexpr std::uint8_t TopRowFirst = 0x20;

// Faulting in a fresh buffer 4 KB page by page can cost more than decoding into it (on a virtual
// machine each fault may exit to the host), so buffers of several megabytes ask Linux for
// transparent huge pages for the pages that hold them. The advice is a hint: if it is refused,
// nothing changes but the speed.
void adviseHugePages([[maybe_unused]] std::uint8_t* buffer, [[maybe_unused]] std::size_t count) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t Threshold = std::size_t{4} << 20;
    if (count < Threshold) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = start & ~(page - 1);
    const std::uintptr_t last = (start + count + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

std::unique_ptr<std::uint8_t[]> allocateBytes(std::size_t count) {
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[count]);
    if (buffer) adviseHugePages(buffer.get(), count);
    return buffer;
}

std::uint16_t readWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// True when the file holds the header and `length` bytes from `offset` on.
bool fileHolds(const TgaImage& image, std::uint64_t offset, std::uint64_t length) {
    return image.fileData && image.fileSize >= HeaderSize && offset + length <= image.fileSize;
}

std::uint8_t colourMapType(const TgaImage& image) { return image.fileData[1]; }

std::uint64_t colourMapOffset(const TgaImage& image) { return HeaderSize + image.fileData[0]; }

std::uint64_t pixelDataOffset(const TgaImage& image) {
    return colourMapOffset(image) + (colourMapType(image) == 1 ? ColourMapSize : 0);
}

// bitsPerPixel holds a byte, so the cast only drops a sign that a hand-filled record might carry.
std::uint32_t pixelSize(const TgaImage& image) {
    return static_cast<std::uint8_t>(image.bitsPerPixel) / 8u;
}

// Copies n bytes in 16-byte pieces, the last piece overlapping the one before. Packets are short
// (at most 128 pixels), and a copy of unknown length may otherwise be compiled as `rep movs`,
// whose start-up cost exceeds the copy itself.
void copyBytes(std::uint8_t* out, const std::uint8_t* in, std::size_t n) {
    if (n >= 16) {
        for (std::size_t i = 0; i + 16 < n; i += 16) std::memcpy(out + i, in + i, 16);
        std::memcpy(out + n - 16, in + n - 16, 16);
    } else if (n >= 4) {
        // Two pieces of 4 or 8 bytes, overlapping, cover 4 to 15 bytes.
        const std::size_t piece = n >= 8 ? 8 : 4;
        std::uint8_t head[8], tail[8];
        std::memcpy(head, in, piece);
        std::memcpy(tail, in + n - piece, piece);
        std::memcpy(out, head, piece);
        std::memcpy(out + n - piece, tail, piece);
    } else {
        for (std::size_t i = 0; i < n; ++i) out[i] = in[i];
    }
}

// Writes `bytes` bytes (a whole number of pixels) of one repeated pixel.
void fillRun(std::uint8_t* out, const std::uint8_t* pixel, std::size_t bytes, std::uint32_t size) {
    if (size == 1) {
        std::memset(out, *pixel, bytes);
    } else if (size == 4) {
        std::uint32_t word;
        std::memcpy(&word, pixel, 4);
        for (std::size_t i = 0; i < bytes; i += 4) std::memcpy(out + i, &word, 4);
    } else if (size == 3 && bytes >= 12) {
        // Four pixels make a 12-byte block. The last block ends exactly at the end and may overlap
        // the one before; since 12 and bytes are both multiples of 3, it stays in step.
        std::uint8_t block[12];
        for (int i = 0; i < 12; i += 3) std::memcpy(block + i, pixel, 3);
        for (std::size_t i = 0; i + 12 < bytes; i += 12) std::memcpy(out + i, block, 12);
        std::memcpy(out + bytes - 12, block, 12);
    } else {
        // Doubling copies: each one repeats everything written so far.
        copyBytes(out, pixel, size);
        for (std::size_t done = size; done < bytes;) {
            const std::size_t step = std::min(done, bytes - done);
            copyBytes(out + done, out, step);
            done += step;
        }
    }
}

// Decodes packets from [in, end) into [out, outEnd). A packet that would write past outEnd is
// clipped, and only the clipped part's source bytes must be present. False when the stream ends
// before the output is full.
bool decodePackets(const std::uint8_t* in, const std::uint8_t* end, std::uint8_t* out,
                   std::uint8_t* outEnd, std::uint32_t size) {
    while (out < outEnd) {
        if (in == end) return false;
        const std::uint8_t header = *in++;
        const std::size_t wanted = static_cast<std::size_t>((header & 0x7F) + 1) * size;
        const std::size_t bytes = std::min(wanted, static_cast<std::size_t>(outEnd - out));
        const bool run = header & 0x80;
        const std::size_t consumed = run ? size : bytes;
        if (static_cast<std::size_t>(end - in) < consumed) return false;
        if (run) {
            fillRun(out, in, bytes, size);
        } else {
            copyBytes(out, in, bytes);
        }
        in += consumed;
        out += bytes;
    }
    return true;
}

void swapFourBytePixels(std::uint8_t* pixels, std::size_t count) {
    // Little-endian words: the first byte is the low one, the third sits 16 bits up.
    auto swap = [](std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
        std::memcpy(p, &v, 4);
    };
    // Blocks of a fixed count let the compiler vectorise the inner loop without a cost model that
    // allows a scalar epilogue.
    constexpr std::size_t Block = 16;
    std::size_t i = 0;
    for (; i + Block <= count; i += Block) {
        for (std::size_t j = 0; j < Block; ++j) swap(pixels + (i + j) * 4);
    }
    for (; i < count; ++i) swap(pixels + i * 4);
}

void swapFirstAndThird(std::uint8_t* pixels, std::size_t count, std::uint32_t size) {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* p = pixels + i * size;
        const std::uint8_t first = p[0];
        p[0] = p[2];
        p[2] = first;
    }
}

void swapRowBytes(std::uint8_t* a, std::uint8_t* b, std::size_t length) {
    std::uint8_t chunk[4096];
    for (std::size_t done = 0; done < length; done += sizeof chunk) {
        const std::size_t n = std::min(sizeof chunk, length - done);
        std::memcpy(chunk, a + done, n);
        std::memcpy(a + done, b + done, n);
        std::memcpy(b + done, chunk, n);
    }
}

// Steps 2 to 5 of load: the whole file into fileData.
TgaResult readWholeFile(TgaImage& image, const char* path) {
    std::FILE* file = openResourceFile(path);
    if (!file) return TgaNoFile;
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
    std::rewind(file);
    image.fileData.reset();
    image.fileSize = 0;
    TgaResult result = TgaOk;
    if (length < 0) {
        result = TgaNoFile;
    } else if (static_cast<unsigned long>(length) > UINT32_MAX) {
        // A directory opens here and reports a huge length, but reads nothing.
        result = std::fgetc(file) == EOF ? TgaNoFile : TgaNoMemory;
    } else if (length > 0) {
        // An empty file leaves fileData empty, which parseHeader reports as no file data.
        image.fileData = allocateBytes(static_cast<std::size_t>(length));
        if (!image.fileData) {
            result = TgaNoMemory;
        } else if (std::fread(image.fileData.get(), 1, length, file) !=
                   static_cast<std::size_t>(length)) {
            image.fileData.reset();
            result = TgaNoFile;
        } else {
            image.fileSize = static_cast<std::uint32_t>(length);
        }
    }
    std::fclose(file);
    return result;
}

// Step 7 of load: the checks and steps chosen by the image type.
TgaResult decodeByType(TgaImage& image) {
    const std::uint64_t dataEnd = pixelDataOffset(image) + image.imageSize;
    const bool mapped = colourMapType(image) == 1;
    TgaResult result = TgaOk;
    switch (static_cast<std::uint8_t>(image.imageType)) {
        case 1:
            if (!mapped || dataEnd > image.fileSize) return TgaBadFile;
            result = copyRawPixels(image);
            return result == TgaOk ? readPalette(image) : result;
        case 2:
            if (mapped || dataEnd > image.fileSize) return TgaBadFile;
            result = copyRawPixels(image);
            break;
        case 9:
            if (!mapped) return TgaBadFile;
            result = decodeRlePixels(image);
            return result == TgaOk ? readPalette(image) : result;
        case 10:
            if (mapped) return TgaBadFile;
            result = decodeRlePixels(image);
            break;
        default:
            return TgaUnsupported;
    }
    if (result == TgaOk) swapRedBlue(image);
    return result;
}

}  // namespace

TgaResult TgaImage::load(const char* path) {
    pixels.reset();
    palette.reset();
    const TgaResult result = readWholeFile(*this, path);
    return result == TgaOk ? decodeFileData(*this) : result;
}

void TgaImage::release() {
    pixels.reset();
    palette.reset();
    fileData.reset();
    fileSize = 0;
}

TgaResult decodeFileData(TgaImage& image) {
    image.pixels.reset();
    image.palette.reset();
    TgaResult result = parseHeader(image);
    if (result == TgaOk) result = decodeByType(image);
    if (result != TgaOk) return result;
    if (!(image.fileData[17] & TopRowFirst)) flipRows(image);
    image.fileData.reset();
    image.fileSize = 0;
    return TgaOk;
}

TgaResult parseHeader(TgaImage& image) {
    if (!image.fileData || image.fileSize == 0) return TgaNoFile;
    if (image.fileSize < HeaderSize) return TgaBadFile;
    const std::uint8_t* header = image.fileData.get();
    if (header[1] > 1) return TgaUnsupported;
    image.imageType = static_cast<std::int8_t>(header[2]);
    if (header[2] > 11) return TgaUnsupported;
    // The reader takes only a colour map of 256 entries of 24 bits, starting at entry 0.
    if (header[1] == 1 &&
        (readWord(header + 3) != 0 || readWord(header + 5) != 256 || header[7] != 24)) {
        return TgaUnsupported;
    }
    // Fields of 32768 and above read as negative and are refused with 0.
    image.width = static_cast<std::int16_t>(readWord(header + 12));
    image.height = static_cast<std::int16_t>(readWord(header + 14));
    if (image.width < 1 || image.height < 1) return TgaBadFile;
    image.bitsPerPixel = header[16];
    // Above 32: attribute bits with top row first (0x28), or the reserved interleave bits.
    if (header[17] > 32) return TgaUnsupported;
    const std::uint64_t size = static_cast<std::uint64_t>(image.width) *
                               static_cast<std::uint64_t>(image.height) * pixelSize(image);
    // No file whose length fits fileSize can hold the pixels of a larger image, raw or packed.
    if (size > UINT32_MAX) return TgaBadFile;
    image.imageSize = static_cast<std::uint32_t>(size);
    return TgaOk;
}

TgaResult copyRawPixels(TgaImage& image) {
    image.pixels.reset();
    // load has tested the length already; a direct call is held to the file as well.
    if (!fileHolds(image, pixelDataOffset(image), image.imageSize)) return TgaBadFile;
    image.pixels = allocateBytes(image.imageSize);
    if (!image.pixels) return TgaNoMemory;
    std::memcpy(image.pixels.get(), image.fileData.get() + pixelDataOffset(image), image.imageSize);
    return TgaOk;
}

TgaResult decodeRlePixels(TgaImage& image) {
    image.pixels.reset();
    const std::uint64_t start = pixelDataOffset(image);
    if (!fileHolds(image, start, 0)) return TgaBadFile;
    const std::uint32_t size = pixelSize(image);
    const std::uint64_t available = image.fileSize - start;
    // A run packet of 1 + size bytes yields at most 128 pixels. Refusing a file that could not
    // yield imageSize bytes even so keeps a small file from allocating a huge buffer.
    if (size > 0 && image.imageSize > available / (1 + size) * 128 * size) return TgaBadFile;
    image.pixels = allocateBytes(image.imageSize);
    if (!image.pixels) return TgaNoMemory;
    const std::uint8_t* in = image.fileData.get() + start;
    std::uint8_t* out = image.pixels.get();
    if (size > 0 && !decodePackets(in, in + available, out, out + image.imageSize, size)) {
        return TgaBadFile;
    }
    return TgaOk;
}

TgaResult readPalette(TgaImage& image) {
    image.palette.reset();
    if (!fileHolds(image, colourMapOffset(image), ColourMapSize)) return TgaBadFile;
    image.palette = allocateBytes(ColourMapSize);
    if (!image.palette) return TgaNoMemory;
    std::memcpy(image.palette.get(), image.fileData.get() + colourMapOffset(image), ColourMapSize);
    // The file stores each entry as blue, green, red.
    swapFirstAndThird(image.palette.get(), ColourMapSize / 3, 3);
    return TgaOk;
}

void swapRedBlue(TgaImage& image) {
    const std::uint32_t size = pixelSize(image);
    // Pixels under 3 bytes have no third byte; they are left as stored.
    if (!image.pixels || size < 3) return;
    const std::size_t count = image.imageSize / size;
    if (size == 4 && std::endian::native == std::endian::little) {
        swapFourBytePixels(image.pixels.get(), count);
    } else {
        swapFirstAndThird(image.pixels.get(), count, size);
    }
}

void flipRows(TgaImage& image) {
    if (!image.pixels || image.width < 1 || image.height < 1) return;
    const std::size_t rowLength = static_cast<std::size_t>(image.width) * pixelSize(image);
    if (rowLength * static_cast<std::size_t>(image.height) > image.imageSize) return;
    std::uint8_t* top = image.pixels.get();
    std::uint8_t* bottom = top + rowLength * (image.height - 1);
    for (; top < bottom; top += rowLength, bottom -= rowLength) swapRowBytes(top, bottom, rowLength);
}
