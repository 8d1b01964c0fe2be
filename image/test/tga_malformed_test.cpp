// Malformed files: a valid file of each type with some bytes changed, cut or added, and the code
// the reader must give for it. Cases with two faults show which check comes first.
#include <gtest/gtest.h>

#include "image/test/tga_files.h"

namespace {

enum class Seed { RawTrue, RawMapped, RleTrue, RleMapped };

// 2 × 2 images, bottom row first.
Bytes seedFile(Seed seed) {
    switch (seed) {
        case Seed::RawTrue:
            return tgaFile(trueColourHeader(2, 2, 24, 0x00), Bytes(12, 0x11));
        case Seed::RawMapped:
            return tgaFile(colourMappedHeader(2, 2, 0x00), {1, 2, 3, 4});
        case Seed::RleTrue:
            return tgaFile(trueColourHeader(2, 2, 24, 0x00, true),
                           {0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
        case Seed::RleMapped:
            return tgaFile(colourMappedHeader(2, 2, 0x00, true), {0x83, 5});
    }
    return {};
}

constexpr int MapEnd = 18 + 768;  // pixel data offset of the colour-mapped seeds

struct Patch {
    int offset;
    Bytes bytes;
};

struct MalformedCase {
    const char* name;
    Seed seed;
    std::vector<Patch> patches;
    int length;  // the file is cut or padded (with zeros) to this many bytes; -1 keeps it
    TgaResult expected;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

Bytes makeFile(const MalformedCase& c) {
    Bytes file = seedFile(c.seed);
    for (const Patch& patch : c.patches) {
        std::copy(patch.bytes.begin(), patch.bytes.end(), file.begin() + patch.offset);
    }
    if (c.length >= 0) file.resize(static_cast<std::size_t>(c.length));
    return file;
}

class TgaMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(TgaMalformed, GivesItsCode) {
    TgaImage image;
    EXPECT_EQ(loadBytes(image, makeFile(GetParam())), GetParam().expected);
    if (GetParam().expected == TgaOk) {
        EXPECT_NE(image.pixels, nullptr);
        EXPECT_EQ(image.fileData, nullptr);
    }
}

const Patch Width0{12, {0, 0}};
const Patch MapType1{1, {1}};
const Patch MapFields{3, {0, 0, 0, 1, 24}};  // entries 0 to 255 of 24 bits

const MalformedCase Cases[] = {
    // Length of the header itself.
    {"Header17Bytes", Seed::RawTrue, {}, 17, TgaBadFile},
    {"Header1Byte", Seed::RawTrue, {}, 1, TgaBadFile},
    // parseHeader's checks, in order.
    {"MapType2", Seed::RawTrue, {{1, {2}}}, -1, TgaUnsupported},
    {"MapType255", Seed::RawTrue, {{1, {255}}}, -1, TgaUnsupported},
    {"MapType2BeforeWidth", Seed::RawTrue, {{1, {2}}, Width0}, -1, TgaUnsupported},
    {"ImageType12", Seed::RawTrue, {{2, {12}}}, -1, TgaUnsupported},
    {"ImageType128", Seed::RawTrue, {{2, {128}}}, -1, TgaUnsupported},
    {"ImageType255BeforeWidth", Seed::RawTrue, {{2, {255}}, Width0}, -1, TgaUnsupported},
    {"FirstEntry1", Seed::RawMapped, {{3, {1, 0}}}, -1, TgaUnsupported},
    {"MapLength255", Seed::RawMapped, {{5, {255, 0}}}, -1, TgaUnsupported},
    {"MapLength257", Seed::RawMapped, {{5, {1, 1}}}, -1, TgaUnsupported},
    {"EntryBits16", Seed::RawMapped, {{7, {16}}}, -1, TgaUnsupported},
    {"EntryBits32", Seed::RleMapped, {{7, {32}}}, -1, TgaUnsupported},
    {"MapFieldsBeforeWidth", Seed::RawMapped, {{7, {32}}, Width0}, -1, TgaUnsupported},
    {"MapFieldsUncheckedWithoutMap", Seed::RawTrue, {{3, {1, 0, 3, 0, 16}}}, -1, TgaOk},
    {"Width0", Seed::RawTrue, {Width0}, -1, TgaBadFile},
    {"Height0", Seed::RleTrue, {{14, {0, 0}}}, -1, TgaBadFile},
    {"Width32768", Seed::RawTrue, {{12, {0x00, 0x80}}}, -1, TgaBadFile},
    {"Height65535", Seed::RawMapped, {{14, {0xFF, 0xFF}}}, -1, TgaBadFile},
    {"WidthBeforeDescriptor", Seed::RawTrue, {Width0, {17, {0x28}}}, -1, TgaBadFile},
    {"ImageType3AfterWidth", Seed::RawTrue, {{2, {3}}, Width0}, -1, TgaBadFile},
    {"Descriptor0x21", Seed::RawTrue, {{17, {0x21}}}, -1, TgaUnsupported},
    {"Descriptor0x28", Seed::RawTrue, {{17, {0x28}}}, -1, TgaUnsupported},
    {"Descriptor0x30", Seed::RleTrue, {{17, {0x30}}}, -1, TgaUnsupported},
    {"Descriptor0xC0", Seed::RawTrue, {{17, {0xC0}}}, -1, TgaUnsupported},
    {"Descriptor0x20", Seed::RawTrue, {{17, {0x20}}}, -1, TgaOk},
    {"Descriptor0x1F", Seed::RawTrue, {{17, {0x1F}}}, -1, TgaOk},
    {"DescriptorBeforeMapDisagreement", Seed::RawTrue, {MapType1, MapFields, {17, {0x28}}}, -1,
     TgaUnsupported},
    // 32767 × 32767 pixels of 4 bytes just fit in 32 bits, of 5 bytes they do not.
    {"Size4GiB", Seed::RawTrue, {{12, {0xFF, 0x7F, 0xFF, 0x7F, 32}}}, -1, TgaBadFile},
    {"RleSize4GiB", Seed::RleTrue, {{12, {0xFF, 0x7F, 0xFF, 0x7F, 32}}}, -1, TgaBadFile},
    {"SizeBeyond32Bits", Seed::RawTrue, {{12, {0xFF, 0x7F, 0xFF, 0x7F, 40}}}, -1, TgaBadFile},
    {"RleSizeBeyond32Bits", Seed::RleTrue, {{12, {0xFF, 0x7F, 0xFF, 0x7F, 40}}}, -1, TgaBadFile},
    // Image types that pass the header but are outside the subset.
    {"ImageType0", Seed::RawTrue, {{2, {0}}}, -1, TgaUnsupported},
    {"ImageType3", Seed::RawTrue, {{2, {3}}}, -1, TgaUnsupported},
    {"ImageType8", Seed::RawTrue, {{2, {8}}}, -1, TgaUnsupported},
    {"ImageType11", Seed::RawTrue, {{2, {11}}}, -1, TgaUnsupported},
    // Colour-map type and image type disagreeing.
    {"TrueColourWithMap", Seed::RawTrue, {MapType1, MapFields}, 18 + 768 + 12, TgaBadFile},
    {"RleTrueColourWithMap", Seed::RleTrue, {MapType1, MapFields}, 18 + 768 + 11, TgaBadFile},
    {"MappedWithoutMap", Seed::RawMapped, {{1, {0}}}, -1, TgaBadFile},
    {"RleMappedWithoutMap", Seed::RleMapped, {{1, {0}}}, -1, TgaBadFile},
    // Uncompressed lengths: exactly enough, one byte short, more than enough.
    {"RawTrueExact", Seed::RawTrue, {}, 18 + 12, TgaOk},
    {"RawTrueOneShort", Seed::RawTrue, {}, 18 + 11, TgaBadFile},
    {"RawTruePadded", Seed::RawTrue, {}, 18 + 12 + 100, TgaOk},
    {"RawMappedExact", Seed::RawMapped, {}, MapEnd + 4, TgaOk},
    {"RawMappedOneShort", Seed::RawMapped, {}, MapEnd + 3, TgaBadFile},
    {"RawMappedCutInMap", Seed::RawMapped, {}, 18 + 700, TgaBadFile},
    {"RawTrueIdPastEnd", Seed::RawTrue, {{0, {200}}}, -1, TgaBadFile},
    {"RawTrueIdFillsData", Seed::RawTrue, {{0, {12}}}, -1, TgaBadFile},
    {"RawMappedIdPastEnd", Seed::RawMapped, {{0, {10}}}, -1, TgaBadFile},
    // Run-length streams cut short.
    {"RleIdPastEnd", Seed::RleTrue, {{0, {200}}}, -1, TgaBadFile},
    {"RleIdToEnd", Seed::RleTrue, {{0, {11}}}, -1, TgaBadFile},
    {"RleMappedCutInMap", Seed::RleMapped, {}, 18 + 500, TgaBadFile},
    {"RleMappedNoData", Seed::RleMapped, {}, MapEnd, TgaBadFile},
    {"RleMappedCutInRunPixel", Seed::RleMapped, {}, MapEnd + 1, TgaBadFile},
    {"RleEndsBetweenPackets", Seed::RleTrue, {}, 18 + 4, TgaBadFile},
    {"RleEndsAfterPacketHeader", Seed::RleTrue, {}, 18 + 5, TgaBadFile},
    {"RleEndsInRunPixel", Seed::RleTrue, {}, 18 + 3, TgaBadFile},
    {"RleEndsInRawPacket", Seed::RleTrue, {}, 18 + 10, TgaBadFile},
    {"RleExact", Seed::RleTrue, {}, 18 + 11, TgaOk},
    {"RlePadded", Seed::RleTrue, {}, 18 + 11 + 50, TgaOk},
    // Final packets that declare more pixels than remain are cut to fit.
    {"RleOverlongFinalRaw", Seed::RleTrue, {{22, {0x7F}}}, -1, TgaOk},
    {"RleOverlongFinalRun", Seed::RleMapped, {{MapEnd, {0xFF}}}, -1, TgaOk},
    // A run-length file far too short for its size.
    {"RleTooShortForSize", Seed::RleTrue, {{12, {0xE8, 0x03, 0xE8, 0x03}}}, -1, TgaBadFile},
};

INSTANTIATE_TEST_SUITE_P(Files, TgaMalformed, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A run-length file that could not yield its pixels even from 128-pixel runs is refused before
// the pixel buffer is allocated.
TEST(TgaRunLengthSize, ImpossibleSizesAreRefusedBeforeAllocating) {
    // One run packet of a 3-byte pixel: at most 128 pixels.
    const Bytes run{0xFF, 1, 2, 3};
    struct SizeCase {
        int width;
        TgaResult expected;
        bool allocates;
    };
    for (const SizeCase c : {SizeCase{128, TgaOk, true}, SizeCase{129, TgaBadFile, false},
                             SizeCase{30000, TgaBadFile, false}}) {
        TgaImage image;
        EXPECT_EQ(loadBytes(image, tgaFile(trueColourHeader(c.width, 1, 24, 0x20, true), run)),
                  c.expected)
            << c.width;
        EXPECT_EQ(image.pixels != nullptr, c.allocates) << c.width;
    }
}

}  // namespace
