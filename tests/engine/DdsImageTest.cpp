// DDS decoding against known pixels, and broken files that must not be read past their end.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/DdsImage.h"

namespace {

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// A header for the given size; `fourCC` 0 means uncompressed RGB with the masks.
std::string Header(std::uint32_t width, std::uint32_t height, const char* fourCC,
                   std::uint32_t alphaMask = 0xFF000000, std::uint32_t bits = 32) {
    std::string out = "DDS ";
    Put32(out, 124);
    Put32(out, 0x100F);
    Put32(out, height);
    Put32(out, width);
    Put32(out, 0);
    for (int i = 0; i < 13; ++i) Put32(out, 0);
    Put32(out, 32);
    if (fourCC) {
        Put32(out, 0x4);
        out.append(fourCC, 4);
        for (int i = 0; i < 5; ++i) Put32(out, 0);
    } else {
        Put32(out, alphaMask ? 0x41 : 0x40);
        Put32(out, 0);
        Put32(out, bits);
        Put32(out, 0x00FF0000);
        Put32(out, 0x0000FF00);
        Put32(out, 0x000000FF);
        Put32(out, alphaMask);
    }
    Put32(out, 0x1000);
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    return out;
}

// A DXT colour block: two RGB565 end points and 2-bit indices for the 16 pixels.
std::string ColourBlock(std::uint16_t c0, std::uint16_t c1, std::uint32_t indices) {
    std::string out;
    out.push_back(char(c0 & 0xFF)), out.push_back(char(c0 >> 8));
    out.push_back(char(c1 & 0xFF)), out.push_back(char(c1 >> 8));
    Put32(out, indices);
    return out;
}

platform::Image Decode(const std::string& bytes) {
    std::string error;
    platform::Image image = DecodeDds(bytes, &error);
    EXPECT_EQ(error, "");
    return image;
}

}  // namespace

TEST(DdsImage, DecodesEachFormatToKnownPixels) {
    // A8R8G8B8 keeps alpha; X8R8G8B8 is opaque whatever the unused byte holds.
    std::string argb = Header(2, 1, nullptr);
    Put32(argb, 0x80112233), Put32(argb, 0x00FFFFFF);
    platform::Image image = Decode(argb);
    ASSERT_EQ(image.width, 2);
    EXPECT_EQ(image.At(0, 0), 0x80112233u);
    EXPECT_EQ(image.At(1, 0), 0x00FFFFFFu);
    std::string xrgb = Header(1, 1, nullptr, 0);
    Put32(xrgb, 0x00445566);
    EXPECT_EQ(Decode(xrgb).At(0, 0), 0xFF445566u);

    // DXT1, four-colour mode (c0 > c1): white, black, and the thirds between.
    const std::uint32_t rows = 0b11100100u * 0x01010101u;  // indices 0,1,2,3 in every row
    image = Decode(Header(4, 4, "DXT1") + ColourBlock(0xFFFF, 0x0000, rows));
    EXPECT_EQ(image.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.At(1, 0), 0xFF000000u);
    EXPECT_EQ(image.At(2, 3), 0xFFAAAAAAu);
    EXPECT_EQ(image.At(3, 1), 0xFF555555u);
    // Three-colour mode (c0 <= c1): index 3 is transparent black, index 2 the mean.
    image = Decode(Header(4, 4, "DXT1") + ColourBlock(0x001F, 0xF800, rows));
    EXPECT_EQ(image.At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(image.At(2, 0), 0xFF7F007Fu);
    EXPECT_EQ(image.At(3, 0), 0x00000000u);
    // A 5 x 3 image takes two blocks across; pixels outside the image are skipped.
    image = Decode(Header(5, 3, "DXT1") + ColourBlock(0xFFFF, 0, 0) + ColourBlock(0xF800, 0, 0));
    EXPECT_EQ(image.At(4, 2), 0xFFFF0000u);

    // DXT3: explicit 4-bit alpha per pixel, here 0 to 15 in order.
    std::string alpha;
    for (int i = 0; i < 8; ++i) alpha.push_back(char((2 * i) | ((2 * i + 1) << 4)));
    image = Decode(Header(4, 4, "DXT3") + alpha + ColourBlock(0xF800, 0x0000, 0));
    EXPECT_EQ(image.At(0, 0), 0x00FF0000u);
    EXPECT_EQ(image.At(1, 0), 0x11FF0000u);
    EXPECT_EQ(image.At(3, 3), 0xFFFF0000u);

    // DXT5: interpolated alpha, 8 steps when a0 > a1, 6 steps plus 0 and 255 otherwise.
    std::string dxt5 = {char(255), char(0)};
    std::uint64_t bits = 0;
    for (int p = 0; p < 8; ++p)
        bits |= std::uint64_t(p) << (3 * p);  // first two rows use indices 0..7
    for (int i = 0; i < 6; ++i) dxt5.push_back(char((bits >> (8 * i)) & 0xFF));
    image = Decode(Header(4, 4, "DXT5") + dxt5 + ColourBlock(0x07E0, 0, 0));
    EXPECT_EQ(image.At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(image.At(1, 0), 0x0000FF00u);
    EXPECT_EQ(image.At(2, 0) >> 24, (6u * 255) / 7);
    dxt5[0] = char(10), dxt5[1] = char(20);
    image = Decode(Header(4, 4, "DXT5") + dxt5 + ColourBlock(0x07E0, 0, 0));
    EXPECT_EQ(image.At(2, 1) >> 24, 0u);    // index 6
    EXPECT_EQ(image.At(3, 1) >> 24, 255u);  // index 7
}

TEST(DdsImage, RejectsCorruptTruncatedAndAbsurdFilesWithAReason) {
    std::string valid = Header(4, 4, "DXT5") + std::string(16, '\x11');
    // Every truncation of a valid file is refused, never read past its end.
    for (size_t length = 0; length < valid.size(); ++length) {
        std::string error;
        EXPECT_TRUE(DecodeDds(valid.substr(0, length), &error).IsEmpty()) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
    auto reason = [](const std::string& bytes) {
        std::string error;
        EXPECT_TRUE(DecodeDds(bytes, &error).IsEmpty());
        return error;
    };
    EXPECT_EQ(reason("BM not a dds"), "not a DDS file");
    EXPECT_EQ(reason(Header(0xFFFFFFFF, 0xFFFFFFFF, "DXT1")),
              "DDS size 4294967295 x 4294967295 out of range");
    EXPECT_EQ(reason(Header(0, 4, nullptr)), "DDS size 0 x 4 out of range");
    EXPECT_EQ(reason(Header(16384, 16384, nullptr)), "DDS pixel data truncated");
    EXPECT_EQ(reason(Header(4, 4, "ATI2") + std::string(64, 0)), "unsupported DDS compression");
    EXPECT_EQ(reason(Header(4, 4, nullptr, 0, 8) + std::string(64, 0)),
              "unsupported DDS bit depth 8");
    std::string wrongSize = valid;
    wrongSize[4] = 100;
    EXPECT_EQ(reason(wrongSize), "DDS header has the wrong size");

    // Random damage to the header: any outcome but a read out of bounds.
    std::mt19937 random(8);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = Header(8, 8, round % 2 ? "DXT1" : nullptr) + std::string(256, '\x5A');
        for (int hits = 0; hits < 4; ++hits) damaged[random() % 128] = char(random());
        std::string error;
        const platform::Image image = DecodeDds(damaged, &error);
        EXPECT_TRUE(image.IsEmpty() ||
                    image.pixels.size() == size_t(image.width) * size_t(image.height));
    }
}
