#include "platform/driver/PngWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>

using namespace vellumate;

namespace {

std::uint32_t BigEndian(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An independent reader for 8-bit RGB PNG files: checks the signature and
// every chunk's CRC, inflates the image data and undoes all five filters.
// Failures are reported through gtest; the image is empty then.
RgbImage DecodePng(const std::vector<std::uint8_t>& png)
{
    static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    RgbImage image;
    if (png.size() < 8 || !std::equal(signature, signature + 8, png.begin())) {
        ADD_FAILURE() << "no PNG signature";
        return {};
    }
    std::vector<std::uint8_t> compressed;
    bool ended = false;
    for (std::size_t at = 8; at < png.size();) {
        if (png.size() - at < 12) {
            ADD_FAILURE() << "truncated chunk";
            return {};
        }
        const std::uint32_t length = BigEndian(&png[at]);
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (png.size() - at - 12 < length) {
            ADD_FAILURE() << "chunk " << type << " runs past the end";
            return {};
        }
        const std::uint8_t* data = &png[at + 8];
        const uLong crc = crc32(crc32(0, Z_NULL, 0), &png[at + 4], length + 4);
        EXPECT_EQ(crc, BigEndian(data + length)) << "CRC of " << type;
        if (type == "IHDR") {
            EXPECT_EQ(length, 13u);
            image.width = static_cast<int>(BigEndian(data));
            image.height = static_cast<int>(BigEndian(data + 4));
            EXPECT_EQ(data[8], 8) << "bit depth";
            EXPECT_EQ(data[9], 2) << "colour type";
            EXPECT_EQ(data[10] | data[11] | data[12], 0) << "compression, filter, interlace";
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        } else if (type == "IEND") {
            ended = true;
            EXPECT_EQ(at + 12 + length, png.size()) << "bytes after IEND";
        }
        at += 12 + length;
    }
    EXPECT_TRUE(ended) << "no IEND chunk";

    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw((stride + 1) * static_cast<std::size_t>(image.height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
        rawSize != raw.size()) {
        ADD_FAILURE() << "image data does not inflate to the image size";
        return {};
    }

    image.pixels.assign(stride * static_cast<std::size_t>(image.height), 0);
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        const std::uint8_t* in = &raw[y * (stride + 1) + 1];
        std::uint8_t* out = &image.pixels[y * stride];
        const std::uint8_t* above = y > 0 ? out - stride : nullptr;
        for (std::size_t x = 0; x < stride; ++x) {
            const int a = x >= 3 ? out[x - 3] : 0;
            const int b = above ? above[x] : 0;
            const int c = above && x >= 3 ? above[x - 3] : 0;
            int predicted = 0;
            switch (filter) {
            case 0:
                predicted = 0;
                break;
            case 1:
                predicted = a;
                break;
            case 2:
                predicted = b;
                break;
            case 3:
                predicted = (a + b) / 2;
                break;
            case 4:
                predicted = Paeth(a, b, c);
                break;
            default:
                ADD_FAILURE() << "filter " << int(filter);
                return {};
            }
            out[x] = static_cast<std::uint8_t>(in[x] + predicted);
        }
    }
    return image;
}

RgbImage TestImage(int width, int height)
{
    RgbImage image{width, height, {}};
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            image.pixels.push_back(static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)));
            image.pixels.push_back(static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)));
            image.pixels.push_back(static_cast<std::uint8_t>(noise >> 24));
        }
    return image;
}

TEST(PngWriter, DecodesBackToTheSamePixels)
{
    for (const auto& [width, height] : {std::pair{176, 220}, std::pair{1, 1}, std::pair{7, 3}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const RgbImage image = TestImage(width, height);
        const RgbImage decoded = DecodePng(EncodePng(image));
        EXPECT_EQ(decoded.width, width);
        EXPECT_EQ(decoded.height, height);
        EXPECT_TRUE(decoded.pixels == image.pixels);
    }
}

TEST(PngWriter, RefusesAnInconsistentImage)
{
    RgbImage image = TestImage(4, 4);
    image.pixels.pop_back();
    EXPECT_TRUE(EncodePng(image).empty());
    EXPECT_TRUE(EncodePng(RgbImage{0, 5, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{-2, -2, std::vector<std::uint8_t>(12)}).empty());
}

}  // namespace
