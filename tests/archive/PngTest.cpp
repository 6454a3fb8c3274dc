#include "archive/PngImage.h"
#include "support/TestZip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>

namespace krel::test {
namespace {

using ::testing::HasSubstr;

PngImage gradient(uint32_t width, uint32_t height) {
    PngImage image{width, height, std::vector<uint8_t>(size_t{width} * height * 4)};
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* pixel = image.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x * 255 / width);
            pixel[1] = static_cast<uint8_t>(y * 255 / height);
            pixel[2] = static_cast<uint8_t>((x ^ y) & 0xFF);
            pixel[3] = static_cast<uint8_t>(255 - x % 200);
        }
    return image;
}

std::string greyPicture(uint32_t width, uint32_t height) {
    std::vector<uint8_t> grey(size_t{width} * height);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<uint8_t>(i * 3);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_GRAY;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, grey.data(), 0, nullptr);
    std::string bytes(size, '\0');
    png_image_write_to_memory(&image, bytes.data(), &size, 0, grey.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

TEST(PngTest, DecodesWhatWasEncodedPixelForPixel) {
    PngImage original = gradient(130, 82);
    std::string bytes = EncodePng(original);
    PngImage decoded = DecodePng(bytes);
    EXPECT_EQ(decoded.Width, 130u);
    EXPECT_EQ(decoded.Height, 82u);
    EXPECT_TRUE(decoded.Rgba == original.Rgba);
    PngSize size = ReadPngSize(bytes.substr(0, 33));
    EXPECT_EQ(size.Width, 130u);
    EXPECT_EQ(size.Height, 82u);
}

TEST(PngTest, GreyPicturesDecodeToOpaqueRgba) {
    PngImage decoded = DecodePng(greyPicture(7, 5));
    ASSERT_EQ(decoded.Rgba.size(), 7u * 5 * 4);
    const uint8_t* pixel = decoded.Pixel(3, 2);
    EXPECT_EQ(pixel[0], static_cast<uint8_t>((2 * 7 + 3) * 3));
    EXPECT_EQ(pixel[0], pixel[1]);
    EXPECT_EQ(pixel[0], pixel[2]);
    EXPECT_EQ(pixel[3], 255);
}

TEST(PngTest, SidesUpToTheLimitAreAccepted) {
    PngImage wide = DecodePng(EncodePng(gradient(MaxPngSide, 1)));
    EXPECT_EQ(wide.Width, MaxPngSide);
    EXPECT_THROW(EncodePng(gradient(MaxPngSide + 1, 1)), EPngError);
}

struct BadCase {
    const char* Label;
    std::string Bytes;
    const char* Expected;
};

TEST(PngTest, BadStreamsGiveAClearErrorAndNoImage) {
    std::string good = EncodePng(gradient(40, 30));
    std::string corrupted = good;
    for (size_t i = 60; i < 90; ++i)
        corrupted[i] = static_cast<char>(corrupted[i] ^ 0x5A);
    std::string bigSmall = WithPngHeader(good, MaxPngSide, MaxPngSide);
    const std::vector<BadCase> cases = {
        {"empty", "", "Not a PNG picture"},
        {"text", "GIF89a and other things", "Not a PNG picture"},
        {"signature only", good.substr(0, 8), "no picture header"},
        {"cut in half", good.substr(0, good.size() / 2), "Damaged PNG picture"},
        {"last bytes of image data cut", good.substr(0, good.size() - 24), "Damaged PNG picture"},
        {"image data scrambled", corrupted, "Damaged PNG picture"},
        {"one pixel too wide", WithPngHeader(good, MaxPngSide + 1, 30), "too large"},
        {"size wrapping 32 bits", WithPngHeader(good, 65536, 65536), "too large"},
        {"huge header, little data", bigSmall, "image data missing"},
        {"zero width", WithPngHeader(good, 0, 30), "invalid picture header"},
        {"unknown colour type", WithPngHeader(good, 40, 30, 5), "invalid picture header"},
    };
    for (const auto& c : cases) {
        try {
            DecodePng(c.Bytes);
            ADD_FAILURE() << c.Label << ": decoded";
        } catch (const EPngError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.Expected)) << c.Label;
        }
    }
}

TEST(PngTest, HeaderReaderNeedsOnlyTheHeader) {
    std::string bytes = EncodePng(gradient(300, 200));
    PngSize size = ReadPngSize(bytes.substr(0, 40));
    EXPECT_EQ(size.Width, 300u);
    EXPECT_EQ(size.Height, 200u);
    EXPECT_EQ(ReadPngSize(WithPngHeader(bytes, 20000, 5)).Width, 20000u);
    EXPECT_THROW(ReadPngSize("plain text of some length, well past the header"), EPngError);
    EXPECT_THROW(ReadPngSize(bytes.substr(0, 20)), EPngError);
}

} // namespace
} // namespace krel::test
