// What the scene tests share: small resource files and a fixture for whole runs of the scene.
#pragma once

#include <cstdint>
#include <vector>

#include "app/input.h"
#include "platform/headless/headless.h"
#include "testing/gl_context.h"
#include "testing/resource_dir.h"

namespace scenetest {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// An uncompressed 32-bit TGA of one colour, stored top row first.
inline std::vector<std::uint8_t> solidTga(int width, int height, Rgba colour) {
    std::vector<std::uint8_t> file(18, 0);
    file[2] = 2;  // true-colour, uncompressed
    file[12] = static_cast<std::uint8_t>(width);
    file[13] = static_cast<std::uint8_t>(width >> 8);
    file[14] = static_cast<std::uint8_t>(height);
    file[15] = static_cast<std::uint8_t>(height >> 8);
    file[16] = 32;
    file[17] = 0x20;  // top row first
    for (int i = 0; i < width * height; ++i) {
        file.insert(file.end(), {colour.b, colour.g, colour.r, colour.a});  // stored blue, green, red, alpha
    }
    return file;
}

// A luminance font of 16 x 16 cells on a 256 x 128 image (codes 32..159), every cell fully
// lit, every advance width the given value.
inline std::vector<std::uint8_t> solidFont(std::int8_t advance) {
    const std::int32_t header[4] = {256, 128, 16, 16};
    std::vector<std::uint8_t> file = {0xBF, 0xF2};
    for (std::int32_t value : header) {
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    file.push_back(8);   // bits per pixel
    file.push_back(32);  // base character
    file.insert(file.end(), 256, static_cast<std::uint8_t>(advance));
    file.insert(file.end(), 256 * 128, 0xFF);
    return file;
}

// The three resource files of a scene: one-colour hand and title images and a solid font.
inline void writeSceneResources(const ScratchWorkingDirectory& dir, Rgba hand, Rgba title) {
    dir.write("res/hd", solidTga(4, 4, hand));
    dir.write("res/tl", solidTga(4, 4, title));
    dir.write("res/fm", solidFont(8));
}

// Every test starts with a fresh context, the headless platform reset, RunFlag at 1 and every
// key up.
class HeadlessSceneTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        headlessReset();
        RunFlag.store(1);
        for (auto& key : KeyTable) key.store(0);
    }
};

}  // namespace scenetest
