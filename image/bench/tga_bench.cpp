// Times TgaImage::load beside stb_image's stbi_load on the same files on disk (read from the page
// cache after the first pass): 4096 × 4096 images, 32-bit uncompressed bottom-up, a 32-bit
// run-length sprite with large transparent areas, 24-bit uncompressed and 24-bit run-length.
// Throughput is bytes of decoded pixels per second.
#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "image/image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int Side = 4096;

struct BenchFile {
    const char* name;
    std::string path;
    std::size_t pixelBytes;
};

void appendHeader(Bytes& out, int imageType, int bitsPerPixel, std::uint8_t descriptor) {
    const std::uint8_t side[2] = {Side & 0xFF, Side >> 8};
    const std::uint8_t h[18] = {0, 0, static_cast<std::uint8_t>(imageType), 0, 0, 0, 0, 0, 0, 0,
                                0, 0, side[0], side[1], side[0], side[1],
                                static_cast<std::uint8_t>(bitsPerPixel), descriptor};
    out.insert(out.end(), h, h + 18);
}

// Greedy run-length packing of the whole pixel stream: repeats of two or more become run
// packets, everything else raw packets; packets run across row ends.
void appendPackets(Bytes& out, const Bytes& pixels, std::size_t size) {
    const std::size_t count = pixels.size() / size;
    auto same = [&](std::size_t a, std::size_t b) {
        return std::memcmp(&pixels[a * size], &pixels[b * size], size) == 0;
    };
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 + run - 1));
            out.insert(out.end(), &pixels[i * size], &pixels[i * size] + size);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1))) {
            ++raw;
        }
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        out.insert(out.end(), &pixels[i * size], &pixels[(i + raw) * size]);
        i += raw;
    }
}

// A sprite: a shaded disc on a fully transparent background, blue-green-red-alpha as stored.
Bytes spritePixels() {
    Bytes p(static_cast<std::size_t>(Side) * Side * 4, 0);
    const int centre = Side / 2, radius = Side * 3 / 8;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const int dx = x - centre, dy = y - centre;
            if (dx * dx + dy * dy > radius * radius) continue;
            std::uint8_t* q = &p[(static_cast<std::size_t>(y) * Side + x) * 4];
            q[0] = static_cast<std::uint8_t>(x / 16);
            q[1] = static_cast<std::uint8_t>(y / 16);
            q[2] = static_cast<std::uint8_t>((x + y) / 32);
            q[3] = 255;
        }
    }
    return p;
}

// A picture-like image: flat bands that pack into runs beside noisy bands that stay raw.
Bytes picturePixels(int size) {
    Bytes p(static_cast<std::size_t>(Side) * Side * size);
    std::uint32_t state = 12345;
    for (int y = 0; y < Side; ++y) {
        const bool noisy = (y / 64) % 2 == 1;
        for (int x = 0; x < Side; ++x) {
            std::uint8_t* q = &p[(static_cast<std::size_t>(y) * Side + x) * size];
            state = state * 1664525u + 1013904223u;
            const int jitter = noisy ? static_cast<int>(state >> 28) : 0;
            q[0] = static_cast<std::uint8_t>(x / 24 + jitter);
            q[1] = static_cast<std::uint8_t>(y / 24);
            q[2] = static_cast<std::uint8_t>((x + y) / 48 + jitter);
            if (size == 4) q[3] = static_cast<std::uint8_t>(255 - jitter);
        }
    }
    return p;
}

Bytes makeFile(int imageType, int bitsPerPixel, std::uint8_t descriptor, const Bytes& pixels) {
    Bytes file;
    file.reserve(18 + pixels.size() + pixels.size() / 128 + 1);
    appendHeader(file, imageType, bitsPerPixel, descriptor);
    if (imageType == 10) {
        appendPackets(file, pixels, bitsPerPixel / 8);
    } else {
        file.insert(file.end(), pixels.begin(), pixels.end());
    }
    return file;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Both decoders must agree on a file before their times mean anything.
bool sameAsStb(const BenchFile& file) {
    TgaImage image;
    if (image.load(file.path.c_str()) != TgaOk) return false;
    int w, h, c;
    stbi_uc* theirs = stbi_load(file.path.c_str(), &w, &h, &c, 0);
    const bool same = theirs && image.imageSize == file.pixelBytes &&
                      static_cast<std::size_t>(w) * h * c == file.pixelBytes &&
                      std::memcmp(theirs, image.pixels.get(), file.pixelBytes) == 0;
    stbi_image_free(theirs);
    return same;
}

void loadOurs(benchmark::State& state, const BenchFile* file) {
    for (auto _ : state) {
        TgaImage image;
        if (image.load(file->path.c_str()) != TgaOk) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(image.pixels.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->pixelBytes));
}

void loadStb(benchmark::State& state, const BenchFile* file) {
    for (auto _ : state) {
        int w, h, c;
        stbi_uc* pixels = stbi_load(file->path.c_str(), &w, &h, &c, 0);
        if (!pixels) state.SkipWithError("stbi_load failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->pixelBytes));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("velmory_tga_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::size_t pixels = static_cast<std::size_t>(Side) * Side;
    std::vector<BenchFile> files = {
        {"Raw32BottomUp", (dir / "raw32.tga").string(), pixels * 4},
        {"Rle32Sprite", (dir / "rle32.tga").string(), pixels * 4},
        {"Raw24BottomUp", (dir / "raw24.tga").string(), pixels * 3},
        {"Rle24Picture", (dir / "rle24.tga").string(), pixels * 3},
    };
    const Bytes contents[] = {
        makeFile(2, 32, 0x08, picturePixels(4)),
        makeFile(10, 32, 0x08, spritePixels()),
        makeFile(2, 24, 0x00, picturePixels(3)),
        makeFile(10, 24, 0x00, picturePixels(3)),
    };
    int status = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!writeFile(files[i].path, contents[i]) || !sameAsStb(files[i])) {
            std::fprintf(stderr, "%s: cannot write, or decodes unlike stb_image\n", files[i].name);
            status = 1;
        }
        std::printf("%s: %zu bytes on disk\n", files[i].name, contents[i].size());
    }
    if (status == 0) {
        for (const BenchFile& file : files) {
            benchmark::RegisterBenchmark((std::string("Velmory/") + file.name).c_str(), loadOurs,
                                         &file)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("Stb/") + file.name).c_str(), loadStb, &file)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    std::filesystem::remove_all(dir);
    return status;
}
