#include "tools/resgen/formats.h"

#include <cstdio>
#include <cstring>

static void put16(Bytes& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

static void put32(Bytes& out, std::int64_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

static bool samePixel(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::memcmp(a, b, 4) == 0;
}

static void putBgra(Bytes& out, const std::uint8_t* p)
{
    out.insert(out.end(), {p[2], p[1], p[0], p[3]});
}

// Run packets for two or more equal pixels, raw packets for the stretches between them.
static void encodeRow(Bytes& out, const std::uint8_t* row, int width)
{
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 128 && samePixel(row + x * 4, row + (x + run) * 4)) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            putBgra(out, row + x * 4);
            x += run;
            continue;
        }
        int raw = 1;
        while (x + raw < width && raw < 128 &&
               !(x + raw + 1 < width && samePixel(row + (x + raw) * 4, row + (x + raw + 1) * 4))) {
            ++raw;
        }
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        for (int i = 0; i < raw; ++i) putBgra(out, row + (x + i) * 4);
        x += raw;
    }
}

Bytes encodeTgaRle(const Image8& image)
{
    Bytes out = {0, 0, 10, 0, 0, 0, 0, 0};  // no ID, no colour map, true-colour RLE
    put16(out, 0);
    put16(out, 0);
    put16(out, image.width);
    put16(out, image.height);
    out.push_back(32);
    out.push_back(0x08);  // 8 alpha bits, bottom row first
    for (int y = image.height - 1; y >= 0; --y) {
        encodeRow(out, &image.rgba[static_cast<std::size_t>(y) * image.width * 4], image.width);
    }
    return out;
}

Bytes encodeBitmapFont(const FontSheet& sheet)
{
    Bytes out = {0xBF, 0xF2};
    put32(out, sheet.imageWidth);
    put32(out, sheet.imageHeight);
    put32(out, sheet.cellWidth);
    put32(out, sheet.cellHeight);
    out.push_back(32);
    out.push_back(static_cast<std::uint8_t>(sheet.baseChar));
    for (std::int8_t w : sheet.widths) out.push_back(static_cast<std::uint8_t>(w));
    out.insert(out.end(), sheet.rgba.begin(), sheet.rgba.end());
    return out;
}

Image8 expandIndexed(const IndexedImage& image)
{
    Image8 out;
    out.width = image.size;
    out.height = image.size;
    for (std::uint8_t i : image.indices) {
        out.rgba.insert(out.rgba.end(), {image.palette[i][0], image.palette[i][1], image.palette[i][2], 255});
    }
    return out;
}

static int dibRowBytes(int bitsWide)
{
    return (bitsWide + 31) / 32 * 4;
}

// BITMAPINFOHEADER, palette, XOR bitmap and AND mask, both bottom row first.
static Bytes iconDib(const IndexedImage& image)
{
    const int n = image.size;
    const int xorRow = dibRowBytes(n * 8);
    const int andRow = dibRowBytes(n);
    Bytes out;
    put32(out, 40);
    put32(out, n);
    put32(out, 2 * n);  // the XOR bitmap and the AND mask stacked
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // BI_RGB
    put32(out, (xorRow + andRow) * n);
    put32(out, 0);
    put32(out, 0);
    put32(out, 256);
    put32(out, 0);
    for (const auto& c : image.palette) out.insert(out.end(), {c[2], c[1], c[0], 0});
    for (int y = n - 1; y >= 0; --y) {
        const auto* row = &image.indices[static_cast<std::size_t>(y) * n];
        out.insert(out.end(), row, row + n);
        out.resize(out.size() + (xorRow - n), 0);
    }
    out.resize(out.size() + static_cast<std::size_t>(andRow) * n, 0);
    return out;
}

Bytes encodeIco(const std::vector<IndexedImage>& images)
{
    Bytes out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<int>(images.size()));
    std::vector<Bytes> dibs;
    for (const IndexedImage& image : images) dibs.push_back(iconDib(image));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(0);  // 256 colours
        out.push_back(0);
        put16(out, 1);
        put16(out, 8);
        put32(out, static_cast<std::int64_t>(dibs[i].size()));
        put32(out, static_cast<std::int64_t>(offset));
        offset += dibs[i].size();
    }
    for (const Bytes& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

static std::string rgbaArray(const IndexedImage& image, const char* sizeName, const char* arrayName)
{
    const Image8 rgba = expandIndexed(image);
    std::string s = "constexpr int " + std::string(sizeName) + " = " + std::to_string(image.size) + ";\n";
    s += "constexpr unsigned char " + std::string(arrayName) + "[" + std::to_string(image.size) + " * " +
         std::to_string(image.size) + " * 4] = {\n";
    // One pixel row per line.
    const std::size_t rowBytes = static_cast<std::size_t>(image.size) * 4;
    for (std::size_t i = 0; i < rgba.rgba.size(); ++i) {
        s += i % rowBytes == 0 ? "    " : " ";
        s += std::to_string(rgba.rgba[i]) + ",";
        if (i % rowBytes == rowBytes - 1) s += "\n";
    }
    return s + "};\n";
}

std::string iconFragment(const IndexedImage& large, const IndexedImage& small)
{
    return "// Icon 129 as RGBA pixels, top row first: written by tools/resgen, do not edit.\n" +
           rgbaArray(large, "Icon129Size", "Icon129Rgba") + "\n" + rgbaArray(small, "Icon16Size", "Icon16Rgba");
}

bool writeFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool writeText(const std::string& path, const std::string& text)
{
    return writeFile(path, Bytes(text.begin(), text.end()));
}
