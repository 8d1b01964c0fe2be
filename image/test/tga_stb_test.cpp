// The reader beside stb_image as an independent decoder: generated images of every accepted type,
// both row orders, with and without an ID field, and packet plans that hit runs and raw packets
// of 1 and 128 pixels and packets crossing row ends.
#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include <string>

#include "image/test/tga_files.h"

namespace {

struct DiffCase {
    int imageType;
    int bitsPerPixel;  // 8 for colour-mapped types
    std::uint8_t descriptor;
    std::uint8_t idLength;
    int width;
    int height;
    int plan;  // index into Plans

    std::string name() const {
        return "Type" + std::to_string(imageType) + "_" + std::to_string(bitsPerPixel) + "bit_" +
               (descriptor & 0x20 ? "TopFirst" : "BottomFirst") + "_Id" +
               std::to_string(idLength) + "_" + std::to_string(width) + "x" +
               std::to_string(height) + "_Plan" + std::to_string(plan);
    }
};

void PrintTo(const DiffCase& c, std::ostream* os) { *os << c.name(); }

const std::vector<std::vector<Packet>> Plans = {
    {{true, 1}, {false, 1}, {true, 128}, {false, 128}},
    {{false, 128}, {true, 3}, {false, 2}, {true, 128}, {true, 1}, {false, 7}},
};

Bytes makeFile(const DiffCase& c) {
    const bool mapped = c.imageType == 1 || c.imageType == 9;
    const bool runLength = c.imageType >= 9;
    TgaHeader header = mapped ? colourMappedHeader(c.width, c.height, c.descriptor, runLength)
                              : trueColourHeader(c.width, c.height, c.bitsPerPixel, c.descriptor,
                                                 runLength);
    header.idLength = c.idLength;
    const PackedPixels packed =
        packPixels(c.width * c.height, c.bitsPerPixel / 8, Plans[c.plan],
                   static_cast<std::uint32_t>(c.width * 31 + c.height * 7 + c.plan));
    return tgaFile(header, runLength ? packed.packets : packed.pixels);
}

class TgaAgainstStb : public ::testing::TestWithParam<DiffCase> {};

TEST_P(TgaAgainstStb, DecodesAsStbDoes) {
    const DiffCase& c = GetParam();
    const Bytes file = makeFile(c);
    int width = 0, height = 0, channels = 0;
    stbi_uc* expected = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                              &height, &channels, 0);
    ASSERT_NE(expected, nullptr) << stbi_failure_reason();
    TgaImage image;
    ASSERT_EQ(loadBytes(image, file), TgaOk);
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    Bytes ours;
    if (image.palette) {
        ASSERT_EQ(channels, 3);
        ASSERT_EQ(image.imageSize, pixelCount);
        for (std::size_t i = 0; i < pixelCount; ++i) {
            const std::uint8_t* entry = image.palette.get() + 3 * image.pixels[i];
            ours.insert(ours.end(), entry, entry + 3);
        }
    } else {
        ASSERT_EQ(channels, c.bitsPerPixel / 8);
        ours.assign(image.pixels.get(), image.pixels.get() + image.imageSize);
    }
    const Bytes theirs(expected, expected + pixelCount * channels);
    stbi_image_free(expected);
    ASSERT_EQ(ours.size(), theirs.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ASSERT_EQ(ours[i], theirs[i]) << "byte " << i << " (pixel " << i / channels << ")";
    }
}

std::vector<DiffCase> allCases() {
    std::vector<DiffCase> cases;
    const int sizes[][2] = {{1, 1}, {7, 5}, {130, 3}, {3, 129}};
    for (int type : {1, 2, 9, 10}) {
        const bool mapped = type == 1 || type == 9;
        for (int bits : mapped ? std::vector<int>{8} : std::vector<int>{24, 32}) {
            for (std::uint8_t descriptor : {0x00, 0x20}) {
                for (std::uint8_t idLength : {0, 9}) {
                    for (const auto& size : sizes) {
                        for (int plan = 0; plan < static_cast<int>(Plans.size()); ++plan) {
                            cases.push_back({type, bits, descriptor, idLength, size[0], size[1],
                                             plan});
                        }
                    }
                }
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Generated, TgaAgainstStb, ::testing::ValuesIn(allCases()),
                         [](const auto& info) { return info.param.name(); });

}  // namespace
