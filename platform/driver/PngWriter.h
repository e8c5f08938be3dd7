// A small PNG encoder for screenshots: 8-bit RGB, no interlacing.
#pragma once

#include <cstdint>
#include <vector>

namespace vellumate {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // rows top to bottom, 3 bytes (R, G, B) per pixel
};

// The PNG file for `image`; empty when the image is inconsistent (pixel
// count does not match the size) or compression fails.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

}  // namespace vellumate
